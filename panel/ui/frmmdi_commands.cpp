// frmMDI's commands of the ﾌｧｲﾙ and ﾎﾞﾀﾝ menus and the window colour: load,
// save, leave for the mixer mode, quit, the property dialog, execution and
// its end, clearing the panel, and the button table; the session's steps the
// window takes part in (leaving, the link-count watch, the recovery file);
// and the operator lock putting the panel into its locked execution state.

#include "panel/ui/frmmdi.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "mixer/mixerdata.h"
#include "panel/ui/backdropview.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/buttonface.h"
#include "panel/ui/dialoglook.h"
#include "panel/ui/figuredrawing.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmgridproperty.h"
#include "panel/ui/frmicontable.h"
#include "panel/ui/paneldesigner.h"
#include "panel/ui/panelsurface.h"
#include "panel/ui/sessioncontrol.h"
#include "settings/loadsave.h"

#include <QMenu>

namespace {

namespace Res {
constexpr int EndQuestion = 1311;     // "終了します。よろしいですか？"
} // namespace Res

} // namespace

void FrmMdi::loadFile()
{
    resetFigureEditing();
    if (!m_ctx.settings.openMenu(ChangeMode::AskFromPanel))
        return;
    // The file's channel values are what the channels go back to when the
    // panel closes; while it is open they stay switched off.
    if (m_ctx.mixers.WriteAccess)
        m_remote.takeOver(m_ctx.mixers.MixerCount);
    // The file may name another background image.
    m_backdrop->reloadImageNext();
    showAfresh();
    refreshTable();
    m_tools.forgetFigures();
    m_history.reset();
}

void FrmMdi::saveFile(bool askName)
{
    resetFigureEditing();
    if (askName)
        m_ctx.settings.saveAsMenu(ChangeMode::AskFromPanel);
    else
        m_ctx.settings.saveMenu(ChangeMode::AskFromPanel);
    updateTitle();
}

void FrmMdi::leaveForMixerMode()
{
    resetFigureEditing();
    m_closeReason = CloseReason::ModeChange;
    close();
}

bool FrmMdi::confirmQuit()
{
    resetFigureEditing();
    if (m_panel.runtime.tableOpen)
        return false;
    m_session.offlineCountsFollowButtons();
    m_ctx.settings.SettingsChanged(ChangeMode::AskFromPanel);
    if (m_ctx.dialogs.message(str(Res::EndQuestion), MsgButtons::OkCancel, MsgIcon::Warning,
                              str(StrId::AppTitle))
        != MsgAnswer::Ok)
        return false;
    m_closeReason = CloseReason::Quit;
    emit quitRequested();
    return true;
}

void FrmMdi::openPropertyDialog(ButtonRef editing, bool isNew)
{
    if (m_propertyDialog) {
        m_propertyDialog->raise();
        return;
    }
    resetFigureEditing();
    auto *dlg = new FrmEditSetting(isNew ? FrmEditSetting::Mode::New : FrmEditSetting::Mode::Edit,
                                   editing, m_panel, context(), m_design.newButtonTemplate(),
                                   m_ctx.dialogs, widgetMeasure(m_scale), this);
    connect(dlg, &FrmEditSetting::buttonCreated, this, [this](ButtonRef b) {
        m_session.adoptMixer(b.mixer);
        showButton(b);
        updateCommands();
        updateExtent();
        refreshTable();
    });
    connect(dlg, &FrmEditSetting::buttonsChanged, this, [this](const std::vector<ButtonRef> &buttons) {
        for (const ButtonRef &b : buttons)
            m_buttons->place(b);
        m_buttons->repaint(buttons);
        updateExtent();
        refreshTable();
    });
    connect(dlg, &FrmEditSetting::buttonDeleted, this, [this](ButtonRef b) {
        m_buttons->close(b);
        updateCommands();
        refreshTable();
    });
    connect(dlg, &FrmEditSetting::committed, this, &FrmMdi::designChanged);
    connect(dlg, &QDialog::finished, this, [this] { m_propertyDialog = nullptr; });
    m_propertyDialog = dlg;
    dlg->open();
}

