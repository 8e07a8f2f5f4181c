#include "panel/ui/frmeditsetting.h"

#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "panel/ui/dialoglook.h"
#include "settings/cp932text.h"

#include <QComboBox>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

namespace Res {
constexpr int MixerLabel = 2602;     // "ミキサー番号"
constexpr int ChannelLabel = 2707;   // "チャンネル"
constexpr int On = 2912;
constexpr int Off = 2913;
constexpr int NewTitle = 10320;      // "ボタンの新規作成"
constexpr int EditTitle = 10341;     // "編集"
constexpr int Output = 10342;        // "出力設定"
constexpr int NoMixer = 10344;
constexpr int NoChannel = 10345;
constexpr int Name = 10346;          // "名称"
constexpr int Font = 10347;          // "フォント"
constexpr int Background = 10348;    // "背景色"
constexpr int Cancel = 10349;        // "キャンセル"
constexpr int Delete = 10350;        // "削除"
constexpr int ApplyToAll = 10351;    // "反映"
constexpr int ChannelItem = 10352;   // "ch %1"
constexpr int ApplyToSelection = 14203; // "選択に反映"
constexpr int Ok = 1904;             // "OK"
constexpr int Chair = 14408;         // "議長"
} // namespace Res

QIcon swatch(qint32 colour)
{
    QPixmap pm(16, 16);
    pm.fill(colorFromValue(quint32(colour)));
    QPainter p(&pm);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, 15, 15);
    return QIcon(pm);
}

QFont lookFont(const ButtonLook &look)
{
    QFont f(look.fontName);
    f.setPointSize(look.fontSize);
    f.setBold(look.bold);
    f.setItalic(look.italic);
    return f;
}

QString slotName(int mixer, int slot)
{
    if (slot == Panel::OutputSlot)
        return str(Res::Output);
    return str(Res::ChannelItem).arg(panelChannelNumber(mixer, slot));
}

} // namespace

