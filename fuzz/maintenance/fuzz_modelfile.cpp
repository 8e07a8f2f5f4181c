// Arbitrary files into the model-file checks of the firmware download. What
// they accept must be a model file in every respect; and a model file built
// around the input, with sizes the input chooses, must be accepted and give
// its sections back, until one payload byte changes.

#include "maintenance/firmwarefile.h"

#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

void judgeAsGiven(const QByteArray &file)
{
    ModelHeader h;
    QByteArray payload;
    const FirmwareCheck verdict = parseModelFile(file, h, payload);
    if (verdict == FirmwareCheck::Invalid || verdict == FirmwareCheck::Unreadable)
        return;
    const char *name = file.constData();
    check(std::memcmp(name, "ZK-VR340", 8) == 0);
    check(std::all_of(name + 15, name + ModelNameSize, [](char c) { return c == 0; }));
    check(h.sizeM >= 0 && h.sizeP >= 0 && h.sizeD >= 0 && h.payloadSize() > 0);
    check(file.size() == ModelHeaderSize + h.payloadSize());
    const bool large = std::max({h.sizeM, h.sizeP, h.sizeD}) > MaxImageBytes;
    check(large == (verdict == FirmwareCheck::TooLarge));
    if (verdict == FirmwareCheck::Valid) {
        check(payload == file.mid(ModelHeaderSize));
        check(addBytes(0, payload.constData(), payload.size()) == quint8(file[32]));
    }
}

void buildAroundIt(const uint8_t *data, size_t size)
{
    if (size < 3)
        return;
    const QByteArray body(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));
    // The first two bytes cut the body into the three sections.
    const qint32 m = qint32(std::min<size_t>(data[0], size_t(body.size())));
    const qint32 p = qint32(std::min<size_t>(data[1], size_t(body.size() - m)));
    const qint32 d = qint32(body.size() - m - p);
    QByteArray file(ModelHeaderSize, '\0');
    std::memcpy(file.data(), (data[2] & 1) ? "ZK-VR340A Mixer" : "ZK-VR340a Mixer", 15);
    qToLittleEndian<qint32>(m, file.data() + 16);
    qToLittleEndian<qint32>(p, file.data() + 20);
    qToLittleEndian<qint32>(d, file.data() + 24);
    qToLittleEndian<qint32>(data[2] >> 1, file.data() + 28);
    file[32] = char(addBytes(0, body.constData(), body.size()));
    file += body;

    ModelHeader h;
    QByteArray payload;
    const FirmwareCheck verdict = parseModelFile(file, h, payload);
    if (body.isEmpty()) {
        check(verdict == FirmwareCheck::Invalid); // all three sizes 0
        return;
    }
    check(verdict == FirmwareCheck::Valid);
    check(h.sizeM == m && h.sizeP == p && h.sizeD == d && h.eFlag == (data[2] >> 1));
    check(payload == body);
    // One byte more, one byte less, or one payload byte changed: refused.
    check(parseModelFile(file + data[0], h, payload) == FirmwareCheck::Invalid);
    check(parseModelFile(file.chopped(1), h, payload) == FirmwareCheck::Invalid);
    QByteArray changed = file;
    const qsizetype at = ModelHeaderSize + qsizetype(data[1]) % body.size();
    changed[at] = char(changed[at] + 1);
    check(parseModelFile(changed, h, payload) == FirmwareCheck::Invalid);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    judgeAsGiven(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    buildAroundIt(data, size);
    return 0;
}
