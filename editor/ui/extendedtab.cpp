#include "editor/ui/extendedtab.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/markbadge.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"
#include "mixer/extendedregisters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace T = EditorText;

namespace {
// The two noise values are shown as 16-bit entries of their 32-bit fields.
constexpr int NoiseEntryMax = 65535;
} // namespace

ExtendedTab::ExtendedTab(EditorTabContext context, bool debugMode) : m_ctx(std::move(context))
{
    setObjectName(QStringLiteral("Frame_%1").arg(TabExtended));
    paint(this, T::tabBack(TabExtended), 0);
    setFont(appearanceFont(T::tabFont(TabExtended)));
    makeEntries();
    buildGroups();
    // Silent time and ThresholdK2 are for the factory's eyes only.
    for (QWidget *w : m_debugRows)
        w->setVisible(debugMode);
    load();
    connectHandlers();
}

void ExtendedTab::makeEntries()
{
    Dialogs &d = m_ctx.dialogs;
    m_params[FieldOutPeak] = makeKeyEntry(d, Scale::Tenths, 91, FieldOutPeak);
    m_params[FieldThresholdK] = makeKeyEntry(d, Scale::Hundredths, 89, FieldThresholdK);
    m_params[FieldMuteK] = makeKeyEntry(d, Scale::Tenths, 90, FieldMuteK);
    m_params[FieldThresholdMin] = makeKeyEntry(d, Scale::Count, 88, FieldThresholdMin);
    m_params[FieldThresholdMax] = makeKeyEntry(d, Scale::Count, 87, FieldThresholdMax);
    m_params[FieldNoiseReference] = makeEntry(d, Scale::Count, 0, NoiseEntryMax, FieldNoiseReference);
    m_params[FieldNoiseThreshold] = makeEntry(d, Scale::Count, 0, NoiseEntryMax, FieldNoiseThreshold);
    m_params[FieldSilentTime] = makeKeyEntry(d, Scale::Twentieths, 101, FieldSilentTime);
    m_params[FieldHoldTime2] = makeKeyEntry(d, Scale::Twentieths, 102, FieldHoldTime2);
    m_params[FieldThresholdK2] = makeKeyEntry(d, Scale::Count, 103, FieldThresholdK2);
}

ExtendedTab::Row ExtendedTab::entryRow(int textId, int field, int reg, int unitId, bool debugOnly,
                                       std::vector<QWidget *> *governed) const
{
    ValueEntry *e = m_params[size_t(field)];
    return Row{textId, e, unitId, debugOnly, governed, extendedRegisterKey(reg),
               [scale = e->scale()](qint32 v) { return displayCode(scale, v); }};
}

void ExtendedTab::buildGroups()
{
    auto *outer = new QHBoxLayout(this);
    outer->setSpacing(10);
    auto *left = new QVBoxLayout;
    left->setSpacing(10);
    outer->addLayout(left);
    auto onOff = [](qint32 v) { return str(v == 1 ? T::On : T::Off); };
    m_extendedGroups[0] = buildGroup(0, 0, 0,
                                     {entryRow(T::ExtendedLabelFirst, FieldMuteK, 4, T::Decibel),
                                      entryRow(T::ExtendedLabelFirst + 1, FieldThresholdK, 3),
                                      entryRow(T::ExtendedLabelFirst + 2, FieldOutPeak, 5, T::Decibel)});
    m_extendedGroups[1] = buildGroup(1, 1, 1,
                                     {entryRow(T::ThresholdMaxLabel, FieldThresholdMax, 1),
                                      entryRow(T::ThresholdMinLabel, FieldThresholdMin, 2)});
    auto [noiseBox, noise] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("ExtParam"), 0, false);
    auto [headBox, head] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("ExtParam"), 10, false);
    m_noise = noise;
    m_headLack = head;
    m_extendedGroups[2] = buildGroup(
        2, 3, 6,
        {Row{T::NoiseLabelFirst, noiseBox, 0, false, nullptr, extendedRegisterKey(11), onOff},
         entryRow(T::NoiseLabelFirst + 1, FieldNoiseReference, 12, 0, false, &m_noiseFields),
         entryRow(T::NoiseLabelFirst + 2, FieldNoiseThreshold, 13, 0, false, &m_noiseFields),
         Row{T::NoiseLabelFirst + 3, headBox, 0, false, nullptr, extendedRegisterKey(14), onOff},
         entryRow(T::NoiseLabelFirst + 4, FieldSilentTime, 15, T::Seconds, true, &m_headLackFields),
         entryRow(T::NoiseLabelFirst + 5, FieldHoldTime2, 16, T::Seconds),
         entryRow(T::NoiseLabelFirst + 6, FieldThresholdK2, 18, 0, true)});
    left->addWidget(m_extendedGroups[0]);
    left->addWidget(m_extendedGroups[1]);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(m_extendedGroups[2]);
    right->addStretch();
    outer->addLayout(right);
    outer->addStretch();
}

