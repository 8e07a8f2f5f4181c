#pragma once

// FrmMixer: the editor window of one linked mixer. Four tabs: the eight
// channel strips side by side with the ch1-Link and Mixer-Link options, the
// mixer's system settings, and (behind a confirmation) the extended data and
// the initial values. Each tab builds itself, routes its own edits to
// MixerEdits and shows a record (ChannelTab, SystemTab, ExtendedTab,
// DefaultsTab); the window holds the tab widget and its keys, carries the
// tabs' requests to the job loop (EditorRequests), and on a timer keeps the
// tabs following MixerData once a fresh status reply has arrived.

#include "editor/editorjobs.h"
#include "editor/editorlifecycle.h"
#include "editor/editorrequests.h"
#include "editor/editorrules.h"
#include "editor/extendedentries.h"
#include "editor/mixeredits.h"
#include "editor/scales.h"
#include "editor/ui/editortabparts.h"
#include "link/linkstate.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <map>
#include <functional>
#include <memory>
#include <optional>

class ChannelTab;
class DefaultsTab;
class Dialogs;
class ExtendedTab;
class LinkLine;
class MarkBadge;
class MarkSet;
class SyncFollower;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;
class SystemTab;
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

class FrmMixer : public QWidget, public EditorFields
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
    ValueEntry *UpDwInpgain(int ch) const;
    ValueEntry *UpDwParam(int i) const;
    ValueEntry *UpDwParam2(int i) const;
    QLabel *LblCh(int ch) const;
    QLabel *Lbl1L(int row) const;
    QLabel *Label1(int i) const;
    QLabel *LblMuteA(int i) const;
    QLabel *ImgChannel(int i) const { return m_pictures[size_t(i)]; }
    // The picture number ImgChannel(i) shows (0..31).
    int pictureOf(int i) const;
    QPushButton *CmdInitch(int i) const;
    QPushButton *CmdInit(int i) const;
    QPushButton *CmdOpen(int i) const;
    QPushButton *CmdMixer(int i) const;
    // The link's state line, when the window has one.
    QLabel *linkLine() const { return m_linkLine; }
    // The mark of key id `id` of this mixer, where the window shows one.
    const MarkBadge *markOf(int id) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Building.
    void buildTabs();
    void buildLinkLine(QVBoxLayout *layout);
    void connectRequests();
    // A tab's content in a scroll area, so that the window fits a small
    // screen and scrolls what does not.
    QWidget *scrolling(QFrame *content);
    // The window's first size: all of it where the screen has room, else
    // the screen's room with the tabs scrolling.
    QSize fittingSize() const;

    // Tabs.
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
    void applyFrameRule(int tab);
    void writeGroup(int n);

    // Keys (frmmixer_keys.cpp): Ctrl+W and Escape close the window; the
    // context-menu key or Shift+F10 on a control of a row or field shows
    // that value across the mixers, as a double-click on its label does.
    void setUpKeys();
    // The grid item a key event on `watched` asks for, or -1.
    int gridItemAsked(QObject *watched, QEvent *event) const;
    void showGrid(int item);

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

    FrmMixerContext m_ctx;
    MixerEdits m_edits;
    EditorLifecycle m_lifecycle;
    EditorRequests m_requests;
    bool m_debug = false;
    EnableRules m_rules;
    qint16 m_appliedModel = -2;
    bool m_firstTick = true;
    bool m_refreshed = false; // the first refresh has been made
    bool m_closed = false;
    QTimer m_timer;

    QTabWidget *m_tabs = nullptr;
    QLabel *m_linkLine = nullptr;

    // Where each value's mark shows, what names it and how its value reads.
    MarkSet *m_marks = nullptr;
    SyncFollower *m_follower = nullptr;
    ChannelTab *m_channel = nullptr;
    SystemTab *m_system = nullptr;
    ExtendedTab *m_extended = nullptr;
    DefaultsTab *m_defaults = nullptr;
    std::array<QFrame *, EditorTabCount> m_tabFrames{};

    // The level pictures of the channel and system tabs, drawn here.
    std::array<QLabel *, PictureCount> m_pictures{};
    std::array<int, PictureCount> m_pictureShown{};
    std::array<bool, PictureCount> m_pictureMissing{true, true, true, true, true, true, true, true, true, true};
    // The tab last shown, and the grid item of each control a key opens it from.
    int m_shownTab = 0;
    std::map<const QObject *, int> m_gridItems;
};
