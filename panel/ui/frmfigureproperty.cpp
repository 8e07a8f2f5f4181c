#include "panel/ui/frmfigureproperty.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "panel/ui/dialoglook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

namespace Res {
constexpr int Title = 10505;         // "図形プロパティ"
constexpr int ColourLabel = 10506;   // "色"
constexpr int WidthLabel = 10507;    // "線の太さ"
constexpr int StyleLabel = 10508;    // "線種"
constexpr int Choose = 10514;        // "選択..."
constexpr int Thicker = 14218;       // "線の太さを増やす"
constexpr int Thinner = 14219;       // "線の太さを減らす"
constexpr int FirstStyleName = 14220; // "実線" .. "二点鎖線", in PenStyle order
} // namespace Res

constexpr int SampleWidth = 120;
constexpr int SampleHeight = 24;
constexpr int WidestSample = 10;     // the sample line shows widths up to this

// The line as the panel draws it, its width shown up to WidestSample.
QPixmap sampleLine(const QColor &colour, qint16 width, qint16 style)
{
    QPixmap pm(SampleWidth, SampleHeight);
    pm.fill(Qt::white);
    QPainter p(&pm);
    QPen pen(colour, std::clamp<int>(width, 1, WidestSample), figurePenStyle(style, width), Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(4, SampleHeight / 2, SampleWidth - 4, SampleHeight / 2);
    return pm;
}

} // namespace

FrmFigureProperty::FrmFigureProperty(const Figure &figure, Dialogs &dialogs, QWidget *parent)
    : PanelDialog(parent), m_original(figure), m_dialogs(dialogs), m_colour(figure.Color & 0xFFFFFF),
      m_width(qint16(std::clamp<int>(figure.Width, 1, MaxFigureWidth))),
      m_style(qint16(std::clamp<int>(figure.Style, 0, PenStyleCount - 1)))
{
    setObjectName(QStringLiteral("frmFigureProperty"));
    setWindowTitle(str(Res::Title));
    setAttribute(Qt::WA_DeleteOnClose);
    applyDialogLook(*this);

    createFields();
    fillStyles();
    layOut();

    m_widthText->setText(QString::number(m_width));
    m_styles->setCurrentIndex(m_style);
    showSamples();

    connect(m_colourButton, &QPushButton::clicked, this, [this] { chooseColour(); });
    connect(m_widthText, &QLineEdit::editingFinished, this, [this] { checkWidth(); });
    connect(m_up, &QToolButton::clicked, this, [this] { setWidth(qint16(std::min<int>(m_width + 1, MaxFigureWidth))); });
    connect(m_down, &QToolButton::clicked, this, [this] { setWidth(qint16(std::max(m_width - 1, 1))); });
    connect(m_styles, &QComboBox::activated, this, [this](int i) { styleChosen(i); });
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
}

