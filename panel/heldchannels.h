#pragma once

// The channels' switches the control panel took over, kept on disk until
// they are given back. While the panel holds a mixer's channels (switched
// off, or as its buttons say) the switches it found are what the room needs
// back; a program that dies meanwhile (a crash, a kill, a power cut) would
// take them with it, and the next start would find every microphone muted and
// take that for the room's own state. The file lives in the per-user data
// folder beside the design's recovery file, apart from it.
//
// A line per recorded mixer joins the file when it is recorded and stays
// until the whole file goes, once every switch is back in the mixers: a
// mixer given back while another is still owed keeps its line, as its values
// may still be on their way.

#include "settings/panelmodel.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <map>
#include <optional>

class HeldChannels
{
public:
    // The two remote-control values (RemoteOn, RemoteOff) of channels 1..8.
    struct Switches
    {
        std::array<quint8, Panel::ChannelSlots> on{};
        std::array<quint8, Panel::ChannelSlots> off{};
        bool operator==(const Switches &o) const { return on == o.on && off == o.off; }
    };
    // Panel mixer 0..15 and what it is owed.
    using Record = std::map<int, Switches>;

    static QString defaultPath();
    explicit HeldChannels(QString path = defaultPath());

    const QString &path() const { return m_path; }

    // The switches of every mixer the panel holds or still owes join the
    // file (a mixer recorded anew replaces its line). False when the file
    // could not be written.
    bool keep(const PanelRuntime &runtime);
    // Every switch is back: the file goes.
    void discard();

    // When a file left behind was written; nothing when there is none.
    std::optional<QDateTime> leftBehind() const;
    // The switches the file holds; nothing when it cannot be read (damaged,
    // cut short, values no mixer takes). Unknown lines are passed over.
    std::optional<Record> read() const;
    // An unreadable file is kept aside, for whoever looks into it, and no
    // longer offered. Returns where it went.
    QString setAside() const;

    // The record becomes what the mixers are owed: given back as soon as
    // each is linked, or kept by the next panel that opens as the switches
    // to give back when it closes.
    static void owe(const Record &record, PanelRuntime &runtime);

private:
    QString m_path;
    Record m_kept; // what the file holds
};
