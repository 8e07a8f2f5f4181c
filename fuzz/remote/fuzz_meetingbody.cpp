// The bodies a client sends to the meeting's routes, as any client may send
// them: the seat of a request to speak ({"mixer", "channel"}) and the rules
// of 会議設定 over the current ones. Each is taken or refused with a reason,
// never both; what is taken stays in its range.

#include "remote/remotemeeting.h"

#include <cstddef>
#include <cstdint>

namespace {

bool inRange(const MeetingSettings &s)
{
    using M = MeetingSettings;
    return s.micLimit >= 0 && s.micLimit <= M::MaxMicLimit
        && (s.speakingLimit == 0 || (s.speakingLimit >= M::MinSpeakingLimit && s.speakingLimit <= M::MaxSpeakingLimit))
        && s.warning >= 1 && s.warning <= M::MaxSpeakingLimit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const SeatBody seat = parseSeatBody(body);
    if (seat.error.isEmpty() && (seat.mixer < -1000 || seat.mixer > 1000 || seat.channel < -1000 || seat.channel > 1000))
        __builtin_trap();
    QString error;
    const std::optional<MeetingSettings> settings = parseMeetingSettings(body, MeetingSettings{}, error);
    if (settings.has_value() == !error.isEmpty())
        __builtin_trap(); // the rules or a reason, never both, never neither
    if (settings && !inRange(*settings))
        __builtin_trap();
    return 0;
}
