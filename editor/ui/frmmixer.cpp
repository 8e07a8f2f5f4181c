#include "editor/ui/frmmixer.h"

#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "editor/editorrules.h"
#include "editor/editortexts.h"
#include "editor/ui/levelpictures.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"
#include "mixer/statuspoll.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace T = EditorText;

namespace {

constexpr int FontPoints = 9;
constexpr int FirstIntervalMs = 100;
constexpr int IntervalPerWindowMs = 70; // × (open editor windows + 1)
constexpr int WordMax = 32767;          // 15-bit register values
constexpr int NoiseEntryMax = 65535;
constexpr int HoldTimeMax = 5;          // 3.0 s
constexpr int TwentiethsMax = 119;      // 6.00 s
constexpr int OutPeakMin = -200, OutPeakMax = 60;
constexpr int ThresholdKMin = 1, ThresholdKMax = 1000;
constexpr int GainPicture = 8;          // ImgChannel(8): OutputGain
constexpr int ThresholdPicture = 9;     // ImgChannel(9): the threshold's position
constexpr int HoldTimeUnit = 10;        // LblMonly(10): "秒" beside HoldTime

// The parameter fields by UpDwParam index.
enum Field : int {
    FieldOutPeak = 0, FieldThresholdK = 1, FieldMuteK = 2, FieldThresholdMin = 3,
    FieldThresholdMax = 4, FieldThreshold = 5, FieldOutputGain = 6, FieldHoldTime = 7,
    FieldNoiseReference = 8, FieldNoiseThreshold = 9, FieldSilentTime = 10,
    FieldHoldTime2 = 11, FieldThresholdK2 = 12,
};

// Top to bottom, the rows of a strip as the row labels Lbl1L(0..7) name them;
// -1 is the gain.
constexpr std::array<int, 8> StripOrder{RowInputLevel, RowPhantom,   RowHeadAmp,   RowLowCutFil,
                                        -1,            RowRemoteOn,  RowRemoteOff, RowThresholdObj};

// Which OpnParam groups each system group frame holds is fixed by the labels
// LblMonly(0..6): output NOMA and key lock, threshold action and unit, then
// the gate's automatic action, last on and simultaneous selection.
constexpr std::array<int, 3> CmdInitOfSystemGroup{5, 4, 3};

QFont appearanceFont(int id)
{
    QFont f(str(id));
    f.setPointSize(FontPoints);
    return f;
}

void paint(QWidget *w, int backId, int foreId)
{
    QPalette p = w->palette();
    if (backId) {
        const QColor back = colorFromText(str(backId));
        if (back.isValid()) {
            p.setColor(QPalette::Window, back);
            w->setAutoFillBackground(true);
        }
    }
    if (foreId) {
        const QColor fore = colorFromText(str(foreId));
        // Disabled text keeps the style's grey.
        if (fore.isValid())
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
                p.setColor(g, QPalette::WindowText, fore);
    }
    w->setPalette(p);
}

// The label texts are written with a run of blanks where the label breaks
// into its second line.
QString labelText(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    return QString(text).replace(blanks, QStringLiteral("\n"));
}

QStringList captionsOf(int count, const std::function<QString(int)> &caption)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << caption(i);
    return list;
}

// A box holding a group's buttons side by side or one above the other.
std::pair<QWidget *, OptionGroup *> optionBox(const QStringList &captions, const QString &name,
                                              int indexBase, bool vertical)
{
    auto *box = new QWidget;
    auto *group = new OptionGroup(captions, box, name, indexBase);
    QBoxLayout *layout = vertical ? static_cast<QBoxLayout *>(new QVBoxLayout(box)) : new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(vertical ? 2 : 14);
    for (int i = 0; i < group->count(); ++i)
        layout->addWidget(group->button(i));
    if (!vertical)
        layout->addStretch();
    return {box, group};
}

QFrame *groupFrame(QWidget *parent, const QString &name)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(3);
    return line;
}

} // namespace

struct FrmMixer::Strip
{
    QFrame *frame = nullptr;
    std::array<OptionGroup *, 8> rows{}; // by ChannelRow; row 5 has none
};

// ---- Building ------------------------------------------------------------------

FrmMixer::FrmMixer(FrmMixerContext context, int editMixer, bool debugMode, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(std::move(context)), m_edits(m_ctx.env, editMixer),
      m_debug(debugMode)
{
    MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    setObjectName(QStringLiteral("FrmMixer"));
    setWindowTitle(MixerName(m));
    setWindowIcon(qApp->windowIcon());

    // The working copy starts as what the mixers report; values still
    // waiting to be sent keep the value they wait with.
    for (int t = 1; t <= std::min<int>(s.MixerCount, MaxMixers); ++t)
        for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
            if (s.SetDataPending[size_t(t)][size_t(id)] != -1)
                s.MixerSetData[size_t(t)].setValue(id, s.MixerData[size_t(t)].value(id));

    setFont(appearanceFont(T::StripFont));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTMixer"));
    for (int t = 0; t < EditorTabCount; ++t) {
        m_tabFrames[size_t(t)] = new QFrame;
        m_tabFrames[size_t(t)]->setObjectName(QStringLiteral("Frame_%1").arg(t));
        paint(m_tabFrames[size_t(t)], T::tabBack(t), 0);
    }
    m_tabs->addTab(buildChannelTab(), str(T::TabFirst + TabChannels));
    m_tabs->addTab(buildSystemTab(), str(T::TabFirst + TabSystem));
    m_tabs->addTab(buildExtendedTab(), str(T::TabFirst + TabExtended));
    m_tabs->addTab(buildDefaultsTab(), str(T::TabFirst + TabDefaults));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs);

    // Silent time and ThresholdK2 are for the factory's eyes only.
    for (QWidget *w : m_debugRows)
        w->setVisible(m_debug);

    loadExtendedTab();
    loadDefaultsTab();
    for (int i = 0; i < int(m_pictures.size()); ++i)
        setPicture(i, 0);
    connectHandlers();
    Enable_Control();

    m_ctx.env.DataReadMark[size_t(m)] = MarkDecoded;
    m_ctx.env.ThresholdReadMark[size_t(m)] = MarkDecoded;
    MixerDataRecord &own = s.MixerData[size_t(m)];
    if (!own.Active) {
        if (m != 1)
            s.ExtendedData[size_t(m)] = s.ExtendedData[1];
        requestJob(JobExtendedRead);
    }
    own.Active = -1;

    m_tabs->setCurrentIndex(TabChannels);
    m_tabs->setTabVisible(TabExtended, false);
    m_tabs->setTabVisible(TabDefaults, false);
    applyFrameRule(TabChannels);

    m_timer.setInterval(FirstIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &FrmMixer::Timer1);
    m_timer.start();
    if (m_ctx.setPrintEnabled)
        m_ctx.setPrintEnabled(true);
}

