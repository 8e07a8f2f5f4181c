#pragma once

// The panel's session as the window runs it: opening the panel from the
// current settings (every channel switched off), leaving it (the settings
// captured, the channels given back), Timer1's link-count watch with its
// question when the count fell, and the recovery file the unsaved design is
// kept in. It owns Timer1, the recovery timer and the recovery file; the
// rules are PanelSession's, and what the window shows after each step is
// the window's, asked for by the signals below.

#include "panel/designrecovery.h"
#include "panel/ui/frmmdi.h"

#include <QObject>
#include <QTimer>

class BackdropView;
class ButtonWindows;

class SessionControl : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        PanelWindowContext &ctx;
        PanelSession &session;
        PanelDesign &design;
        DesignHistory &history;
        DesignTools &tools;
        RemoteChannels &remote;
        ButtonWindows &buttons;
        BackdropView &backdrop;
    };
    SessionControl(Parts parts, QObject *parent);

    void open();
    // Once: the timers stop, the settings take the panel, the channels go
    // back. The window's sub-windows close on the way.
    void leave();
    // Timer1's work; `locked`: the operator lock holds.
    void watchLinkCount(bool locked);
    // The recovery timer's work; whether written.
    bool writeRecovery();
    const DesignRecovery &recovery() const { return m_recovery; }
    // Whatever the panel held was saved or given up just now.
    void forgetRecovery();
    // The operated buttons are greyed while the mixers are out of reach.
    void greyWhileOutOfReach();

signals:
    // Timer1's second: the window calls watchLinkCount.
    void watchTick();
    // The window's sub-windows close, the button table without a question.
    void subWindowsClosing();
    void tableClosing();
    void figureEditingReset();
    // The window shows the panel afresh (buttons, surface, commands, title).
    void afreshWanted();
    void redrawWanted();
    void titleChanged();
    void tableChanged();
    void commandsChanged();
    void extentChanged();

private:
    void watchSettings();
    // The link count fell: after offering to save, the buttons of the
    // mixers that are gone go.
    void dropGoneMixers(bool locked, int linked, int held);

    Parts m_parts;
    PanelWindowContext &m_ctx;
    PanelSession &m_session;
    QTimer m_timer1;
    DesignRecovery m_recovery;
    QTimer m_recoveryTimer;
    // The user chose not to save the design as it stands: no recovery file
    // for it, until the design changes again.
    bool m_recoveryRefused = false;
};
