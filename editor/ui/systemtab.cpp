#include "editor/ui/systemtab.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/markbadge.h"
#include "editor/valueentry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace T = EditorText;

namespace {

// The initialise button of each system group frame: output, threshold, gate.
constexpr std::array<int, 3> CmdInitOfSystemGroup{5, 4, 3};

void place(QGridLayout *grid, int r, QLabel *l, QWidget *content)
{
    nameAfter(l, content);
    grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(content, r, 1, Qt::AlignLeft | Qt::AlignTop);
}

std::function<QString(qint32)> groupShown(int g)
{
    return [g](qint32 v) {
        return v >= 0 && v < groupChoices(g) ? accessibleWords(systemCaption(g, v)) : QString::number(v);
    };
}

QLabel *unit(int textId, const QString &name)
{
    auto *l = new QLabel(str(textId));
    l->setObjectName(name);
    return l;
}

} // namespace

SystemTab::SystemTab(EditorTabContext context) : m_ctx(std::move(context))
{
    setObjectName(QStringLiteral("Frame_%1").arg(TabSystem));
    paint(this, T::tabBack(TabSystem), 0);
    setFont(appearanceFont(T::tabFont(TabSystem)));
    auto *outer = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    outer->addLayout(row);
    buildGroupFrames(row);
    makeLabels();
    makeEntries();
    buildOutputGroup(m_grids[0]);
    buildThresholdGroup(m_grids[1]);
    buildGateGroup(m_grids[2]);
    buildInitButtons();
    outer->addLayout(buildOpenRow());
    outer->addStretch();
    connectHandlers();
}

void SystemTab::buildGroupFrames(QHBoxLayout *row)
{
    for (int g = 0; g < 3; ++g) {
        QFrame *box = groupFrame(this, QStringLiteral("FrameSys_%1").arg(g));
        auto *column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 8);
        auto *heading = new QLabel(str(T::GroupHeadingFirst + g), box);
        heading->setObjectName(QStringLiteral("LblUp_%1").arg(g));
        heading->setContentsMargins(10, 4, 10, 4);
        paint(heading, T::tabHeadingBack(TabSystem), T::tabHeadingFore(TabSystem));
        column->addWidget(heading);
        m_grids[size_t(g)] = new QGridLayout;
        m_grids[size_t(g)]->setContentsMargins(12, 6, 12, 0);
        m_grids[size_t(g)]->setHorizontalSpacing(14);
        m_grids[size_t(g)]->setVerticalSpacing(10);
        column->addLayout(m_grids[size_t(g)]);
        column->addStretch();
        m_buttonRows[size_t(g)] = new QHBoxLayout;
        m_buttonRows[size_t(g)]->setContentsMargins(12, 0, 12, 0);
        m_buttonRows[size_t(g)]->addStretch();
        column->addLayout(m_buttonRows[size_t(g)]);
        m_headings[size_t(g)] = heading;
        m_systemGroups[size_t(g)] = box;
        row->addWidget(box);
    }
}

QLabel *SystemTab::label(int textId, const QString &name)
{
    auto *l = new QLabel(labelText(str(textId)), this);
    l->setObjectName(name);
    l->setContentsMargins(0, 2, 0, 0);
    paint(l, 0, T::tabLabelFore(TabSystem));
    return l;
}

void SystemTab::makeLabels()
{
    for (int i = 0; i < 4; ++i)
        m_fieldLabels[size_t(i)] = label(T::FieldLabelFirst + i, QStringLiteral("Label1_%1").arg(i));
    const std::array<int, 8> onlyTexts{T::Noma, T::KeyLock, T::ThresholdAction, T::ThresholdUnit,
                                       T::AutomaticAction, T::LastOn, T::Simultaneous, T::HoldTime};
    for (int j = 0; j < 8; ++j)
        m_onlyLabels[size_t(j)] = label(onlyTexts[size_t(j)], QStringLiteral("LblMonly_%1").arg(j));
}

void SystemTab::makeEntries()
{
    m_params[FieldThreshold] = makeKeyEntry(m_ctx.dialogs, Scale::Count, MixerKey::Threshold, FieldThreshold);
    m_params[FieldOutputGain] = makeKeyEntry(m_ctx.dialogs, Scale::Level, MixerKey::OutputGain, FieldOutputGain);
    m_params[FieldHoldTime] = makeKeyEntry(m_ctx.dialogs, Scale::HalfSeconds, MixerKey::HoldTime, FieldHoldTime);
    // A typed threshold must lie within the mixer's own limits; the box
    // itself shows whatever the mixer reports.
    m_params[FieldThreshold]->typedBounds = [this] {
        const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(m_ctx.mixer)];
        return std::pair<int, int>(x.ThresholdMin, x.ThresholdMax);
    };
}

