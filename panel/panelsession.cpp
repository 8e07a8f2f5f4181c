#include "panel/panelsession.h"

#include "link/linkstate.h"
#include "mixer/mixerdata.h"

#include <algorithm>

PanelSession::PanelSession(const PanelState &panel, MixerState &mixers, const LinkState &link)
    : m_panel(panel), m_mixers(mixers), m_link(link)
{
}

PanelContext PanelSession::context() const
{
    PanelContext ctx;
    ctx.linkKind = m_link.linkKind;
    ctx.mixerCount = m_mixers.MixerCount;
    ctx.screenWidth = m_screen.width();
    ctx.screenHeight = m_screen.height();
    return ctx;
}

int PanelSession::panelMixers() const
{
    const int count = m_mixers.FileMixerCount;
    return m_link.offline() ? std::max(count, mixersWithButtons(m_panel)) : count;
}

void PanelSession::offlineCountsFollowButtons()
{
    if (!m_link.offline())
        return;
    m_mixers.takeInOfflineMixers(mixersWithButtons(m_panel));
}

void PanelSession::adoptMixer(int mixer)
{
    // Offline the link count stands for the mixers the panel is laid out
    // for: a button on a further mixer takes that mixer into the file, where
    // a save would otherwise leave its button section out.
    if (!m_link.offline() || mixer < m_mixers.MixerCount || mixer < 0)
        return;
    m_mixers.takeInOfflineMixers(mixer + 1);
}

bool PanelSession::outOfReach() const
{
    return !m_link.offline() && (m_link.down() || m_mixers.MixerCount == 0);
}

bool PanelSession::leave()
{
    if (m_left)
        return false;
    m_left = true;
    return true;
}

std::optional<LinkCountChange> PanelSession::linkCountChange() const
{
    if (!watchDue() || outOfReach())
        return std::nullopt;
    return ::linkCountChange(context(), m_mixers.FileMixerCount);
}
