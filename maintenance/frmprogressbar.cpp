#include "maintenance/frmprogressbar.h"

#include "base/clock.h"
#include "base/strings.h"
#include "base/ui/placeform.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
namespace Msg {
constexpr int Transferring = 10650;
constexpr int PleaseWait = 10651;
constexpr int BarName = 11217;
constexpr int StepName = 11218;
} // namespace Msg

// How often the bar follows the transfer.
constexpr int RefreshMs = 100;
} // namespace

FrmProgressBar::FrmProgressBar(QWidget *parent)
    : QDialog(parent),
      m_label(new QLabel(str(Msg::Transferring) + QLatin1Char('\n') + str(Msg::PleaseWait), this)),
      m_bar(new QProgressBar(this)),
      m_step(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmProgressBar"));
    setWindowTitle(str(StrId::AppTitle));
    setModal(true);
    // The transfer decides when the window goes; the user cannot close it early.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_label->setObjectName(QStringLiteral("LblMsg"));
    m_label->setAlignment(Qt::AlignCenter);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(true);
    m_bar->setAccessibleName(str(Msg::BarName));
    m_step->setObjectName(QStringLiteral("LblStep"));
    m_step->setAlignment(Qt::AlignCenter);
    m_step->setWordWrap(true);
    m_step->setAccessibleName(str(Msg::StepName));
    // Room for the longest step line on two lines, so the window keeps its size.
    m_step->setMinimumHeight(2 * m_step->fontMetrics().lineSpacing());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 18);
    layout->setSpacing(14);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_step);
    setFixedSize(sizeHint().expandedTo(QSize(380, 150)));
}

void FrmProgressBar::showProgress(const DownloadProgress &p)
{
    // Sizes of a download stay far below what an int holds.
    const int total = int(std::max<qint64>(p.total, 1));
    if (m_bar->maximum() != total)
        m_bar->setRange(0, total);
    m_bar->setValue(int(std::clamp<qint64>(p.done, 0, total)));
    // A line of two sentences is broken between them, not where the width ends.
    QString step = downloadStepText(p);
    const qsizetype stop = step.indexOf(u'。');
    if (stop >= 0 && stop + 1 < step.size())
        step.insert(stop + 1, u'\n');
    m_step->setText(step);
}

void FrmProgressBar::finish()
{
    m_closing = true;
    close();
}

void FrmProgressBar::closeEvent(QCloseEvent *event)
{
    if (m_closing)
        event->accept();
    else
        event->ignore();
}

void FrmProgressBar::keyPressEvent(QKeyEvent *event)
{
    // Escape would reject the dialog in the middle of the transfer.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

bool runProgressWindow(QWidget *main, Clock &clock, const std::function<bool()> &transfer,
                       const std::function<DownloadProgress()> &progress,
                       const std::function<void(FrmProgressBar &)> &onShown)
{
    FrmProgressBar window(main);
    window.showProgress(progress());
    PlaceForm(&window, main, PlaceMode::Below);
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &window, [&] { window.showProgress(progress()); });
    refresh.start(RefreshMs);
    window.show();
    clock.processEvents();
    if (onShown)
        onShown(window);
    const bool ok = transfer();
    refresh.stop();
    window.showProgress(progress());
    window.finish();
    return ok;
}