// One group: rows of label, entry and unit, then its two buttons.
QFrame *ExtendedTab::buildGroup(int n, int toMixer, int init, const std::vector<Row> &rows)
{
    QFrame *box = groupFrame(this, QStringLiteral("FrameExt_%1").arg(n));
    // The tab's three groups have no heading: their number tells them apart.
    const QString groupName = joinAccessible({str(T::ExtendedData), QString::number(n + 1)});
    auto *column = new QVBoxLayout(box);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    column->addLayout(grid);
    for (int r = 0; r < int(rows.size()); ++r)
        addRow(grid, r, rows[size_t(r)], box, groupName);
    grid->setColumnStretch(1, 1);
    column->addLayout(buildButtons(box, toMixer, init, groupName));
    return box;
}

void ExtendedTab::addRow(QGridLayout *grid, int r, const Row &row, QWidget *box, const QString &groupName)
{
    auto *l = new QLabel(labelText(str(row.textId)), box);
    l->setObjectName(QStringLiteral("LblMonly_%1").arg(m_labelIndex++));
    paint(l, 0, T::tabLabelFore(TabExtended));
    grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignVCenter);
    nameAfter(l, row.content, groupName);
    // The row's cell hosts the mark of the register the row shows, at its
    // right end.
    auto *cellWidget = new QWidget(box);
    auto *cell = new QHBoxLayout(cellWidget);
    cell->setContentsMargins(0, 0, 0, 0);
    cell->setSpacing(6);
    cell->addWidget(row.content);
    std::vector<QWidget *> cells{l, row.content};
    if (row.unitId) {
        auto *u = new QLabel(str(row.unitId), box);
        u->setObjectName(QStringLiteral("LblMonly_%1").arg(m_labelIndex++));
        cell->addWidget(u);
        cells.push_back(u);
    }
    cell->addStretch();
    cell->addSpacing(markRoom(cellWidget));
    grid->addWidget(cellWidget, r, 1);
    cells.push_back(cellWidget);
    if (row.markKey)
        m_ctx.marks.add(row.markKey, cellWidget, joinAccessible({groupName, l->text()}), row.shown,
                        markedControls(row.content));
    if (row.debugOnly)
        m_debugRows.insert(m_debugRows.end(), cells.begin(), cells.end());
    if (row.governed)
        row.governed->insert(row.governed->end(), cells.begin(), cells.end());
}

QHBoxLayout *ExtendedTab::buildButtons(QWidget *box, int toMixer, int init, const QString &groupName)
{
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->addStretch();
    m_toMixer[size_t(toMixer)] = new QPushButton(str(T::Transfer), box);
    m_toMixer[size_t(toMixer)]->setObjectName(QStringLiteral("CmdMixer_%1").arg(toMixer));
    m_init[size_t(init)] = new QPushButton(str(T::Initialise), box);
    m_init[size_t(init)]->setObjectName(QStringLiteral("CmdInit_%1").arg(init));
    for (QPushButton *b : {m_toMixer[size_t(toMixer)], m_init[size_t(init)]}) {
        b->setAccessibleName(joinAccessible({groupName, b->text()}));
        buttons->addWidget(b);
    }
    return buttons;
}

