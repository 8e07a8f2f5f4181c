#include "maintenance/firmwarefile.h"

#include "base/dialogs.h"
#include "base/strings.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace {
namespace Msg {
constexpr int FirmwareFilter = 10652;
constexpr int FpgaFilter = 10653;
constexpr int InvalidFile = 10656;
constexpr int TooLarge = 10657;
constexpr int Unreadable = 10658;
constexpr int Empty = 11200;
constexpr int ModelFileAsImage = 11201;
constexpr int OlderImageToNewer = 11202;
constexpr int ModelFileToOlder = 11203;
} // namespace Msg

constexpr std::array<const char *, 2> ModelNames = {"ZK-VR340A Mixer", "ZK-VR340a Mixer"};

bool knownName(const quint8 *field)
{
    for (const char *name : ModelNames) {
        char padded[ModelNameSize] = {};
        std::memcpy(padded, name, std::strlen(name));
        if (std::memcmp(field, padded, ModelNameSize) == 0)
            return true;
    }
    return false;
}

// A file that starts with a model file's name field is one, whatever its
// sizes say.
bool knownName(const QByteArray &bytes)
{
    return bytes.size() >= ModelNameSize && knownName(reinterpret_cast<const quint8 *>(bytes.constData()));
}

qint32 int32At(const quint8 *p)
{
    return qFromLittleEndian<qint32>(p);
}

// Sections are read in pieces of this size, so a large file is summed
// without a second copy of it.
constexpr qint64 ReadPiece = 64 * 1024;

// A model file of `length` bytes from `device`: the header first, so that a
// file whose header is wrong or too large is never read whole, then the
// sections in pieces, summed on the way.
void readModelFile(QIODevice &device, qint64 length, FirmwareImage &r)
{
    const QByteArray head = device.read(ModelHeaderSize);
    if (head.size() < ModelHeaderSize) {
        r.check = FirmwareCheck::Invalid;
        return;
    }
    r.check = checkModelHeader(reinterpret_cast<const quint8 *>(head.constData()), length, r.header);
    if (r.check != FirmwareCheck::Valid)
        return;
    const qint64 payload = r.header.payloadSize();
    r.image.reserve(payload);
    quint8 sum = 0;
    while (r.image.size() < payload) {
        const QByteArray piece = device.read(std::min(ReadPiece, payload - r.image.size()));
        if (piece.isEmpty())
            break;
        sum = addBytes(sum, piece.constData(), piece.size());
        r.image.append(piece);
    }
    // A file that changed under the read is not sent in part.
    if (r.image.size() != payload || !device.atEnd() || sum != r.header.checksum) {
        r.check = FirmwareCheck::Invalid;
        r.image.clear();
    }
}
} // namespace

std::optional<DownloadKind> downloadKind(int request)
{
    if (request >= int(DownloadKind::MainProgram) && request <= int(DownloadKind::ModelFile))
        return DownloadKind(request);
    return std::nullopt;
}

quint8 downloadTarget(DownloadKind kind)
{
    switch (kind) {
    case DownloadKind::MainProgram: return DownloadTarget::Main;
    case DownloadKind::Fpga: return DownloadTarget::Fpga;
    case DownloadKind::WriterProgram: return DownloadTarget::Writer;
    case DownloadKind::ModelFile: break;
    }
    return DownloadTarget::Main; // its first section, when it has one
}

QString downloadFileFilter(DownloadKind kind)
{
    return fileDialogFilter(str(kind == DownloadKind::Fpga ? Msg::FpgaFilter : Msg::FirmwareFilter));
}

FirmwareCheck checkModelHeader(const quint8 *header, qint64 fileLength, ModelHeader &out)
{
    if (fileLength < ModelHeaderSize || !knownName(header))
        return FirmwareCheck::Invalid;
    out.sizeM = int32At(header + 16);
    out.sizeP = int32At(header + 20);
    out.sizeD = int32At(header + 24);
    out.eFlag = int32At(header + 28);
    out.checksum = header[32];
    if (out.sizeM < 0 || out.sizeP < 0 || out.sizeD < 0)
        return FirmwareCheck::Invalid;
    if (out.sizeM == 0 && out.sizeP == 0 && out.sizeD == 0)
        return FirmwareCheck::Invalid;
    // Three non-negative 32-bit sizes add up without overflow in 64 bits.
    if (fileLength != ModelHeaderSize + out.payloadSize())
        return FirmwareCheck::Invalid;
    if (std::max({out.sizeM, out.sizeP, out.sizeD}) > MaxImageBytes)
        return FirmwareCheck::TooLarge;
    return FirmwareCheck::Valid;
}

quint8 addBytes(quint8 sum, const char *data, qint64 count)
{
    for (qint64 i = 0; i < count; ++i)
        sum = quint8(sum + quint8(data[i]));
    return sum;
}

FirmwareCheck parseModelFile(const QByteArray &file, ModelHeader &header, QByteArray &payload)
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    FirmwareImage r;
    readModelFile(buffer, bytes.size(), r);
    header = r.header;
    if (r.check == FirmwareCheck::Valid)
        payload = r.image;
    return r.check;
}

FirmwareImage readFirmwareFile(DownloadKind kind, const QString &path)
{
    FirmwareImage r;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = file.errorString();
        return r;
    }
    r.fileSize = file.size();
    if (kind != DownloadKind::ModelFile) {
        if (r.fileSize > MaxImageBytes) {
            r.check = FirmwareCheck::TooLarge;
            return r;
        }
        r.image = file.readAll();
        // A file that changed under the read is not sent in part.
        if (r.image.size() != r.fileSize || file.error() != QFileDevice::NoError) {
            r.error = file.errorString();
            r.image.clear();
            return r;
        }
        // An empty image would leave the mixer without its program; a model
        // file is for the newer model's own menu.
        r.check = r.image.isEmpty() ? FirmwareCheck::Empty
                  : knownName(r.image) ? FirmwareCheck::ModelFile
                                       : FirmwareCheck::Valid;
        if (r.check != FirmwareCheck::Valid)
            r.image.clear();
        return r;
    }

    readModelFile(file, r.fileSize, r);
    return r;
}

QString firmwareCheckMessage(const FirmwareImage &file)
{
    switch (file.check) {
    case FirmwareCheck::Valid:
        return {};
    case FirmwareCheck::Invalid:
        return str(Msg::InvalidFile);
    case FirmwareCheck::TooLarge: {
        const qint64 size = file.header.payloadSize() > 0
            ? std::max({file.header.sizeM, file.header.sizeP, file.header.sizeD})
            : file.fileSize;
        return str(Msg::TooLarge).arg(size).arg(MaxImageBytes);
    }
    case FirmwareCheck::Unreadable:
        return str(Msg::Unreadable).arg(file.error);
    case FirmwareCheck::Empty:
        return str(Msg::Empty);
    case FirmwareCheck::ModelFile:
        return str(Msg::ModelFileAsImage);
    }
    return {};
}

bool imageForOtherFamily(DownloadKind kind, int masterModel)
{
    if (masterModel < 0)
        return false;
    const bool newerMixer = masterModel > 0;
    return newerMixer != (kind == DownloadKind::ModelFile);
}

QString otherFamilyQuestion(DownloadKind kind)
{
    return str(kind == DownloadKind::ModelFile ? Msg::ModelFileToOlder : Msg::OlderImageToNewer);
}
