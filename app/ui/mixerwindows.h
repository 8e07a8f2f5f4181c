#pragma once

// The windows of mixer mode: the editors (one per mixer), the mixer choice,
// the parameter grid, the channel and output settings dialogs, the activity
// window and the version dialog, with the main window's commands that open,
// arrange and print them. It owns these windows and closes them for a mode
// change; it owns neither the main window nor the panel, and asks the link
// session for the synchronisation the editors write through.

#include "app/jobqueue.h"
#include "mixer/mixerdata.h"

#include <QPoint>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class FrmActivity;
class FrmMain;
class FrmMdi;
class FrmMixer;
class FrmParameter;
class LinkSession;
class QTimer;
class QWidget;
class SettingsDialog;
struct ChannelDialogSeam;
struct EditorEnv;
struct FrmMixerContext;
struct PanelGeometry;
struct World;

class MixerWindows
{
public:
    struct Context
    {
        World &world;
        FrmMain &main;
        LinkSession &session;
        bool debug = false;
        std::function<bool()> jobWindowVisible;
        std::function<FrmMdi *()> panel;
        QString virtualAddressLine; // for the version dialog; empty on a link to hardware
    };

    explicit MixerWindows(Context context);
    // The windows go with the program, not with a later turn of the event
    // loop that the program's state would not outlive.
    ~MixerWindows();

    // The main window's commands that open, arrange and print these windows.
    void wireCommands();

    // The editor window of a mixer, when one is loaded.
    FrmMixer *editor(int mixer) const;
    // The mixer the editor shows.
    int editorMixer() const { return m_editorMixer; }
    // Mixer 1's editor beside the main window, as an online start opens it.
    void showFirstEditor();
    void unloadActiveEditors();
    // A mode change leaves mixer mode: its windows close.
    void closeForModeChange();

    EditorEnv editorEnv();
    // The open grid shows the records as they are now.
    void refreshParameterGrid();
    // The panel's channel and output settings dialogs, opened on its right click.
    ChannelDialogSeam channelDialogSeam();

    SettingsDialog *settingsDialog() const;
    FrmParameter *parameterGrid() const;
    FrmActivity *activityWindow() const;

private:
    FrmMixer *showEditor(int mixer);
    void unloadEditor(int mixer);
    FrmMixerContext editorContext();
    void showParameterGrid(int item);
    void openSettingsDialog(QWidget *parent, std::function<void()> closed);
    void chooseSettingsDialog();
    std::optional<PanelGeometry> panelGeometry() const;
    void onShowMixer();
    void onArrange();
    void printEditor();
    void openSelect();
    void showActivity();
    void showVersion();

    Context m_ctx;
    World &m_world;
    FrmMain &m_main;
    QueuedEditorJobs m_editorJobs; // the editors' requests of the loop
    std::array<QPointer<FrmMixer>, MixerSlots> m_editors{};
    int m_editorHeight = 0;  // remembered for the arrange command
    QPoint m_editorPosition; // where the last editor was before a mode change
    int m_editorMixer = 0;
    QPointer<QWidget> m_select;
    QPointer<QWidget> m_version;
    QPointer<SettingsDialog> m_settingsDialog;
    QPointer<FrmParameter> m_parameterGrid;
    int m_gridItem = 0; // the item the open grid shows
    QPointer<FrmActivity> m_activity;
    std::unique_ptr<QTimer> m_timer1; // opens FrmSelect once the job window closed
};