QWidget *SystemTab::group(int g, bool vertical)
{
    auto [box, options] = optionBox(captionsOf(groupChoices(g), [g](int c) { return systemCaption(g, c); }),
                                    QStringLiteral("OpnParam"), g * 10, vertical);
    m_groups[size_t(g)] = options;
    return box;
}

// The same as place for a control that writes one value, with that value's mark.
void SystemTab::placeMarked(QGridLayout *grid, int r, QLabel *l, QWidget *content, int id,
                            std::function<QString(qint32)> shown)
{
    nameAfter(l, content);
    QWidget *cell = withMarkRoom(content);
    grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(cell, r, 1, Qt::AlignLeft | Qt::AlignTop);
    m_ctx.marks.add(id, cell, l->text(), std::move(shown), markedControls(content));
}

void SystemTab::markedGroup(QGridLayout *grid, int r, QLabel *l, int g, bool vertical)
{
    placeMarked(grid, r, l, group(g, vertical), groupKeyId(g), groupShown(g));
}

QWidget *SystemTab::entryBox(ValueEntry *entry, QLabel *unitLabel, int picture)
{
    auto *box = new QWidget;
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    auto *h = new QHBoxLayout;
    h->setSpacing(6);
    h->addWidget(entry);
    if (unitLabel)
        h->addWidget(unitLabel);
    h->addStretch();
    v->addLayout(h);
    if (picture >= 0) {
        QLabel *&shown = m_pictures[size_t(picture - GainPicture)];
        shown = new QLabel(box);
        shown->setObjectName(QStringLiteral("ImgChannel_%1").arg(picture));
        v->addWidget(shown);
    }
    return box;
}

void SystemTab::buildOutputGroup(QGridLayout *grid)
{
    markedGroup(grid, 0, m_fieldLabels[0], GroupOutputLevel, true);
    place(grid, 1, m_fieldLabels[1],
          entryBox(m_params[FieldOutputGain], unit(T::Decibel, QStringLiteral("LblUnitGain")), GainPicture));
    markedGroup(grid, 2, m_onlyLabels[0], GroupNoma, false);
    markedGroup(grid, 3, m_onlyLabels[1], GroupKeyLock, false);
}

void SystemTab::buildThresholdGroup(QGridLayout *grid)
{
    place(grid, 0, m_fieldLabels[2], entryBox(m_params[FieldThreshold], nullptr, ThresholdPicture));
    markedGroup(grid, 1, m_onlyLabels[2], GroupThresholdAction, false);
    markedGroup(grid, 2, m_onlyLabels[3], GroupThresholdUnit, false);

    m_ctx.marks.add(MixerKey::OutputGain, m_params[FieldOutputGain]->parentWidget(), m_fieldLabels[1]->text(),
                    [](qint32 v) { return displayCode(Scale::Level, v); }, {m_params[FieldOutputGain]});
    m_ctx.marks.add(MixerKey::Threshold, m_params[FieldThreshold]->parentWidget(), m_fieldLabels[2]->text(),
                    [](qint32 v) { return QString::number(v); }, {m_params[FieldThreshold]});
}

// The gate attenuation: its mode, its manual choices and the ambient level
// shown while it is auto.
QWidget *SystemTab::buildAttenuation(QGridLayout *grid)
{
    auto *attenuation = new QWidget;
    auto *attColumn = new QVBoxLayout(attenuation);
    attColumn->setContentsMargins(0, 0, 0, 0);
    attColumn->setSpacing(6);
    QWidget *muteChange = group(GroupMuteChange, false);
    QWidget *muteChangeCell = withMarkRoom(muteChange);
    attColumn->addWidget(muteChangeCell);
    auto [muteBox, muteGroup] = optionBox(
        captionsOf(3, [](int i) { return str(T::MuteAttFirst + i); }), QStringLiteral("OpnMuteM"), 0, false);
    m_muteAtt = muteGroup;
    QWidget *muteAttCell = withMarkRoom(muteBox);
    attColumn->addWidget(muteAttCell);
    auto *ambient = new QHBoxLayout;
    ambient->setSpacing(6);
    const std::array<int, 3> muteTexts{T::AmbientStart, T::Calculated, T::Decibel};
    for (int i = 0; i < 3; ++i) {
        m_muteLabels[size_t(i)] = new QLabel(str(muteTexts[size_t(i)]), attenuation);
        m_muteLabels[size_t(i)]->setObjectName(QStringLiteral("LblMuteA_%1").arg(i));
    }
    QLabel *ambientValue = m_muteLabels[0];
    ambientValue->setMinimumWidth(ambientValue->fontMetrics().horizontalAdvance(QStringLiteral("-000.0")));
    m_muteLabels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ambient->addWidget(m_muteLabels[1]);
    ambient->addWidget(m_muteLabels[0]);
    ambient->addWidget(m_muteLabels[2]);
    ambient->addStretch();
    attColumn->addLayout(ambient);
    place(grid, 0, m_fieldLabels[3], attenuation);
    m_ctx.marks.add(MixerKey::MuteChange, muteChangeCell, m_fieldLabels[3]->text(), groupShown(GroupMuteChange),
                    markedControls(muteChange));
    m_ctx.marks.add(MixerKey::MuteAtt, muteAttCell, m_fieldLabels[3]->text(), [](qint32 v) {
        return v >= 0 && v < 3 ? str(T::MuteAttFirst + v) : QString::number(v); // -60, -40, -20 dB
    }, markedControls(muteBox));
    return attenuation;
}

