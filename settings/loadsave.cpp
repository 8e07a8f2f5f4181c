#include "settings/loadsave.h"

#include "base/dialogs.h"
#include "base/loopstate.h"
#include "base/regularfile.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "settings/panelsections.h"
#include "settings/panelsections_keys.h"
#include "settings/mixersections.h"
#include "settings/valuetext.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcLoadSave, "zkvr.settings.commands")

namespace {

namespace Res {
constexpr int WindowColor = 511;
constexpr int GridColor = 512;
constexpr int EndQuestion = 1311;
constexpr int Title = 1901;
constexpr int DesignTag = 1951;
constexpr int Untitled = 1953;
constexpr int SettingsChangedText = 2703;
constexpr int SaveQuestion = 2732;
constexpr int StoredCountHead = 2741;
constexpr int StoredCountTail = 2742;
constexpr int MissingBecomeDefault = 2743;
constexpr int ExtraDiscarded = 2744;
constexpr int ContinueQuestion = 2745;
constexpr int SettingsLost = 2761;
constexpr int LoadQuestion = 2762;
constexpr int FileFilter = 9300;
constexpr int SaveFailed = 9301;
constexpr int ValuesOutOfRange = 11100;
constexpr int NotLoaded = 13112;
constexpr int NotRegularTarget = 13113;
} // namespace Res

const QString CrLf = QStringLiteral("\r\n");
constexpr int Sys = SettingsGrid::SystemSection;

std::optional<qint32> resourceColor(int id)
{
    return parseHexConstant(str(id));
}

} // namespace

QString SettingsCommands::fileFilter()
{
    return hasStr(Res::FileFilter) ? str(Res::FileFilter) : QStringLiteral("設定値ファイル (*.ini)");
}

SettingsCommands::SettingsCommands(SettingsFiles &files, MixerSettings &mixers, PanelState &panel,
                                   LoopState &loop, const LinkState &link, Dialogs &dialogs,
                                   QObject *parent)
    : QObject(parent), m_files(files), m_mixers(mixers), m_panel(panel), m_loop(loop), m_link(link),
      m_dialogs(dialogs)
{
}

void SettingsCommands::setPanelVisible(bool visible)
{
    m_panelVisible = visible;
}

void SettingsCommands::setScreenSize(qint32 widthTwips, qint32 heightTwips)
{
    m_screenWidth = widthTwips;
    m_screenHeight = heightTwips;
}

PanelContext SettingsCommands::panelContext() const
{
    PanelContext ctx;
    ctx.linkKind = m_link.linkKind;
    ctx.mixerCount = m_mixers.mixerCount();
    ctx.screenWidth = m_screenWidth;
    ctx.screenHeight = m_screenHeight;
    return ctx;
}

QString SettingsCommands::caption() const
{
    const QString title = str(Res::Title);
    if (m_files.currentFileName.isEmpty())
        return str(Res::Untitled) + QStringLiteral(" - ") + title;
    QString c = m_files.currentFileName + QStringLiteral(" - ") + title;
    if (m_panelVisible)
        c += u' ' + str(Res::DesignTag);
    return c;
}

void SettingsCommands::setCurrentFile(const QString &path)
{
    m_files.currentFileName = path;
    m_loop.DataFileName = path;
    emit captionChanged(caption());
}

QString SettingsCommands::askFileName(bool save)
{
    emit fileDialogOpening();
    const QString title;    // the platform's own dialog title
    const QString path = save ? m_dialogs.saveFileName(title, m_loop.DataFileName, fileFilter())
                              : m_dialogs.openFileName(title, m_loop.DataFileName, fileFilter());
    emit fileDialogClosed();
    return path;
}

void SettingsCommands::captureSettings(bool fromPanel, int mixers)
{
    m_mixers.capture(m_files.SetDataTable, fromPanel, m_panel.runtime,
                     mixers < 0 ? m_mixers.mixerCount() : mixers);
    StorePanel(m_panel, m_files.SetDataTable, m_mixers.fileMixerCount());
}

