#include "mixer/activityjournal.h"

#include "mixer/activitylog.h"

#include <QFileInfo>

#include <systemd/sd-journal.h>
#include <sys/uio.h>
#include <syslog.h>

namespace {

const QByteArray Identifier = "zkvr340a";

QByteArray kindWord(ActivityKind kind)
{
    switch (kind) {
    case ActivityKind::Write: return "write";
    case ActivityKind::Link: return "link";
    case ActivityKind::Load: return "load";
    case ActivityKind::Save: return "save";
    case ActivityKind::Download: return "download";
    case ActivityKind::Access: return "access";
    }
    return "write";
}

QByteArray outcomeWord(ActivityOutcome outcome)
{
    switch (outcome) {
    case ActivityOutcome::None: return {};
    case ActivityOutcome::Verified: return "verified";
    case ActivityOutcome::Failed: return "failed";
    case ActivityOutcome::Done: return "done";
    case ActivityOutcome::Refused: return "refused";
    }
    return {};
}

// syslog's levels, which journald shares: a failure or refusal is an
// error, a change of the link a warning, the rest information.
int priorityOf(const ActivityEntry &e)
{
    if (e.outcome == ActivityOutcome::Failed || e.outcome == ActivityOutcome::Refused)
        return LOG_ERR;
    return e.kind == ActivityKind::Link ? LOG_WARNING : LOG_INFO;
}

} // namespace

JournalFields journalFields(const ActivityEntry &e)
{
    JournalFields f{{"MESSAGE", ActivityLog::line(e).toUtf8()},
                    {"PRIORITY", QByteArray::number(priorityOf(e))},
                    {"SYSLOG_IDENTIFIER", Identifier},
                    {"ZKVR_KIND", kindWord(e.kind)}};
    if (e.mixer > 0)
        f.push_back({"ZKVR_MIXER", QByteArray::number(e.mixer)});
    if (e.key > 0) {
        f.push_back({"ZKVR_KEY", ActivityLog::keyName(e.key).toUtf8()});
        f.push_back({"ZKVR_VALUE", ActivityLog::valueText(e).toUtf8()});
        f.push_back({"ZKVR_VALUE_CODE", QByteArray::number(e.value)});
    }
    if (const QByteArray outcome = outcomeWord(e.outcome); !outcome.isEmpty())
        f.push_back({"ZKVR_OUTCOME", outcome});
    if (!e.detail.isEmpty())
        f.push_back({"ZKVR_DETAIL", e.detail.toUtf8()});
    return f;
}

bool SystemLog::journaldRuns()
{
    return QFileInfo::exists(QStringLiteral("/run/systemd/journal/socket"));
}

void SystemLog::send(const JournalFields &fields)
{
    if (journaldRuns()) {
        std::vector<QByteArray> lines;
        lines.reserve(fields.size());
        std::vector<iovec> parts;
        parts.reserve(fields.size());
        for (const JournalField &f : fields) {
            lines.push_back(f.name + '=' + f.value);
            parts.push_back({lines.back().data(), size_t(lines.back().size())});
        }
        // A journal that cannot take it (full, restarting) costs the entry
        // there, never the program's work.
        (void)sd_journal_sendv(parts.data(), int(parts.size()));
        return;
    }
    QByteArray text;
    int priority = LOG_INFO;
    for (const JournalField &f : fields) {
        if (f.name == "MESSAGE")
            text.prepend(f.value);
        else if (f.name == "PRIORITY")
            priority = f.value.toInt();
        else if (f.name.startsWith("ZKVR_"))
            text += ' ' + f.name + "=\"" + QByteArray(f.value).replace('"', "'").replace('\n', ' ') + '"';
    }
    openlog(Identifier.constData(), LOG_PID, LOG_USER);
    syslog(priority, "%s", text.constData());
}

ActivityJournal::ActivityJournal(const ActivityLog &log, SystemLogSink &sink, QObject *parent)
    : QObject(parent), m_sink(sink)
{
    connect(&log, &ActivityLog::entryAdded, this, [this](const ActivityEntry &e) {
        if (m_enabled)
            m_sink.send(journalFields(e));
    });
}
