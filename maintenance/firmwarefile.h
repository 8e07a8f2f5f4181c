#pragma once

// Firmware files without widgets or link: the four download kinds and their
// target codes, the file dialog filters, and the files themselves. Kinds 1
// to 3 (the older model) send one file as it is; kind 4 (the newer model)
// sends a model file: a 33-byte header and up to three sections.
//
// Model file, numbers little-endian:
//   0  16  model name, ANSI, zero-padded: "ZK-VR340A Mixer" or "ZK-VR340a Mixer"
//   16  4  size of section M (signed)
//   20  4  size of section P (signed)
//   24  4  size of section D (signed)
//   28  4  E flag: non-zero asks for the E step before the sections
//   32  1  checksum: the payload's bytes added modulo 256
//   33     payload: section M, then P, then D

#include "link/linkstate.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// What a firmware download sends, as the download menu names it.
enum class DownloadKind : int {
    MainProgram = 1,   // older model, target M
    Fpga = 2,          // older model, target F
    WriterProgram = 3, // older model, target W
    ModelFile = 4,     // newer model: sections M, P, D
};

// Second byte of R and L: what the mixer is to receive.
namespace DownloadTarget {
constexpr quint8 Main = 0x4D;     // 'M': main program, section M
constexpr quint8 Fpga = 0x46;     // 'F'
constexpr quint8 Writer = 0x57;   // 'W'
constexpr quint8 SectionP = 0x50; // 'P'
constexpr quint8 SectionD = 0x44; // 'D'
constexpr quint8 EStep = 0x45;    // 'E': the step a model file's E flag asks for
constexpr quint8 Finish = 0x53;   // 'S': after the sections
} // namespace DownloadTarget

std::optional<DownloadKind> downloadKind(int request);
// The target of kinds 1 to 3 (kind 4 sends several).
quint8 downloadTarget(DownloadKind kind);
// The file dialog's filter for the kind, in the form the dialog takes.
QString downloadFileFilter(DownloadKind kind);

// The data of one L message fills the send buffer behind its three header
// bytes: no image or section may be longer.
constexpr int MaxImageBytes = SendBufferSize - 3;

constexpr int ModelHeaderSize = 33;
constexpr int ModelNameSize = 16;

struct ModelHeader
{
    qint32 sizeM = 0;
    qint32 sizeP = 0;
    qint32 sizeD = 0;
    qint32 eFlag = 0;
    quint8 checksum = 0;

    qint64 payloadSize() const { return qint64(sizeM) + sizeP + sizeD; }
};

enum class FirmwareCheck {
    Valid,
    Invalid,    // no model file, or a damaged one
    TooLarge,   // an image or section longer than one L message carries
    Unreadable, // the file could not be read
    Empty,      // an older-model image without a byte: nothing to write
    ModelFile,  // an older-model image that is a model file of the newer model
};

// Decodes the header (at least ModelHeaderSize bytes) and tests it against
// the length of the whole file: one of the two names, no negative size, not
// all sizes 0, the length exactly header plus sections. TooLarge when it is
// valid but a section exceeds MaxImageBytes.
FirmwareCheck checkModelHeader(const quint8 *header, qint64 fileLength, ModelHeader &out);

// The bytes added modulo 256, continuing from `sum`.
quint8 addBytes(quint8 sum, const char *data, qint64 count);

// A whole model file in memory, judged as readFirmwareFile judges one on
// disk: header, lengths, sizes and checksum. On success `payload` holds the
// three sections one after the other.
FirmwareCheck parseModelFile(const QByteArray &file, ModelHeader &header, QByteArray &payload);

// What a download sends, read from its file.
struct FirmwareImage
{
    FirmwareCheck check = FirmwareCheck::Unreadable;
    QByteArray image;   // the whole file (kinds 1 to 3) or the payload (kind 4)
    ModelHeader header; // kind 4
    qint64 fileSize = 0;
    QString error;      // why it could not be read
};

// Reads the file of a download: kinds 1 to 3 as it is (it must hold at least
// one byte, no more than one message carries, and not be a model file of the
// newer model), kind 4 as a model file, header first so that a file whose
// header is wrong or too large is never read whole.
FirmwareImage readFirmwareFile(DownloadKind kind, const QString &path);

// The message for a file that cannot be sent (empty for a valid one).
QString firmwareCheckMessage(const FirmwareImage &file);

// Which family a master's model code (MN) names: -1 unknown (no answer),
// 0 the older model, above 0 the newer. Whether an image of `kind` is meant
// for another family than the attached mixer's; false when it is unknown.
bool imageForOtherFamily(DownloadKind kind, int masterModel);
// The question asked before such an image is sent.
QString otherFamilyQuestion(DownloadKind kind);
