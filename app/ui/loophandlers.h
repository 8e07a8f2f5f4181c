#pragma once

// What the job loop starts besides synchronisation: the program's round
// after each poll, a firmware download, the job window, direct memory
// access, the IP settings, the panel once a job has gone, and the end. It
// owns none of these: each goes to the piece that does it (the link session,
// the mixer-mode windows, the mode switch, the remote server).

#include "app/jobloop.h"

#include <QPointer>

#include <functional>

class FrmDirect;
class FrmMain;
class IniConfig;
class LinkSession;
class MixerWindows;
class ModeSwitch;
class RemoteOperation;
class VirtualChain;
struct World;

class LoopHandlers final : public JobHandlers
{
public:
    struct Context
    {
        World &world;
        FrmMain &main;
        LinkSession &session;
        MixerWindows &windows;
        ModeSwitch &mode;
        IniConfig &ini;
        VirtualChain *virtualChain = nullptr;
        RemoteOperation *remote = nullptr;
        // The switches the panel took over are on disk before the first of them goes.
        std::function<void()> keepHeldChannels;
        // The program's end: it may wait for the exchange under way (`endDue`).
        std::function<void()> disconnect;
        std::function<bool()> endDue;
        std::function<bool()> ended;
    };

    explicit LoopHandlers(Context context);

    void afterPoll() override;
    void runDownload(DownloadKind kind) override;
    void showJobWindow(const JobWork &work, PlaceMode place) override;
    bool jobWindowVisible() const override;
    void showDirect(bool read) override;
    void showIpSettings() override;
    void showPanel() override;
    void Disconnect() override;

private:
    Context m_ctx;
    World &m_world;
    FrmMain &m_main;
    LinkSession &m_session;
    QPointer<FrmDirect> m_direct; // the one direct-access window
};
