#include "panel/ui/sessioncontrol.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"
#include "panel/ui/backdropview.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/panelsurface.h"
#include "settings/loadsave.h"
#include "settings/panelsections.h"

#include <QUndoStack>

namespace {

namespace Res {
constexpr int SaveQuestion = 2732;    // "現在の設定を保存しますか？"
constexpr int LinkCountFell = 10343;  // "リンク台数が減少しました"
} // namespace Res

} // namespace

SessionControl::SessionControl(Parts parts, QObject *parent)
    : QObject(parent), m_parts(parts), m_ctx(parts.ctx), m_session(parts.session)
{
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &SessionControl::watchTick);
    m_recoveryTimer.setObjectName(QStringLiteral("recoveryTimer"));
    m_recoveryTimer.setInterval(60 * 1000);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &SessionControl::writeRecovery);
    if (m_ctx.sync) {
        // A mixer that came back may hold other switches than the panel's.
        connect(&m_ctx.sync->events(), &SyncEvents::mixersReread, this, [this] {
            if (!m_session.left())
                m_parts.remote.rewriteDiffering(m_ctx.mixers.MixerCount);
        });
    }
    watchSettings();
}

void SessionControl::watchSettings()
{
    // What was saved is where the history's clean state lies; the settings
    // ask about unsaved changes with the history's knowledge as well.
    connect(&m_ctx.settings, &SettingsCommands::saved, this, [this](const QString &, bool ok) {
        if (!ok)
            return; // a save that failed leaves the design unsaved
        m_parts.history.markSaved();
        m_recovery.discard();
    });
    // A design the user chose not to save needs no recovery file, until it
    // changes again; one replaced by a loaded file neither.
    connect(&m_ctx.settings, &SettingsCommands::changesAbandoned, this, [this] {
        m_recoveryRefused = true;
        m_recovery.discard();
    });
    connect(&m_ctx.settings, &SettingsCommands::loaded, this, [this](const QString &, bool ok) {
        if (ok)
            m_recovery.discard();
    });
    connect(&m_parts.history.stack(), &QUndoStack::indexChanged, this, [this] { m_recoveryRefused = false; });
    m_ctx.settings.panelEdited = [this] { return !m_parts.history.atSavedState(); };
}

void SessionControl::open()
{
    PanelState &panel = m_ctx.panel;
    m_parts.design.resetTemplate();
    panel.runtime.executing = false;
    panel.runtime.settingsDialogOpen = false;
    panel.runtime.tableOpen = false;
    ApplyPanel(panel, m_ctx.mixers.FileMixerCount, m_ctx.files.SetDataTable, m_session.context(), true);
    m_session.adoptMixer(mixersWithButtons(panel) - 1);
    panel.setUp = true;
    m_ctx.settings.setPanelVisible(true);
    m_ctx.settings.snapshotPanel();
    m_parts.remote.takeOver(m_ctx.mixers.MixerCount);
    if (panel.image.ImageVisible)
        m_parts.backdrop.reloadImageNext();
    emit afreshWanted();
    m_parts.history.reset();
    // A design taken from a recovery file counts as unsaved until it is
    // saved, or given up for a file loaded or a clear.
    if (m_ctx.files.recovered)
        m_parts.history.markUnsaved();
    m_timer1.start();
    m_recoveryTimer.start();
}

void SessionControl::leave()
{
    m_timer1.stop();
    m_recoveryTimer.stop();
    emit figureEditingReset();
    m_session.offlineCountsFollowButtons();
    // The mixer sections with the channels' values from before the panel, and
    // the panel itself with the link count it belongs to: opened again, the
    // panel finds every button it had.
    m_ctx.settings.captureSettings(true);
    // The settings hold the design now. Unsaved, and not given up, it stays
    // in the recovery file until a save or the user's No to saving it: the
    // program may still end without either.
    if (m_recoveryRefused || m_parts.history.atSavedState())
        m_recovery.discard();
    else
        m_recovery.write(m_ctx.files.SetDataTable, m_ctx.files.keyTable, m_ctx.mixers.FileMixerCount,
                         m_ctx.files.currentFileName);
    emit subWindowsClosing();
    emit tableClosing();
    m_parts.remote.giveBack(m_ctx.mixers.MixerCount);
    for (const ButtonRef &b : enabledButtons(m_ctx.panel))
        m_ctx.panel.slot(b.mixer, b.slot).selected = false;
    m_ctx.panel.runtime.executing = false;
    m_ctx.settings.setPanelVisible(false);
    m_ctx.settings.panelEdited = nullptr;
}

bool SessionControl::writeRecovery()
{
    // A test run does not end the design's need of a recovery file.
    if (m_session.left() || m_recoveryRefused || m_parts.history.atSavedState())
        return false;
    m_ctx.settings.captureSettings(true);
    return m_recovery.write(m_ctx.files.SetDataTable, m_ctx.files.keyTable, m_ctx.mixers.FileMixerCount,
                            m_ctx.files.currentFileName);
}

void SessionControl::forgetRecovery()
{
    m_ctx.files.recovered = false;
    m_recovery.discard();
}

// ---- the link-count watch ------------------------------------------------------

void SessionControl::greyWhileOutOfReach()
{
    // An operated button whose mixer cannot be reached must not look as if
    // a press would switch it.
    m_parts.backdrop.surface()->setEnabled(!m_session.greyed(m_ctx.panel.runtime.executing));
}

void SessionControl::watchLinkCount(bool locked)
{
    // The question below lets events run; the next tick must not ask again.
    if (!m_session.watchDue())
        return;
    greyWhileOutOfReach();
    // A lost connection, or no mixer answering at all, is no change of the
    // room: nothing is asked and no button goes until the mixers answer.
    const std::optional<LinkCountChange> change = m_session.linkCountChange();
    if (!change || *change == LinkCountChange::Same)
        return;
    const PanelSession::Watching busy(m_session);
    const int linked = m_session.context().mixerCount;
    if (*change == LinkCountChange::Fell)
        dropGoneMixers(locked, linked, m_ctx.mixers.FileMixerCount);
    m_ctx.mixers.keepFileSections(linked);
    if (linked == 0)
        emit tableClosing();
    emit tableChanged();
    emit commandsChanged();
    emit extentChanged();
}

void SessionControl::dropGoneMixers(bool locked, int linked, int held)
{
    emit redrawWanted();
    const QString text = str(Res::LinkCountFell) + QStringLiteral("\r\n") + str(Res::SaveQuestion);
    // Locked, the file commands are the installer's: nobody at the
    // chairperson's panel is asked to save (the file on disk stays).
    if (PanelSession::offerSaveOnFall(locked)
        && m_ctx.dialogs.message(text, MsgButtons::OkCancel, MsgIcon::Warning, str(StrId::AppTitle))
               == MsgAnswer::Ok) {
        // The file keeps every mixer the panel held, not just those
        // still linked: the others' buttons and last known settings are
        // what the user is saving.
        emit figureEditingReset();
        m_ctx.settings.saveHeldMixers(ChangeMode::AskFromPanel, held);
        emit titleChanged();
    }
    emit subWindowsClosing();
    const auto gone = dropMixers(m_ctx.panel, linked, held);
    emit figureEditingReset();
    for (const auto &[mixer, slot] : gone)
        m_parts.buttons.close({mixer, slot});
    emit redrawWanted();
    // The steps so far name buttons of mixers that are gone.
    m_parts.tools.forgetFigures();
    m_parts.history.reset();
}
