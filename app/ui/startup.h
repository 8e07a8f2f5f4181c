#pragma once

// The start of the program before its windows: the link chosen (given on the
// command line or in ZKVR340A_LINK, asked for, or virtual mixers launched),
// the panel as the reset leaves it for that link and this screen, and what
// an earlier run left behind offered back (a design's recovery file, the
// channels' switches not given back). It owns the screen's size, measured
// once; the virtual mixers it launches go to the caller.

#include "app/operatestart.h"
#include "app/virtualchain.h"
#include "link/linkstate.h"
#include "settings/panelmodel.h"

#include <QSize>

#include <memory>
#include <optional>

class HeldChannels;
class IniConfig;
struct World;

class StartUp
{
public:
    StartUp(World &world, IniConfig &ini, const OperateRequest &operate, const VirtualRequest &virtualRequest);

    // A preset link skips the link-choice dialog (scripts, benchmarks and
    // tests set ZKVR340A_LINK to rs232c, usb, offline or ethernet).
    static std::optional<LinkKind> presetLink();
    // The link chosen without asking: --link, else ZKVR340A_LINK.
    std::optional<LinkKind> linkGiven() const;

    // Sets the link; false when the program cannot go on (virtual mixers that
    // cannot start). Launched virtual mixers go to `chain`.
    bool chooseLink(std::unique_ptr<VirtualChain> &chain);

    // Where the panel runs: the link, the mixers counted and the screen (in twips).
    PanelContext panelContext() const;
    QSize screenTwips() const { return m_screen; }
    // The panel state as the reset leaves it for the chosen link and this
    // screen; the first status poll does it again once the mixers are counted.
    void resetPanel();
    // A recovery file left by a design that ended without saving (a crash,
    // a power cut): offered back, naming when it was written; removed either way.
    void offerRecovery();
    // The channels' switches a program that ended without giving them back
    // left on disk: offered back first (a chairperson's PC takes them without
    // asking).
    void offerHeldChannels(HeldChannels &held);

private:
    World &m_world;
    IniConfig &m_ini;
    const OperateRequest &m_operate;
    const VirtualRequest &m_virtualRequest;
    QSize m_screen;
};