FrmMixer::~FrmMixer() = default;

ValueEntry *FrmMixer::makeEntry(Scale scale, int min, int max, int index, const QString &name)
{
    auto *e = new ValueEntry(m_ctx.dialogs, scale);
    e->setRange(min, max);
    e->setObjectName(name + u'_' + QString::number(index));
    return e;
}

QWidget *FrmMixer::buildChannelTab()
{
    const int m = EditMixer();
    QFrame *frame = m_tabFrames[TabChannels];
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);

    // ch1-Link and Mixer-Link.
    auto linkBox = [&](QLabel *&label, OptionGroup *&group, int textId, const QString &labelName,
                       const QString &name) {
        auto *box = groupFrame(frame, labelName + QStringLiteral("Box"));
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 10, 0);
        row->setSpacing(12);
        label = new QLabel(str(textId), box);
        label->setObjectName(labelName);
        label->setFont(appearanceFont(T::LinkFont));
        label->setContentsMargins(10, 4, 10, 4);
        paint(label, T::LinkBack, T::LinkFore);
        group = new OptionGroup({str(T::LinkOn), str(T::LinkOff)}, box, name);
        group->select(1, OptionGroup::Notify::Quiet);
        row->addWidget(label);
        row->addWidget(group->button(0));
        row->addWidget(group->button(1));
        return box;
    };
    auto *links = new QHBoxLayout;
    links->addWidget(linkBox(m_linkLabel, m_link, T::Ch1Link, QStringLiteral("LblLink"), QStringLiteral("OpnLink")));
    links->addSpacing(16);
    links->addWidget(linkBox(m_mixerLinkLabel, m_mixerLink, T::MixerLink, QStringLiteral("LblMixerLink"),
                             QStringLiteral("OpnMixerLink")));
    links->addStretch();
    grid->addLayout(links, 0, 0, 1, ChannelCount + 1);

    // Every row has the same height in the label column and in each strip.
    QRadioButton probe(QStringLiteral("X"));
    probe.setFont(font());
    const int line = probe.sizeHint().height();
    ValueEntry entryProbe(m_ctx.dialogs);
    entryProbe.setFont(font());
    const int gainBlock = entryProbe.sizeHint().height() + levelPictureSize().height() + 10;
    auto blockHeight = [&](int row) { return row < 0 ? gainBlock : rowChoices(row) * line + 6; };
    const int header = line + 6;

    auto *labels = new QFrame(frame);
    labels->setObjectName(QStringLiteral("FrameRowLabels"));
    labels->setFrameShape(QFrame::Box);
    paint(labels, T::RowBack, 0);
    auto *labelColumn = new QVBoxLayout(labels);
    labelColumn->setContentsMargins(0, 0, 0, 0);
    labelColumn->setSpacing(0);
    labelColumn->addSpacing(header);
    for (int k = 0; k < int(StripOrder.size()); ++k) {
        labelColumn->addWidget(separator(labels));
        auto *l = new QLabel(labelText(str(T::RowLabelFirst + k)), labels);
        l->setObjectName(QStringLiteral("Lbl1L_%1").arg(k));
        l->setFont(appearanceFont(T::RowFont));
        paint(l, T::RowBack, T::RowFore);
        l->setContentsMargins(8, 0, 8, 0);
        l->setFixedHeight(blockHeight(StripOrder[size_t(k)]));
        l->installEventFilter(this);
        m_rowLabels[size_t(k)] = l;
        labelColumn->addWidget(l);
    }
    labelColumn->addStretch();
    grid->addWidget(labels, 1, 0);

    for (int ch = 0; ch < ChannelCount; ++ch) {
        auto strip = std::make_unique<Strip>();
        strip->frame = new QFrame(frame);
        strip->frame->setObjectName(QStringLiteral("FrameCh_%1").arg(ch));
        strip->frame->setFrameShape(QFrame::Box);
        auto *column = new QVBoxLayout(strip->frame);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        auto *caption = new QLabel(strip->frame);
        caption->setObjectName(QStringLiteral("LblCh_%1").arg(ch));
        caption->setAlignment(Qt::AlignCenter);
        caption->setFixedHeight(header);
        m_chLabels[size_t(ch)] = caption;
        column->addWidget(caption);
        for (int row : StripOrder) {
            column->addWidget(separator(strip->frame));
            auto *block = new QWidget(strip->frame);
            block->setFixedHeight(blockHeight(row));
            auto *cell = new QVBoxLayout(block);
            cell->setContentsMargins(6, 3, 6, 3);
            cell->setSpacing(0);
            if (row >= 0) {
                auto *group = new OptionGroup(
                    captionsOf(rowChoices(row), [row](int c) { return str(channelCaptionId(row, c)); }),
                    block, QStringLiteral("OpnParamCh"), channelOptionIndex(ch, row, 0));
                for (int c = 0; c < group->count(); ++c)
                    cell->addWidget(group->button(c));
                strip->rows[size_t(row)] = group;
            } else {
                ValueEntry *gain = makeEntry(Scale::Level, LevelCodeMin, LevelCodeMax, ch, QStringLiteral("UpDwInpgain"));
                m_gains[size_t(ch)] = gain;
                cell->addWidget(gain, 0, Qt::AlignLeft);
                cell->addSpacing(3);
                auto *picture = new QLabel(block);
                picture->setObjectName(QStringLiteral("ImgChannel_%1").arg(ch));
                m_pictures[size_t(ch)] = picture;
                cell->addWidget(picture, 0, Qt::AlignLeft);
            }
            column->addWidget(block);
        }
        column->addStretch();
        grid->addWidget(strip->frame, 1, ch + 1);
        m_strips[size_t(ch)] = std::move(strip);
    }
    showStripLink(false);

    auto *initLabel = new QLabel(str(T::Initialise), frame);
    initLabel->setObjectName(QStringLiteral("Lbl1R"));
    grid->addWidget(initLabel, 2, 0, 1, ChannelCount + 1);
    for (int i = 0; i <= ChannelCount; ++i) {
        auto *b = new QPushButton(i < ChannelCount ? channelText(m, i) : str(T::AllChannels), frame);
        b->setObjectName(QStringLiteral("CmdInitch_%1").arg(i));
        b->setAutoDefault(false);
        m_initCh[size_t(i)] = b;
        grid->addWidget(b, 3, i < ChannelCount ? i + 1 : 0);
    }
    grid->setRowStretch(4, 1);
    return frame;
}

