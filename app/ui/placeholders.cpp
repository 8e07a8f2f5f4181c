#include "placeholders.h"

#include "base/placement.h"
#include "base/strings.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString &objectName, const QString &title,
                                     QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(str(StrId::NotAvailable), this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PlaceholderWindow::done(int r)
{
    if (!m_closed) {
        m_closed = true;
        if (onClosed)
            onClosed();
    }
    QDialog::done(r);
}

void PlaceholderWindow::closeEvent(QCloseEvent *e)
{
    if (!m_closed) {
        m_closed = true;
        if (onClosed)
            onClosed();
    }
    QDialog::closeEvent(e);
}

ChannelDialogSeam channelDialogStandIn()
{
    auto window = std::make_shared<QPointer<PlaceholderWindow>>();
    ChannelDialogSeam seam;
    seam.open = [window](const ChannelDialogRequest &request, std::function<void()> closed) {
        const bool output = request.slot == Panel::OutputSlot;
        const QString what = output ? str(10342)
                                    : str(10352).arg(panelChannelNumber(request.mixer, request.slot));
        auto *w = new PlaceholderWindow(QLatin1String(output ? "frmOutputSetting" : "frmChSetting"),
                                        MixerName(request.mixer + 1) + u' ' + what);
        w->setModal(false);
        w->onClosed = std::move(closed);
        *window = w;
        w->show();
    };
    seam.close = [window] {
        if (*window)
            (*window)->close();
    };
    return seam;
}
