#pragma once

// The panel's button windows: one frmEditIcon per button in the design
// state, one frmExeIcon in the execution state, standing on the surface
// where their slots say. It makes, places, repaints and removes them and
// passes on what the user does to them; what a press or a drag means is the
// designer's and the panel window's.

#include "panel/paneldesign.h"
#include "panel/twips.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <array>
#include <optional>
#include <vector>

class FrmEditIcon;
class FrmExeIcon;
class SyncStatus;
class TimeOfDay;
class QWidget;

class ButtonWindows : public QObject
{
    Q_OBJECT

public:
    ButtonWindows(PanelState &panel, const TwipScale &scale, SyncStatus *sync, const TimeOfDay *timeOfDay,
                  QObject *parent = nullptr);
    ~ButtonWindows() override;

    // The surface the windows stand on, given before the first is shown.
    void setSurface(QWidget *surface) { m_surface = surface; }

    // Every button window made anew for the state the panel is in.
    void rebuild(int mixers);
    void show(ButtonRef button);
    void close(ButtonRef button);
    void closeAll();
    void place(ButtonRef button);
    void placeAll(int mixers);
    void repaint(const std::vector<ButtonRef> &buttons);

    FrmEditIcon *designButton(ButtonRef button) const;
    FrmExeIcon *executionButton(ButtonRef button) const;
    // The design button that holds the keyboard focus, if `focus` is one.
    std::optional<ButtonRef> focusedDesignButton(const QWidget *focus) const;
    QRect pixelRect(ButtonRef button) const;
    // How far the buttons reach on the surface, in pixels.
    QSize reach(int mixers) const;

signals:
    // A design button's doings (FrmEditIcon's signals).
    void designPressed(ButtonRef button, bool ctrl);
    void designDragged(ButtonRef button, const QPoint &offset);
    void designReleased(ButtonRef button, const QPoint &offset, Qt::KeyboardModifiers modifiers);
    void designResized(ButtonRef button, const QRect &geometry);
    void resizeFinished(ButtonRef button, Qt::Edges edges, Qt::KeyboardModifiers modifiers);
    void doubleClicked(ButtonRef button);
    void arrowPressed(ButtonRef button, ArrowKey key, Qt::KeyboardModifiers modifiers);
    void selectRequested(ButtonRef button, bool toggle);
    void menuRequested(ButtonRef button, const QPoint &globalPos);
    void focusChanged();
    // An execution button's presses (FrmExeIcon's signals).
    void executionLeftPressed(ButtonRef button);
    void executionRightPressed(ButtonRef button, const QPoint &at);

private:
    static size_t index(ButtonRef b) { return size_t(b.mixer * Panel::SlotsPerMixer + b.slot); }
    void showDesign(ButtonRef button);
    void showExecution(ButtonRef button);

    PanelState &m_panel;
    const TwipScale &m_scale;
    SyncStatus *m_sync;
    const TimeOfDay *m_timeOfDay;
    QWidget *m_surface = nullptr;
    std::array<QPointer<FrmEditIcon>, Panel::MaxButtons> m_design{};
    std::array<QPointer<FrmExeIcon>, Panel::MaxButtons> m_execution{};
};