QWidget *FrmMixer::buildSystemTab()
{
    QFrame *frame = m_tabFrames[TabSystem];
    frame->setFont(appearanceFont(T::tabFont(TabSystem)));
    auto *outer = new QVBoxLayout(frame);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    outer->addLayout(row);

    auto label = [&](QWidget *parent, int textId, const QString &name) {
        auto *l = new QLabel(labelText(str(textId)), parent);
        l->setObjectName(name);
        l->setContentsMargins(0, 2, 0, 0);
        paint(l, 0, T::tabLabelFore(TabSystem));
        return l;
    };
    std::array<QGridLayout *, 3> grids{};
    for (int g = 0; g < 3; ++g) {
        QFrame *box = groupFrame(frame, QStringLiteral("FrameSys_%1").arg(g));
        auto *column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 8);
        auto *heading = new QLabel(str(T::GroupHeadingFirst + g), box);
        heading->setObjectName(QStringLiteral("LblUp_%1").arg(g));
        heading->setContentsMargins(10, 4, 10, 4);
        paint(heading, T::tabHeadingBack(TabSystem), T::tabHeadingFore(TabSystem));
        column->addWidget(heading);
        grids[size_t(g)] = new QGridLayout;
        grids[size_t(g)]->setContentsMargins(12, 6, 12, 0);
        grids[size_t(g)]->setHorizontalSpacing(14);
        grids[size_t(g)]->setVerticalSpacing(10);
        column->addLayout(grids[size_t(g)]);
        column->addStretch();
        auto *buttons = new QHBoxLayout;
        buttons->setContentsMargins(12, 0, 12, 0);
        buttons->addStretch();
        const int init = CmdInitOfSystemGroup[size_t(g)];
        m_init[size_t(init)] = new QPushButton(str(T::Initialise), box);
        m_init[size_t(init)]->setObjectName(QStringLiteral("CmdInit_%1").arg(init));
        buttons->addWidget(m_init[size_t(init)]);
        column->addLayout(buttons);
        m_systemGroups[size_t(g)] = box;
        row->addWidget(box);
    }

    auto group = [&](int g, bool vertical) {
        auto [box, options] = optionBox(
            captionsOf(groupChoices(g), [g](int c) { return systemCaption(g, c); }),
            QStringLiteral("OpnParam"), g * 10, vertical);
        m_groups[size_t(g)] = options;
        return box;
    };
    auto place = [](QGridLayout *grid, int r, QWidget *l, QWidget *content) {
        grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(content, r, 1, Qt::AlignLeft | Qt::AlignTop);
    };
    auto unit = [&](int textId, const QString &name) {
        auto *l = new QLabel(str(textId));
        l->setObjectName(name);
        return l;
    };
    // An entry with its unit, and a picture below when it has one.
    auto entryBox = [&](ValueEntry *entry, QLabel *unitLabel, int picture) {
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
            m_pictures[size_t(picture)] = new QLabel(box);
            m_pictures[size_t(picture)]->setObjectName(QStringLiteral("ImgChannel_%1").arg(picture));
            v->addWidget(m_pictures[size_t(picture)]);
        }
        return box;
    };
    for (int i = 0; i < 4; ++i)
        m_fieldLabels[size_t(i)] = label(frame, T::FieldLabelFirst + i, QStringLiteral("Label1_%1").arg(i));
    const std::array<int, 8> onlyTexts{T::Noma, T::KeyLock, T::ThresholdAction, T::ThresholdUnit,
                                       T::AutomaticAction, T::LastOn, T::Simultaneous, T::HoldTime};
    for (int j = 0; j < 8; ++j)
        m_onlyLabels[size_t(j)] = label(frame, onlyTexts[size_t(j)], QStringLiteral("LblMonly_%1").arg(j));

    m_params[FieldThreshold] = makeEntry(Scale::Count, 0, WordMax, FieldThreshold);
    m_params[FieldOutputGain] = makeEntry(Scale::Level, LevelCodeMin, LevelCodeMax, FieldOutputGain);
    m_params[FieldHoldTime] = makeEntry(Scale::HalfSeconds, 0, HoldTimeMax, FieldHoldTime);
    // A typed threshold must lie within the mixer's own limits; the box
    // itself shows whatever the mixer reports.
    m_params[FieldThreshold]->typedBounds = [this] {
        const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(EditMixer())];
        return std::pair<int, int>(x.ThresholdMin, x.ThresholdMax);
    };

    QGridLayout *output = grids[0];
    place(output, 0, m_fieldLabels[0], group(GroupOutputLevel, true));
    place(output, 1, m_fieldLabels[1], entryBox(m_params[FieldOutputGain], unit(T::Decibel, QStringLiteral("LblUnitGain")), GainPicture));
    place(output, 2, m_onlyLabels[0], group(GroupNoma, false));
    place(output, 3, m_onlyLabels[1], group(GroupKeyLock, false));

    QGridLayout *threshold = grids[1];
    place(threshold, 0, m_fieldLabels[2], entryBox(m_params[FieldThreshold], nullptr, ThresholdPicture));
    place(threshold, 1, m_onlyLabels[2], group(GroupThresholdAction, false));
    place(threshold, 2, m_onlyLabels[3], group(GroupThresholdUnit, false));

    QGridLayout *gate = grids[2];
    auto *attenuation = new QWidget;
    auto *attColumn = new QVBoxLayout(attenuation);
    attColumn->setContentsMargins(0, 0, 0, 0);
    attColumn->setSpacing(6);
    attColumn->addWidget(group(GroupMuteChange, false));
    auto [muteBox, muteGroup] = optionBox(
        captionsOf(3, [](int i) { return str(T::MuteAttFirst + i); }), QStringLiteral("OpnMuteM"), 0, false);
    m_muteAtt = muteGroup;
    attColumn->addWidget(muteBox);
    auto *ambient = new QHBoxLayout;
    ambient->setSpacing(6);
    const std::array<int, 3> muteTexts{T::AmbientStart, T::Calculated, T::Decibel};
    for (int i = 0; i < 3; ++i) {
        m_muteLabels[size_t(i)] = new QLabel(str(muteTexts[size_t(i)]), attenuation);
        m_muteLabels[size_t(i)]->setObjectName(QStringLiteral("LblMuteA_%1").arg(i));
    }
    m_muteLabels[0]->setMinimumWidth(m_muteLabels[0]->fontMetrics().horizontalAdvance(QStringLiteral("-000.0")));
    m_muteLabels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ambient->addWidget(m_muteLabels[1]);
    ambient->addWidget(m_muteLabels[0]);
    ambient->addWidget(m_muteLabels[2]);
    ambient->addStretch();
    attColumn->addLayout(ambient);
    place(gate, 0, m_fieldLabels[3], attenuation);
    place(gate, 1, m_onlyLabels[4], group(GroupAction, false));
    place(gate, 2, m_onlyLabels[5], group(GroupLastOn, false));
    place(gate, 3, m_onlyLabels[6], group(GroupSimultaneous, true));
    m_onlyLabels[HoldTimeUnit] = unit(T::Seconds, QStringLiteral("LblMonly_%1").arg(HoldTimeUnit));
    place(gate, 4, m_onlyLabels[7], entryBox(m_params[FieldHoldTime], m_onlyLabels[HoldTimeUnit], -1));
    for (int i = 0; i < 4; ++i)
        m_fieldLabels[size_t(i)]->installEventFilter(this);

    // The two hidden tabs open only after a warning.
    auto *open = new QHBoxLayout;
    open->setSpacing(10);
    for (int i = 0; i < 2; ++i) {
        auto *name = new QLabel(str(T::ExtendedData + i), frame);
        name->setObjectName(QStringLiteral("LblOpen_%1").arg(i));
        m_open[size_t(i)] = new QPushButton(str(T::ShowMenu), frame);
        m_open[size_t(i)]->setObjectName(QStringLiteral("CmdOpen_%1").arg(i));
        open->addWidget(name);
        open->addWidget(m_open[size_t(i)]);
        open->addSpacing(24);
    }
    open->addStretch();
    outer->addLayout(open);
    outer->addStretch();
    return frame;
}

