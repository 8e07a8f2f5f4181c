// frmMDI's surface as the pieces share it: RedrawPanel, Timer2's tick and
// the redraws it serves, scrolling, the button windows made and placed, and
// the presses on the buttons in the execution state.

#include "panel/ui/frmmdi.h"

#include "panel/ui/backdropview.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/figuredrawing.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/paneldesigner.h"
#include "panel/ui/panelsurface.h"

#include <QCoreApplication>

void FrmMdi::RedrawPanel()
{
    const int h = scrollOffset(Qt::Horizontal);
    const int v = scrollOffset(Qt::Vertical);
    m_backdrop->paint(m_buttons->reach(m_session.panelMixers()));
    // Drawing modes end with the redraw that follows a drawing.
    m_figures.disarmAfterRedraw();
    updateCommands();
    setScrollOffset(Qt::Horizontal, h);
    setScrollOffset(Qt::Vertical, v);
}

void FrmMdi::updateExtent()
{
    m_backdrop->fit(m_buttons->reach(m_session.panelMixers()));
}

void FrmMdi::requestRedraws(int count, AfterRedraws after)
{
    m_panel.runtime.redraws = {count, after == AfterRedraws::ToOrigin};
    if (count != 0)
        m_timer2.start();
}

void FrmMdi::moveTick()
{
    for (const ButtonRef &b : m_design.tick())
        m_buttons->place(b);
    if (m_design.moving())
        m_designer->figuresFollowAnchor();
    const RedrawTick redraw = redrawTick(m_panel.runtime.redraws);
    if (redraw.redraw)
        RedrawPanel();
    if (redraw.scrollToOrigin) {
        QCoreApplication::processEvents();
        scrollToOrigin();
    }
    if (!m_design.moving() && m_panel.runtime.redraws.left == 0)
        m_timer2.stop();
}

void FrmMdi::holdEnded()
{
    if (m_panel.runtime.redraws.left == 0)
        m_timer2.stop();
}

int FrmMdi::scrollOffset(Qt::Orientation axis) const
{
    return m_backdrop->scrollOffset(axis);
}

void FrmMdi::setScrollOffset(Qt::Orientation axis, int offset)
{
    m_backdrop->setScrollOffset(axis, offset);
}

void FrmMdi::scrollToOrigin()
{
    m_backdrop->scrollToOrigin();
}

void FrmMdi::rebuildButtons()
{
    m_buttons->rebuild(m_session.panelMixers());
    updateExtent();
}

void FrmMdi::showButton(ButtonRef button)
{
    m_buttons->show(button);
}

void FrmMdi::placeAllButtons()
{
    m_buttons->placeAll(m_session.panelMixers());
    surface()->move(0, 0);
}

FrmEditIcon *FrmMdi::designButton(ButtonRef button) const
{
    return m_buttons->designButton(button);
}

FrmExeIcon *FrmMdi::executionButton(ButtonRef button) const
{
    return m_buttons->executionButton(button);
}

bool FrmMdi::pressExecutionButton(ButtonRef button)
{
    FrmExeIcon *w = executionButton(button);
    if (!executing() || !w || !w->isEnabled() || button.isOutput())
        return false;
    // The meeting's rules decide: a refused press says why on the button.
    return m_meeting->press(button) == MeetingRefusal::None;
}

void FrmMdi::onExecutionRightPressed(ButtonRef button, const QPoint &at)
{
    // Locked, the room's settings stay as they were set up: the channel and
    // output dialogs do not open.
    PanelRuntime &rt = m_panel.runtime;
    if (rt.settingsDialogOpen || !m_ctx.channelDialog.open || locked())
        return;
    const ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
    ChannelDialogRequest request;
    request.mixer = button.mixer;
    request.slot = button.slot;
    request.left = s.IconLeft + m_scale.toTwips(at.x());
    request.top = s.IconTop + m_scale.toTwips(at.y());
    rt.settingsDialogOpen = true;
    // The panel state outlives this window: the mark is cleared whenever the
    // dialog closes.
    m_ctx.channelDialog.open(request, [&rt] { rt.settingsDialogOpen = false; });
}

FrmEditSetting *FrmMdi::propertyDialog() const
{
    return m_propertyDialog;
}

FrmGridProperty *FrmMdi::gridDialog() const
{
    return m_backdrop->gridDialog();
}

FrmImageSetting *FrmMdi::imageDialog() const
{
    return m_backdrop->imageDialog();
}

FrmFigureProperty *FrmMdi::figureDialog() const
{
    return m_designer->drawing().figureDialog();
}

QMenu *FrmMdi::figureMenu() const
{
    return m_designer->drawing().figureMenu();
}

QMenu *FrmMdi::buttonMenu() const
{
    return m_designer->buttonMenu();
}

