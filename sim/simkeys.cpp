#include "sim/simkeys.h"

#include <array>

namespace {
constexpr std::array<const char *, 9> Families{
    "InputLevel", "Phantom", "HeadAmp", "LowCutFil", "ThresholdObj",
    "InputGain", "Priority", "Override", "Mute"};
// Ids 73..103; "Model" (86) is not a value of the mixer's memory.
constexpr std::array<const char *, 31> Singles{
    "OutputLevel", "OutputGain", "MuteChange", "MuteAtt", "ThresholdAction",
    "ThresholdUnit", "Action", "Noma", "LastOn", "HoldTime", "OnlyType", "KeyLock",
    "Threshold", nullptr, "ThresholdMax", "ThresholdMin", "ThresholdK", "MuteK",
    "OutPeakLEDK", "PriorityDef", "ThresholdMaxDef", "ThresholdMinDef", "MuteAttDef",
    "ThresholdActDef", "Noise_Detection", "Noise_Detection_Reference",
    "Noise_Detection_Threshold", "Head_Lack_Prevention", "Silent_Time", "Hold_Time2",
    "ThresholdK2"};
} // namespace

QString simKeyName(int keyId)
{
    if (keyId >= 1 && keyId <= 72)
        return QStringLiteral("%1_%2").arg(QLatin1String(Families[(keyId - 1) / 8])).arg((keyId - 1) % 8 + 1);
    if (keyId >= 73 && keyId <= 103 && Singles[keyId - 73])
        return QLatin1String(Singles[keyId - 73]);
    return {};
}

int simKeyId(const QString &name)
{
    for (int id = 1; id <= 103; ++id)
        if (simKeyName(id) == name && !name.isEmpty())
            return id;
    return 0;
}