void FrmFigureProperty::createFields()
{
    m_colourButton = new QPushButton(str(Res::Choose), this);
    m_colourButton->setObjectName(QStringLiteral("cmdFigureColor"));
    m_colourSample = new QLabel(this);
    m_colourSample->setObjectName(QStringLiteral("pctFigureColor"));
    m_colourSample->setFixedSize(SampleHeight * 2, SampleHeight);
    m_colourSample->setFrameShape(QFrame::Box);
    m_colourSample->setAutoFillBackground(true);

    m_widthText = new QLineEdit(this);
    m_widthText->setObjectName(QStringLiteral("txtFigureWidth"));
    m_widthText->setMaximumWidth(60);
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("updFigureWidth"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (QToolButton *b : {m_up, m_down})
        b->setFixedSize(18, 12);
    m_widthSample = new QLabel(this);
    m_widthSample->setObjectName(QStringLiteral("pctFigureWidth"));
    m_widthSample->setFrameShape(QFrame::Box);
}

// The pen styles, each shown as a line drawn with it.
void FrmFigureProperty::fillStyles()
{
    m_styles = new QComboBox(this);
    m_styles->setObjectName(QStringLiteral("icbFigureStyle"));
    m_styles->setIconSize(QSize(SampleWidth, SampleHeight / 2));
    for (int s = 0; s < PenStyleCount; ++s) {
        QPixmap pm(SampleWidth, SampleHeight / 2);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setPen(QPen(Qt::black, 1, figurePenStyle(qint16(s), 1), Qt::FlatCap));
        p.drawLine(2, pm.height() / 2, SampleWidth - 2, pm.height() / 2);
        p.end();
        m_styles->addItem(QIcon(pm), QString(), s);
        // The pictures speak to a screen reader by their names.
        m_styles->setItemData(s, str(Res::FirstStyleName + s), Qt::AccessibleTextRole);
    }
}

void FrmFigureProperty::layOut()
{
    // Each field is named by its label; the arrows and the colour button say
    // what they do.
    m_up->setAccessibleName(str(Res::Thicker));
    m_down->setAccessibleName(str(Res::Thinner));
    m_colourButton->setAccessibleName(joinAccessible({str(Res::ColourLabel), str(Res::Choose)}));
    auto *widthLabel = new QLabel(str(Res::WidthLabel), this);
    tieLabel(widthLabel, m_widthText);
    auto *styleLabel = new QLabel(str(Res::StyleLabel), this);
    tieLabel(styleLabel, m_styles);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(str(Res::ColourLabel), this), 0, 0);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(m_colourSample);
    colourRow->addWidget(m_colourButton);
    colourRow->addStretch(1);
    grid->addLayout(colourRow, 0, 1);
    grid->addWidget(widthLabel, 1, 0);
    auto *updown = new QVBoxLayout;
    updown->setSpacing(0);
    updown->addWidget(m_up);
    updown->addWidget(m_down);
    auto *widthRow = new QHBoxLayout;
    widthRow->addWidget(m_widthText);
    widthRow->addLayout(updown);
    widthRow->addWidget(m_widthSample);
    widthRow->addStretch(1);
    grid->addLayout(widthRow, 1, 1);
    grid->addWidget(styleLabel, 2, 0);
    grid->addWidget(m_styles, 2, 1, Qt::AlignLeft);
    const OkCancel buttons = layOutWithOkCancel(*this, grid);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
}

bool FrmFigureProperty::changed() const
{
    return m_colour != (m_original.Color & 0xFFFFFF) || m_width != m_original.Width
           || m_style != m_original.Style;
}

void FrmFigureProperty::chooseColour()
{
    qint32 chosen = m_colour;
    bool picked = false;
    if (!ask([&] { picked = ::chooseColour(m_dialogs, chosen); }) || !picked)
        return;
    m_colour = chosen;
    showSamples();
}

void FrmFigureProperty::setWidth(qint16 width)
{
    m_width = width;
    m_widthText->setText(QString::number(width));
    // Wider pens are drawn solid.
    m_style = styleForWidth(m_width, m_style);
    m_styles->setCurrentIndex(m_style);
    showSamples();
}

void FrmFigureProperty::checkWidth()
{
    // The message box takes the focus; that focus loss is not a second check.
    if (m_checking)
        return;
    if (const auto w = figureWidthFromText(m_widthText->text())) {
        setWidth(*w);
        return;
    }
    m_checking = true;
    if (!ask([this] { m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error); }))
        return;
    m_checking = false;
    m_widthText->setText(QString::number(m_width));
}

void FrmFigureProperty::styleChosen(int index)
{
    m_style = qint16(std::clamp(index, 0, PenStyleCount - 1));
    // A pattern shows only on a thin pen: choosing one makes the pen thin.
    if (m_style != qint16(PenStyle::Solid) && m_width > 1) {
        m_width = 1;
        m_widthText->setText(QStringLiteral("1"));
    }
    showSamples();
}

void FrmFigureProperty::onOk()
{
    const auto w = figureWidthFromText(m_widthText->text());
    if (!w) {
        m_checking = true;
        if (!ask([this] { m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error); }))
            return;
        m_checking = false;
        m_widthText->setText(QStringLiteral("1"));
        return;
    }
    if (*w != m_width)
        setWidth(*w);
    accept();
}

void FrmFigureProperty::showSamples()
{
    QPalette pal = m_colourSample->palette();
    pal.setColor(QPalette::Window, colorFromValue(quint32(m_colour)));
    m_colourSample->setPalette(pal);
    m_widthSample->setPixmap(sampleLine(colorFromValue(quint32(m_colour)), m_width, m_style));
}
