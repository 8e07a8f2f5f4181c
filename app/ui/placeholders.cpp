#include "placeholders.h"

#include "base/strings.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
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