bool SettingsCommands::nothingToLose() const
{
    if (!m_link.offline() || m_mixers.mixerCount() != 0 || m_panel.FigureNum != 0)
        return false;
    if (!m_panel.setUp)
        return true;
    return m_panel.GUIWindowColor == resourceColor(Res::WindowColor).value_or(m_panel.defaults.windowColor)
        && m_panel.GridInterval == Panel::DefaultGridInterval
        && m_panel.GridColor == resourceColor(Res::GridColor).value_or(m_panel.defaults.gridColor);
}

bool SettingsCommands::differs() const
{
    const SettingsTable &file = m_files.FileTable;
    const SettingsTable &now = m_files.SetDataTable;
    // An empty cell is a key the file lacked, except for captions and the
    // image's file name, where empty is a value the user may have replaced.
    auto emptyIsAValue = [](int key, int section) {
        if (section == Sys)
            return key == SystemKey::ImageFileName;
        return section >= SettingsGrid::PanelSectionBase && key >= PanelKey::IconText
               && key < PanelKey::IconText + Panel::SlotsPerMixer;
    };
    auto cellDiffers = [&](int key, int section) {
        const QString &f = file.at(key, section);
        return (!f.isEmpty() || emptyIsAValue(key, section)) && f != now.at(key, section);
    };
    const int mixers = qBound(0, int(m_mixers.mixerCount()), SettingsGrid::MaxMixers);
    if (m_loop.DataState == DataChanged) {
        for (int k = 1; k <= 103; ++k)
            if (cellDiffers(k, 0))
                return true;
        for (int s = 1; s < mixers; ++s)
            for (int k = 1; k <= 86; ++k)
                if (cellDiffers(k, s))
                    return true;
    }
    for (int s = SettingsGrid::PanelSectionBase; s < SettingsGrid::PanelSectionBase + mixers; ++s)
        for (int k = 1; k <= 123; ++k)
            if (cellDiffers(k, s))
                return true;
    for (int k = 0; k < SettingsGrid::KeyRows; ++k)
        if (cellDiffers(k, Sys))
            return true;
    return false;
}

bool SettingsCommands::saveCurrent(ChangeMode mode)
{
    // The same road as the save menus: overwrite when a file is current,
    // else save as.
    const ChangeMode from = mode.fromPanel ? ChangeMode::AskFromPanel : ChangeMode::Ask;
    return m_files.currentFileName.isEmpty() ? saveAsMenu(from) : saveMenu(from);
}

bool SettingsCommands::SettingsChanged(ChangeMode mode)
{
    // The values say whether anything differs from the file; the designer's
    // history also knows of changes the file comparison cannot see (a value
    // the last clear left without a counterpart in the file), and a panel
    // from a recovery file was never saved at all. The comparison is made on
    // the settings as they would be captured now; those in use stay as they
    // are, whatever the answer (a quit cancelled afterwards must find them).
    const bool edited = m_files.recovered || (panelEdited && panelEdited());
    const SettingsTable inUse = m_files.SetDataTable;
    captureSettings(mode.fromPanel);
    // Operating differs from the room's file by nature (the switches, the
    // mixers as they are): only a design someone changed is worth a question.
    const bool unchanged = !edited && (m_operating || nothingToLose() || !differs());
    m_files.SetDataTable = inUse;
    if (unchanged)
        return true;

    const QString title = str(Res::Title);
    const QString saveText = str(Res::SettingsChangedText) + CrLf + str(Res::SaveQuestion);
    switch (mode.question) {
    case ChangeMode::Question::AskCancel: {
        const MsgAnswer a = m_dialogs.message(saveText, MsgButtons::YesNoCancel, MsgIcon::Question, title);
        if (a == MsgAnswer::Cancel)
            return false;
        if (a == MsgAnswer::Yes)
            // A save that failed or was cancelled must not let the caller
            // throw the settings away.
            return saveCurrent(mode);
        emit changesAbandoned();
        return true;
    }
    case ChangeMode::Question::Ask:
        if (m_dialogs.message(saveText, MsgButtons::YesNo, MsgIcon::Question, title) == MsgAnswer::Yes)
            saveCurrent(mode);
        else
            emit changesAbandoned();
        return false;
    case ChangeMode::Question::Load:
        break;
    }
    const QString text = str(Res::SettingsLost) + CrLf + str(Res::LoadQuestion);
    return m_dialogs.message(text, MsgButtons::YesNo, MsgIcon::Question, title) == MsgAnswer::Yes;
}

