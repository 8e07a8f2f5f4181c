#include "panel/buttonproperties.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Factors by which the caption's height is widened for a one- and a two-line
// caption, so the caption and the state label do not touch the edges.
constexpr double OneLineFactor = 1.3;
constexpr double TwoLineFactor = 1.5;
constexpr double SideMargin = 200;   // twips beside the widest caption line

} // namespace

QSizeF neededSize(const ButtonSlot &button, const MeasureText &measure)
{
    const QStringList lines = captionLines(button.IconText);
    double widest = 0;
    for (const QString &line : lines)
        widest = std::max(widest, measure(line, button).width());
    const double offHeight = measure(QStringLiteral("OFF"), button).height();
    const double width = std::max(widest + SideMargin, 2 * offHeight);
    const double factor = lines.size() >= 2 ? TwoLineFactor : OneLineFactor;
    const double height = measure(joinCaptionLines({button.IconText, QStringLiteral("OFF")}), button).height() * factor;
    return {width, height};
}

bool refitToCaption(ButtonSlot &button, const MeasureText &measure)
{
    const QSizeF need = neededSize(button, measure);
    bool grew = false;
    if (button.IconWidth < need.width()) {
        button.IconWidth = std::ceil(need.width());
        grew = true;
    }
    if (button.IconHeight < need.height()) {
        button.IconHeight = std::ceil(need.height());
        grew = true;
    }
    return grew;
}

QPoint freePlace(const PanelState &panel, double width, double height, qint32 interval, qint32 areaWidth,
                 int mixers)
{
    const qint64 unit = std::max<qint32>(1, interval);
    const qint64 step = unit * ((Panel::MinButtonSize + unit - 1) / unit);
    const std::vector<ButtonRef> others = enabledButtons(panel, mixers);
    auto free = [&](qint64 x, qint64 y) {
        for (const ButtonRef &b : others) {
            const ButtonSlot &s = panel.slot(b.mixer, b.slot);
            if (x < s.IconLeft + s.IconWidth && s.IconLeft < x + width && y < s.IconTop + s.IconHeight
                && s.IconTop < y + height)
                return false;
        }
        return true;
    };
    const qint64 lastX = std::max<qint64>(0, areaWidth - qint64(std::ceil(width)));
    for (qint64 y = 0; y + height <= Panel::MaxExtent; y += step)
        for (qint64 x = 0; x <= lastX; x += step)
            if (free(x, y))
                return QPoint(int(x), int(y));
    return {};
}

ButtonProperties::ButtonProperties(PanelState &panel, const PanelContext &context,
                                   const NewButtonTemplate &newButton)
    : m_panel(panel), m_context(context), m_template(newButton)
{
}

std::vector<int> ButtonProperties::mixers() const
{
    const int n = m_context.offline() ? Panel::MaxMixers : qBound(0, int(m_context.mixerCount), Panel::MaxMixers);
    std::vector<int> out(size_t(n), 0);
    for (int m = 0; m < n; ++m)
        out[size_t(m)] = m;
    return out;
}

std::vector<int> ButtonProperties::freeSlots(int mixer) const
{
    std::vector<int> out;
    if (mixer < 0 || mixer >= Panel::MaxMixers)
        return out;
    for (int s = 0; s < Panel::SlotsPerMixer; ++s)
        if (!m_panel.slot(mixer, s).IconEnable)
            out.push_back(s);
    return out;
}

std::optional<ButtonRef> ButtonProperties::nextFree(std::optional<ButtonRef> after) const
{
    const int total = int(mixers().size()) * Panel::SlotsPerMixer;
    if (total == 0)
        return std::nullopt;
    const int start = after ? after->mixer * Panel::SlotsPerMixer + after->slot + 1 : 0;
    for (int i = 0; i < total; ++i) {
        const int index = (start + i) % total;
        const ButtonRef b{index / Panel::SlotsPerMixer, index % Panel::SlotsPerMixer};
        if (!m_panel.slot(b.mixer, b.slot).IconEnable)
            return b;
    }
    return std::nullopt;
}