void FrmMdi::enterExecution()
{
    resetFigureEditing();
    m_panel.runtime.executing = true;
    if (FrmGridProperty *grid = m_backdrop->gridDialog())
        grid->close();
    // The grid is not drawn while the panel is operated; GridOnOff itself
    // stays as the user set it.
    m_remote.applyButtonStates(m_panel, m_session.panelMixers());
    m_meeting->setExecuting(true, m_session.panelMixers());
    showAfresh();
    m_meetingControl->showAllSeats();
    // The history and the unsaved state stay: after 停止 the design steps
    // can still be undone, and the switches of the test run are none of them.
    m_tools.forgetFigures();
}

void FrmMdi::leaveExecution()
{
    if (m_panel.runtime.settingsDialogOpen && m_ctx.channelDialog.close)
        m_ctx.channelDialog.close();
    m_panel.runtime.executing = false;
    m_meeting->setExecuting(false);
    m_design.resetTemplate();
    showAfresh();
    // The button that had the focus is gone: the keyboard goes on from the
    // design surface, where the design keys work.
    surface()->setFocus(Qt::OtherFocusReason);
}

void FrmMdi::clearSettings()
{
    resetFigureEditing();
    m_session.offlineCountsFollowButtons();
    if (!m_ctx.settings.SettingsChanged(ChangeMode::AskCancel))
        return;
    ResetPanel(m_panel, m_ctx.mixers.FileMixerCount, context());
    // Whatever the panel held was saved or given up just now.
    m_sessionControl->forgetRecovery();
    rebuildButtons();
    m_backdrop->reloadImageNext();
    RedrawPanel();
    m_ctx.files.currentFileName.clear();
    updateCommands();
    updateTitle();
    m_ctx.settings.snapshotPanel();
    refreshTable();
    m_tools.forgetFigures();
    m_history.reset();
}

bool FrmMdi::chooseWindowColor()
{
    if (!chooseColour(m_ctx.dialogs, m_panel.GUIWindowColor))
        return false;
    RedrawPanel();
    designChanged(DesignStep::WindowColor);
    return true;
}

void FrmMdi::designChanged(DesignStep step)
{
    m_designer->designChanged(step);
}

void FrmMdi::resetFigureEditing()
{
    m_designer->resetFigureEditing();
}

void FrmMdi::showAfresh()
{
    m_sessionControl->greyWhileOutOfReach();
    rebuildButtons();
    RedrawPanel();
    updateCommands();
    updateTitle();
    scrollToOrigin();
}

// ---- the button table ---------------------------------------------------------------

void FrmMdi::openTable()
{
    if (m_table) {
        m_table->raise();
        return;
    }
    auto *table = new FrmIconTable(m_panel, m_ctx.mixers.MixerCount, m_scale, widgetMeasure(m_scale), m_ctx.dialogs,
                                   this);
    connect(table, &FrmIconTable::captionsApplied, this, [this](const std::vector<ButtonRef> &buttons) {
        for (const ButtonRef &b : buttons)
            m_buttons->place(b);
        m_buttons->repaint(buttons);
        updateExtent();
        designChanged(DesignStep::Captions);
    });
    connect(table, &FrmIconTable::closed, this, [this] {
        m_panel.runtime.tableOpen = false;
        updateCommands();
    });
    m_table = table;
    m_panel.runtime.tableOpen = true;
    updateCommands();
    table->show();
}

void FrmMdi::refreshTable()
{
    if (m_table)
        m_table->refresh(m_ctx.mixers.MixerCount);
}

FrmIconTable *FrmMdi::buttonTable() const
{
    return m_table;
}

// ---- the session -------------------------------------------------------------------

void FrmMdi::leavePanel()
{
    if (!m_session.leave())
        return;
    m_timer2.stop();
    // The channels go back: the speeches running end in the record.
    m_meeting->setExecuting(false);
    m_sessionControl->leave();
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

void FrmMdi::watchLinkCount()
{
    m_sessionControl->watchLinkCount(locked());
}

bool FrmMdi::writeRecovery()
{
    return m_sessionControl->writeRecovery();
}

const DesignRecovery &FrmMdi::recovery() const
{
    return m_sessionControl->recovery();
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
