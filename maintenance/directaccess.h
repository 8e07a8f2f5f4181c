#pragma once

// Direct memory access without widgets: the hexadecimal texts of FrmDirect
// and the AR / AW requests built from them.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// A 32-bit value from hexadecimal text: up to eight digits, either case,
// surrounding blanks ignored; an empty text is 0. Anything else (a non-hex
// character, a ninth digit) gives nullopt so that nothing is sent.
std::optional<quint32> parseHex32(const QString &text);
// Exactly eight upper-case digits, zero-padded: 0x1F gives "0000001F".
QString hex8(quint32 value);

// Bytes of an access for the size option index (0 → 1, 1 → 2, otherwise 4).
int directAccessSize(int sizeIndex);

// The AR request (8 bytes) or AW request (12 bytes; all four data bytes go
// out whatever the size).
QByteArray directReadRequest(int sizeIndex, quint32 address);
QByteArray directWriteRequest(int sizeIndex, quint32 address, quint32 data);