QWidget *FrmMixer::buildExtendedTab()
{
    QFrame *frame = m_tabFrames[TabExtended];
    frame->setFont(appearanceFont(T::tabFont(TabExtended)));
    auto *outer = new QHBoxLayout(frame);
    outer->setSpacing(10);
    auto *left = new QVBoxLayout;
    left->setSpacing(10);
    outer->addLayout(left);
    int labelIndex = 100;

    // One group: rows of label, entry and unit, then its two buttons.
    struct Row
    {
        int textId;
        QWidget *content;
        int unitId = 0;
        bool debugOnly = false;
        std::vector<QWidget *> *governed = nullptr;
    };
    auto makeGroup = [&](int n, int toMixer, int init, const std::vector<Row> &rows) {
        QFrame *box = groupFrame(frame, QStringLiteral("FrameExt_%1").arg(n));
        auto *column = new QVBoxLayout(box);
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(8);
        column->addLayout(grid);
        for (int r = 0; r < int(rows.size()); ++r) {
            const Row &row = rows[size_t(r)];
            auto *l = new QLabel(labelText(str(row.textId)), box);
            l->setObjectName(QStringLiteral("LblMonly_%1").arg(labelIndex++));
            paint(l, 0, T::tabLabelFore(TabExtended));
            grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignVCenter);
            auto *cell = new QHBoxLayout;
            cell->setSpacing(6);
            cell->addWidget(row.content);
            std::vector<QWidget *> cells{l, row.content};
            if (row.unitId) {
                auto *u = new QLabel(str(row.unitId), box);
                u->setObjectName(QStringLiteral("LblMonly_%1").arg(labelIndex++));
                cell->addWidget(u);
                cells.push_back(u);
            }
            cell->addStretch();
            grid->addLayout(cell, r, 1);
            if (row.debugOnly)
                m_debugRows.insert(m_debugRows.end(), cells.begin(), cells.end());
            if (row.governed)
                row.governed->insert(row.governed->end(), cells.begin(), cells.end());
        }
        grid->setColumnStretch(1, 1);
        auto *buttons = new QHBoxLayout;
        buttons->setContentsMargins(0, 8, 0, 0);
        buttons->addStretch();
        m_toMixer[size_t(toMixer)] = new QPushButton(str(T::Transfer), box);
        m_toMixer[size_t(toMixer)]->setObjectName(QStringLiteral("CmdMixer_%1").arg(toMixer));
        m_init[size_t(init)] = new QPushButton(str(T::Initialise), box);
        m_init[size_t(init)]->setObjectName(QStringLiteral("CmdInit_%1").arg(init));
        buttons->addWidget(m_toMixer[size_t(toMixer)]);
        buttons->addWidget(m_init[size_t(init)]);
        column->addLayout(buttons);
        return box;
    };

    m_params[FieldOutPeak] = makeEntry(Scale::Tenths, OutPeakMin, OutPeakMax, FieldOutPeak);
    m_params[FieldThresholdK] = makeEntry(Scale::Hundredths, ThresholdKMin, ThresholdKMax, FieldThresholdK);
    m_params[FieldMuteK] = makeEntry(Scale::Tenths, 0, WordMax, FieldMuteK);
    m_params[FieldThresholdMin] = makeEntry(Scale::Count, 0, WordMax, FieldThresholdMin);
    m_params[FieldThresholdMax] = makeEntry(Scale::Count, 0, WordMax, FieldThresholdMax);
    m_params[FieldNoiseReference] = makeEntry(Scale::Count, 0, NoiseEntryMax, FieldNoiseReference);
    m_params[FieldNoiseThreshold] = makeEntry(Scale::Count, 0, NoiseEntryMax, FieldNoiseThreshold);
    m_params[FieldSilentTime] = makeEntry(Scale::Twentieths, 0, TwentiethsMax, FieldSilentTime);
    m_params[FieldHoldTime2] = makeEntry(Scale::Twentieths, 0, TwentiethsMax, FieldHoldTime2);
    m_params[FieldThresholdK2] = makeEntry(Scale::Count, 0, WordMax, FieldThresholdK2);

    m_extendedGroups[0] = makeGroup(0, 0, 0,
                                    {{T::ExtendedLabelFirst, m_params[FieldMuteK], T::Decibel},
                                     {T::ExtendedLabelFirst + 1, m_params[FieldThresholdK]},
                                     {T::ExtendedLabelFirst + 2, m_params[FieldOutPeak], T::Decibel}});
    m_extendedGroups[1] = makeGroup(1, 1, 1,
                                    {{T::ThresholdMaxLabel, m_params[FieldThresholdMax]},
                                     {T::ThresholdMinLabel, m_params[FieldThresholdMin]}});
    auto [noiseBox, noise] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("ExtParam"), 0, false);
    auto [headBox, head] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("ExtParam"), 10, false);
    m_noise = noise;
    m_headLack = head;
    m_extendedGroups[2] = makeGroup(
        2, 3, 6,
        {{T::NoiseLabelFirst, noiseBox},
         {T::NoiseLabelFirst + 1, m_params[FieldNoiseReference], 0, false, &m_noiseFields},
         {T::NoiseLabelFirst + 2, m_params[FieldNoiseThreshold], 0, false, &m_noiseFields},
         {T::NoiseLabelFirst + 3, headBox},
         {T::NoiseLabelFirst + 4, m_params[FieldSilentTime], T::Seconds, true, &m_headLackFields},
         {T::NoiseLabelFirst + 5, m_params[FieldHoldTime2], T::Seconds},
         {T::NoiseLabelFirst + 6, m_params[FieldThresholdK2], 0, true}});
    left->addWidget(m_extendedGroups[0]);
    left->addWidget(m_extendedGroups[1]);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(m_extendedGroups[2]);
    right->addStretch();
    outer->addLayout(right);
    outer->addStretch();
    return frame;
}

