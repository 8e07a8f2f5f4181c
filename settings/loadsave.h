#pragma once

// The open, save and save-as commands and the unsaved-changes check. They
// move settings between the live records (mixers and panel), the two text
// tables and the file, keep the current file name, DataFileName, DataState
// and the window caption up to date, and ask every question through Dialogs.

#include "settings/panelmodel.h"
#include "settings/keytable.h"
#include "settings/settingsfile.h"

#include <QObject>
#include <QString>

#include <functional>

class Dialogs;
class MixerSettings;
struct LinkState;
struct LoopState;

// The settings file's own state: its key table, the file's image and the
// current settings in text form, and the file they belong to.
struct SettingsFiles
{
    SetDataKeyTable keyTable = SetDataKeyTable::build();
    SettingsTable FileTable;
    SettingsTable SetDataTable;
    QString currentFileName;    // empty until a load or save succeeds
    // The panel in SetDataTable was taken from a recovery file and has not
    // been saved since: the panel counts it as changed when it opens.
    bool recovered = false;

    SettingsFiles() { resetFileTable(FileTable); }
};

// How a settings command asks before the settings are changed or dropped,
// and whether the panel window asks (its save stores the remote values the
// panel recorded instead of the switched-off live ones).
struct ChangeMode
{
    enum class Question {
        Ask,       // Yes/No, may save; the answer always stops the caller
        Load,      // "the current settings will be lost"
        AskCancel, // Yes/No/Cancel, may save
    };
    Question question = Question::Ask;
    bool fromPanel = false;

    static const ChangeMode Ask;
    static const ChangeMode AskFromPanel;
    static const ChangeMode Load;
    static const ChangeMode LoadFromPanel;
    static const ChangeMode AskCancel; // the panel's
};
inline const ChangeMode ChangeMode::Ask{ChangeMode::Question::Ask, false};
inline const ChangeMode ChangeMode::AskFromPanel{ChangeMode::Question::Ask, true};
inline const ChangeMode ChangeMode::Load{ChangeMode::Question::Load, false};
inline const ChangeMode ChangeMode::LoadFromPanel{ChangeMode::Question::Load, true};
inline const ChangeMode ChangeMode::AskCancel{ChangeMode::Question::AskCancel, true};

// What a load sends to the linked mixers once the user has seen what it
// would change.
enum class LoadSend {
    Nothing,
    Differences, // the values the mixers do not hold
    Everything,  // every value of the file, held or not
};

class SettingsCommands : public QObject
{
    Q_OBJECT

public:
    static QString fileFilter();

    SettingsCommands(SettingsFiles &files, MixerSettings &mixers, PanelState &panel, LoopState &loop,
                     const LinkState &link, Dialogs &dialogs, QObject *parent = nullptr);

    // Which window shows the caption: the panel window adds "[デザイン]".
    void setPanelVisible(bool visible);
    // Screen size in twips, for the panel's default button and table window.
    void setScreenSize(qint32 widthTwips, qint32 heightTwips);

    // The menu handlers: set FileMixerCount to the link count, then run the
    // command. Open also applies what it loaded.
    bool openMenu(ChangeMode mode);
    bool saveMenu(ChangeMode mode);
    bool saveAsMenu(ChangeMode mode);
    // The panel's save when the link count fell below the `held` mixers it
    // was laid out for: the file keeps all of them, those gone with their
    // last known settings and their buttons.
    bool saveHeldMixers(ChangeMode mode, int held);

    // The start of a chairperson's PC: `path` opened without a file dialog
    // or questions (nothing of the user's is there yet to lose), its panel
    // applied, and online nothing sent: the mixers keep what they hold.
    // False (and nothing changed) for a file that cannot be used. From then
    // on the room's file is written only by a save someone chooses: the
    // unsaved-changes check asks only about a design changed since.
    bool openForOperation(const QString &path);

    // The commands themselves.
    bool LoadCommand(ChangeMode mode);
    bool SaveCommand();
    bool SaveAsCommand();
    // True when the caller may go on (nothing to lose, the user agreed or
    // saved); false to stop. The check compares what the settings would
    // hold now with the file; it changes neither. A panel taken from a
    // recovery file and not saved since always counts as changed.
    bool SettingsChanged(ChangeMode mode);

    // Closing the main window: the unsaved-changes question (the user may
    // save), then "終了します。よろしいですか？". True when the program may end.
    bool confirmClose();

    // Capture steps: live mixer records and panel state into SetDataTable,
    // for the linked mixers or, given, `mixers` of them.
    void captureSettings(bool fromPanel, int mixers = -1);
    // Apply step after a load: mixer values into MixerSetData with their
    // pending flags and the transfer job (with write access), then the panel. A file
    // whose panel sections held values out of the panel's range says so once.
    void applyLoadedSettings();

    // Asked before a load sends the file's mixer values to linked mixers
    // (online, with write access), once they are known: Nothing keeps the
    // file opened, its panel values applied, but sends nothing. Unset: the
    // values that differ.
    std::function<LoadSend()> confirmSend;

    // Which values a loaded file's mixer sections may hold: the editor's,
    // or, for a service engineer's tool on purpose, what the mixer can hold.
    ValueLimits valueLimits = ValueLimits::Editor;

    // The panel's designer: true while it holds design steps made since the
    // last save, load or clear. Unset (no panel window): nothing held.
    std::function<bool()> panelEdited;

    // The panel snapshot of the current state into FileTable (panel window
    // opened, settings cleared).
    void snapshotPanel();

    QString caption() const;
    bool panelVisible() const { return m_panelVisible; }

signals:
    void captionChanged(const QString &caption);
    // A file dialog is about to open / has closed (the panel hides its button
    // table meanwhile).
    void fileDialogOpening();
    void fileDialogClosed();
    // Loaded settings were applied; offline the editor re-enables its
    // controls when its mixer is present.
    void settingsApplied();
    // The values just applied are to be written to the mixers (the transfer
    // of loaded settings): those they do not hold, or with `everything` each
    // one. Asked before settingsApplied.
    void transferRequested(bool everything);
    // A settings file was read (`ok` false: it could not be used) or
    // written (`ok` false: it could not be written).
    void loaded(const QString &path, bool ok);
    void saved(const QString &path, bool ok);
    // The user answered not to save the changed settings: what was kept of
    // them against a crash (the panel's recovery file) may go.
    void changesAbandoned();

private:
    // The load's steps after the file name: `ask` false skips the questions.
    bool loadFrom(const QString &path, ChangeMode mode, bool ask);
    void applyLoaded(LoadSend send);
    bool saveTo(const QString &path);
    bool saveCurrent(ChangeMode mode);
    QString askFileName(bool save);
    void setCurrentFile(const QString &path);
    bool nothingToLose() const;
    bool differs() const;
    PanelContext panelContext() const;

    SettingsFiles &m_files;
    MixerSettings &m_mixers;
    PanelState &m_panel;
    LoopState &m_loop;
    const LinkState &m_link;
    Dialogs &m_dialogs;
    bool m_panelVisible = false;
    bool m_operating = false; // a chairperson's PC: see openForOperation
    qint32 m_screenWidth = 1920 * 15;
    qint32 m_screenHeight = 1080 * 15;
};
