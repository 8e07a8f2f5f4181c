#pragma once

// An editor window's surroundings on virtual time: the virtual mixer chain
// behind the link, the status poll and the verified write, and the editor
// state the window shares. cycle() is one turn of the job loop as the window
// sees it: a poll, the write when values wait, a timer tick.

#include "editor/ui/frmmixer.h"
#include "mixer/mixersync.h"
#include "tests/support/simlinkrig.h"

#include <QList>

#include <memory>

struct EditorRig : SimLinkRig
{
    explicit EditorRig(int mixerCount = 1, int model = 1)
        : SimLinkRig(options(mixerCount, model)), sync(std::make_unique<MixerSync>(*comm, loop, mixers))
    {
        // Three polls bring thresholds and data of every mixer.
        for (int i = 0; i < 4; ++i)
            sync->StatusPoll();
    }

    static SimOptions options(int mixerCount, int model)
    {
        SimOptions o;
        o.mixers = mixerCount;
        o.model = model;
        return o;
    }

    EditorEnv env()
    {
        StatusPoll &poll = sync->poll();
        return {mixers, editor, poll.DataReadMark, poll.ThresholdReadMark, poll.DataReceived,
                sync->setData().SetDataRetryCount};
    }

    FrmMixerContext context()
    {
        return {env(), loop, link, dialogs, [this] { comm->CommDrain(); },
                [this](bool on) { printEnabled = on; }, [this](int item) { gridShown << item; }};
    }

    void cycle(FrmMixer &window)
    {
        sync->StatusPoll();
        if (loop.ChangePending == -1) {
            loop.ChangePending = 0;
            if (sync->SetData())
                loop.PollPhase = 1;
        }
        window.Timer1();
    }
    void settle(FrmMixer &window, int passes = 6)
    {
        for (int i = 0; i < passes; ++i)
            cycle(window);
    }

    std::unique_ptr<MixerSync> sync;
    EditorState editor;
    bool printEnabled = false;
    QList<int> gridShown;
};