bool SettingsCommands::confirmClose()
{
    SettingsChanged(ChangeMode::Ask);
    return m_dialogs.message(str(Res::EndQuestion), MsgButtons::OkCancel, MsgIcon::Warning,
                             str(Res::Title))
        == MsgAnswer::Ok;
}

bool SettingsCommands::LoadCommand(ChangeMode mode)
{
    const QString path = askFileName(false);
    if (path.isEmpty())
        return false;
    return loadFrom(path, mode, true);
}

bool SettingsCommands::loadFrom(const QString &path, ChangeMode mode, bool ask)
{
    // The file is read into a fresh table; the one in use stays as it was
    // until the load is agreed, so a refused or broken file changes nothing
    // and the unsaved-changes check still compares against the saved file.
    const SettingsTable before = m_files.FileTable;
    m_files.keyTable = SetDataKeyTable::build();
    resetFileTable(m_files.FileTable);
    const auto restore = [&] { m_files.FileTable = before; };

    // An empty or cut-short file, a device or a value the editor cannot set
    // is refused with its reason; the unattended start says only that the
    // file could not be opened.
    const SettingsReadResult read = openSettingsFile(path, m_files.keyTable, m_files.FileTable, valueLimits);
    if (!read.ok()) {
        qCInfo(lcLoadSave) << "not loaded:" << path << int(read.problem);
        restore();
        if (ask)
            m_dialogs.tell(str(Res::NotLoaded).arg(path, settingsProblemText(read)), MsgIcon::Error);
        emit loaded(path, false);
        return false;
    }
    // The read checked the link count: 0..16.
    const int stored = storedMixerCount(m_files.FileTable).value_or(0);

    if (ask && !SettingsChanged({ChangeMode::Question::Load, mode.fromPanel})) {
        restore();
        return false;
    }

    if (m_link.offline())
        m_mixers.setMixerCount(qint16(stored));

    if (ask && stored != m_mixers.mixerCount() && !m_link.offline() && m_mixers.writeAccess()) {
        const QString text = str(Res::StoredCountHead) + m_files.FileTable.at(0, Sys)
            + str(Res::StoredCountTail) + CrLf
            + str(stored >= m_mixers.mixerCount() ? Res::ExtraDiscarded : Res::MissingBecomeDefault)
            + CrLf + str(Res::ContinueQuestion);
        if (m_dialogs.message(text, MsgButtons::OkCancel, MsgIcon::Warning, QString()) != MsgAnswer::Ok) {
            restore();
            return false;
        }
    }

    m_files.SetDataTable = m_files.FileTable;
    m_files.recovered = false;
    setCurrentFile(path);
    m_loop.DataState = DataJustLoaded;
    emit loaded(path, true);
    return true;
}

void SettingsCommands::applyLoadedSettings()
{
    // Online, the user sees what the file would change in the mixers before
    // anything is sent; offline nothing leaves the program.
    LoadSend send = LoadSend::Nothing;
    if (m_mixers.writeAccess())
        send = m_link.offline() || !confirmSend ? LoadSend::Differences : confirmSend();
    applyLoaded(send);
}

