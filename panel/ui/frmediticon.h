#pragma once

// frmEditIcon: a button in the design state. It draws itself in the system's
// colours (selected or not) with its caption, has a border by which the user
// resizes it, and reports presses, drags, releases, double-clicks and arrow
// keys to the panel window, which decides what they do. It takes the focus
// by Tab as by a click: Space selects it (Ctrl+Space adds it to the selection
// or takes it away), Enter opens its property dialog, the Menu key and
// Shift+F10 its menu, as the right mouse button does.

#include "panel/paneldesign.h"

#include <QWidget>

class FrmEditIcon : public QWidget
{
    Q_OBJECT

public:
    // Pixels of the sizable border around the face.
    static constexpr int BorderWidth = 4;

    FrmEditIcon(ButtonRef button, const PanelState &panel, QWidget *parent);

    // The mixer and slot this window stands for.
    ButtonRef button() const { return m_button; }
    // What assistive technology hears: the caption and the channel.
    QString spokenName() const;
    bool isSelected() const;

    // The panel places the window itself (from the slot's twips); a resize by
    // the border is the user's.
    void place(const QRect &pixels);

signals:
    void pressed(ButtonRef button, bool ctrl);
    // Pointer offset from the press point, in this window's own frame.
    void dragged(ButtonRef button, const QPoint &offset);
    void released(ButtonRef button, const QPoint &offset, Qt::KeyboardModifiers modifiers);
    void resizedByUser(ButtonRef button, const QRect &geometry);
    // The border was let go after a resize by `edges`.
    void resizeFinished(ButtonRef button, Qt::Edges edges, Qt::KeyboardModifiers modifiers);
    void doubleClicked(ButtonRef button);
    void arrowPressed(ButtonRef button, ArrowKey key, Qt::KeyboardModifiers modifiers);
    void selectRequested(ButtonRef button, bool toggle);
    void menuRequested(ButtonRef button, const QPoint &globalPos);
    void focusChanged(ButtonRef button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    Qt::Edges edgesAt(const QPoint &pos) const;
    void resizeTo(const QPoint &globalPos);

    ButtonRef m_button;
    const PanelState &m_panel;
    QPoint m_pressPoint;
    bool m_held = false;
    Qt::Edges m_resizing;
    QRect m_startGeometry;
    QPoint m_startGlobal;
};