FrmEditSetting::FrmEditSetting(Mode mode, ButtonRef editing, PanelState &panel,
                               const PanelContext &context, const NewButtonTemplate &newButton,
                               Dialogs &dialogs, MeasureText measure, QWidget *parent)
    : PanelDialog(parent), m_mode(mode), m_editing(editing), m_panel(panel), m_context(context),
      m_dialogs(dialogs), m_measure(std::move(measure)), m_rules(panel, context, newButton)
{
    setObjectName(QStringLiteral("frmEditSetting"));
    setWindowTitle(str(mode == Mode::New ? Res::NewTitle : Res::EditTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    applyDialogLook(*this);
    createFields();
    layOut();
    showEdited(newButton);
    connectCommands();
    m_text->setFocus();
}

void FrmEditSetting::createFields()
{
    m_mixers = new QComboBox(this);
    m_mixers->setObjectName(QStringLiteral("cmbHardSelect"));
    m_slots = new QComboBox(this);
    m_slots->setObjectName(QStringLiteral("cmbChSelect"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtIconTextSet"));
    m_text->setTabChangesFocus(true);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 3 + 12);
    m_font = new QPushButton(str(Res::Font), this);
    m_font->setObjectName(QStringLiteral("cmdFormTextFont"));
    m_fontSample = new QLabel(this);
    m_colorDef = new QPushButton(this);
    m_colorDef->setObjectName(QStringLiteral("cmdColorDef"));
    m_colorOn = new QPushButton(joinWords(str(Res::On), str(Res::Background)), this);
    m_colorOn->setObjectName(QStringLiteral("cmdColorOn"));
    m_chair = new QCheckBox(str(Res::Chair), this);
    m_chair->setObjectName(QStringLiteral("chkChair"));
    m_ok = new QPushButton(str(Res::Ok), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(str(Res::Cancel), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_delete = new QPushButton(str(Res::Delete), this);
    m_delete->setObjectName(QStringLiteral("cmdUnload"));
    m_apply = new QPushButton(str(Res::ApplyToAll), this);
    m_apply->setObjectName(QStringLiteral("cmdSizeArrange"));
    m_applySelection = new QPushButton(str(Res::ApplyToSelection), this);
    m_applySelection->setObjectName(QStringLiteral("cmdApplySelection"));
}

void FrmEditSetting::layOut()
{
    auto *grid = new QGridLayout;
    auto label = [this](int id, const char *name) {
        auto *l = new QLabel(str(id), this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    // Each label is tied to its field: its mnemonic and a screen reader lead there.
    auto tied = [&](QLabel *l, QWidget *field) {
        tieLabel(l, field);
        return l;
    };
    grid->addWidget(tied(label(Res::MixerLabel, "lblMixer"), m_mixers), 0, 0);
    grid->addWidget(m_mixers, 0, 1);
    grid->addWidget(tied(label(Res::ChannelLabel, "lblCh"), m_slots), 1, 0);
    grid->addWidget(m_slots, 1, 1);
    grid->addWidget(tied(label(Res::Name, "lblText"), m_text), 2, 0, Qt::AlignTop);
    grid->addWidget(m_text, 2, 1);
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(m_font);
    fontRow->addWidget(m_fontSample, 1);
    grid->addLayout(fontRow, 3, 1);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(m_colorDef);
    colourRow->addWidget(m_colorOn);
    colourRow->addStretch(1);
    grid->addLayout(colourRow, 4, 1);
    grid->addWidget(m_chair, 5, 1);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_applySelection);
    buttons->addWidget(m_apply);
    // Tab goes as the buttons stand.
    setTabOrder(m_delete, m_applySelection);
    setTabOrder(m_applySelection, m_apply);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void FrmEditSetting::showEdited(const NewButtonTemplate &newButton)
{
    if (m_mode == Mode::New) {
        m_look = newButton.look;
        m_delete->setEnabled(false);
        fillMixers();
        select(m_rules.nextFree());
    } else {
        const ButtonSlot &s = m_panel.slot(m_editing.mixer, m_editing.slot);
        m_look = ButtonLook::fromSlot(s, m_editing.isOutput(), newButton.look);
        fillMixers();
        m_mixers->setCurrentIndex(m_mixers->findData(m_editing.mixer));
        fillSlots(m_editing.mixer, m_editing.slot);
        // An existing button keeps its mixer and slot.
        m_mixers->setEnabled(false);
        m_slots->setEnabled(false);
    }
    m_applySelection->setVisible(m_mode == Mode::Edit && m_rules.othersSelected(m_editing) > 0);
    m_text->setPlainText(captionLines(m_look.caption).join(u'\n'));
    m_chair->setChecked(m_mode == Mode::Edit && m_panel.meeting.isChair(m_editing.mixer, m_editing.slot));
    showLook();
}

void FrmEditSetting::connectCommands()
{
    connect(m_mixers, &QComboBox::activated, this, [this] {
        if (const auto m = chosenMixer())
            fillSlots(*m, std::nullopt);
    });
    connect(m_slots, &QComboBox::currentIndexChanged, this, [this] { showColorForm(); });
    connect(m_font, &QPushButton::clicked, this, [this] { chooseFont(); });
    connect(m_colorDef, &QPushButton::clicked, this, [this] {
        chooseColor(outputChosen() ? m_look.outputOffColor : m_look.offColor);
    });
    connect(m_colorOn, &QPushButton::clicked, this, [this] { chooseColor(m_look.onColor); });
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
    connect(m_apply, &QPushButton::clicked, this, [this] { onApply(false); });
    connect(m_applySelection, &QPushButton::clicked, this, [this] { onApply(true); });
    connect(m_delete, &QPushButton::clicked, this, [this] { onDelete(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmEditSetting::fillMixers()
{
    m_mixers->clear();
    for (int m : m_rules.mixers())
        m_mixers->addItem(MixerName(m + 1), m);
    m_mixers->setCurrentIndex(-1);
}

void FrmEditSetting::fillSlots(int mixer, std::optional<int> preselect)
{
    const QSignalBlocker quiet(m_slots);
    m_slots->clear();
    std::vector<int> offered = m_rules.freeSlots(mixer);
    if (m_mode == Mode::Edit)
        offered = {m_editing.slot};
    for (int s : offered)
        m_slots->addItem(slotName(mixer, s), s);
    m_slots->setCurrentIndex(preselect ? m_slots->findData(*preselect) : -1);
    showColorForm();
}

void FrmEditSetting::select(std::optional<ButtonRef> button)
{
    if (!button) {
        m_mixers->setCurrentIndex(-1);
        m_slots->clear();
        showColorForm();
        return;
    }
    m_mixers->setCurrentIndex(m_mixers->findData(button->mixer));
    fillSlots(button->mixer, button->slot);
}

std::optional<int> FrmEditSetting::chosenMixer() const
{
    if (m_mixers->currentIndex() < 0)
        return std::nullopt;
    return m_mixers->currentData().toInt();
}

std::optional<int> FrmEditSetting::chosenSlot() const
{
    if (m_slots->currentIndex() < 0)
        return std::nullopt;
    return m_slots->currentData().toInt();
}

bool FrmEditSetting::outputChosen() const
{
    return chosenSlot() == Panel::OutputSlot;
}

void FrmEditSetting::showColorForm()
{
    // A channel button has an off and an on colour; the output button one.
    const bool output = outputChosen();
    m_colorDef->setText(output ? str(Res::Background) : joinWords(str(Res::Off), str(Res::Background)));
    m_colorDef->setIcon(swatch(output ? m_look.outputOffColor : m_look.offColor));
    m_colorOn->setIcon(swatch(m_look.onColor));
    m_colorOn->setVisible(!output);
    // Only a channel's seat can be the chair's.
    m_chair->setVisible(!output);
}

void FrmEditSetting::showLook()
{
    m_fontSample->setFont(lookFont(m_look));
    m_fontSample->setText(QStringLiteral("%1  %2pt").arg(m_look.fontName).arg(m_look.fontSize));
    showColorForm();
}

void FrmEditSetting::chooseFont()
{
    std::optional<QFont> chosen;
    if (!ask([&] { chosen = m_dialogs.font(lookFont(m_look)); }) || !chosen)
        return;
    m_look.fontName = chosen->family();
    m_look.fontSize = qint16(qBound(1, chosen->pointSize() > 0 ? chosen->pointSize() : m_look.fontSize, 999));
    m_look.bold = chosen->bold();
    m_look.italic = chosen->italic();
    showLook();
}

void FrmEditSetting::chooseColor(qint32 &colour)
{
    qint32 chosen = colour;
    bool picked = false;
    if (!ask([&] { picked = chooseColour(m_dialogs, chosen); }) || !picked)
        return;
    colour = chosen;
    showColorForm();
}

bool FrmEditSetting::warn(const QString &text)
{
    return ask([&] { m_dialogs.tell(text, MsgIcon::Warning); });
}

bool FrmEditSetting::captionStorable(const QString &caption)
{
    // The caption goes into the settings file, which is CP932: a character
    // the file cannot hold would come back as "?" after a save and a load.
    const QString unstorable = unstorableCharacters(caption);
    if (unstorable.isEmpty())
        return true;
    if (warn(unstorableCharactersMessage(unstorable)))
        m_text->setFocus();
    return false;
}

std::optional<ButtonProperties::Result> FrmEditSetting::commit()
{
    // A tab (pasted in) would split the line in the file: it becomes a blank.
    m_look.caption = captionFromTypedText(m_text->toPlainText());
    m_look.chair = m_chair->isChecked() && !outputChosen();
    if (!captionStorable(m_look.caption))
        return std::nullopt;

    if (m_mode == Mode::Edit) {
        const auto r = m_rules.editButton(m_editing, m_look, m_measure);
        emit buttonsChanged({m_editing});
        return r;
    }

    const auto r = m_rules.createButton(chosenMixer(), chosenSlot(), m_look);
    switch (r.outcome) {
    case ButtonProperties::Outcome::NoMixer: {
        if (!warn(str(Res::NoMixer)))
            return std::nullopt;
        const auto first = m_rules.mixers();
        if (!first.empty()) {
            m_mixers->setCurrentIndex(0);
            fillSlots(first.front(), std::nullopt);
            if (m_slots->count() > 0)
                m_slots->setCurrentIndex(0);
        }
        return std::nullopt;
    }
    case ButtonProperties::Outcome::NoChannel:
        if (!warn(str(Res::NoChannel)))
            return std::nullopt;
        if (m_slots->count() > 0)
            m_slots->setCurrentIndex(0);
        return std::nullopt;
    default:
        break;
    }
    emit buttonCreated(r.button);
    return r;
}

void FrmEditSetting::onOk()
{
    const auto r = commit();
    if (!r)
        return;
    emit committed(m_mode == Mode::New ? DesignStep::Place : DesignStep::Properties);
    carryOn(*r);
}

void FrmEditSetting::onApply(bool selectionOnly)
{
    // OK and the copy to the buttons are one command, undone as one.
    const auto r = commit();
    if (!r)
        return;
    emit buttonsChanged(selectionOnly ? m_rules.applyToSelection(r->button, m_measure)
                                      : m_rules.applyToAll(r->button, m_measure));
    emit committed(selectionOnly ? DesignStep::ApplyToSelection : DesignStep::ApplyToAll);
    carryOn(*r);
}

void FrmEditSetting::carryOn(const ButtonProperties::Result &done)
{
    if (done.outcome != ButtonProperties::Outcome::Created) {
        accept();
        return;
    }
    // Ready for the next button: the next free slot, the caption selected so
    // that typing replaces it; a room has one chair or few.
    select(done.next);
    m_chair->setChecked(false);
    m_text->selectAll();
    m_text->setFocus();
}

void FrmEditSetting::onDelete()
{
    if (m_mode != Mode::Edit)
        return;
    m_rules.remove(m_editing);
    emit buttonDeleted(m_editing);
    emit committed(DesignStep::Delete);
    accept();
}
