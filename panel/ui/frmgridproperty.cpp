#include "panel/ui/frmgridproperty.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/backdropsettings.h"
#include "panel/ui/dialoglook.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

namespace Res {
constexpr int Ok = 1904;             // "OK"
constexpr int Cancel = 10349;        // "キャンセル"
constexpr int Title = 10511;         // "グリッドプロパティ"
constexpr int IntervalLabel = 10512; // "グリッド間隔"
constexpr int ColourLabel = 10513;   // "グリッドの色"
constexpr int Choose = 10514;        // "選択..."
} // namespace Res

constexpr QSize PreviewSize(120, 40);
constexpr int PreviewLineWidth = 50;

} // namespace

FrmGridProperty::FrmGridProperty(PanelState &panel, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_panel(panel), m_dialogs(dialogs), m_colour(panel.GridColor)
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
    m_ok = new QPushButton(str(Res::Ok), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(str(Res::Cancel), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(intervalLabel, 0, 0);
    grid->addWidget(m_interval, 0, 1);
    grid->addWidget(colourLabel, 1, 0);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(m_preview);
    colourRow->addWidget(m_colourButton);
    grid->addLayout(colourRow, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    drawPreview();

    connect(m_interval, &QLineEdit::editingFinished, this, [this] { checkInterval(); });
    connect(m_colourButton, &QPushButton::clicked, this, [this] { chooseColour(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmGridProperty::refuse()
{
    const QScopedValueRollback<bool> busy(m_checking, true);
    m_dialogs.message(str(StrId::InvalidData), MsgButtons::Ok, MsgIcon::Error, str(StrId::AppTitle));
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
    const auto chosen = m_dialogs.color(colorFromValue(quint32(m_colour)));
    if (!chosen || !chosen->isValid())
        return;
    m_colour = qint32(colorToValue(*chosen));
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
