#include "panel/ui/frmgridproperty.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/backdropsettings.h"
#include "panel/ui/dialoglook.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

namespace Res {
constexpr int Title = 10511;         // "グリッドプロパティ"
constexpr int IntervalLabel = 10512; // "グリッド間隔"
constexpr int ColourLabel = 10513;   // "グリッドの色"
constexpr int Choose = 10514;        // "選択..."
} // namespace Res

constexpr QSize PreviewSize(120, 40);
constexpr int PreviewLineWidth = 50;

} // namespace

FrmGridProperty::FrmGridProperty(PanelState &panel, Dialogs &dialogs, QWidget *parent)
    : PanelDialog(parent), m_panel(panel), m_dialogs(dialogs), m_colour(panel.GridColor)
{
    setObjectName(QStringLiteral("frmGridProperty"));
    setWindowTitle(str(Res::Title));
    setAttribute(Qt::WA_DeleteOnClose);
    applyDialogLook(*this);

    auto *intervalLabel = new QLabel(str(Res::IntervalLabel), this);
    intervalLabel->setObjectName(QStringLiteral("lblGridInterval"));
    auto *colourLabel = new QLabel(str(Res::ColourLabel), this);
    colourLabel->setObjectName(QStringLiteral("lblGridColor"));
    m_interval = new QLineEdit(QString::number(panel.GridInterval), this);
    m_interval->setObjectName(QStringLiteral("txtGridInterval"));
    m_colourButton = new QPushButton(str(Res::Choose), this);
    m_colourButton->setObjectName(QStringLiteral("cmdGridColor"));
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("pctGrid"));
    m_preview->setFixedSize(PreviewSize);
    m_preview->setFrameShape(QFrame::Box);

    auto *grid = new QGridLayout;
    grid->addWidget(intervalLabel, 0, 0);
    grid->addWidget(m_interval, 0, 1);
    grid->addWidget(colourLabel, 1, 0);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(m_preview);
    colourRow->addWidget(m_colourButton);
    grid->addLayout(colourRow, 1, 1);
    const OkCancel buttons = layOutWithOkCancel(*this, grid);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    drawPreview();

    connect(m_interval, &QLineEdit::editingFinished, this, [this] { checkInterval(); });
    // Enter in the box is taken here, before the dialog's default button
    // sees it: the spacing is checked, and only a valid one closes the dialog.
    m_interval->installEventFilter(this);
    connect(m_colourButton, &QPushButton::clicked, this, [this] { chooseColour(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
}

bool FrmGridProperty::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_interval && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (checkInterval())
                onOk();
            return true;
        }
    }
    return PanelDialog::eventFilter(watched, event);
}

void FrmGridProperty::refuse()
{
    m_checking = true;
    if (!ask([this] { m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error); }))
        return;
    m_checking = false;
    m_interval->setText(QString::number(m_panel.GridInterval));
}

bool FrmGridProperty::checkInterval()
{
    // The message box takes the focus; that focus loss is not a second check.
    if (m_checking)
        return false;
    if (const auto v = gridIntervalFromText(m_interval->text())) {
        m_interval->setText(QString::number(*v));
        return true;
    }
    refuse();
    return false;
}

void FrmGridProperty::chooseColour()
{
    qint32 chosen = m_colour;
    bool picked = false;
    if (!ask([&] { picked = ::chooseColour(m_dialogs, chosen); }) || !picked)
        return;
    m_colour = chosen;
    drawPreview();
}

void FrmGridProperty::onOk()
{
    const auto v = gridIntervalFromText(m_interval->text());
    if (!v) {
        refuse();
        return;
    }
    m_panel.GridInterval = *v;
    m_panel.GridColor = m_colour;
    accept();
}

void FrmGridProperty::drawPreview()
{
    QPixmap pm(PreviewSize);
    pm.fill(palette().color(QPalette::Base));
    QPainter p(&pm);
    p.setPen(QPen(colorFromValue(quint32(m_colour)), PreviewLineWidth, Qt::SolidLine, Qt::FlatCap));
    const double y = PreviewSize.height() / 2.5;
    p.drawLine(QPointF(0, y), QPointF(PreviewSize.width(), y));
    p.end();
    m_preview->setPixmap(pm);
}
