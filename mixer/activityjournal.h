#pragma once

// The activity log mirrored into the system's log, for AV staff who watch
// many rooms' PCs with the tools they already run: every entry as
// structured fields (the mixer, key, value and outcome each a field that a
// `journalctl ZKVR_MIXER=2` filter selects), through journald where it runs
// and syslog otherwise. Off until the user or the command line turns it on.

#include <QByteArray>
#include <QObject>

#include <vector>

class ActivityLog;
struct ActivityEntry;

struct JournalField
{
    QByteArray name;  // upper-case letters, digits and '_'
    QByteArray value;
    bool operator==(const JournalField &o) const { return name == o.name && value == o.value; }
};
using JournalFields = std::vector<JournalField>;

// Where the fields go: the system's log, or a test's record of them.
class SystemLogSink
{
public:
    virtual ~SystemLogSink() = default;
    virtual void send(const JournalFields &fields) = 0;
};

// journald through sd-journal when its socket is there; syslog otherwise,
// the fields written after the message as NAME=value.
class SystemLog final : public SystemLogSink
{
public:
    void send(const JournalFields &fields) override;
    static bool journaldRuns();
};

// One entry as fields: MESSAGE, PRIORITY, SYSLOG_IDENTIFIER, then ZKVR_KIND,
// ZKVR_MIXER, ZKVR_KEY, ZKVR_VALUE (as the user knows it), ZKVR_VALUE_CODE,
// ZKVR_OUTCOME and ZKVR_DETAIL where the entry has them.
JournalFields journalFields(const ActivityEntry &entry);

class ActivityJournal : public QObject
{
    Q_OBJECT

public:
    ActivityJournal(const ActivityLog &log, SystemLogSink &sink, QObject *parent = nullptr);
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }

private:
    SystemLogSink &m_sink;
    bool m_enabled = false;
};
