#pragma once

// What a write run that failed tells the user: which values did not reach
// which mixer, and why, under message 1803. The first few are named; the
// rest are counted.

#include <QString>

#include <vector>

enum class SetFailReason {
    LinkDown, // the connection to the mixers was gone
    Kept,     // the mixer was read back holding another value
    NoAnswer, // no read-back showed the mixer's value
};

struct SetFailure
{
    int mixer = 1; // 1..16
    int id = 1;    // key id 1..85
    SetFailReason reason = SetFailReason::NoAnswer;
};

// The value as a user knows it: "ch 3 チャンネルレベル", "マスターレベル".
QString valueName(int id);

// Message 1803 followed by one line for each of the first `named` failures
// ("マスター ch 3 チャンネルレベル: ミキサーは元の値のままです") and the number
// of the others.
QString setFailureText(const std::vector<SetFailure> &failures, int named = 3);
