#pragma once

// The meeting console as the remote interface shows and operates it: its
// seats, requests and rules as JSON, and the bodies a client sends to ask
// for a request to speak or to change the rules. Seats are numbered as the
// link numbers them (mixer 1..16, channel 1..8).

#include "panel/meetingrules.h"
#include "remote/remoteswitches.h"
#include "settings/meetingsetup.h"

#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

class MeetingConsole;

// GET /api/v1/meeting: the seats with their running times and marks, the
// requests with their waiting times, and the rules. With `times` false the
// running and waiting times are left at 0: what changes by itself each
// second, which the events do not follow.
QJsonObject meetingJson(const MeetingConsole &console, bool times = true);

// {"mixer": M, "channel": C}: the seat of a request to speak.
struct SeatBody
{
    int mixer = 0;
    int channel = 0;
    QString error; // why the body was refused; empty when it was read
};
SeatBody parseSeatBody(const QByteArray &body);

// {"limit": {...}, "speakingLimit": {...}} over `current`: members left out
// keep their values; a value out of its range is refused, not bounded.
std::optional<MeetingSettings> parseMeetingSettings(const QByteArray &body, const MeetingSettings &current,
                                                    QString &error);

// 全員オフ (`allOff`) or 次の発言者 on the console, and the seats it switched,
// for RemoteSwitches::await to follow until the mixers hold them.
struct MeetingSwitching
{
    MeetingRefusal refusal = MeetingRefusal::None;
    std::vector<RemoteSwitches::Seat> seats;
};
MeetingSwitching switchMeeting(MeetingConsole &console, bool allOff);

// "not-executing" as the line protocol says it: "not executing".
QByteArray refusalWords(MeetingRefusal refusal);
