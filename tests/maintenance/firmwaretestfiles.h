#pragma once

// Firmware files for the download tests: model files built from their
// sections, images of a recognisable pattern, written to a temporary folder.

#include "maintenance/firmwarefile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace firmwaretest {

// Bytes that differ by 7 from one to the next: never 55 AA, so no piece of
// an image looks like a USB trailer.
inline QByteArray pattern(int n, int seed = 0)
{
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        b[i] = char((i * 7 + seed) & 0xFF);
    return b;
}

inline quint8 sumOf(const QByteArray &bytes)
{
    return addBytes(0, bytes.constData(), bytes.size());
}

struct ModelSizes
{
    qint32 m, p, d;
};

// A model file around the sections; the header's sizes and checksum may be
// set apart from the payload to build damaged files.
inline QByteArray modelFile(const QByteArray &m, const QByteArray &p, const QByteArray &d, qint32 eFlag = 0,
                            const QByteArray &name = "ZK-VR340a Mixer")
{
    QByteArray file(ModelHeaderSize, '\0');
    file.replace(0, int(name.size()), name);
    qToLittleEndian<qint32>(qint32(m.size()), file.data() + 16);
    qToLittleEndian<qint32>(qint32(p.size()), file.data() + 20);
    qToLittleEndian<qint32>(qint32(d.size()), file.data() + 24);
    qToLittleEndian<qint32>(eFlag, file.data() + 28);
    const QByteArray payload = m + p + d;
    file[32] = char(sumOf(payload));
    return file + payload;
}

inline void setSizes(QByteArray &file, ModelSizes s)
{
    qToLittleEndian<qint32>(s.m, file.data() + 16);
    qToLittleEndian<qint32>(s.p, file.data() + 20);
    qToLittleEndian<qint32>(s.d, file.data() + 24);
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace firmwaretest
