#pragma once

// The panel's backdrop: the scroll area MDIClient and in it the surface the
// buttons stand on, showing the window colour, the background image, the
// grid and the figures; its scrolling; and the background menu's dialogs
// (the grid's property, the image setting) with the grid's switch. It owns
// the scroll area, the surface, the image's reload mark and those dialogs;
// the buttons, the figures' editing and the history are not its.

#include "panel/designhistory.h"
#include "panel/twips.h"

#include <QObject>
#include <QPointer>
#include <QSize>

class Dialogs;
class FrmGridProperty;
class FrmImageSetting;
class PanelSurface;
class QScrollArea;
class QWidget;
struct PanelState;

class BackdropView : public QObject
{
    Q_OBJECT

public:
    BackdropView(PanelState &panel, const TwipScale &scale, Dialogs &dialogs, QWidget *window);

    QScrollArea *scrollArea() const { return m_scroll; }
    PanelSurface *surface() const { return m_surface; }
    QSize clientPixels() const;

    // The surface covers the client area and the buttons' `reach`; the
    // grid shows in the design state only.
    void fit(QSize reach);
    // The surface composed again: the image reloaded when marked, the window
    // colour, the size.
    void paint(QSize reach);
    // The image file is read at the next paint.
    void reloadImageNext() { m_imageReload = true; }

    int scrollOffset(Qt::Orientation axis) const;
    void setScrollOffset(Qt::Orientation axis, int offset);
    void scrollToOrigin();

    // The background menu's grid and image commands.
    void toggleGrid();
    void openGridProperty();
    void openImageSetting();
    FrmGridProperty *gridDialog() const;
    FrmImageSetting *imageDialog() const;
    void closeDialogs();

signals:
    // The backdrop changed what the user sees: one step of the history.
    void changed(DesignStep step);
    void redrawWanted();
    // The grid dialog came or went (it is not opened twice).
    void commandsChanged();
    // A new image was chosen: the buttons are placed again and the redraws
    // that fit the image follow.
    void imageChosen();

private:
    void reloadImage();

    PanelState &m_panel;
    const TwipScale &m_scale;
    Dialogs &m_dialogs;
    QWidget *m_window;
    QScrollArea *m_scroll = nullptr;
    PanelSurface *m_surface = nullptr;
    QPointer<FrmGridProperty> m_gridDialog;
    QPointer<FrmImageSetting> m_imageDialog;
    bool m_imageReload = false;
};