ButtonProperties::Result ButtonProperties::createButton(std::optional<int> mixer,
                                                        std::optional<int> slot,
                                                        const ButtonLook &look)
{
    const std::vector<int> offered = mixers();
    if (!mixer || std::find(offered.begin(), offered.end(), *mixer) == offered.end())
        return {Outcome::NoMixer, {}, {}};
    if (!slot || *slot < 0 || *slot >= Panel::SlotsPerMixer || m_panel.slot(*mixer, *slot).IconEnable)
        return {Outcome::NoChannel, {}, {}};

    const ButtonRef b{*mixer, *slot};
    // Not on top of the buttons made before it.
    const QPoint at = freePlace(m_panel, m_template.width, m_template.height, m_panel.GridInterval,
                                m_context.screenWidth, Panel::MaxMixers);
    ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
    s = resetSlot(m_panel.defaults, b.slot);
    s.IconEnable = true;
    look.storeInto(s, b.isOutput());
    m_panel.meeting.setChair(b.mixer, b.slot, look.chair);
    s.IconWidth = m_template.width;
    s.IconHeight = m_template.height;
    s.IconLeft = at.x();
    s.IconTop = at.y();
    ++m_panel.IconNum;

    if (!canCreateButton(m_panel, m_context))
        return {Outcome::CreatedLimitReached, b, {}};
    return {Outcome::Created, b, nextFree(b)};
}

ButtonProperties::Result ButtonProperties::editButton(ButtonRef button, const ButtonLook &look,
                                                      const MeasureText &measure)
{
    ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
    if (!s.IconEnable)
        return {Outcome::NoChannel, button, {}};
    look.storeInto(s, button.isOutput());
    m_panel.meeting.setChair(button.mixer, button.slot, look.chair);
    refitToCaption(s, measure);
    return {Outcome::Edited, button, {}};
}

void ButtonProperties::remove(ButtonRef button)
{
    ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
    if (!s.IconEnable)
        return;
    s = resetSlot(m_panel.defaults, button.slot);
    m_panel.meeting.setChair(button.mixer, button.slot, false);
    m_panel.IconNum = qint16(std::max(0, m_panel.IconNum - 1));
}

std::vector<ButtonRef> ButtonProperties::applyToAll(ButtonRef from, const MeasureText &measure)
{
    return applyTo(from, enabledButtons(m_panel, int(mixers().size())), measure);
}

std::vector<ButtonRef> ButtonProperties::applyToSelection(ButtonRef from, const MeasureText &measure)
{
    std::vector<ButtonRef> chosen;
    for (const ButtonRef &b : enabledButtons(m_panel, int(mixers().size())))
        if (b == from || m_panel.slot(b.mixer, b.slot).selected)
            chosen.push_back(b);
    return applyTo(from, chosen, measure);
}

int ButtonProperties::othersSelected(ButtonRef button) const
{
    int n = 0;
    for (const ButtonRef &b : enabledButtons(m_panel, int(mixers().size())))
        n += b != button && m_panel.slot(b.mixer, b.slot).selected;
    return n;
}

std::vector<ButtonRef> ButtonProperties::applyTo(ButtonRef from, const std::vector<ButtonRef> &buttons,
                                                 const MeasureText &measure)
{
    const ButtonSlot model = m_panel.slot(from.mixer, from.slot);
    std::vector<ButtonRef> changed;
    for (const ButtonRef &b : buttons) {
        ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
        s.IconFontName = model.IconFontName;
        s.IconFontSize = model.IconFontSize;
        s.IconFontBold = model.IconFontBold;
        s.IconFontItalic = model.IconFontItalic;
        if (b.isOutput() == from.isOutput()) {
            s.IconColorDef = model.IconColorDef;
            if (!b.isOutput())
                s.IconColorOn = model.IconColorOn;
        }
        refitToCaption(s, measure);
        changed.push_back(b);
    }
    return changed;
}