QWidget *FrmMixer::buildDefaultsTab()
{
    QFrame *frame = m_tabFrames[TabDefaults];
    frame->setFont(appearanceFont(T::tabFont(TabDefaults)));
    auto *outer = new QVBoxLayout(frame);
    auto *heading = new QLabel(str(T::InitialValues), frame);
    heading->setObjectName(QStringLiteral("LblInitialValues"));
    heading->setContentsMargins(10, 4, 10, 4);
    paint(heading, T::tabHeadingBack(TabDefaults), T::tabHeadingFore(TabDefaults));

    m_defaultsGroup = groupFrame(frame, QStringLiteral("FrameInit"));
    auto *column = new QVBoxLayout(m_defaultsGroup);
    column->setContentsMargins(0, 0, 0, 8);
    column->addWidget(heading);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 6, 12, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    column->addLayout(grid);

    auto [priorityBox, priority] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("OpnInit"), 0, false);
    auto [muteBox, mute] = optionBox(captionsOf(3, [](int i) { return str(T::MuteAttFirst + i); }),
                                     QStringLiteral("OpnInit"), 10, false);
    auto [actionBox, action] = optionBox({str(T::Auto), str(T::Manual)}, QStringLiteral("OpnInit"), 20, false);
    m_priorityDef = priority;
    m_muteAttDef = mute;
    m_actionDef = action;
    for (int i = 0; i < 2; ++i)
        m_params2[size_t(i)] = makeEntry(Scale::Count, 0, WordMax, i, QStringLiteral("UpDwParam2"));
    const std::array<QWidget *, 5> contents{priorityBox, m_params2[0], m_params2[1], muteBox, actionBox};
    for (int r = 0; r < int(contents.size()); ++r) {
        auto *l = new QLabel(str(T::DefaultLabelFirst + r) + str(T::DefaultSuffix), m_defaultsGroup);
        l->setObjectName(QStringLiteral("LblMonly_%1").arg(300 + r));
        paint(l, 0, T::tabLabelFore(TabDefaults));
        grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(contents[size_t(r)], r, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    grid->setColumnStretch(2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 10, 12, 0);
    buttons->addStretch();
    m_toMixer[2] = new QPushButton(str(T::Transfer), m_defaultsGroup);
    m_toMixer[2]->setObjectName(QStringLiteral("CmdMixer_2"));
    m_init[2] = new QPushButton(str(T::Initialise), m_defaultsGroup);
    m_init[2]->setObjectName(QStringLiteral("CmdInit_2"));
    buttons->addWidget(m_toMixer[2]);
    buttons->addWidget(m_init[2]);
    column->addLayout(buttons);

    auto *row = new QHBoxLayout;
    row->addWidget(m_defaultsGroup);
    row->addStretch();
    outer->addLayout(row);
    outer->addStretch();
    return frame;
}

void FrmMixer::connectHandlers()
{
    connect(m_link, &OptionGroup::clicked, this, &FrmMixer::linkClicked);
    connect(m_mixerLink, &OptionGroup::clicked, this, &FrmMixer::mixerLinkClicked);
    for (int ch = 0; ch < ChannelCount; ++ch) {
        for (int row : OptionRows)
            connect(m_strips[size_t(ch)]->rows[size_t(row)], &OptionGroup::clicked, this,
                    [this, ch, row](int choice) { channelClicked(ch, row, choice); });
        connect(m_gains[size_t(ch)], &ValueEntry::codeChanged, this,
                [this, ch](int code) { gainChanged(ch, code); });
        connect(m_initCh[size_t(ch)], &QPushButton::clicked, this, [this, ch] { initialise(ch); });
    }
    connect(m_initCh[ChannelCount], &QPushButton::clicked, this, [this] { initialise(InitAllChannels); });
    for (int g = 0; g < SystemGroupCount; ++g)
        connect(m_groups[size_t(g)], &OptionGroup::clicked, this,
                [this, g](int choice) { systemClicked(g, choice); });
    connect(m_muteAtt, &OptionGroup::clicked, this, [this](int i) { m_edits.muteAttClicked(i); });
    for (int i = 0; i < int(m_params.size()); ++i)
        connect(m_params[size_t(i)], &ValueEntry::codeChanged, this,
                [this, i](int code) { paramChanged(i, code); });
    for (ValueEntry *e : m_params2)
        connect(e, &ValueEntry::codeChanged, this, &FrmMixer::defaultsBoundChanged);
    connect(m_noise, &OptionGroup::clicked, this, &FrmMixer::applyNoiseOptions);
    connect(m_headLack, &OptionGroup::clicked, this, &FrmMixer::applyNoiseOptions);
    for (int i = 0; i < CmdInitCount; ++i)
        connect(m_init[size_t(i)], &QPushButton::clicked, this, [this, i] { initialise(cmdInitCode(i)); });
    for (int i = 0; i < 2; ++i)
        connect(m_open[size_t(i)], &QPushButton::clicked, this, [this, i] { openTab(i); });
    for (int n = 0; n < CmdMixerCount; ++n)
        connect(m_toMixer[size_t(n)], &QPushButton::clicked, this, [this, n] { writeGroup(n); });
    connect(m_tabs, &QTabWidget::currentChanged, this, &FrmMixer::tabSelected);
}

// ---- Control lookup ---------------------------------------------------------------

QRadioButton *FrmMixer::OpnLink(int i) const { return m_link->button(i); }
QRadioButton *FrmMixer::OpnMixerLink(int i) const { return m_mixerLink->button(i); }
QRadioButton *FrmMixer::OpnMuteM(int i) const { return m_muteAtt->button(i); }

QRadioButton *FrmMixer::OpnParamCh(int index) const
{
    if (!validChannelOption(index))
        return nullptr;
    const ChannelOption o = channelOption(index);
    return m_strips[size_t(o.ch)]->rows[size_t(o.row)]->button(o.choice);
}

QRadioButton *FrmMixer::OpnParam(int index) const
{
    const int group = index / 10;
    return index >= 0 && group < SystemGroupCount ? m_groups[size_t(group)]->button(index % 10) : nullptr;
}

QRadioButton *FrmMixer::ExtParam(int index) const
{
    return index < 10 ? m_noise->button(index) : m_headLack->button(index - 10);
}

QRadioButton *FrmMixer::OpnInit(int index) const
{
    const std::array<OptionGroup *, 3> groups{m_priorityDef, m_muteAttDef, m_actionDef};
    const int g = index / 10;
    return index >= 0 && g < 3 ? groups[size_t(g)]->button(index % 10) : nullptr;
}

int FrmMixer::pictureOf(int i) const
{
    return m_pictureShown[size_t(i)];
}

// ---- Edits ------------------------------------------------------------------------

void FrmMixer::channelClicked(int ch, int row, int choice)
{
    if (!m_edits.channelOptionClicked(channelOptionIndex(ch, row, choice)))
        return;
    // Under ch1-Link the other strips show what they now hold.
    if (ch == 0 && m_edits.ch1Link())
        for (int s = 1; s < ChannelCount; ++s)
            m_strips[size_t(s)]->rows[size_t(row)]->select(choice, OptionGroup::Notify::Quiet);
}

void FrmMixer::gainChanged(int ch, int code)
{
    if (m_ctx.env.editor.Refreshing)
        return;
    if (ch == 0 && m_edits.ch1Link())
        for (int s = 1; s < ChannelCount; ++s)
            m_gains[size_t(s)]->setCode(code);
    m_edits.gainChanged(ch, code);
}

void FrmMixer::linkClicked(int i)
{
    const bool on = i == 0;
    if (on == m_edits.ch1Link())
        return;
    showStripLink(on);
    if (!on) {
        m_edits.turnCh1LinkOff();
        return;
    }
    const int gain = m_gains[0]->code();
    for (int s = 1; s < ChannelCount; ++s)
        m_gains[size_t(s)]->setCode(gain);
    m_edits.turnCh1LinkOn(gain);
    const MixerDataRecord &wanted = m_ctx.env.mixers.MixerSetData[size_t(EditMixer())];
    for (int row : OptionRows)
        for (int s = 0; s < ChannelCount; ++s)
            m_strips[size_t(s)]->rows[size_t(row)]->select(wanted.channel(rowFamily(row), 1),
                                                          OptionGroup::Notify::Quiet);
}

void FrmMixer::mixerLinkClicked(int i)
{
    const bool on = i == 0;
    if (on != m_edits.mixerLink())
        m_edits.chooseMixerLink(on);
}

void FrmMixer::systemClicked(int group, int choice)
{
    const MixerEdits::SystemClick click = m_edits.systemOptionClicked(group * 10 + choice);
    if (click.mute != MixerEdits::MuteMode::Unchanged)
        setMuteMode(click.mute);
}

void FrmMixer::setMuteMode(MixerEdits::MuteMode mode)
{
    const bool manual = mode == MixerEdits::MuteMode::Manual;
    m_muteAtt->setEnabled(manual);
    for (QLabel *l : m_muteLabels)
        l->setEnabled(!manual);
    if (manual)
        m_muteLabels[0]->clear();
    m_ambientShown = !manual;
}

void FrmMixer::showAmbientLevel(double level)
{
    if (m_ambientShown)
        m_muteLabels[0]->setText(QString::number(level));
}

void FrmMixer::paramChanged(int i, int code)
{
    switch (i) {
    case FieldThresholdMin:
    case FieldThresholdMax:
        tightenThresholdRanges();
        break;
    case FieldThreshold: {
        const int kept = m_edits.thresholdChanged(code);
        if (kept != code)
            m_params[FieldThreshold]->setCode(kept);
        break;
    }
    case FieldOutputGain:
        m_edits.outputGainChanged(code);
        break;
    case FieldHoldTime:
        m_edits.holdTimeChanged(code);
        break;
    default:
        break;
    }
}

void FrmMixer::tightenThresholdRanges()
{
    // ThresholdMin is kept at or below the ThresholdMax beside it and the
    // other way round, by the arrows and by typing alike, so a group write
    // never sends a minimum above its maximum.
    if (m_loadingEntries)
        return;
    const int low = m_params[FieldThresholdMin]->code();
    const int high = m_params[FieldThresholdMax]->code();
    m_params[FieldThresholdMin]->setRange(0, std::max(low, high));
    m_params[FieldThresholdMax]->setRange(std::min(low, high), WordMax);
}

void FrmMixer::defaultsBoundChanged()
{
    tightenDefaultRanges();
}

void FrmMixer::tightenDefaultRanges()
{
    if (m_loadingEntries)
        return;
    const int high = m_params2[0]->code();
    const int low = m_params2[1]->code();
    m_params2[0]->setRange(std::min(low, high), WordMax);
    m_params2[1]->setRange(0, std::max(low, high));
}

void FrmMixer::applyNoiseOptions()
{
    // OFF takes the governed fields away; ON offers them only where the
    // group itself may be edited.
    const bool group = m_rules.noiseGroup;
    for (QWidget *w : m_noiseFields)
        w->setEnabled(group && m_noise->checked() == 1);
    for (QWidget *w : m_headLackFields)
        w->setEnabled(group && m_headLack->checked() == 1);
}

// ---- Tabs and requests ----------------------------------------------------------------

void FrmMixer::tabSelected(int tab)
{
    if (tab != TabExtended)
        m_tabs->setTabVisible(TabExtended, false);
    if (tab != TabDefaults)
        m_tabs->setTabVisible(TabDefaults, false);
    if (tab == TabExtended)
        loadExtendedTab();
    if (tab == TabDefaults)
        loadDefaultsTab();
    applyFrameRule(tab);
    if (tab == TabExtended || tab == TabDefaults)
        requestJob(JobExtendedRead);
}

void FrmMixer::applyFrameRule(int tab)
{
    for (QFrame *f : m_tabFrames)
        f->setEnabled(false);
    const bool editable = framesEditable(m_ctx.link.offline(), m_ctx.env.mixers.WriteAccess);
    if (editable) {
        m_tabFrames[size_t(tab)]->setEnabled(true);
    } else if (tab == TabSystem) {
        // Without writing the system tab still opens the hidden tabs.
        m_tabFrames[TabSystem]->setEnabled(true);
    }
    if (tab == TabSystem)
        for (QFrame *g : m_systemGroups)
            g->setEnabled(editable);
}

void FrmMixer::openTab(int i)
{
    if (m_ctx.dialogs.message(openTabQuestion(i), MsgButtons::OkCancel, MsgIcon::Warning, str(StrId::AppTitle))
        == MsgAnswer::Ok)
        m_tabs->setTabVisible(TabExtended + i, true);
}


void FrmMixer::writeGroup(int n)
{
    m_ctx.dialogs.message(str(T::Changed), MsgButtons::Ok, MsgIcon::Information, str(StrId::AppTitle));
    m_ctx.loop.JobTarget = qint16(n);
    requestJob(JobExtendedWrite);
    const int tab = m_tabs->currentIndex();
    if (tab == TabExtended || tab == TabDefaults)
        m_tabs->setCurrentIndex(TabSystem);
}

void FrmMixer::initialise(int code)
{
    m_ctx.loop.JobTarget = qint16(code);
    m_ctx.loop.JobMixer = qint16(EditMixer());
    requestJob(JobInitialise);
}

void FrmMixer::requestJob(JobCode job)
{
    if (m_ctx.loop.JobRequest == JobIdle && m_ctx.drain)
        m_ctx.drain();
    m_ctx.loop.JobRequest = job;
}

// ---- Following MixerData ----------------------------------------------------------------

void FrmMixer::Timer1()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    if (!m_debug && s.MixerCount < m) {
        close();
        return;
    }
    if (m_ctx.env.DataReadMark[size_t(m)] == MarkDecoded)
        refresh();
    if (m_ctx.env.ThresholdReadMark[size_t(m)] == MarkDecoded) {
        // The threshold box follows the threshold reply as the gain boxes
        // follow the data reply.
        const int threshold = s.MixerData[size_t(m)].Threshold;
        if (m_params[FieldThreshold]->code() != threshold || m_ctx.env.DataReceived == 0) {
            m_ctx.env.editor.Refreshing = 1;
            m_params[FieldThreshold]->setCode(threshold);
            m_ctx.env.editor.Refreshing = 0;
        }
    }
    if (!drawPictures()) {
        m_ctx.dialogs.tell(str(T::OutOfMemory), MsgIcon::Error);
        close();
        return;
    }
    if (m_firstTick) {
        m_firstTick = false;
        Enable_Control();
        for (ValueEntry *gain : m_gains)
            gain->commit();
        m_params[FieldOutputGain]->commit();
        m_params[FieldHoldTime]->commit();
    } else if (s.Model[size_t(m)] != m_appliedModel) {
        Enable_Control();
    }
    if (windowIcon().cacheKey() != qApp->windowIcon().cacheKey())
        setWindowIcon(qApp->windowIcon());
    int active = 0;
    for (int t = 1; t <= MaxMixers; ++t)
        if (s.MixerData[size_t(t)].Active)
            ++active;
    m_timer.setInterval(IntervalPerWindowMs * (active + 1));
}

