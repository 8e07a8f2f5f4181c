#include "panel/meetingrules.h"

#include "base/strings.h"

#include <cmath>

SpeakingMark speakingMark(double seconds, const MeetingSettings &settings, bool chair)
{
    const MeetingSettings s = settings.bounded();
    if (chair || s.speakingLimit <= 0)
        return {};
    const double left = s.speakingLimit - seconds;
    if (left <= 0)
        return {SpeakingPhase::Ended, 0};
    if (left <= s.warning)
        return {SpeakingPhase::Warning, int(std::ceil(left))};
    return {};
}

MicDecision micDecision(int delegatesOn, const MeetingSettings &settings)
{
    const MeetingSettings s = settings.bounded();
    if (s.micLimit <= 0 || delegatesOn < s.micLimit)
        return MicDecision::SwitchOn;
    return s.micMode == MicLimitMode::Fifo ? MicDecision::LongestOffFirst : MicDecision::Refuse;
}

QString runningTimeText(double seconds)
{
    const qint64 whole = seconds > 0 ? qint64(seconds) : 0;
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

const char *refusalName(MeetingRefusal refusal)
{
    switch (refusal) {
    case MeetingRefusal::None: return "";
    case MeetingRefusal::NotExecuting: return "not-executing";
    case MeetingRefusal::NoSeat: return "no-seat";
    case MeetingRefusal::Limit: return "limit";
    case MeetingRefusal::Speaking: return "speaking";
    case MeetingRefusal::ChairSeat: return "chair";
    case MeetingRefusal::AlreadyRequested: return "already-requested";
    case MeetingRefusal::RequestsFull: return "requests-full";
    case MeetingRefusal::NotRequested: return "not-requested";
    case MeetingRefusal::NoRequests: return "no-requests";
    }
    return "";
}

QString refusalText(MeetingRefusal refusal)
{
    constexpr int First = 14420; // "実行中ではありません", in the order of MeetingRefusal
    if (refusal == MeetingRefusal::None)
        return {};
    return str(First + int(refusal) - int(MeetingRefusal::NotExecuting));
}
