#pragma once

// What frmChSetting and frmOutputSetting share: the small modeless dialogs
// the control panel opens on a right click to adjust one channel, or one
// mixer's output, without the full editor. Each has a title line naming the
// mixer (and channel), option rows, one level entry with its picture, the
// edit lock chkEnable and OK / Cancel.
//
// The option buttons stay disabled until the lock is ticked; the level entry
// is always open (unless writing is not permitted, or there is no link). A timer follows
// MixerData after the first second, every 100 ms, whenever a status reply
// newer than the last edit has arrived. OK keeps what was changed; Cancel
// puts back what the dialog found, marked to be sent again; Escape is
// Cancel, while the close box keeps the changes like OK.

#include "editor/settingsdialogs.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <optional>

class Dialogs;
class MarkBadge;
class MarkSet;
class SyncFollower;
class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class ValueEntry;

// Where the control panel stands on the screen, to place a dialog over it.
struct PanelGeometry
{
    QPoint origin;              // screen pixel of the panel's twip (0, 0)
    QSize size;                 // the panel window, pixels
    int toolbarHeight = 0;      // pixels
    double twipsPerPixel = 15.0;
};

struct SettingsDialogContext
{
    EditorEnv env;
    Dialogs &dialogs;
    // The panel the dialog opens over; without one it is centred on its parent.
    std::function<std::optional<PanelGeometry>()> panel;
    // Offline an edit could be neither sent nor saved (a file keeps what the
    // mixers reported): the dialog only shows, like the editor's tabs.
    bool offline = false;
};

class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    ~SettingsDialog() override;

    SettingsDialogEdits &edits() { return m_edits; }
    const SettingsDialogEdits &edits() const { return m_edits; }

    QLabel *titleLabel() const { return m_title; } // lblIconNum / lblMixerNum
    ValueEntry *gainEntry() const { return m_gain; } // UpDwInpgain / UpDwParam
    QLabel *ImgChannel() const { return m_picture; }
    int pictureShown() const { return m_pictureShown; }
    QCheckBox *chkEnable() const { return m_lock; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdCancel() const { return m_cancel; }
    int timerInterval() const { return m_timer.interval(); }
    // The mark of key id `id` of the dialog's mixer, where the dialog shows one.
    const MarkBadge *markOf(int id) const;

    // One tick of Timer1: follows the extended registers' marks; the first
    // tick (after a second, the others every 100 ms) shows MixerData, which
    // is then followed through SyncEvents.
    void Timer1();

    // Called once when the dialog has closed, however it closed.
    std::function<void()> onClosed;

protected:
    // The dialog of the mixer and slot the editor state's Dialog inputs name.
    SettingsDialog(SettingsDialogContext context, const QString &objectName, QWidget *parent);

    // The derived dialog's parts: the options area between the title line
    // and the lock, and the entry and picture it lays out.
    QWidget *makeOptionsArea();
    ValueEntry *makeGainEntry(const QString &objectName);
    QLabel *makePicture(QWidget *parent);

    // Ends the building: placement, the lock and writing rules, the first
    // refresh and the timer.
    void finishLoading();

    // What differs between the two: selecting the option buttons quietly,
    // the code of the level entry, and which choice buttons are offered.
    virtual void showOptions(const MixerDataRecord &reported) = 0;
    virtual int gainCode(const MixerDataRecord &reported) const = 0;
    virtual void applyChoiceEnables(bool lockTicked) = 0;

    void gainChanged(int code);
    bool lockTicked() const;

    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;

    SettingsDialogContext m_ctx;
    SettingsDialogEdits m_edits;
    // Whether each value the dialog writes reached the mixer.
    MarkSet *m_marks = nullptr;
    SyncFollower *m_follower = nullptr;

private:
    void refresh();
    // Shows MixerData and its picture; false when the dialog closed.
    bool followMixer();
    bool drawPicture();
    void applyEnables();
    void lockClicked();
    void place();
    void finish();

    QVBoxLayout *m_layout = nullptr;
    QLabel *m_title = nullptr;
    ValueEntry *m_gain = nullptr;
    QLabel *m_picture = nullptr;
    int m_pictureShown = -1;
    QCheckBox *m_lock = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer m_timer;
    bool m_force = true;
    bool m_finished = false;
};

// Opens frmChSetting (slot 0..7) or frmOutputSetting (slot 8) for what the
// editor state's DialogMixer and DialogSlot name, marks SettingsDialogOpen
// and shows the dialog over `parent`. `closed` runs once when it has closed.
SettingsDialog *openSettingsDialog(SettingsDialogContext context, QWidget *parent,
                                   std::function<void()> closed = {});