void FrmMixer::refresh()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    const MixerDataRecord d = s.MixerData[size_t(m)];
    const qint16 model = s.Model[size_t(m)];
    const bool rewrite = m_ctx.env.DataReceived == 0;
    m_ctx.env.editor.Refreshing = 1;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const int n = ch + 1;
        for (int row : OptionRows)
            m_strips[size_t(ch)]->rows[size_t(row)]->select(d.channel(rowFamily(row), n));
        if (m_gains[size_t(ch)]->code() != d.channel(ChannelFamily::InputGain, n) || rewrite)
            m_gains[size_t(ch)]->setCode(d.channel(ChannelFamily::InputGain, n));
        m_locks[size_t(ch)] = olderModelLocks(model, d.channel(ChannelFamily::InputLevel, n),
                                              d.channel(ChannelFamily::HeadAmp, n));
    }
    const quint8 outputGain = d.block[MixerKey::OutputGain - 1];
    if (m_params[FieldOutputGain]->code() != outputGain || rewrite)
        m_params[FieldOutputGain]->setCode(outputGain);
    for (int g = 0; g < SystemGroupCount; ++g)
        m_groups[size_t(g)]->select(g == GroupSimultaneous ? simultaneousChoice(d)
                                                           : d.block[size_t(groupKeyId(g) - 1)]);
    m_muteAtt->select(d.block[MixerKey::MuteAtt - 1]);
    // Like the gain boxes, rewritten only when the mixer's value changed, so
    // the tick does not overwrite what the user is typing.
    const quint8 holdTime = d.block[MixerKey::HoldTime - 1];
    if (m_params[FieldHoldTime]->code() != holdTime || rewrite)
        m_params[FieldHoldTime]->setCode(holdTime);
    m_outputLocked = outputLevelLocked(model, d.block[MixerKey::OutputLevel - 1]);
    m_ctx.env.editor.Refreshing = 0;
    applyChannelEnables();
}