void ExtendedTab::connectHandlers()
{
    for (int i : {FieldThresholdMin, FieldThresholdMax})
        connect(m_params[size_t(i)], &ValueEntry::codeChanged, this, &ExtendedTab::tightenThresholdRanges);
    connect(m_noise, &OptionGroup::clicked, this, &ExtendedTab::applyNoiseOptions);
    connect(m_headLack, &OptionGroup::clicked, this, &ExtendedTab::applyNoiseOptions);
    for (int i : {0, 1, 6})
        connect(m_init[size_t(i)], &QPushButton::clicked, this, [this, i] { emit initialiseAsked(cmdInitCode(i)); });
    for (int n : {0, 1, 3})
        connect(m_toMixer[size_t(n)], &QPushButton::clicked, this, [this, n] { emit writeAsked(n); });
}

QRadioButton *ExtendedTab::ExtParam(int index) const
{
    return index < 10 ? m_noise->button(index) : m_headLack->button(index - 10);
}

void ExtendedTab::tightenThresholdRanges()
{
    if (!m_loadingEntries)
        keepOrdered(m_params[FieldThresholdMin], m_params[FieldThresholdMax]);
}

void ExtendedTab::applyNoiseOptions()
{
    // OFF takes the governed fields away; ON offers them only where the
    // group itself may be edited.
    for (QWidget *w : m_noiseFields)
        w->setEnabled(m_noiseGroup && m_noise->checked() == 1);
    for (QWidget *w : m_headLackFields)
        w->setEnabled(m_noiseGroup && m_headLack->checked() == 1);
}

void ExtendedTab::load()
{
    const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(m_ctx.mixer)];
    const ExtendedEntries shown = ExtendedEntries::fromRecord(x);
    m_loadingEntries = true;
    m_params[FieldThresholdMin]->setRange(0, WordMax);
    m_params[FieldThresholdMax]->setRange(0, WordMax);
    m_params[FieldThresholdMax]->setCode(x.ThresholdMax);
    m_params[FieldThresholdMin]->setCode(x.ThresholdMin);
    m_params[FieldMuteK]->setCode(x.MuteK);
    m_params[FieldThresholdK]->setCode(x.ThresholdK);
    m_params[FieldOutPeak]->setCode(x.OutPeakLEDK);
    m_params[FieldNoiseReference]->setCode(shown.noiseReference);
    m_params[FieldNoiseThreshold]->setCode(shown.noiseThreshold);
    m_params[FieldSilentTime]->setCode(x.Silent_Time);
    m_params[FieldHoldTime2]->setCode(x.Hold_Time2);
    m_params[FieldThresholdK2]->setCode(x.ThresholdK2);
    m_loadingEntries = false;
    tightenThresholdRanges();
    m_noise->select(x.Noise_Detection);
    m_headLack->select(x.Head_Lack_Prevention);
    applyNoiseOptions();
}

void ExtendedTab::fill(ExtendedEntries &e) const
{
    ExtendedRecord &v = e.values;
    v.OutPeakLEDK = qint16(m_params[FieldOutPeak]->code());
    v.ThresholdK = qint16(m_params[FieldThresholdK]->code());
    v.MuteK = qint16(m_params[FieldMuteK]->code());
    v.ThresholdMin = qint16(m_params[FieldThresholdMin]->code());
    v.ThresholdMax = qint16(m_params[FieldThresholdMax]->code());
    v.Silent_Time = qint16(m_params[FieldSilentTime]->code());
    v.Hold_Time2 = qint16(m_params[FieldHoldTime2]->code());
    v.ThresholdK2 = qint16(m_params[FieldThresholdK2]->code());
    e.noiseReference = quint16(m_params[FieldNoiseReference]->code());
    e.noiseThreshold = quint16(m_params[FieldNoiseThreshold]->code());
    keepChoice(m_noise, v.Noise_Detection);
    keepChoice(m_headLack, v.Head_Lack_Prevention);
}

void ExtendedTab::applyRules(const EnableRules &rules)
{
    m_extendedGroups[0]->setEnabled(rules.extended);
    m_extendedGroups[1]->setEnabled(rules.extended);
    m_extendedGroups[2]->setEnabled(rules.noiseGroup);
    m_noiseGroup = rules.noiseGroup;
    applyNoiseOptions();
}
