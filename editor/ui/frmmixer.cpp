#include "editor/ui/frmmixer.h"

#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "base/ui/showntabs.h"
#include "editor/editorrules.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/levelpictures.h"
#include "editor/ui/markbadge.h"
#include "mixer/syncfollower.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"
#include "link/linkwatch.h"
#include "mixer/extendedregisters.h"
#include "mixer/syncstatus.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QStyle>
#include <QTime>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace T = EditorText;

namespace {
constexpr int FirstIntervalMs = 100;
constexpr int IntervalPerWindowMs = 70; // × (open editor windows + 1)
} // namespace

FrmMixer::FrmMixer(FrmMixerContext context, int editMixer, bool debugMode, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(std::move(context)), m_edits(m_ctx.env, editMixer),
      m_lifecycle(m_ctx.env, m_ctx.jobs),
      m_debug(debugMode)
{
    MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    setObjectName(QStringLiteral("FrmMixer"));
    setWindowTitle(MixerName(m));
    setWindowIcon(qApp->windowIcon());
    announceAsWindow(this);

    // The working copy starts as what the mixers report; values still
    // waiting to be sent keep the value they wait with.
    for (int t = 1; t <= std::min<int>(s.MixerCount, MaxMixers); ++t)
        s.takeReported(t);

    setFont(appearanceFont(T::StripFont));
    m_marks = new MarkSet(m_ctx.env.sync, m_ctx.env.mixers, m, m_ctx.env.timeOfDay, this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTMixer"));
    announceShownTabsOnly(m_tabs->tabBar());
    for (int t = 0; t < EditorTabCount; ++t) {
        m_tabFrames[size_t(t)] = new QFrame;
        m_tabFrames[size_t(t)]->setObjectName(QStringLiteral("Frame_%1").arg(t));
        paint(m_tabFrames[size_t(t)], T::tabBack(t), 0);
    }
    buildChannelTab();
    buildSystemTab();
    buildExtendedTab();
    buildDefaultsTab();
    for (int t = 0; t < EditorTabCount; ++t)
        m_tabs->addTab(scrolling(m_tabFrames[size_t(t)]), str(T::TabFirst + t));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs);
    if (m_ctx.linkLine) {
        // Whoever works in the editor sees at once when the mixers are out of
        // reach; the pages are greyed until the connection is back.
        m_linkLine = new QLabel(this);
        m_linkLine->setObjectName(QStringLiteral("LinkLine"));
        auto show = [this, label = m_linkLine, line = m_ctx.linkLine](const QString &text) {
            for (int t = 0; t < m_tabs->count(); ++t)
                m_tabs->widget(t)->setEnabled(!line->down());
            label->setVisible(!text.isEmpty());
            label->setText(text);
            QFont f = label->font();
            f.setBold(line->down());
            label->setFont(f);
            // Setting the name tells assistive technology it changed: a
            // screen reader hears the change without going to the foot.
            label->setAccessibleName(text);
        };
        show(m_ctx.linkLine->text());
        connect(m_ctx.linkLine, &LinkLine::changed, m_linkLine, show);
        layout->addWidget(m_linkLine);
    }
    // A typed value is judged before a click, a turn of the wheel or a key on
    // the tab bar (or Ctrl+Tab in a page) takes its page away.
    m_tabs->tabBar()->installEventFilter(this);
    m_tabs->installEventFilter(this);

    // Silent time and ThresholdK2 are for the factory's eyes only.
    for (QWidget *w : m_debugRows)
        w->setVisible(m_debug);

    loadExtendedTab();
    loadDefaultsTab();
    for (int i = 0; i < int(m_pictures.size()); ++i)
        setPicture(i, 0);
    connectHandlers();
    setUpKeys();
    Enable_Control();

    m_lifecycle.opened(m);

    // Sized while every tab counts, so that the hidden ones fit too once shown.
    resize(fittingSize());
    m_tabs->setCurrentIndex(TabChannels);
    m_tabs->setTabVisible(TabExtended, false);
    m_tabs->setTabVisible(TabDefaults, false);
    applyFrameRule(TabChannels);

    m_timer.setInterval(FirstIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &FrmMixer::Timer1);
    m_timer.start();
    m_follower = new SyncFollower(m_ctx.env.sync.events(), m, [this] { followMixer(); }, this);
    if (m_ctx.setPrintEnabled)
        m_ctx.setPrintEnabled(true);

    // Each value shows whether it reached the mixer; a failed one stays
    // marked when the window is opened again.
    m_marks->showAll();
}

const MarkBadge *FrmMixer::markOf(int id) const
{
    return m_marks->markOf(id);
}

FrmMixer::~FrmMixer() = default;

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
        connect(e, &ValueEntry::codeChanged, this, &FrmMixer::tightenDefaultRanges);
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
    const std::optional<ChannelOption> o = channelOptionAt(index);
    return o ? m_strips[size_t(o->ch)]->rows[size_t(o->row)]->button(o->choice) : nullptr;
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
    if (!m_edits.channelOptionClicked({ch, row, choice}))
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
    // Stored first; the other strips then only show what they now hold.
    const int gain = m_gains[0]->code();
    m_edits.turnCh1LinkOn(gain);
    for (int s = 1; s < ChannelCount; ++s)
        m_gains[size_t(s)]->setCode(gain);
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

void FrmMixer::keepOrdered(ValueEntry *low, ValueEntry *high)
{
    // A minimum is kept at or below the maximum beside it and the other way
    // round, by the arrows and by typing alike, so a group write never sends
    // a minimum above its maximum.
    if (m_loadingEntries)
        return;
    const int lowCode = low->code();
    const int highCode = high->code();
    low->setRange(0, std::max(lowCode, highCode));
    high->setRange(std::min(lowCode, highCode), WordMax);
}

void FrmMixer::tightenThresholdRanges()
{
    keepOrdered(m_params[FieldThresholdMin], m_params[FieldThresholdMax]);
}

void FrmMixer::tightenDefaultRanges()
{
    keepOrdered(m_params2[1], m_params2[0]);
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
    if (!m_tabs->isTabVisible(tab)) {
        hiddenTabChosen(tab);
        return;
    }
    m_shownTab = tab;
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
        m_ctx.jobs.readExtended();
}

void FrmMixer::stepTab(int step, bool wrap)
{
    const int count = m_tabs->count();
    for (int i = 1; i < count; ++i) {
        int tab = m_tabs->currentIndex() + step * i;
        if (!wrap && (tab < 0 || tab >= count))
            return;
        tab = (tab % count + count) % count;
        if (m_tabs->isTabVisible(tab) && m_tabs->isTabEnabled(tab)) {
            m_tabs->setCurrentIndex(tab);
            return;
        }
    }
}

void FrmMixer::commitFocusedEntry()
{
    for (QWidget *w = QApplication::focusWidget(); w && w != this; w = w->parentWidget())
        if (auto *entry = qobject_cast<ValueEntry *>(w)) {
            if (isAncestorOf(entry))
                entry->commit();
            return;
        }
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

bool FrmMixer::openTab(int i)
{
    const MsgAnswer answer = m_ctx.dialogs.message(openTabQuestion(i), MsgButtons::OkCancel,
                                                   MsgIcon::Warning, str(StrId::AppTitle));
    if (answer == MsgAnswer::Ok)
        m_tabs->setTabVisible(TabExtended + i, true);
    return answer == MsgAnswer::Ok;
}

void FrmMixer::hiddenTabChosen(int tab)
{
    {
        // Back to the page that showed, without counting as a choice of it.
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_shownTab);
    }
    if ((tab == TabExtended || tab == TabDefaults) && openTab(tab - TabExtended))
        m_tabs->setCurrentIndex(tab);
}


void FrmMixer::writeGroup(int n)
{
    commitFocusedEntry();
    m_ctx.dialogs.tell(str(T::Changed), MsgIcon::Information);
    m_ctx.jobs.writeExtended(n);
    markGroupWaiting(n);
    const int tab = m_tabs->currentIndex();
    if (tab == TabExtended || tab == TabDefaults)
        m_tabs->setCurrentIndex(TabSystem);
}

void FrmMixer::markGroupWaiting(int n)
{
    // A group asked for before and not yet written still waits its turn.
    const ExtendedEntries entries = extendedEntries();
    for (int reg : extendedGroupRegisters(n)) {
        qint32 value = entries.values.value(extendedRegisterKey(reg));
        if (reg == NoiseReferenceRegister)
            value = entries.noiseReference;
        else if (reg == NoiseThresholdRegister)
            value = entries.noiseThreshold;
        m_ctx.env.mixers.awaitExtendedWrite(reg, value);
    }
    m_marks->follow();
}

void FrmMixer::initialise(int code)
{
    m_ctx.jobs.initialise(EditMixer(), code);
}

// ---- Following MixerData ----------------------------------------------------------------

void FrmMixer::Timer1()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    m_marks->follow();
    if (!m_debug && s.MixerCount < m) {
        close();
        return;
    }
    if (m_firstTick) {
        // What the window opened on is shown on its first tick; after it,
        // followMixer() runs as the mixer's values arrive or change.
        if (!followMixer())
            return;
        m_firstTick = false;
        m_follower->start();
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
    // Setting a running timer's interval starts it anew: only when it changes.
    const int interval = IntervalPerWindowMs * (s.openEditorCount() + 1);
    if (m_timer.interval() != interval)
        m_timer.setInterval(interval);
}

bool FrmMixer::followMixer()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    if (m_ctx.env.sync.dataFresh(m))
        refresh();
    if (m_ctx.env.sync.thresholdsFresh(m)) {
        // The threshold box follows the threshold reply as the gain boxes
        // follow the data reply.
        const int threshold = s.waiting(m, MixerKey::Threshold)
                                  ? s.MixerSetData[size_t(m)].Threshold
                                  : s.MixerData[size_t(m)].Threshold;
        if (m_params[FieldThreshold]->code() != threshold || !m_ctx.env.sync.dataReceived()) {
            m_ctx.env.editor.Refreshing = true;
            m_params[FieldThreshold]->setCode(threshold);
            m_ctx.env.editor.Refreshing = false;
        }
    }
    if (!drawPictures()) {
        m_ctx.dialogs.tell(str(T::OutOfMemory), MsgIcon::Error);
        close();
        return false;
    }
    return true;
}

