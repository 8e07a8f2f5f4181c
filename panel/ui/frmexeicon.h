#pragma once

// frmExeIcon: a button in the execution state. A channel button shows its
// on colour, "ON" and a flat face while its channel is switched on from the
// panel, and its off colour, "OFF" and a raised face otherwise; an output
// button always shows its one colour. Presses go to the panel window.
// The button is also a keyboard and assistive-technology control: Tab
// reaches it, Space presses it, and a screen reader hears its caption and
// whether it is on, and can press it.

#include "panel/paneldesign.h"

#include <QWidget>

class FrmExeIcon : public QWidget
{
    Q_OBJECT

public:
    FrmExeIcon(ButtonRef button, const PanelState &panel, QWidget *parent);

    // The mixer and slot this window stands for.
    ButtonRef button() const { return m_button; }

    // What the state label shows: "ON", "OFF", nothing on an output button.
    QString stateText() const;
    // The face colour shown now.
    QColor faceColor() const;
    bool raised() const;
    // Whether the button stands for a channel (it switches on and off).
    bool switches() const { return !m_button.isOutput(); }
    bool isOn() const { return on(); }
    // The caption as one line of words.
    QString captionWords() const;

    // A press from the keyboard or assistive technology: the same as a left
    // click.
    void press();
    // The slot's state changed: shown again and told to assistive technology.
    void showState();

signals:
    void leftPressed(ButtonRef button);
    // `at` is the press point inside the button, in pixels.
    void rightPressed(ButtonRef button, const QPoint &at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    const ButtonSlot &slot() const { return m_panel.slot(m_button.mixer, m_button.slot); }
    bool on() const { return !m_button.isOutput() && slot().IconOnOff; }

    ButtonRef m_button;
    const PanelState &m_panel;
};