bool SettingsCommands::openForOperation(const QString &path)
{
    m_mixers.setFileMixerCount(m_mixers.mixerCount());
    m_operating = true;
    if (!loadFrom(path, ChangeMode::Load, false))
        return false;
    // The chairperson's PC switches microphones; it does not set the room
    // up. Online the mixers keep what they hold; offline the file's values
    // stand for the mixers, as after any load.
    applyLoaded(m_link.offline() && m_mixers.writeAccess() ? LoadSend::Differences : LoadSend::Nothing);
    return true;
}

void SettingsCommands::applyLoaded(LoadSend send)
{
    const int stored = storedMixerCount(m_files.SetDataTable).value_or(0);
    if (send != LoadSend::Nothing) {
        const int linked = m_mixers.mixerCount();
        const int count = (stored >= linked && !m_link.offline()) ? linked : stored;
        m_mixers.apply(m_files.SetDataTable, count);
        if (m_link.offline())
            m_mixers.adoptApplied(count);
        emit transferRequested(send == LoadSend::Everything);
    }
    qint16 fileMixers = m_mixers.fileMixerCount();
    const PanelValues panel = ApplyPanel(m_panel, fileMixers, m_files.SetDataTable, panelContext(), true);
    m_mixers.setFileMixerCount(fileMixers);
    m_panel.setUp = true;
    if (panel == PanelValues::BroughtIntoRange)
        m_dialogs.tell(str(Res::ValuesOutOfRange), MsgIcon::Warning);
    emit settingsApplied();
}

bool SettingsCommands::saveTo(const QString &path)
{
    // A device, pipe or folder in the file's place is left alone: the save
    // would replace the node with a file.
    if (!saveTargetAllowed(path)) {
        m_dialogs.tell(str(Res::NotRegularTarget).arg(path), MsgIcon::Error);
        emit saved(path, false);
        return false;
    }
    m_mixers.takeReported();

    const SettingsTable before = m_files.FileTable;
    m_files.keyTable = SetDataKeyTable::build();
    m_files.FileTable = m_files.SetDataTable;
    if (!WriteSettingsFile(path, m_files.FileTable, m_files.keyTable, m_mixers.fileMixerCount())) {
        // The file was not written: the tables must not claim it was, or the
        // unsaved-changes check would let the settings go unsaved.
        m_files.FileTable = before;
        m_dialogs.tell(str(Res::SaveFailed), MsgIcon::Error);
        emit saved(path, false);
        return false;
    }
    setCurrentFile(path);
    m_loop.DataState = DataSaved;
    m_files.recovered = false;
    emit saved(path, true);
    return true;
}

bool SettingsCommands::SaveCommand()
{
    if (m_files.currentFileName.isEmpty())
        return SaveAsCommand();
    return saveTo(m_files.currentFileName);
}

bool SettingsCommands::SaveAsCommand()
{
    const QString path = askFileName(true);
    if (path.isEmpty())
        return false;
    return saveTo(path);
}

bool SettingsCommands::openMenu(ChangeMode mode)
{
    m_mixers.setFileMixerCount(m_mixers.mixerCount());
    if (!LoadCommand(mode))
        return false;
    applyLoadedSettings();
    return true;
}

bool SettingsCommands::saveMenu(ChangeMode mode)
{
    m_mixers.setFileMixerCount(m_mixers.mixerCount());
    captureSettings(mode.fromPanel);
    return SaveCommand();
}

bool SettingsCommands::saveAsMenu(ChangeMode mode)
{
    m_mixers.setFileMixerCount(m_mixers.mixerCount());
    captureSettings(mode.fromPanel);
    return SaveAsCommand();
}

bool SettingsCommands::saveHeldMixers(ChangeMode mode, int held)
{
    const int mixers = std::max<int>(m_mixers.mixerCount(), qBound(0, held, SettingsGrid::MaxMixers));
    m_mixers.setFileMixerCount(qint16(mixers));
    captureSettings(mode.fromPanel, mixers);
    return SaveCommand();
}

void SettingsCommands::snapshotPanel()
{
    writePanelSnapshot(m_panel, m_files.FileTable, m_mixers.fileMixerCount(), m_mixers.mixerCount());
}
