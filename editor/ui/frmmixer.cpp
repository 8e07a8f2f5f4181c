#include "editor/ui/frmmixer.h"

#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "base/ui/showntabs.h"
#include "editor/editorrules.h"
#include "editor/editortexts.h"
#include "editor/ui/channeltab.h"
#include "editor/ui/defaultstab.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/extendedtab.h"
#include "editor/ui/levelpictures.h"
#include "editor/ui/markbadge.h"
#include "editor/ui/systemtab.h"
#include "editor/valueentry.h"
#include "link/linkwatch.h"
#include "mixer/syncfollower.h"
#include "mixer/syncstatus.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace T = EditorText;

namespace {
constexpr int FirstIntervalMs = 100;
constexpr int IntervalPerWindowMs = 70; // × (open editor windows + 1)

// Room a window manager's frame and title bar take around the window.
constexpr QSize FrameAllowance(16, 40);

// A tab page that scrolls its content when the window is smaller than it.
// It asks for the content's whole size, so the window opens showing all of
// it where the screen has the room.
class TabScroll final : public QScrollArea
{
public:
    explicit TabScroll(QWidget *content)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(content);
        // No tab stop of its own: Tab goes from control to control, and the
        // page scrolls to show the one it reaches.
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override
    {
        return widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
    }
};

} // namespace

FrmMixer::FrmMixer(FrmMixerContext context, int editMixer, bool debugMode, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(std::move(context)), m_edits(m_ctx.env, editMixer),
      m_lifecycle(m_ctx.env, m_ctx.jobs), m_requests(m_ctx.env, m_ctx.jobs, m_ctx.dialogs, editMixer),
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
    buildTabs();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs);
    if (m_ctx.linkLine)
        buildLinkLine(layout);
    // A typed value is judged before a click, a turn of the wheel or a key on
    // the tab bar (or Ctrl+Tab in a page) takes its page away.
    m_tabs->tabBar()->installEventFilter(this);
    m_tabs->installEventFilter(this);

    for (int i = 0; i < int(m_pictures.size()); ++i)
        setPicture(i, 0);
    connectRequests();
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

void FrmMixer::buildTabs()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTMixer"));
    announceShownTabsOnly(m_tabs->tabBar());
    const EditorTabContext tab{m_ctx.env, m_edits, m_ctx.dialogs, *m_marks, EditMixer()};
    m_channel = new ChannelTab(tab);
    m_system = new SystemTab(tab);
    m_extended = new ExtendedTab(tab, m_debug);
    m_defaults = new DefaultsTab(tab);
    m_tabFrames = {m_channel, m_system, m_extended, m_defaults};
    for (int t = 0; t < EditorTabCount; ++t)
        m_tabs->addTab(scrolling(m_tabFrames[size_t(t)]), str(T::TabFirst + t));
    for (int ch = 0; ch < ChannelCount; ++ch)
        m_pictures[size_t(ch)] = m_channel->ImgChannel(ch);
    for (int i : {GainPicture, ThresholdPicture})
        m_pictures[size_t(i)] = m_system->ImgChannel(i);
    // A double-click on a row's or field's label shows its value across the mixers.
    for (int r = 0; r < int(ChannelTab::StripRows.size()); ++r)
        Lbl1L(r)->installEventFilter(this);
    for (int i = 0; i < 4; ++i)
        Label1(i)->installEventFilter(this);
}

