#include "parametertable.h"

#include <QHash>
#include <QStringList>

namespace {

QString buildListText()
{
    static const char *const families[] = {"InputLevel", "Phantom", "HeadAmp",
                                           "LowCutFil", "ThresholdObj", "InputGain",
                                           "Priority", "Override", "Mute"};
    static const char *const singles[] = {"OutputLevel", "OutputGain", "MuteChange",
                                          "MuteAtt", "ThresholdAction", "ThresholdUnit",
                                          "Action", "Noma", "LastOn", "HoldTime",
                                          "OnlyType", "KeyLock"};
    struct Tail { const char *key; int kind; };
    static const Tail tail[] = {
        {"Threshold", 2}, {"Model", 2}, {"ThresholdMax", 2}, {"ThresholdMin", 2},
        {"ThresholdK", 2}, {"MuteK", 2}, {"OutPeakLEDK", 2}, {"PriorityDef", 2},
        {"ThresholdMaxDef", 2}, {"ThresholdMinDef", 2}, {"MuteAttDef", 2},
        {"ThresholdActDef", 2}, {"Noise_Detection", 2}, {"Noise_Detection_Reference", 3},
        {"Noise_Detection_Threshold", 3}, {"Head_Lack_Prevention", 2}, {"Silent_Time", 2},
        {"Hold_Time2", 2}, {"ThresholdK2", 2},
    };
    QString t = QStringLiteral("0,Active,11,");
    int id = 1;
    for (const char *f : families)
        for (int n = 1; n <= 8; ++n)
            t += QStringLiteral("%1,%2_%3,17,").arg(id++).arg(QLatin1String(f)).arg(n);
    for (const char *s : singles)
        t += QStringLiteral("%1,%2,17,").arg(id++).arg(QLatin1String(s));
    for (const Tail &e : tail)
        t += QStringLiteral("%1,%2,%3,").arg(id++).arg(QLatin1String(e.key)).arg(e.kind);
    for (int m = 1; m <= MixerKey::Sections; ++m)
        t += QStringLiteral("%1,%2,-1,").arg(m - 1).arg(mixerSectionName(m));
    return t;
}

} // namespace

QString mixerSectionName(int mixer)
{
    if (mixer == 1)
        return QStringLiteral("Mixer_Master");
    if (mixer >= 2 && mixer <= 16)
        return QStringLiteral("Mixer_Slave%1").arg(mixer - 1);
    return {};
}

QString mixerKeyListText()
{
    static const QString text = buildListText();
    return text;
}

std::vector<KeyEntry> splitKeyList(const QString &text)
{
    const QStringList parts = text.split(u',');
    std::vector<KeyEntry> out;
    for (qsizetype i = 0; i + 2 < parts.size(); i += 3) {
        bool okId = false, okKind = false;
        const int id = parts[i].toInt(&okId);
        const int kind = parts[i + 2].toInt(&okKind);
        if (okId && okKind && !parts[i + 1].isEmpty())
            out.push_back({id, parts[i + 1], KeyKind(kind)});
    }
    return out;
}

const std::vector<KeyEntry> &mixerKeys()
{
    static const std::vector<KeyEntry> keys = [] {
        std::vector<KeyEntry> all = splitKeyList(mixerKeyListText());
        all.resize(MixerKey::Count); // the section entries follow the keys
        return all;
    }();
    return keys;
}

int mixerKeyId(const QString &key)
{
    static const QHash<QString, int> ids = [] {
        QHash<QString, int> h;
        for (const KeyEntry &e : mixerKeys())
            h.insert(e.key, e.id);
        return h;
    }();
    return ids.value(key, -1);
}

QString mixerKey(int id)
{
    return (id >= 0 && id < MixerKey::Count) ? mixerKeys()[size_t(id)].key : QString();
}
