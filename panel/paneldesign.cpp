#include "panel/paneldesign.h"

#include <algorithm>

std::vector<ButtonRef> enabledButtons(const PanelState &panel, int mixers)
{
    std::vector<ButtonRef> out;
    for (int m = 0; m < qBound(0, mixers, Panel::MaxMixers); ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s)
            if (panel.slot(m, s).IconEnable)
                out.push_back({m, s});
    return out;
}

NewButtonTemplate NewButtonTemplate::fromDefaults(const PanelDefaults &defaults)
{
    NewButtonTemplate t;
    t.look.fontName = defaults.fontName;
    t.look.offColor = defaults.channelOffColor;
    t.look.onColor = defaults.channelOnColor;
    t.look.outputOffColor = defaults.outputOffColor;
    return t;
}

ButtonLook ButtonLook::fromSlot(const ButtonSlot &slot, bool output, const ButtonLook &others)
{
    ButtonLook l = others;
    l.caption = slot.IconText;
    l.fontName = slot.IconFontName;
    l.fontSize = slot.IconFontSize;
    l.bold = slot.IconFontBold;
    l.italic = slot.IconFontItalic;
    if (output) {
        l.outputOffColor = slot.IconColorDef;
    } else {
        l.offColor = slot.IconColorDef;
        l.onColor = slot.IconColorOn;
    }
    return l;
}

void ButtonLook::storeInto(ButtonSlot &slot, bool output) const
{
    slot.IconText = limitCaptionLines(caption);
    slot.IconFontName = fontName;
    slot.IconFontSize = fontSize;
    slot.IconFontBold = bold;
    slot.IconFontItalic = italic;
    if (output) {
        slot.IconColorDef = outputOffColor;
    } else {
        slot.IconColorDef = offColor;
        slot.IconColorOn = onColor;
    }
}

PanelDesign::PanelDesign(PanelState &panel) : m_panel(panel)
{
    resetTemplate();
}

std::vector<ButtonRef> PanelDesign::press(ButtonRef button, bool ctrl)
{
    std::vector<ButtonRef> changed;
    ButtonSlot &pressed = slot(button);
    if (ctrl) {
        pressed.selected = !pressed.selected;
        changed.push_back(button);
    } else if (!pressed.selected) {
        changed = deselectAll();
        pressed.selected = true;
        changed.push_back(button);
    }
    // The pointer's offset is measured against the pressed button; were it
    // left behind unselected, the others would run away from the pointer.
    m_moving = pressed.selected;
    m_pressed = button;
    m_pressedAt = QPoint(pressed.IconLeft, pressed.IconTop);
    return changed;
}

bool PanelDesign::movedSincePress() const
{
    const ButtonSlot &s = m_panel.slot(m_pressed.mixer, m_pressed.slot);
    return QPoint(s.IconLeft, s.IconTop) != m_pressedAt;
}

std::vector<ButtonRef> PanelDesign::deselectAll()
{
    std::vector<ButtonRef> was = selection();
    for (const ButtonRef &b : was)
        slot(b).selected = false;
    return was;
}

std::vector<ButtonRef> PanelDesign::selection() const
{
    std::vector<ButtonRef> out;
    for (const ButtonRef &b : enabledButtons(m_panel))
        if (m_panel.slot(b.mixer, b.slot).selected)
            out.push_back(b);
    return out;
}

void PanelDesign::drag(const QPoint &offsetTwips)
{
    if (!m_moving)
        return;
    for (const ButtonRef &b : selection()) {
        slot(b).moveStepX = offsetTwips.x();
        slot(b).moveStepY = offsetTwips.y();
    }
}

QPoint PanelDesign::keptOnPanel(QPoint delta) const
{
    for (const ButtonRef &b : selection()) {
        const ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
        // A button already beyond the edge (from a file) may still come back.
        delta.setX(std::max(delta.x(), std::min(0, -s.IconLeft)));
        delta.setY(std::max(delta.y(), std::min(0, -s.IconTop)));
    }
    return delta;
}

std::vector<ButtonRef> PanelDesign::moveSelection(const QPoint &delta)
{
    const QPoint d = keptOnPanel(delta);
    std::vector<ButtonRef> moved;
    for (const ButtonRef &b : selection()) {
        ButtonSlot &s = slot(b);
        s.moveStepX = 0;
        s.moveStepY = 0;
        if (d.isNull())
            continue;
        s.IconLeft += d.x();
        s.IconTop += d.y();
        moved.push_back(b);
    }
    return moved;
}

std::vector<ButtonRef> PanelDesign::tick()
{
    if (!m_moving)
        return {};
    // All selected buttons share the step of the pressed one. A step is used
    // once: the next pointer move measures from where the button is now.
    const std::vector<ButtonRef> sel = selection();
    if (sel.empty())
        return {};
    const ButtonSlot &first = m_panel.slot(sel.front().mixer, sel.front().slot);
    return moveSelection({first.moveStepX, first.moveStepY});
}

std::vector<ButtonRef> PanelDesign::release(const QPoint &finalOffsetTwips)
{
    if (!m_moving)
        return {};
    m_moving = false;
    return moveSelection(finalOffsetTwips);
}

bool PanelDesign::arrowKey(ButtonRef button, ArrowKey key)
{
    ButtonSlot &s = slot(button);
    auto step = [](qint32 &v, qint32 delta) {
        const qint32 target = v + delta;
        const qint32 kept = std::max(target, std::min<qint32>(0, v));
        const bool moved = kept != v;
        v = kept;
        return moved;
    };
    switch (key) {
    case ArrowKey::Left: return step(s.IconLeft, -KeyStep);
    case ArrowKey::Right: return step(s.IconLeft, KeyStep);
    case ArrowKey::Up: return step(s.IconTop, -KeyStep);
    case ArrowKey::Down: return step(s.IconTop, KeyStep);
    }
    return false;
}

bool PanelDesign::takeGeometry(ButtonRef button, const QRect &pixels, const TwipScale &scale,
                               bool byUser)
{
    ButtonSlot &s = slot(button);
    bool moved = false;
    bool sized = false;
    if (scale.toPixels(s.IconLeft) != pixels.x()) {
        s.IconLeft = scale.toTwips(pixels.x());
        moved = true;
    }
    if (scale.toPixels(s.IconTop) != pixels.y()) {
        s.IconTop = scale.toTwips(pixels.y());
        moved = true;
    }
    if (scale.toPixels(s.IconWidth) != pixels.width()) {
        s.IconWidth = scale.toTwips(pixels.width());
        sized = true;
    }
    if (scale.toPixels(s.IconHeight) != pixels.height()) {
        s.IconHeight = scale.toTwips(pixels.height());
        sized = true;
    }
    if (sized && byUser) {
        m_template.width = s.IconWidth;
        m_template.height = s.IconHeight;
    }
    return moved || sized;
}
