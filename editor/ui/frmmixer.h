#pragma once

// FrmMixer: the editor window of one linked mixer. Four tabs: the eight
// channel strips side by side with the ch1-Link and Mixer-Link options, the
// mixer's system settings, and (behind a confirmation) the extended data and
// the initial values. The window never talks to the link: edits go through
// MixerEdits into MixerSetData with their send flags, group operations are
// requests to the job loop, and a timer keeps the controls following
// MixerData once a fresh status reply has arrived.

#include "editor/editorjobs.h"
#include "editor/editorlifecycle.h"
#include "editor/editorrules.h"
#include "editor/extendedentries.h"
#include "editor/mixeredits.h"
#include "editor/scales.h"
#include "link/linkstate.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <map>
#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class LinkLine;
class MarkBadge;
class MarkSet;
class SyncFollower;
class OptionGroup;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ValueEntry;

struct FrmMixerContext
{
    EditorEnv env;
    EditorJobs &jobs;                            // the editor's requests of the job loop
    LinkState &link;
    Dialogs &dialogs;
    std::function<void(bool)> setPrintEnabled;   // MenPrint and its toolbar button
    std::function<void(int gridItem)> showParameterGrid;
    // The link's state, shown at the window's foot (none: no such line).
    const LinkLine *linkLine = nullptr;
};

class FrmMixer : public QWidget
{
    Q_OBJECT

public:
    // Loads the window for mixer `editMixer` (1 the master, 2..16 the
    // slaves); the number stays for the window's life. With `debugMode` (the
    // "DEBUG" command line) the silent-time and ThresholdK2 rows show and the
    // window stays open when its mixer drops out of the link.
    FrmMixer(FrmMixerContext context, int editMixer, bool debugMode, QWidget *parent = nullptr);
    ~FrmMixer() override;

    int EditMixer() const { return m_edits.editMixer(); }
    MixerEdits &edits() { return m_edits; }

    // Re-applies who may edit what for this mixer and its model.
    void Enable_Control();
    // One tick of the refresh timer (Timer1).
    void Timer1();
    // After an extended read: the extended and initial-values entries show
    // ExtendedData again.
    void refreshExtendedDisplay();
    // The status poll's ambient level, shown while the gate attenuation is auto.
    void showAmbientLevel(double level);
    // The entries of tabs 2 and 3 as they stand (what the extended write sends).
    ExtendedEntries extendedEntries() const;

    // UpDwParam(i): the system tab's fields 5..7, the extended tab's others.
    enum Field : int {
        FieldOutPeak = 0, FieldThresholdK = 1, FieldMuteK = 2, FieldThresholdMin = 3,
        FieldThresholdMax = 4, FieldThreshold = 5, FieldOutputGain = 6, FieldHoldTime = 7,
        FieldNoiseReference = 8, FieldNoiseThreshold = 9, FieldSilentTime = 10,
        FieldHoldTime2 = 11, FieldThresholdK2 = 12,
    };
    static constexpr int GainPicture = 8;      // ImgChannel(8): OutputGain
    static constexpr int ThresholdPicture = 9; // ImgChannel(9): the threshold's position

