#include "panel/designhistory.h"

#include "base/strings.h"

namespace {

namespace Res {
constexpr int FirstStepName = 12000;   // 12000.. in DesignStep order up to SameSize
constexpr int LaterStepName = 14200;   // 14200.. from ApplyToSelection to DeleteSelection
constexpr int SeatListStepName = 14916;
} // namespace Res

bool sameSlot(const ButtonSlot &a, const ButtonSlot &b)
{
    // Selection and the move steps belong to the window, and the channel's
    // switch to the operated panel (a test run switches it, and a
    // chairperson's switches must not make the design unsaved): none of them
    // is the design.
    return a.IconEnable == b.IconEnable && a.IconLeft == b.IconLeft && a.IconTop == b.IconTop
           && a.IconWidth == b.IconWidth && a.IconHeight == b.IconHeight && a.IconText == b.IconText
           && a.IconFontName == b.IconFontName && a.IconFontSize == b.IconFontSize
           && a.IconFontBold == b.IconFontBold && a.IconFontItalic == b.IconFontItalic
           && a.IconColorDef == b.IconColorDef && a.IconColorOn == b.IconColorOn;
}

bool sameFigure(const Figure &a, const Figure &b)
{
    return a.StartX == b.StartX && a.StartY == b.StartY && a.EndX == b.EndX && a.EndY == b.EndY
           && a.Color == b.Color && a.Width == b.Width && a.Style == b.Style && a.Direction == b.Direction
           && a.Order == b.Order;
}

bool sameImage(const ImageSettings &a, const ImageSettings &b)
{
    return a.ImageVisible == b.ImageVisible && a.ImageFileName == b.ImageFileName
           && a.ImageStretch == b.ImageStretch && a.ImageWidth == b.ImageWidth && a.ImageHeight == b.ImageHeight
           && a.ImageXScale == b.ImageXScale && a.ImageYScale == b.ImageYScale;
}

bool sameFigures(const DesignSnapshot &a, const DesignSnapshot &b)
{
    if (a.figureCounts != b.figureCounts || a.FigureNum != b.FigureNum)
        return false;
    for (int k = 0; k < Panel::FigureKinds; ++k)
        for (int i = 0; i < Panel::FiguresPerKind; ++i)
            if (!sameFigure(a.figures[size_t(k)][size_t(i)], b.figures[size_t(k)][size_t(i)]))
                return false;
    return true;
}

constexpr int KeyMoveId = 1;

} // namespace

DesignSnapshot DesignSnapshot::capture(const PanelState &panel)
{
    DesignSnapshot s;
    s.buttons = panel.buttons;
    s.GUIWindowColor = panel.GUIWindowColor;
    s.IconNum = panel.IconNum;
    s.GridOnOff = panel.GridOnOff;
    s.GridInterval = panel.GridInterval;
    s.GridColor = panel.GridColor;
    s.figures = panel.figures;
    s.figureCounts = panel.figureCounts;
    s.FigureNum = panel.FigureNum;
    s.image = panel.image;
    s.chairs = panel.meeting.chairs;
    for (int k = 0; k < Panel::FigureKinds; ++k)
        s.figureCounts[size_t(k)] = figuresInUse(panel, FigureKind(k));
    return s;
}

void DesignSnapshot::restoreInto(PanelState &panel) const
{
    for (int m = 0; m < Panel::MaxMixers; ++m) {
        for (int sl = 0; sl < Panel::SlotsPerMixer; ++sl) {
            ButtonSlot &now = panel.slot(m, sl);
            const ButtonSlot &then = buttons[size_t(m)][size_t(sl)];
            const bool stays = now.IconEnable && then.IconEnable;
            const bool keepSelected = now.selected && then.IconEnable;
            const bool keepSwitch = stays ? now.IconOnOff : then.IconOnOff;
            now = then;
            now.selected = keepSelected;
            now.IconOnOff = keepSwitch;
            now.moveStepX = 0;
            now.moveStepY = 0;
        }
    }
    panel.GUIWindowColor = GUIWindowColor;
    panel.IconNum = IconNum;
    panel.GridOnOff = GridOnOff;
    panel.GridInterval = GridInterval;
    panel.GridColor = GridColor;
    panel.figures = figures;
    panel.figureCounts = figureCounts;
    panel.FigureNum = FigureNum;
    panel.image = image;
    panel.meeting.chairs = chairs;
}

bool DesignSnapshot::sameDesign(const DesignSnapshot &o) const
{
    if (GUIWindowColor != o.GUIWindowColor || IconNum != o.IconNum || GridOnOff != o.GridOnOff
        || GridInterval != o.GridInterval || GridColor != o.GridColor || !sameImage(image, o.image)
        || !sameFigures(*this, o) || chairs != o.chairs)
        return false;
    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s)
            if (!sameSlot(buttons[size_t(m)][size_t(s)], o.buttons[size_t(m)][size_t(s)]))
                return false;
    return true;
}

