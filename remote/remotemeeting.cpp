#include "remote/remotemeeting.h"

#include "panel/meetingconsole.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace {

QString markName(SpeakingPhase phase)
{
    switch (phase) {
    case SpeakingPhase::Free: return QStringLiteral("none");
    case SpeakingPhase::Warning: return QStringLiteral("warning");
    case SpeakingPhase::Ended: return QStringLiteral("ended");
    }
    return {};
}

QJsonValue orNull(int value)
{
    return value > 0 ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

std::optional<QJsonObject> objectOf(const QByteArray &body, QString &error)
{
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        error = QStringLiteral("expected a JSON object");
        return std::nullopt;
    }
    return doc.object();
}

// A whole number in [low, high], or null when `nullable` (0 then).
bool readCount(const QJsonObject &o, const char *key, int low, int high, bool nullable, int &out, QString &error)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (v.isNull() && nullable) {
        out = 0;
        return true;
    }
    const double d = v.toDouble(-1);
    if (!v.isDouble() || d != std::floor(d) || d < low || d > high) {
        error = QStringLiteral("\"%1\" must be a whole number from %2 to %3%4")
                    .arg(QLatin1String(key)).arg(low).arg(high).arg(nullable ? QStringLiteral(" or null") : QString());
        return false;
    }
    out = int(d);
    return true;
}

// "refuse"|"fifo", "mark"|"off": the word's index in `words`.
bool readWord(const QJsonObject &o, const char *key, const QStringList &words, int &out, QString &error)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    const qsizetype at = words.indexOf(v.toString());
    if (!v.isString() || at < 0) {
        error = QStringLiteral("\"%1\" must be one of %2").arg(QLatin1String(key), words.join(QStringLiteral(", ")));
        return false;
    }
    out = int(at);
    return true;
}

} // namespace

QJsonObject meetingJson(const MeetingConsole &console, bool times)
{
    QJsonArray seats;
    for (const ButtonRef &s : console.seats()) {
        const ButtonSlot &b = console.panel().slot(s.mixer, s.slot);
        QJsonObject o;
        o.insert(QStringLiteral("mixer"), s.mixer + 1);
        o.insert(QStringLiteral("channel"), s.slot + 1);
        o.insert(QStringLiteral("caption"), b.IconText);
        o.insert(QStringLiteral("role"), console.isChair(s) ? QStringLiteral("chair") : QStringLiteral("delegate"));
        o.insert(QStringLiteral("on"), b.IconOnOff);
        o.insert(QStringLiteral("seconds"), times ? int(std::floor(console.seconds(s))) : 0);
        // Without the times the events still say when a time starts, so a
        // page counts from the mixer's verification, not from the press.
        o.insert(QStringLiteral("running"), console.running(s));
        o.insert(QStringLiteral("mark"), markName(console.mark(s).phase));
        seats.append(o);
    }
    QJsonArray requests;
    for (const RequestList::Request &r : console.requests().requests())
        requests.append(QJsonObject{{QStringLiteral("mixer"), r.seat.mixer + 1},
                                    {QStringLiteral("channel"), r.seat.slot + 1},
                                    {QStringLiteral("waiting"), times ? int(std::floor(console.waiting(r))) : 0}});
    const MeetingSettings &m = console.settings();
    const QJsonObject limit{{QStringLiteral("max"), orNull(m.micLimit)},
                            {QStringLiteral("mode"), m.micMode == MicLimitMode::Fifo ? QStringLiteral("fifo")
                                                                                      : QStringLiteral("refuse")}};
    const QJsonObject speaking{{QStringLiteral("seconds"), orNull(m.speakingLimit)},
                               {QStringLiteral("warning"), m.warning},
                               {QStringLiteral("atEnd"), m.atEnd == SpeakingEnd::SwitchOff ? QStringLiteral("off")
                                                                                           : QStringLiteral("mark")}};
    return {{QStringLiteral("executing"), console.executing()},
            {QStringLiteral("seats"), seats},
            {QStringLiteral("requests"), requests},
            {QStringLiteral("limit"), limit},
            {QStringLiteral("speakingLimit"), speaking}};
}

SeatBody parseSeatBody(const QByteArray &body)
{
    SeatBody out;
    const std::optional<QJsonObject> o = objectOf(body, out.error);
    if (!o)
        return out;
    if (o->size() != 2 || !o->contains(QLatin1String("mixer")) || !o->contains(QLatin1String("channel"))) {
        out.error = QStringLiteral("expected exactly \"mixer\" and \"channel\"");
        return out;
    }
    // Out of range is no seat (404), not a malformed body.
    if (!readCount(*o, "mixer", -1000, 1000, false, out.mixer, out.error)
        || !readCount(*o, "channel", -1000, 1000, false, out.channel, out.error))
        out.error = QStringLiteral("\"mixer\" and \"channel\" must be whole numbers");
    return out;
}

std::optional<MeetingSettings> parseMeetingSettings(const QByteArray &body, const MeetingSettings &current,
                                                    QString &error)
{
    const std::optional<QJsonObject> o = objectOf(body, error);
    if (!o)
        return std::nullopt;
    for (const QString &key : o->keys())
        if (key != QLatin1String("limit") && key != QLatin1String("speakingLimit")) {
            error = QStringLiteral("unknown member \"%1\"").arg(key);
            return std::nullopt;
        }
    MeetingSettings s = current;
    const QJsonObject limit = o->value(QLatin1String("limit")).toObject();
    const QJsonObject speaking = o->value(QLatin1String("speakingLimit")).toObject();
    int mode = int(s.micMode);
    int atEnd = int(s.atEnd);
    if (!readCount(limit, "max", 1, MeetingSettings::MaxMicLimit, true, s.micLimit, error)
        || !readWord(limit, "mode", {QStringLiteral("refuse"), QStringLiteral("fifo")}, mode, error)
        || !readCount(speaking, "seconds", MeetingSettings::MinSpeakingLimit, MeetingSettings::MaxSpeakingLimit, true,
                      s.speakingLimit, error)
        || !readCount(speaking, "warning", 1, MeetingSettings::MaxSpeakingLimit, false, s.warning, error)
        || !readWord(speaking, "atEnd", {QStringLiteral("mark"), QStringLiteral("off")}, atEnd, error))
        return std::nullopt;
    s.micMode = MicLimitMode(mode);
    s.atEnd = SpeakingEnd(atEnd);
    return s;
}

MeetingSwitching switchMeeting(MeetingConsole &console, bool allOff)
{
    std::vector<std::pair<ButtonRef, bool>> before;
    for (const ButtonRef &s : console.seats())
        before.emplace_back(s, console.panel().slot(s.mixer, s.slot).IconOnOff);
    MeetingSwitching out;
    out.refusal = allOff ? console.allOff() : console.next();
    if (out.refusal != MeetingRefusal::None)
        return out;
    for (const auto &[s, wasOn] : before)
        if (const bool on = console.panel().slot(s.mixer, s.slot).IconOnOff; on != wasOn)
            out.seats.push_back({s.mixer + 1, s.slot + 1, on});
    return out;
}

QByteArray refusalWords(MeetingRefusal refusal)
{
    return QByteArray(refusalName(refusal)).replace('-', ' ');
}