bool FrmMixer::drawPictures()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    const MixerDataRecord &d = s.MixerData[size_t(m)];
    if (m_ctx.env.DataReadMark[size_t(m)] == MarkDecoded) {
        for (int ch = 0; ch < ChannelCount; ++ch)
            setPicture(ch, levelPicture(d.channel(ChannelFamily::InputGain, ch + 1)));
        setPicture(GainPicture, levelPicture(d.block[MixerKey::OutputGain - 1]));
    }
    if (m_ctx.env.ThresholdReadMark[size_t(m)] == MarkDecoded) {
        const ExtendedRecord &x = s.ExtendedData[size_t(m)];
        setPicture(ThresholdPicture, thresholdPicture(d.Threshold, x.ThresholdMin, x.ThresholdMax));
    }
    for (QLabel *picture : m_pictures)
        if (picture->pixmap().isNull())
            return false;
    return true;
}

void FrmMixer::setPicture(int i, int picture)
{
    QLabel *label = m_pictures[size_t(i)];
    if (m_pictureShown[size_t(i)] == picture && !label->pixmap().isNull())
        return;
    m_pictureShown[size_t(i)] = picture;
    label->setPixmap(levelImage(picture));
}

void FrmMixer::Enable_Control()
{
    const int m = EditMixer();
    m_appliedModel = m_ctx.env.mixers.Model[size_t(m)];
    m_rules = enableRules(m, m_appliedModel);
    for (int g : {GroupNoma, GroupKeyLock, GroupThresholdAction, GroupThresholdUnit, GroupAction,
                  GroupSimultaneous, GroupLastOn})
        m_groups[size_t(g)]->setEnabled(m_rules.masterGroups);
    for (int j = 0; j <= 6; ++j)
        m_onlyLabels[size_t(j)]->setEnabled(m_rules.masterGroups);
    for (QWidget *w : std::initializer_list<QWidget *>{m_params[FieldHoldTime], m_onlyLabels[7],
                                                         m_onlyLabels[HoldTimeUnit]})
        w->setEnabled(m_rules.holdTime);
    applyChannelEnables();
    m_extendedGroups[0]->setEnabled(m_rules.extended);
    m_extendedGroups[1]->setEnabled(m_rules.extended);
    m_defaultsGroup->setEnabled(m_rules.extended);
    m_extendedGroups[2]->setEnabled(m_rules.noiseGroup);
    applyNoiseOptions();
    m_mixerLinkLabel->setEnabled(m_rules.mixerLink);
    m_mixerLink->setEnabled(m_rules.mixerLink);
}

