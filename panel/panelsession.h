#pragma once

// The panel's session against the link: which mixers the panel lays out,
// the offline counts that follow its buttons, whether the mixers are out of
// reach, the context the panel's rules are given, and what the link-count
// watch is to do on each tick. It keeps whether the panel was left and
// whether a watch is under way (its question lets events run).
//
// It owns no window, no button and no question: the panel window asks it
// and acts on the answer.

#include "panel/panelcommands.h"

#include <QSize>

#include <optional>

struct LinkState;
struct MixerState;

class PanelSession
{
public:
    PanelSession(const PanelState &panel, MixerState &mixers, const LinkState &link);

    // The screen's size in twips, which the rules take for a new button's
    // place.
    void setScreen(QSize twips) { m_screen = twips; }
    PanelContext context() const;

    // The mixers the panel lays out: the file's; offline also every mixer
    // with a button.
    int panelMixers() const;
    // Offline the counts grow to take in every mixer with a button (they
    // never fall: a loaded file's mixers keep their sections).
    void offlineCountsFollowButtons();
    // Offline, a button on a mixer beyond the count takes that mixer in.
    void adoptMixer(int mixer);
    // The connection is down, or no mixer answers (never offline).
    bool outOfReach() const;
    // The operated buttons are greyed: executing while out of reach.
    bool greyed(bool executing) const { return executing && outOfReach(); }

    // The first call says true: the panel is left (its timers stop, its
    // channels go back); later calls say false.
    bool leave();
    bool left() const { return m_left; }

    // A tick of the link-count watch: none while the panel is left or a
    // watch is under way, none while the mixers are out of reach (a lost
    // connection is no change of the room); otherwise how the link count
    // compares with the panel's.
    bool watchDue() const { return !m_left && !m_watching; }
    std::optional<LinkCountChange> linkCountChange() const;
    // Whether a fall of the link count offers to save: not while locked, the
    // file commands being the installer's.
    static bool offerSaveOnFall(bool locked) { return !locked; }

    // Marks a watch under way for its lifetime.
    class Watching
    {
    public:
        explicit Watching(PanelSession &session) : m_session(session) { m_session.m_watching = true; }
        ~Watching() { m_session.m_watching = false; }
        Watching(const Watching &) = delete;
        Watching &operator=(const Watching &) = delete;

    private:
        PanelSession &m_session;
    };

private:
    const PanelState &m_panel;
    MixerState &m_mixers;
    const LinkState &m_link;
    QSize m_screen{1920 * 15, 1080 * 15};
    bool m_left = false;
    bool m_watching = false;
};
