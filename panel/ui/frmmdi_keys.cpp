// frmMDI's design buttons by keyboard and menu: Space selects a button (Ctrl
// adds it or takes it away), its menu comes by the Menu key, Shift+F10 or
// the right button, Delete removes the selection (or the focused button
// alone), and the property dialog opens on the focused or selected button.

#include "panel/ui/frmmdi.h"

#include "panel/ui/frmediticon.h"
#include "panel/ui/panelsurface.h"

#include <QAction>
#include <QMenu>

using E = EditCommand;

QMenu *FrmMdi::buttonMenu() const
{
    return m_buttonMenu;
}

std::optional<ButtonRef> FrmMdi::focusedDesignButton() const
{
    const auto *w = qobject_cast<const FrmEditIcon *>(focusWidget());
    if (!w || designButton(w->button()) != w)
        return std::nullopt;
    return w->button();
}

void FrmMdi::selectByKey(ButtonRef button, bool toggle)
{
    onDesignPressed(button, toggle);
    // A key holds nothing: no move follows.
    m_design.release({});
    if (m_panel.runtime.redraws.left == 0)
        m_timer2.stop();
}

void FrmMdi::openButtonMenu(ButtonRef button, const QPoint &globalPos)
{
    if (executing() || !designButton(button))
        return;
    // The menu's commands act on the selection, which takes this button in
    // as a click would; the property dialog opens on this one.
    if (!m_panel.slot(button.mixer, button.slot).selected)
        selectByKey(button, false);
    m_anchor = button;
    designButton(button)->setFocus(Qt::PopupFocusReason);
    if (m_buttonMenu)
        m_buttonMenu->close();
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuButton"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(action(E::Properties));
    menu->addSeparator();
    for (E c : {E::Cut, E::Copy, E::Duplicate, E::Delete})
        menu->addAction(action(c));
    if (QMenu *align = findChild<QMenu *>(QStringLiteral("mnuAlign"))) {
        menu->addSeparator();
        menu->addMenu(align);
    }
    m_buttonMenu = menu;
    menu->popup(globalPos);
}

void FrmMdi::deleteSelection()
{
    const int mixers = panelMixers();
    // A button with the focus but outside the selection goes alone, as the
    // arrow keys move it alone.
    const std::optional<ButtonRef> focused = focusedDesignButton();
    if (focused && !m_panel.slot(focused->mixer, focused->slot).selected)
        selectByKey(*focused, false);
    const bool figures = !m_tools.selectedFigures().empty();
    const std::vector<ButtonRef> removed = m_tools.removeSelection(mixers);
    if (removed.empty() && !figures)
        return;
    const bool hadFocus = focused.has_value();
    for (const ButtonRef &b : removed)
        closeButton(b);
    if (hadFocus)
        m_surface->setFocus();
    RedrawPanel();
    refreshTable();
    designChanged(figures ? DesignStep::DeleteSelection : DesignStep::Delete);
}

void FrmMdi::openSelectedProperties()
{
    std::optional<ButtonRef> target = focusedDesignButton();
    if (!target && m_anchor && m_panel.slot(m_anchor->mixer, m_anchor->slot).selected)
        target = m_anchor;
    if (!target) {
        const std::vector<ButtonRef> selected = m_tools.selectedButtons(panelMixers());
        if (selected.empty())
            return;
        target = selected.front();
    }
    openPropertyDialog(*target, false);
}
