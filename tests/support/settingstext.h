#pragma once

// Settings-file text for tests: whole sections as a save writes them, so a
// test states only the values it is about.

#include "mixer/mixerdata.h"

#include <QByteArray>
#include <QList>

namespace settingstext {

// A whole mixer section, every key in its place: the factory values, except
// those given as "Key=Value" lines (CR LF or LF between them).
inline QByteArray mixerSection(const QByteArray &name, const QByteArray &lines = {})
{
    const QList<QByteArray> given = lines.split('\n');
    QByteArray out = "[" + name + "]\r\nActive=False\r\n";
    for (int id = 1; id < MixerKey::Count; ++id) {
        const QByteArray key = mixerKey(id).toLatin1();
        QByteArray value = factoryDefaultText(id).toLatin1();
        for (const QByteArray &line : given)
            if (line.startsWith(key + '='))
                value = line.mid(key.size() + 1).trimmed();
        out += key + '=' + value + "\r\n";
    }
    return out;
}

inline QByteArray systemData(int mixers)
{
    return "[SystemData]\r\nMixerCount=" + QByteArray::number(mixers) + "\r\n";
}

} // namespace settingstext
