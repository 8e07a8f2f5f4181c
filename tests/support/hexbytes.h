#pragma once

// Bytes written as the wire's hexadecimal dump: hex("A5 00") is 0xA5 0x00.

#include <QByteArray>

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}