void FrmMixer::applyChannelEnables()
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const OlderModelLocks &lock = m_locks[size_t(ch)];
        for (int row : {RowInputLevel, RowHeadAmp}) {
            const bool locked = row == RowInputLevel ? lock.inputLevel : lock.headAmp;
            OptionGroup *g = m_strips[size_t(ch)]->rows[size_t(row)];
            for (int c = 0; c < g->count(); ++c)
                g->button(c)->setEnabled(!locked && (m_rules.newerChoices || !newerOnlyChoice(row, c)));
        }
    }
    // The output level offers the same choices as the input attenuator.
    OptionGroup *output = m_groups[GroupOutputLevel];
    for (int c = 0; c < output->count(); ++c)
        output->button(c)->setEnabled(!m_outputLocked
                                      && (m_rules.newerChoices || !newerOnlyChoice(RowInputLevel, c)));
}

void FrmMixer::showStripLink(bool linked)
{
    const int m = EditMixer();
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const bool follows = linked && ch > 0;
        QLabel *caption = m_chLabels[size_t(ch)];
        caption->setText(channelText(m, ch) + (follows ? str(T::LinkSuffix) : QString()));
        paint(caption, follows ? T::StripLinkedBack : T::StripBack, T::StripFore);
        m_strips[size_t(ch)]->frame->setEnabled(!follows);
    }
}

void FrmMixer::loadExtendedTab()
{
    const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(EditMixer())];
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

void FrmMixer::loadDefaultsTab()
{
    const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(EditMixer())];
    m_priorityDef->select(x.PriorityDef);
    m_muteAttDef->select(x.MuteAttDef);
    m_actionDef->select(x.ThresholdActDef);
    m_loadingEntries = true;
    m_params2[0]->setRange(0, WordMax);
    m_params2[1]->setRange(0, WordMax);
    m_params2[0]->setCode(x.ThresholdMaxDef);
    m_params2[1]->setCode(x.ThresholdMinDef);
    m_loadingEntries = false;
    tightenDefaultRanges();
}

void FrmMixer::refreshExtendedDisplay()
{
    loadExtendedTab();
    loadDefaultsTab();
}

ExtendedEntries FrmMixer::extendedEntries() const
{
    ExtendedEntries e = ExtendedEntries::fromRecord(m_ctx.env.mixers.ExtendedData[size_t(EditMixer())]);
    ExtendedRecord &v = e.values;
    v.OutPeakLEDK = qint16(m_params[FieldOutPeak]->code());
    v.ThresholdK = qint16(m_params[FieldThresholdK]->code());
    v.MuteK = qint16(m_params[FieldMuteK]->code());
    v.ThresholdMin = qint16(m_params[FieldThresholdMin]->code());
    v.ThresholdMax = qint16(m_params[FieldThresholdMax]->code());
    v.Silent_Time = qint16(m_params[FieldSilentTime]->code());
    v.Hold_Time2 = qint16(m_params[FieldHoldTime2]->code());
    v.ThresholdK2 = qint16(m_params[FieldThresholdK2]->code());
    v.ThresholdMaxDef = qint16(m_params2[0]->code());
    v.ThresholdMinDef = qint16(m_params2[1]->code());
    e.noiseReference = quint16(m_params[FieldNoiseReference]->code());
    e.noiseThreshold = quint16(m_params[FieldNoiseThreshold]->code());
    // A choice no button stands for keeps the value it had.
    auto choice = [](const OptionGroup *g, qint16 &field) {
        if (g->checked() >= 0)
            field = qint16(g->checked());
    };
    choice(m_noise, v.Noise_Detection);
    choice(m_headLack, v.Head_Lack_Prevention);
    choice(m_priorityDef, v.PriorityDef);
    choice(m_muteAttDef, v.MuteAttDef);
    choice(m_actionDef, v.ThresholdActDef);
    return e;
}

// ---- Window events -----------------------------------------------------------------------

bool FrmMixer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        int item = -1;
        for (int r = 0; r < int(m_rowLabels.size()); ++r)
            if (watched == m_rowLabels[size_t(r)])
                item = r;
        for (int i = 0; i < int(m_fieldLabels.size()); ++i)
            if (watched == m_fieldLabels[size_t(i)])
                item = 8 + i;
        if (item >= 0) {
            m_ctx.env.editor.GridItem = qint16(item);
            if (m_ctx.showParameterGrid)
                m_ctx.showParameterGrid(item);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmMixer::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        m_timer.stop();
        if (m_ctx.setPrintEnabled)
            m_ctx.setPrintEnabled(false);
        m_ctx.env.mixers.MixerData[size_t(EditMixer())].Active = 0;
        // Only the editor's own requests go with it; a request another window
        // made (direct access, IP settings, a mode change) stays.
        qint16 &job = m_ctx.loop.JobRequest;
        if (job == JobExtendedRead || job == JobExtendedWrite || job == JobInitialise)
            job = JobIdle;
        m_ctx.env.DataReceived = 0;
    }
    QWidget::closeEvent(event);
}
