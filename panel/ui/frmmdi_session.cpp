// frmMDI's session: the panel opened from the current settings and left
// again (the channels given back, the settings captured), the link-count
// watch of Timer1, the recovery file, and the operator lock putting the
// panel into its locked execution state. The rules are PanelSession's and
// LockFlow's.

#include "panel/ui/frmmdi.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "panel/ui/backdropview.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/figuredrawing.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmicontable.h"
#include "panel/ui/paneldesigner.h"
#include "panel/ui/panelsurface.h"
#include "settings/loadsave.h"
#include "settings/panelsections.h"

#include <QMenu>

namespace {

namespace Res {
constexpr int SaveQuestion = 2732;    // "現在の設定を保存しますか？"
constexpr int LinkCountFell = 10343;  // "リンク台数が減少しました"
} // namespace Res

} // namespace

void FrmMdi::openPanel()
{
    m_design.resetTemplate();
    m_panel.runtime.executing = false;
    m_panel.runtime.settingsDialogOpen = false;
    m_panel.runtime.tableOpen = false;
    ApplyPanel(m_panel, m_ctx.mixers.FileMixerCount, m_ctx.files.SetDataTable, context(), true);
    m_session.adoptMixer(mixersWithButtons(m_panel) - 1);
    m_panel.setUp = true;
    m_ctx.settings.setPanelVisible(true);
    m_ctx.settings.snapshotPanel();
    m_remote.takeOver(m_ctx.mixers.MixerCount);
    if (m_panel.image.ImageVisible)
        m_backdrop->reloadImageNext();
    showAfresh();
    m_history.reset();
    // A design taken from a recovery file counts as unsaved until it is
    // saved, or given up for a file loaded or a clear.
    if (m_ctx.files.recovered)
        m_history.markUnsaved();
    m_timer1.start();
    m_recoveryTimer.start();
}

void FrmMdi::leavePanel()
{
    if (!m_session.leave())
        return;
    m_timer1.stop();
    m_timer2.stop();
    m_recoveryTimer.stop();
    resetFigureEditing();
    m_session.offlineCountsFollowButtons();
    // The mixer sections with the channels' values from before the panel, and
    // the panel itself with the link count it belongs to: opened again, the
    // panel finds every button it had.
    m_ctx.settings.captureSettings(true);
    // The settings hold the design now. Unsaved, and not given up, it stays
    // in the recovery file until a save or the user's No to saving it: the
    // program may still end without either.
    if (m_recoveryRefused || m_history.atSavedState())
        m_recovery.discard();
    else
        m_recovery.write(m_ctx.files.SetDataTable, m_ctx.files.keyTable, m_ctx.mixers.FileMixerCount,
                         m_ctx.files.currentFileName);
    closeSubWindows();
    if (m_table)
        m_table->closeWithoutQuestion();
    m_remote.giveBack(m_ctx.mixers.MixerCount);
    for (const ButtonRef &b : enabledButtons(m_panel))
        m_panel.slot(b.mixer, b.slot).selected = false;
    m_panel.runtime.executing = false;
    m_ctx.settings.setPanelVisible(false);
    m_ctx.settings.panelEdited = nullptr;
}

void FrmMdi::closeSubWindows()
{
    if (m_propertyDialog)
        m_propertyDialog->close();
    m_designer->drawing().closeWindows();
    if (QMenu *menu = m_designer->buttonMenu())
        menu->close();
    m_backdrop->closeDialogs();
    if (m_panel.runtime.settingsDialogOpen && m_ctx.channelDialog.close)
        m_ctx.channelDialog.close();
}

bool FrmMdi::writeRecovery()
{
    // A test run does not end the design's need of a recovery file.
    if (m_session.left() || m_recoveryRefused || m_history.atSavedState())
        return false;
    m_ctx.settings.captureSettings(true);
    return m_recovery.write(m_ctx.files.SetDataTable, m_ctx.files.keyTable, m_ctx.mixers.FileMixerCount,
                            m_ctx.files.currentFileName);
}

// ---- the link-count watch ------------------------------------------------------

void FrmMdi::greyWhileOutOfReach()
{
    // An operated button whose mixer cannot be reached must not look as if
    // a press would switch it.
    surface()->setEnabled(!m_session.greyed(executing()));
}

void FrmMdi::watchLinkCount()
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
    const int linked = context().mixerCount;
    if (*change == LinkCountChange::Fell)
        dropGoneMixers(linked, m_ctx.mixers.FileMixerCount);
    m_ctx.mixers.keepFileSections(linked);
    if (linked == 0 && m_table)
        m_table->closeWithoutQuestion();
    refreshTable();
    updateCommands();
    updateExtent();
}

void FrmMdi::dropGoneMixers(int linked, int held)
{
    RedrawPanel();
    const QString text = str(Res::LinkCountFell) + QStringLiteral("\r\n") + str(Res::SaveQuestion);
    // Locked, the file commands are the installer's: nobody at the
    // chairperson's panel is asked to save (the file on disk stays).
    if (PanelSession::offerSaveOnFall(locked())
        && m_ctx.dialogs.message(text, MsgButtons::OkCancel, MsgIcon::Warning, str(StrId::AppTitle))
               == MsgAnswer::Ok) {
        // The file keeps every mixer the panel held, not just those
        // still linked: the others' buttons and last known settings are
        // what the user is saving.
        resetFigureEditing();
        m_ctx.settings.saveHeldMixers(ChangeMode::AskFromPanel, held);
        updateTitle();
    }
    closeSubWindows();
    const auto gone = dropMixers(m_panel, linked, held);
    resetFigureEditing();
    for (const auto &[mixer, slot] : gone)
        m_buttons->close({mixer, slot});
    RedrawPanel();
    // The steps so far name buttons of mixers that are gone.
    m_tools.forgetFigures();
    m_history.reset();
}

// ---- the operator lock -----------------------------------------------------------

bool FrmMdi::startOperation()
{
    if (!executing())
        enterExecution();
    const bool lockedNow = m_ctx.lock && m_ctx.lock->lock();
    // A channel dialog opened while the lock was open goes with it.
    if (lockedNow && m_panel.runtime.settingsDialogOpen && m_ctx.channelDialog.close)
        m_ctx.channelDialog.close();
    updateCommands();
    updateTitle();
    return lockedNow;
}

void FrmMdi::watchIdle()
{
    m_lockControl->watchIdle(m_session.left());
}

void FrmMdi::relock()
{
    if (!m_session.left())
        m_lockControl->lock();
}