MixerDataRecord FrmMixer::awaitedRecord() const
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    MixerDataRecord d = s.MixerData[size_t(m)];
    for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
        if (s.waiting(m, id))
            d.setValue(id, s.MixerSetData[size_t(m)].value(id));
    return d;
}

void FrmMixer::refresh()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    const MixerDataRecord &reported = s.MixerData[size_t(m)];
    // A value waiting to be sent (from another window, the panel, a loaded
    // file, a window closed before it went) is shown as it will be: showing
    // the mixer's older value would select that button, and its click would
    // store the older value in its place.
    const MixerDataRecord d = awaitedRecord();
    // The first refresh only shows: no button of a row is selected yet, so
    // every row would count as clicked and store what it shows.
    const auto notify = m_refreshed ? OptionGroup::Notify::Click : OptionGroup::Notify::Quiet;
    const qint16 model = s.Model[size_t(m)];
    const bool rewrite = !m_ctx.env.sync.dataReceived();
    m_ctx.env.editor.Refreshing = true;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const int n = ch + 1;
        for (int row : OptionRows)
            m_strips[size_t(ch)]->rows[size_t(row)]->select(d.channel(rowFamily(row), n), notify);
        if (m_gains[size_t(ch)]->code() != d.channel(ChannelFamily::InputGain, n) || rewrite)
            m_gains[size_t(ch)]->setCode(d.channel(ChannelFamily::InputGain, n));
        // What the older model cannot show is judged by what it reports.
        m_locks[size_t(ch)] = olderModelLocks(model, reported.channel(ChannelFamily::InputLevel, n),
                                              reported.channel(ChannelFamily::HeadAmp, n));
    }
    const quint8 outputGain = d.block[MixerKey::OutputGain - 1];
    if (m_params[FieldOutputGain]->code() != outputGain || rewrite)
        m_params[FieldOutputGain]->setCode(outputGain);
    for (int g = 0; g < SystemGroupCount; ++g)
        m_groups[size_t(g)]->select(g == GroupSimultaneous ? simultaneousChoice(d)
                                                           : d.block[size_t(groupKeyId(g) - 1)],
                                    notify);
    m_muteAtt->select(d.block[MixerKey::MuteAtt - 1], notify);
    if (!m_refreshed) {
        // What the gate attenuation click would have offered.
        const int muteChange = d.block[MixerKey::MuteChange - 1];
        if (muteChange == 0 || muteChange == 1)
            setMuteMode(muteChange == 1 ? MixerEdits::MuteMode::Manual : MixerEdits::MuteMode::Auto);
    }
    m_refreshed = true;
    // Like the gain boxes, rewritten only when the mixer's value changed, so
    // the tick does not overwrite what the user is typing.
    const quint8 holdTime = d.block[MixerKey::HoldTime - 1];
    if (m_params[FieldHoldTime]->code() != holdTime || rewrite)
        m_params[FieldHoldTime]->setCode(holdTime);
    m_outputLocked = outputLevelLocked(model, reported.block[MixerKey::OutputLevel - 1]);
    m_ctx.env.editor.Refreshing = false;
    applyChannelEnables();
}