    // The controls, by the window's own indexed names.
    QTabWidget *SSTMixer() const { return m_tabs; }
    QFrame *tabFrame(int tab) const { return m_tabFrames[size_t(tab)]; }
    QRadioButton *OpnLink(int i) const;
    QRadioButton *OpnMixerLink(int i) const;
    QRadioButton *OpnParamCh(int index) const;
    QRadioButton *OpnParam(int index) const;
    QRadioButton *OpnMuteM(int i) const;
    QRadioButton *ExtParam(int index) const;
    QRadioButton *OpnInit(int index) const;
    ValueEntry *UpDwInpgain(int ch) const { return m_gains[size_t(ch)]; }
    ValueEntry *UpDwParam(int i) const { return m_params[size_t(i)]; }
    ValueEntry *UpDwParam2(int i) const { return m_params2[size_t(i)]; }
    QLabel *LblCh(int ch) const { return m_chLabels[size_t(ch)]; }
    QLabel *Lbl1L(int row) const { return m_rowLabels[size_t(row)]; }
    QLabel *Label1(int i) const { return m_fieldLabels[size_t(i)]; }
    QLabel *LblMuteA(int i) const { return m_muteLabels[size_t(i)]; }
    QLabel *ImgChannel(int i) const { return m_pictures[size_t(i)]; }
    // The picture number ImgChannel(i) shows (0..31).
    int pictureOf(int i) const;
    QPushButton *CmdInitch(int i) const { return m_initCh[size_t(i)]; }
    QPushButton *CmdInit(int i) const { return m_init[size_t(i)]; }
    QPushButton *CmdOpen(int i) const { return m_open[size_t(i)]; }
    QPushButton *CmdMixer(int i) const { return m_toMixer[size_t(i)]; }
    // The link's state line, when the window has one.
    QLabel *linkLine() const { return m_linkLine; }
    // The mark of key id `id` of this mixer, where the window shows one.
    const MarkBadge *markOf(int id) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static constexpr int WordMax = editorMax(87); // ThresholdMax .. ThresholdMinDef: 15-bit registers
    static constexpr int HoldTimeUnit = 10; // LblMonly(10): "秒" beside HoldTime
    // Top to bottom, the rows of a strip as the row labels Lbl1L(0..7) name
    // them, which are also the grid items 0..7; -1 is the gain.
    static constexpr std::array<int, 8> StripRows{RowInputLevel, RowPhantom,   RowHeadAmp,   RowLowCutFil,
                                                  -1,            RowRemoteOn,  RowRemoteOff, RowThresholdObj};

    // One channel strip: its frame and its rows of option buttons.
    struct Strip
    {
        QFrame *frame = nullptr;
        std::array<OptionGroup *, 8> rows{}; // by ChannelRow; row 5 has none
    };

    // Building.
    // A tab's content in a scroll area, so that the window fits a small
    // screen and scrolls what does not.
    QWidget *scrolling(QFrame *content);
    // The window's first size: all of it where the screen has room, else
    // the screen's room with the tabs scrolling.
    QSize fittingSize() const;
    QWidget *buildChannelTab();
    QWidget *buildSystemTab();
    QWidget *buildExtendedTab();
    QWidget *buildDefaultsTab();
    void connectHandlers();
    ValueEntry *makeEntry(Scale scale, int min, int max, int index,
                          const QString &name = QStringLiteral("UpDwParam"));
    // An entry bounded by the editor range of settings key `keyId`.
    ValueEntry *makeKeyEntry(Scale scale, int keyId, int index,
                             const QString &name = QStringLiteral("UpDwParam"));

    // Handlers.
    void channelClicked(int ch, int row, int choice);
    void gainChanged(int ch, int code);
    void linkClicked(int i);
    void mixerLinkClicked(int i);
    void systemClicked(int group, int choice);
    void setMuteMode(MixerEdits::MuteMode mode);
    void paramChanged(int i, int code);
    void tabSelected(int tab);
    // Tab 2 or 3, chosen while hidden (a screen reader can press any tab):
    // its page opens only through the warning, as from the system tab.
    void hiddenTabChosen(int tab);
    // Judges the text of the entry box that has the focus, as leaving it
    // would: before another tab hides the box.
    void commitFocusedEntry();
    // The next tab on show in the direction of `step` (1 or -1); Ctrl+Tab
    // goes round the end, the tab bar's keys and wheel stop there.
    void stepTab(int step, bool wrap);
    // The warning; true when the user went on and tab i + 2 shows.
    bool openTab(int i);

    // Keys (frmmixer_keys.cpp): Ctrl+W and Escape close the window; the
    // context-menu key or Shift+F10 on a control of a row or field shows
    // that value across the mixers, as a double-click on its label does.
    void setUpKeys();
    // The grid item a key event on `watched` asks for, or -1.
    int gridItemAsked(QObject *watched, QEvent *event) const;
    void showGrid(int item);
    void writeGroup(int n);
    // The group's registers wait to be written, with the values the entries show.
    void markGroupWaiting(int n);
    void initialise(int code);