void SystemTab::buildGateGroup(QGridLayout *grid)
{
    buildAttenuation(grid);
    markedGroup(grid, 1, m_onlyLabels[4], GroupAction, false);
    markedGroup(grid, 2, m_onlyLabels[5], GroupLastOn, false);
    // One choice stands for the eight priorities and the only-type: the mark
    // follows the only-type and names the choice the editor holds.
    placeMarked(grid, 3, m_onlyLabels[6], group(GroupSimultaneous, true), MixerKey::OnlyType,
                [this](qint32) {
                    return accessibleWords(systemCaption(
                        GroupSimultaneous, simultaneousChoice(m_ctx.env.mixers.MixerSetData[size_t(m_ctx.mixer)])));
                });
    m_onlyLabels[HoldTimeUnit] = unit(T::Seconds, QStringLiteral("LblMonly_%1").arg(HoldTimeUnit));
    placeMarked(grid, 4, m_onlyLabels[7], entryBox(m_params[FieldHoldTime], m_onlyLabels[HoldTimeUnit], -1),
                MixerKey::HoldTime, [](qint32 v) { return displayCode(Scale::HalfSeconds, v); });
}

void SystemTab::buildInitButtons()
{
    // Each group's initialise button comes after its fields: made last, it
    // is last in the order Tab goes.
    for (int g = 0; g < 3; ++g) {
        const int init = CmdInitOfSystemGroup[size_t(g)];
        m_init[size_t(init)] = new QPushButton(str(T::Initialise), m_systemGroups[size_t(g)]);
        m_init[size_t(init)]->setObjectName(QStringLiteral("CmdInit_%1").arg(init));
        m_init[size_t(init)]->setAccessibleName(
            joinAccessible({m_headings[size_t(g)]->text(), m_init[size_t(init)]->text()}));
        m_buttonRows[size_t(g)]->addWidget(m_init[size_t(init)]);
    }
}

// The two hidden tabs open only after a warning.
QHBoxLayout *SystemTab::buildOpenRow()
{
    auto *open = new QHBoxLayout;
    open->setSpacing(10);
    for (int i = 0; i < 2; ++i) {
        auto *name = new QLabel(str(T::ExtendedData + i), this);
        name->setObjectName(QStringLiteral("LblOpen_%1").arg(i));
        m_open[size_t(i)] = new QPushButton(str(T::ShowMenu), this);
        m_open[size_t(i)]->setObjectName(QStringLiteral("CmdOpen_%1").arg(i));
        name->setBuddy(m_open[size_t(i)]);
        m_open[size_t(i)]->setAccessibleName(joinAccessible({name->text(), m_open[size_t(i)]->text()}));
        open->addWidget(name);
        open->addWidget(m_open[size_t(i)]);
        open->addSpacing(24);
    }
    open->addStretch();
    return open;
}

void SystemTab::connectHandlers()
{
    for (int g = 0; g < SystemGroupCount; ++g)
        connect(m_groups[size_t(g)], &OptionGroup::clicked, this,
                [this, g](int choice) { systemClicked(g, choice); });
    connect(m_muteAtt, &OptionGroup::clicked, this, [this](int i) { m_ctx.edits.muteAttClicked(i); });
    for (int i : {FieldThreshold, FieldOutputGain, FieldHoldTime})
        connect(m_params[size_t(i)], &ValueEntry::codeChanged, this,
                [this, i](int code) { paramChanged(i, code); });
    for (int i : CmdInitOfSystemGroup)
        connect(m_init[size_t(i)], &QPushButton::clicked, this, [this, i] { emit initialiseAsked(cmdInitCode(i)); });
    for (int i = 0; i < 2; ++i)
        connect(m_open[size_t(i)], &QPushButton::clicked, this, [this, i] { emit openAsked(i); });
}

QRadioButton *SystemTab::OpnParam(int index) const
{
    const int group = index / 10;
    return index >= 0 && group < SystemGroupCount ? m_groups[size_t(group)]->button(index % 10) : nullptr;
}

