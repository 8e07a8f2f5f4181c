#pragma once

// frmExeIcon: a button in the execution state. A channel button shows its
// on colour, "ON" and a flat face while its channel is switched on from the
// panel, and its off colour, "OFF" and a raised face otherwise; an output
// button always shows its one colour. Presses go to the panel window.
// The button is also a keyboard and assistive-technology control: Tab
// reaches it, Space presses it, the context-menu key or Shift+F10 opens its
// settings dialog as the right button does, and a screen reader hears its
// caption, whether it is on and its mark's words, and can press it.

#include "editor/valuemarks.h"
#include "panel/meetingrules.h"
#include "panel/paneldesign.h"

#include <QTimer>
#include <QWidget>

class TimeOfDay;

class FrmExeIcon : public QWidget
{
    Q_OBJECT

public:
    // With `sync`, a channel button marks whether its last switch reached
    // the mixer (… waiting, ○ verified, × failed) and says so in its tooltip.
    FrmExeIcon(ButtonRef button, const PanelState &panel, QWidget *parent, SyncStatus *sync = nullptr,
               const TimeOfDay *timeOfDay = nullptr);

    // The mixer and slot this window stands for.
    ButtonRef button() const { return m_button; }

    // The channel's state: "ON", "OFF", nothing on an output button.
    QString stateText() const;
    // What the state label shows: the state with the running time (the
    // time left during the warning), or for a moment why a press was refused.
    QString shownLabel() const;
    // The face colour shown now.
    QColor faceColor() const;
    bool raised() const;
    // Whether the button stands for a channel (it switches on and off).
    bool switches() const { return !m_button.isOutput(); }
    bool isOn() const { return on(); }
    // The caption as one line of words.
    QString captionWords() const;
    // The mark shown for the channel's switch (none without a sync status).
    ValueMark mark() const;

    // A press from the keyboard or assistive technology: the same as a left
    // click.
    void press();
    // The settings dialog asked for by keyboard or assistive technology:
    // the same as a right press in the middle of the button.
    void askForSettings();
    // What assistive technology hears besides the caption: "ON" or "OFF" and
    // the mark's words.
    QString description() const;
    // The slot's state changed: shown again and told to assistive technology.
    void showState();

    // What the meeting console shows on a seat: its role, and while it is
    // on the running time (m:ss), counting down amber during the warning,
    // red once the time is up.
    struct SeatView
    {
        bool chair = false;
        QString time;     // empty: no time runs
        SpeakingMark mark;
        bool operator==(const SeatView &o) const
        {
            return chair == o.chair && time == o.time && mark.phase == o.mark.phase
                && mark.remaining == o.mark.remaining;
        }
    };
    // Repaints only when what is shown changed.
    void showSeat(const SeatView &view);
    const SeatView &seatView() const { return m_seat; }
    // Why a press was refused, shown on the button for a moment (`words`:
    // the whole reason, for the tooltip and assistive technology).
    void showNotice(const QString &text, const QString &words = {});
    QString notice() const { return m_notice; }

signals:
    void leftPressed(ButtonRef button);
    // `at` is the press point inside the button, in pixels.
    void rightPressed(ButtonRef button, const QPoint &at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    const ButtonSlot &slot() const { return m_panel.slot(m_button.mixer, m_button.slot); }
    bool on() const { return !m_button.isOutput() && slot().IconOnOff; }

    void markChanged();
    ValueStatus switchStatus() const;

    ButtonRef m_button;
    const PanelState &m_panel;
    SyncStatus *m_sync = nullptr;
    const TimeOfDay *m_timeOfDay = nullptr;
    QString m_markWhen; // the time of day the mark last changed
    SeatView m_seat;
    QString m_notice;
    QString m_noticeWords;
    QTimer m_noticeTimer;
};