bool FrmMixer::drawPictures()
{
    const MixerState &s = m_ctx.env.mixers;
    const int m = EditMixer();
    const MixerDataRecord &d = s.MixerData[size_t(m)];
    if (m_ctx.env.sync.dataFresh(m)) {
        for (int ch = 0; ch < ChannelCount; ++ch)
            setPicture(ch, levelPicture(d.channel(ChannelFamily::InputGain, ch + 1)));
        setPicture(GainPicture, levelPicture(d.block[MixerKey::OutputGain - 1]));
    }
    if (m_ctx.env.sync.thresholdsFresh(m)) {
        const ExtendedRecord &x = s.ExtendedData[size_t(m)];
        setPicture(ThresholdPicture, thresholdPicture(d.Threshold, x.ThresholdMin, x.ThresholdMax));
    }
    return std::none_of(m_pictureMissing.begin(), m_pictureMissing.end(), [](bool missing) { return missing; });
}

void FrmMixer::setPicture(int i, int picture)
{
    // What each label holds is kept here, so that a tick with nothing new
    // neither asks the labels nor draws.
    if (m_pictureShown[size_t(i)] == picture && !m_pictureMissing[size_t(i)])
        return;
    m_pictureShown[size_t(i)] = picture;
    const QPixmap image = levelImage(picture);
    m_pictureMissing[size_t(i)] = image.isNull();
    m_pictures[size_t(i)]->setPixmap(image);
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
    // The buttons' states follow from these alone: unchanged, nothing to do.
    const ChannelEnables wanted{m_locks, m_outputLocked, m_rules.newerChoices};
    if (m_channelEnables && *m_channelEnables == wanted)
        return;
    m_channelEnables = wanted;
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
    if (watched == m_tabs->tabBar()) {
        // The tab bar's own arrow keys and wheel would also stop at a hidden
        // tab and open it without its warning: they move between the tabs
        // on show here.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            commitFocusedEntry();
            break;
        case QEvent::Wheel:
            commitFocusedEntry();
            if (m_tabs->tabBar()->style()->styleHint(QStyle::SH_TabBar_AllowWheelScrolling, nullptr,
                                                     m_tabs->tabBar())) {
                const QPoint d = static_cast<QWheelEvent *>(event)->angleDelta();
                const int delta = qAbs(d.x()) > qAbs(d.y()) ? d.x() : d.y();
                if (delta != 0)
                    stepTab(delta > 0 ? -1 : 1, false);
                return true;
            }
            break;
        case QEvent::KeyPress: {
            commitFocusedEntry();
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Left || key == Qt::Key_Right) {
                const bool forward = (key == Qt::Key_Right) != (layoutDirection() == Qt::RightToLeft);
                stepTab(forward ? 1 : -1, false);
                return true;
            }
            break;
        }
        default:
            break;
        }
    } else if (watched == m_tabs && event->type() == QEvent::KeyPress) {
        // A key the page let through to the tab widget: Ctrl+Tab and the like.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            commitFocusedEntry();
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                // The tab widget's own Ctrl+Tab would also stop at a hidden
                // tab and open it without its warning.
                const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
                stepTab(back ? -1 : 1, true);
                return true;
            }
        }
    }
    if (const int item = gridItemAsked(watched, event); item >= 0) {
        showGrid(item);
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        int item = -1;
        for (int r = 0; r < int(m_rowLabels.size()); ++r)
            if (watched == m_rowLabels[size_t(r)])
                item = r;
        for (int i = 0; i < int(m_fieldLabels.size()); ++i)
            if (watched == m_fieldLabels[size_t(i)])
                item = 8 + i;
        if (item >= 0) {
            showGrid(item);
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
        m_lifecycle.closed(EditMixer());
    }
    QWidget::closeEvent(event);
}
