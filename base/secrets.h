#pragma once

// Bytes that guard access (the remote tokens, the operator lock's salt and
// digest): made from the system's random source and compared in a time that
// does not tell where the first difference lies.

#include <QByteArray>

QByteArray randomSecretBytes(int count);
// False for different sizes and for empty ones: an empty secret guards nothing.
bool sameSecret(const QByteArray &a, const QByteArray &b);
