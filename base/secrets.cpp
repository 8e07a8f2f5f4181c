#include "base/secrets.h"

#include <QRandomGenerator>

QByteArray randomSecretBytes(int count)
{
    QByteArray bytes(qMax(0, count), Qt::Uninitialized);
    QRandomGenerator *random = QRandomGenerator::system();
    for (char &b : bytes)
        b = char(random->bounded(256));
    return bytes;
}

bool sameSecret(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size() || a.isEmpty())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}