    // Showing MixerData, as m_follower calls it. Returns false when the
    // window closed (a picture could not be drawn).
    bool followMixer();
    void refresh();
    // MixerData[EditMixer] with the values still waiting to be sent in place
    // of the reported ones: what the mixer holds once they are sent.
    MixerDataRecord awaitedRecord() const;
    bool drawPictures();
    void setPicture(int i, int picture);
    void applyChannelEnables();
    void applyFrameRule(int tab);
    void showStripLink(bool linked);
    void loadExtendedTab();
    void loadDefaultsTab();
    void applyNoiseOptions();
    void keepOrdered(ValueEntry *low, ValueEntry *high);
    void tightenThresholdRanges();
    void tightenDefaultRanges();

    FrmMixerContext m_ctx;
    MixerEdits m_edits;
    EditorLifecycle m_lifecycle;
    bool m_debug = false;
    EnableRules m_rules;
    qint16 m_appliedModel = -2;
    bool m_firstTick = true;
    bool m_refreshed = false; // the first refresh has been made
    bool m_closed = false;
    bool m_ambientShown = true;
    bool m_loadingEntries = false;
    std::array<OlderModelLocks, ChannelCount> m_locks{};
    bool m_outputLocked = false;
    QTimer m_timer;

    QTabWidget *m_tabs = nullptr;
    QLabel *m_linkLine = nullptr;

    // Where each value's mark shows, what names it and how its value reads.
    MarkSet *m_marks = nullptr;
    SyncFollower *m_follower = nullptr;
    std::array<QFrame *, 4> m_tabFrames{};
    std::array<QFrame *, 3> m_systemGroups{};
    std::array<QFrame *, 3> m_extendedGroups{};
    QFrame *m_defaultsGroup = nullptr;

    OptionGroup *m_link = nullptr;
    OptionGroup *m_mixerLink = nullptr;
    QLabel *m_linkLabel = nullptr;
    QLabel *m_mixerLinkLabel = nullptr;
    std::array<std::unique_ptr<Strip>, ChannelCount> m_strips;
    std::array<QLabel *, ChannelCount> m_chLabels{};
    std::array<QLabel *, 8> m_rowLabels{};
    std::array<ValueEntry *, ChannelCount> m_gains{};
    std::array<QPushButton *, ChannelCount + 1> m_initCh{};

    std::array<OptionGroup *, 9> m_groups{};
    OptionGroup *m_muteAtt = nullptr;
    std::array<QLabel *, 4> m_fieldLabels{};
    std::array<QLabel *, 11> m_onlyLabels{}; // LblMonly(0..7, 10) of the system tab
    std::array<QLabel *, 3> m_muteLabels{};
    std::array<QLabel *, 10> m_pictures{};
    std::array<int, 10> m_pictureShown{};
    std::array<bool, 10> m_pictureMissing{true, true, true, true, true, true, true, true, true, true};
    // What the option buttons' enabled states were last set from.
    struct ChannelEnables
    {
        std::array<OlderModelLocks, ChannelCount> locks{};
        bool outputLocked = false;
        bool newerChoices = false;
        bool operator==(const ChannelEnables &o) const
        {
            return locks == o.locks && outputLocked == o.outputLocked && newerChoices == o.newerChoices;
        }
    };
    std::optional<ChannelEnables> m_channelEnables;
    std::array<ValueEntry *, 13> m_params{};
    std::array<ValueEntry *, 2> m_params2{};
    std::array<QPushButton *, 7> m_init{};
    std::array<QPushButton *, 2> m_open{};
    std::array<QPushButton *, 4> m_toMixer{};

    OptionGroup *m_noise = nullptr;     // ExtParam(0..1)
    OptionGroup *m_headLack = nullptr;  // ExtParam(10..11)
    OptionGroup *m_priorityDef = nullptr;  // OpnInit(0..1)
    OptionGroup *m_muteAttDef = nullptr;   // OpnInit(10..12)
    OptionGroup *m_actionDef = nullptr;    // OpnInit(20..21)
    // What each noise option governs: the fields with their labels.
    std::vector<QWidget *> m_noiseFields;
    std::vector<QWidget *> m_headLackFields;
    // Rows the "DEBUG" layout shows: silent time and ThresholdK2.
    std::vector<QWidget *> m_debugRows;
    // The tab last shown, and the grid item of each control a key opens it from.
    int m_shownTab = 0;
    std::map<const QObject *, int> m_gridItems;
};