// ---- Edits ------------------------------------------------------------------------

void SystemTab::systemClicked(int group, int choice)
{
    const MixerEdits::SystemClick click = m_ctx.edits.systemOptionClicked(group * 10 + choice);
    if (click.mute != MixerEdits::MuteMode::Unchanged)
        setMuteMode(click.mute);
}

void SystemTab::setMuteMode(MixerEdits::MuteMode mode)
{
    const bool manual = mode == MixerEdits::MuteMode::Manual;
    m_muteAtt->setEnabled(manual);
    for (QLabel *l : m_muteLabels)
        l->setEnabled(!manual);
    if (manual)
        m_muteLabels[0]->clear();
    m_ambientShown = !manual;
}

void SystemTab::showAmbientLevel(double level)
{
    if (m_ambientShown)
        m_muteLabels[0]->setText(QString::number(level));
}

void SystemTab::paramChanged(int i, int code)
{
    switch (i) {
    case FieldThreshold: {
        const int kept = m_ctx.edits.thresholdChanged(code);
        if (kept != code)
            m_params[FieldThreshold]->setCode(kept);
        break;
    }
    case FieldOutputGain:
        m_ctx.edits.outputGainChanged(code);
        break;
    case FieldHoldTime:
        m_ctx.edits.holdTimeChanged(code);
        break;
    default:
        break;
    }
}

// ---- Showing a record ---------------------------------------------------------------

void SystemTab::refresh(const MixerDataRecord &d, const MixerDataRecord &reported, qint16 model,
                        OptionGroup::Notify notify, bool rewrite, bool first)
{
    const quint8 outputGain = d.block[MixerKey::OutputGain - 1];
    if (m_params[FieldOutputGain]->code() != outputGain || rewrite)
        m_params[FieldOutputGain]->setCode(outputGain);
    for (int g = 0; g < SystemGroupCount; ++g)
        m_groups[size_t(g)]->select(g == GroupSimultaneous ? simultaneousChoice(d)
                                                           : d.block[size_t(groupKeyId(g) - 1)],
                                    notify);
    m_muteAtt->select(d.block[MixerKey::MuteAtt - 1], notify);
    if (first) {
        // What the gate attenuation click would have offered.
        const int muteChange = d.block[MixerKey::MuteChange - 1];
        if (muteChange == 0 || muteChange == 1)
            setMuteMode(muteChange == 1 ? MixerEdits::MuteMode::Manual : MixerEdits::MuteMode::Auto);
    }
    // Like the gain boxes, rewritten only when the mixer's value changed, so
    // the tick does not overwrite what the user is typing.
    const quint8 holdTime = d.block[MixerKey::HoldTime - 1];
    if (m_params[FieldHoldTime]->code() != holdTime || rewrite)
        m_params[FieldHoldTime]->setCode(holdTime);
    m_outputLocked = outputLevelLocked(model, reported.block[MixerKey::OutputLevel - 1]);
}

void SystemTab::followThreshold(int threshold, bool dataReceived)
{
    if (m_params[FieldThreshold]->code() != threshold || !dataReceived) {
        m_ctx.env.editor.Refreshing = true;
        m_params[FieldThreshold]->setCode(threshold);
        m_ctx.env.editor.Refreshing = false;
    }
}

void SystemTab::applyOutputLock(bool newerChoices)
{
    const std::pair<bool, bool> wanted{m_outputLocked, newerChoices};
    if (m_outputEnables && *m_outputEnables == wanted)
        return;
    m_outputEnables = wanted;
    // The output level offers the same choices as the input attenuator.
    OptionGroup *output = m_groups[GroupOutputLevel];
    for (int c = 0; c < output->count(); ++c)
        output->button(c)->setEnabled(!m_outputLocked && (newerChoices || !newerOnlyChoice(RowInputLevel, c)));
}

void SystemTab::applyRules(const EnableRules &rules)
{
    for (int g : {GroupNoma, GroupKeyLock, GroupThresholdAction, GroupThresholdUnit, GroupAction,
                  GroupSimultaneous, GroupLastOn})
        m_groups[size_t(g)]->setEnabled(rules.masterGroups);
    for (int j = 0; j <= 6; ++j)
        m_onlyLabels[size_t(j)]->setEnabled(rules.masterGroups);
    for (QWidget *w : std::initializer_list<QWidget *>{m_params[FieldHoldTime], m_onlyLabels[7],
                                                         m_onlyLabels[HoldTimeUnit]})
        w->setEnabled(rules.holdTime);
}

void SystemTab::setGroupsEnabled(bool editable)
{
    for (QFrame *g : m_systemGroups)
        g->setEnabled(editable);
}