void FrmMixer::buildLinkLine(QVBoxLayout *layout)
{
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

void FrmMixer::connectRequests()
{
    auto initialise = [this](int code) { m_requests.initialise(code); };
    connect(m_channel, &ChannelTab::initialiseAsked, this, initialise);
    connect(m_system, &SystemTab::initialiseAsked, this, initialise);
    connect(m_extended, &ExtendedTab::initialiseAsked, this, initialise);
    connect(m_defaults, &DefaultsTab::initialiseAsked, this, initialise);
    connect(m_system, &SystemTab::openAsked, this, &FrmMixer::openTab);
    connect(m_extended, &ExtendedTab::writeAsked, this, &FrmMixer::writeGroup);
    connect(m_defaults, &DefaultsTab::writeAsked, this, &FrmMixer::writeGroup);
    connect(m_tabs, &QTabWidget::currentChanged, this, &FrmMixer::tabSelected);
}

QWidget *FrmMixer::scrolling(QFrame *content)
{
    auto *page = new TabScroll(content);
    page->setObjectName(content->objectName() + QStringLiteral("_Scroll"));
    return page;
}

QSize FrmMixer::fittingSize() const
{
    QSize size = sizeHint();
    const QScreen *where = screen();
    if (!where)
        return size;
    const QSize room = where->availableGeometry().size() - FrameAllowance;
    // A scroll bar across takes height, one along takes width.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (size.width() > room.width())
        size.rheight() += bar;
    if (size.height() > room.height())
        size.rwidth() += bar;
    return size.boundedTo(room).expandedTo(minimumSizeHint());
}

const MarkBadge *FrmMixer::markOf(int id) const
{
    return m_marks->markOf(id);
}

FrmMixer::~FrmMixer() = default;

// ---- Control lookup ---------------------------------------------------------------

QRadioButton *FrmMixer::OpnLink(int i) const { return m_channel->OpnLink(i); }
QRadioButton *FrmMixer::OpnMixerLink(int i) const { return m_channel->OpnMixerLink(i); }
QRadioButton *FrmMixer::OpnParamCh(int index) const { return m_channel->OpnParamCh(index); }
QRadioButton *FrmMixer::OpnParam(int index) const { return m_system->OpnParam(index); }
QRadioButton *FrmMixer::OpnMuteM(int i) const { return m_system->OpnMuteM(i); }
QRadioButton *FrmMixer::ExtParam(int index) const { return m_extended->ExtParam(index); }
QRadioButton *FrmMixer::OpnInit(int index) const { return m_defaults->OpnInit(index); }
ValueEntry *FrmMixer::UpDwInpgain(int ch) const { return m_channel->UpDwInpgain(ch); }
ValueEntry *FrmMixer::UpDwParam2(int i) const { return m_defaults->UpDwParam2(i); }
QLabel *FrmMixer::LblCh(int ch) const { return m_channel->LblCh(ch); }
QLabel *FrmMixer::Lbl1L(int row) const { return m_channel->Lbl1L(row); }
QLabel *FrmMixer::Label1(int i) const { return m_system->Label1(i); }
QLabel *FrmMixer::LblMuteA(int i) const { return m_system->LblMuteA(i); }
QPushButton *FrmMixer::CmdInitch(int i) const { return m_channel->CmdInitch(i); }
QPushButton *FrmMixer::CmdOpen(int i) const { return m_system->CmdOpen(i); }

ValueEntry *FrmMixer::UpDwParam(int i) const
{
    ValueEntry *system = m_system->UpDwParam(i);
    return system ? system : m_extended->UpDwParam(i);
}

QPushButton *FrmMixer::CmdInit(int i) const
{
    for (QPushButton *b : {m_system->CmdInit(i), m_extended->CmdInit(i), m_defaults->CmdInit(i)})
        if (b)
            return b;
    return nullptr;
}

QPushButton *FrmMixer::CmdMixer(int i) const
{
    QPushButton *extended = m_extended->CmdMixer(i);
    return extended ? extended : m_defaults->CmdMixer(i);
}

int FrmMixer::pictureOf(int i) const
{
    return m_pictureShown[size_t(i)];
}

void FrmMixer::showAmbientLevel(double level)
{
    m_system->showAmbientLevel(level);
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
        m_extended->load();
    if (tab == TabDefaults)
        m_defaults->load();
    applyFrameRule(tab);
    if (tab == TabExtended || tab == TabDefaults)
        m_requests.readExtended();
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
        m_system->setGroupsEnabled(editable);
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
    m_requests.writeGroup(n, [this] { return extendedEntries(); });
    m_marks->follow();
    const int tab = m_tabs->currentIndex();
    if (tab == TabExtended || tab == TabDefaults)
        m_tabs->setCurrentIndex(TabSystem);
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
        for (int ch = 0; ch < ChannelCount; ++ch)
            UpDwInpgain(ch)->commit();
        UpDwParam(FieldOutputGain)->commit();
        UpDwParam(FieldHoldTime)->commit();
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
        m_system->followThreshold(threshold, m_ctx.env.sync.dataReceived());
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
    m_channel->refresh(d, reported, model, notify, rewrite);
    m_system->refresh(d, reported, model, notify, rewrite, !m_refreshed);
    m_refreshed = true;
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
    m_system->applyRules(m_rules);
    applyChannelEnables();
    m_extended->applyRules(m_rules);
    m_defaults->applyRules(m_rules);
    m_channel->applyRules(m_rules);
}

void FrmMixer::applyChannelEnables()
{
    m_channel->applyLocks(m_rules.newerChoices);
    m_system->applyOutputLock(m_rules.newerChoices);
}

void FrmMixer::refreshExtendedDisplay()
{
    m_extended->load();
    m_defaults->load();
}

ExtendedEntries FrmMixer::extendedEntries() const
{
    ExtendedEntries e = ExtendedEntries::fromRecord(m_ctx.env.mixers.ExtendedData[size_t(EditMixer())]);
    m_extended->fill(e);
    m_defaults->fill(e);
    return e;
}

// ---- Window events -----------------------------------------------------------------------

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
