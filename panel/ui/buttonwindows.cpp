#include "panel/ui/buttonwindows.h"

#include "panel/ui/frmediticon.h"
#include "panel/ui/frmexeicon.h"

#include <algorithm>

ButtonWindows::ButtonWindows(PanelState &panel, const TwipScale &scale, SyncStatus *sync,
                             const TimeOfDay *timeOfDay, QObject *parent)
    : QObject(parent), m_panel(panel), m_scale(scale), m_sync(sync), m_timeOfDay(timeOfDay)
{
}

ButtonWindows::~ButtonWindows()
{
    closeAll();
}

QRect ButtonWindows::pixelRect(ButtonRef button) const
{
    const ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
    return QRect(m_scale.toPixels(s.IconLeft), m_scale.toPixels(s.IconTop),
                 std::max(1, m_scale.toPixels(s.IconWidth)), std::max(1, m_scale.toPixels(s.IconHeight)));
}

QSize ButtonWindows::reach(int mixers) const
{
    // The buttons stand on the surface, which therefore reaches the furthest
    // of them: the scroll bars bring every button into view.
    QSize reach;
    for (const ButtonRef &b : enabledButtons(m_panel, mixers)) {
        const QRect r = pixelRect(b);
        reach = reach.expandedTo(QSize(r.right() + 1, r.bottom() + 1));
    }
    return reach;
}

void ButtonWindows::closeAll()
{
    for (auto &w : m_design)
        delete w.data();
    for (auto &w : m_execution)
        delete w.data();
}

void ButtonWindows::rebuild(int mixers)
{
    closeAll();
    for (const ButtonRef &b : enabledButtons(m_panel, mixers))
        show(b);
}

void ButtonWindows::show(ButtonRef button)
{
    if (m_panel.runtime.executing)
        showExecution(button);
    else
        showDesign(button);
}

void ButtonWindows::showExecution(ButtonRef button)
{
    auto *w = new FrmExeIcon(button, m_panel, m_surface, m_sync, m_timeOfDay);
    connect(w, &FrmExeIcon::leftPressed, this, &ButtonWindows::executionLeftPressed);
    connect(w, &FrmExeIcon::rightPressed, this, &ButtonWindows::executionRightPressed);
    m_execution[index(button)] = w;
    w->setGeometry(pixelRect(button));
    w->show();
}

void ButtonWindows::showDesign(ButtonRef button)
{
    auto *w = new FrmEditIcon(button, m_panel, m_surface);
    connect(w, &FrmEditIcon::pressed, this, &ButtonWindows::designPressed);
    connect(w, &FrmEditIcon::dragged, this, &ButtonWindows::designDragged);
    connect(w, &FrmEditIcon::released, this, &ButtonWindows::designReleased);
    connect(w, &FrmEditIcon::resizedByUser, this, &ButtonWindows::designResized);
    connect(w, &FrmEditIcon::resizeFinished, this, &ButtonWindows::resizeFinished);
    connect(w, &FrmEditIcon::doubleClicked, this, &ButtonWindows::doubleClicked);
    connect(w, &FrmEditIcon::arrowPressed, this, &ButtonWindows::arrowPressed);
    connect(w, &FrmEditIcon::selectRequested, this, &ButtonWindows::selectRequested);
    connect(w, &FrmEditIcon::menuRequested, this, &ButtonWindows::menuRequested);
    connect(w, &FrmEditIcon::focusChanged, this, [this] { emit focusChanged(); });
    m_design[index(button)] = w;
    w->place(pixelRect(button));
    w->show();
}

void ButtonWindows::close(ButtonRef button)
{
    delete m_design[index(button)].data();
    delete m_execution[index(button)].data();
}

void ButtonWindows::place(ButtonRef button)
{
    const QRect r = pixelRect(button);
    if (FrmEditIcon *w = designButton(button))
        w->place(r);
    if (FrmExeIcon *w = executionButton(button))
        w->setGeometry(r);
}

void ButtonWindows::placeAll(int mixers)
{
    for (const ButtonRef &b : enabledButtons(m_panel, mixers))
        place(b);
}

void ButtonWindows::repaint(const std::vector<ButtonRef> &buttons)
{
    for (const ButtonRef &b : buttons) {
        if (FrmEditIcon *w = designButton(b))
            w->update();
        if (FrmExeIcon *w = executionButton(b))
            w->update();
    }
}

FrmEditIcon *ButtonWindows::designButton(ButtonRef button) const
{
    return m_design[index(button)];
}

FrmExeIcon *ButtonWindows::executionButton(ButtonRef button) const
{
    return m_execution[index(button)];
}

std::optional<ButtonRef> ButtonWindows::focusedDesignButton(const QWidget *focus) const
{
    const auto *w = qobject_cast<const FrmEditIcon *>(focus);
    if (!w || designButton(w->button()) != w)
        return std::nullopt;
    return w->button();
}