DesignChange designChange(const DesignSnapshot &from, const DesignSnapshot &to)
{
    DesignChange c;
    for (int m = 0; m < Panel::MaxMixers; ++m) {
        for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
            const ButtonSlot &a = from.buttons[size_t(m)][size_t(s)];
            const ButtonSlot &b = to.buttons[size_t(m)][size_t(s)];
            if (a.IconEnable && !b.IconEnable)
                c.disappeared.push_back({m, s});
            else if (!a.IconEnable && b.IconEnable)
                c.appeared.push_back({m, s});
            else if (b.IconEnable && (!sameSlot(a, b) || a.IconOnOff != b.IconOnOff)) // shown anew
                c.changed.push_back({m, s});
        }
    }
    c.surface = from.GUIWindowColor != to.GUIWindowColor || from.GridOnOff != to.GridOnOff
                || from.GridInterval != to.GridInterval || from.GridColor != to.GridColor
                || !sameFigures(from, to);
    c.image = !sameImage(from.image, to.image);
    return c;
}

QString designStepName(DesignStep step)
{
    if (step == DesignStep::SeatList)
        return str(Res::SeatListStepName);
    if (step > DesignStep::SameSize)
        return str(Res::LaterStepName + int(step) - int(DesignStep::ApplyToSelection));
    return str(Res::FirstStepName + int(step));
}

// One step: the design before and after it.
class DesignStepCommand : public QUndoCommand
{
public:
    DesignStepCommand(DesignHistory &history, DesignStep kind, DesignSnapshot before, DesignSnapshot after,
                  quint64 moved, quint64 run)
        : QUndoCommand(designStepName(kind)), m_history(history), m_kind(kind), m_before(std::move(before)),
          m_after(std::move(after)), m_moved(moved), m_run(run)
    {
    }

    int id() const override { return m_kind == DesignStep::KeyMove ? KeyMoveId : -1; }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *o = static_cast<const DesignStepCommand *>(other);
        if (o->m_run != m_run || o->m_moved != m_moved)
            return false;
        m_after = o->m_after;
        // Moved back to where the run started: nothing is left to undo.
        setObsolete(m_before.sameDesign(m_after));
        return true;
    }

    void undo() override { m_history.apply(m_before); }
    void redo() override
    {
        // Pushed after the change was made: the panel already stands so.
        if (std::exchange(m_pushed, false))
            return;
        m_history.apply(m_after);
    }

private:
    DesignHistory &m_history;
    DesignStep m_kind;
    DesignSnapshot m_before;
    DesignSnapshot m_after;
    quint64 m_moved;
    quint64 m_run;
    bool m_pushed = true;
};

DesignHistory::DesignHistory(PanelState &panel, QObject *parent)
    : QObject(parent), m_panel(panel), m_base(DesignSnapshot::capture(panel))
{
    connect(&m_stack, &QUndoStack::cleanChanged, this, [this] { emit savedStateChanged(atSavedState()); });
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] { emit savedStateChanged(atSavedState()); });
}

DesignHistory::~DesignHistory()
{
    // The stack empties itself as it goes and says so; by then the panel it
    // would ask about may be gone with the window that owned both.
    m_stack.disconnect(this);
}

bool DesignHistory::commit(DesignStep kind, quint64 moved)
{
    DesignSnapshot now = DesignSnapshot::capture(m_panel);
    if (now.sameDesign(m_base)) {
        if (kind != DesignStep::KeyMove)
            breakRun();
        return false;
    }
    if (kind != DesignStep::KeyMove)
        breakRun();
    DesignSnapshot before = std::exchange(m_base, now);
    m_stack.push(new DesignStepCommand(*this, kind, std::move(before), std::move(now), moved, m_run));
    return true;
}

void DesignHistory::apply(const DesignSnapshot &to)
{
    breakRun();
    const DesignSnapshot from = DesignSnapshot::capture(m_panel);
    to.restoreInto(m_panel);
    m_base = to;
    if (restored)
        restored(designChange(from, to));
}

void DesignHistory::reset()
{
    breakRun();
    m_neverSaved = false;
    m_stack.clear();
    m_base = DesignSnapshot::capture(m_panel);
    m_stack.setClean();
    emit savedStateChanged(true);
}

void DesignHistory::markSaved()
{
    breakRun();
    // A change made without a step of its own becomes one, so that the
    // saved state is one the stack can return to.
    commit(DesignStep::Properties);
    m_neverSaved = false;
    m_stack.setClean();
    emit savedStateChanged(atSavedState());
}

void DesignHistory::markUnsaved()
{
    m_neverSaved = true;
    emit savedStateChanged(false);
}

bool DesignHistory::atSavedState() const
{
    return !m_neverSaved && m_stack.isClean() && DesignSnapshot::capture(m_panel).sameDesign(m_base);
}
