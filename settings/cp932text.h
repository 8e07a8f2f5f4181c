#pragma once

// Text in code page 932, the encoding of the settings file. A few Unicode
// characters have a look-alike that CP932 holds (the wave dash 〜 is stored
// as ～, the minus sign − as －, ¥ as the byte 0x5C that Japanese fonts show
// as a yen sign): these are written best-fit, as the platform's CP932
// converters write them. Anything else CP932 lacks (accented letters, emoji
// ...) cannot be stored; the places where such text is typed refuse it with
// unstorableCharactersMessage().

#include <QByteArray>
#include <QString>

// The distinct characters of `text` that CP932 cannot store even after the
// best-fit mapping, in order of first appearance; empty when all is well.
QString unstorableCharacters(const QString &text);

// The message naming `characters` (as unstorableCharacters() gives them).
QString unstorableCharactersMessage(const QString &characters);

// `text` in CP932 after the best-fit mapping. A character that still has no
// CP932 form is written as "?", the converters' default character, so one
// stray character never costs the whole file.
QByteArray toCp932(const QString &text);

// Whether `bytes` are text in another encoding than CP932: a byte-order mark
// (UTF-8, UTF-16), NUL bytes (UTF-16), or valid UTF-8 beyond ASCII (Japanese
// in CP932 is practically never valid UTF-8). CP932 with a damaged byte is
// still CP932: its reader names the line.
bool isOtherEncoding(const QByteArray &bytes);
