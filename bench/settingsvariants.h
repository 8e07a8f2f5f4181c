#pragma once

// Settings files that differ from a saved one by a chosen amount, for the
// load benchmarks: in one value (the last mixer's InputGain_3), or in every
// value a load sends (each mixer value and extended value moved to a
// neighbour within what the editor can set). The keys, the sections and the
// CR LF lines stay as the tool wrote them.

#include "mixer/parametertable.h"
#include "mixer/valueranges.h"

#include <QByteArray>
#include <QList>
#include <QString>

enum class Differ { None, One, Every };

inline const char *differName(Differ d)
{
    switch (d) {
    case Differ::None: return "no value";
    case Differ::One: return "one value";
    case Differ::Every: return "every value";
    }
    return "";
}

// A neighbour of `value` within the editor's range of key `id`; the value
// itself for keys a load does not send (Active, Model, the echoes of the
// priority switch).
inline qint64 otherValue(int id, qint64 value)
{
    if (id <= 0 || id == MixerKey::Model || priorityEcho(id))
        return value;
    const std::optional<ValueRange> range = editorRange(id);
    if (!range)
        return value;
    return value + 1 <= range->high ? value + 1 : value - 1;
}

inline QByteArray differingFile(const QByteArray &saved, Differ differ)
{
    if (differ == Differ::None)
        return saved;
    QList<QByteArray> lines = saved.split('\n');
    QByteArray section;
    qsizetype lastGain = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray &line = lines[i];
        if (line.startsWith('[')) {
            section = line.trimmed();
            continue;
        }
        if (!section.startsWith("[Mixer_"))
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        if (key == "InputGain_3")
            lastGain = i;
        if (differ != Differ::Every)
            continue;
        const int id = mixerKeyId(QString::fromLatin1(key));
        const qint64 value = line.mid(eq + 1).trimmed().toLongLong();
        line = key + '=' + QByteArray::number(otherValue(id, value)) + (line.endsWith('\r') ? "\r" : "");
    }
    if (differ == Differ::One && lastGain >= 0) {
        QByteArray &line = lines[lastGain];
        const qint64 value = line.mid(line.indexOf('=') + 1).trimmed().toLongLong();
        line = "InputGain_3=" + QByteArray::number(otherValue(channelKeyId(ChannelFamily::InputGain, 3), value)) + '\r';
    }
    return lines.join('\n');
}
