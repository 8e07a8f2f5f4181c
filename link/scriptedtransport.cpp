#include "link/scriptedtransport.h"

#include <cstring>

ScriptedTransport::~ScriptedTransport()
{
    note(m_inSend > 0 ? QStringLiteral("end inside a call") : QStringLiteral("end"));
}

void ScriptedTransport::note(const QString &event)
{
    if (lifeEvents)
        *lifeEvents << event;
}

void ScriptedTransport::close()
{
    ++closes;
    note(QStringLiteral("close"));
}

void ScriptedTransport::cancel()
{
    note(QStringLiteral("cancel"));
}

void ScriptedTransport::setHealth(LinkHealth health)
{
    m_health = health;
    if (health != LinkHealth::Up)
        pending.clear(); // what was on its way went with the connection
    if (healthChanged)
        healthChanged();
}

bool ScriptedTransport::send(const quint8 *data, int count)
{
    if (m_health != LinkHealth::Up)
        return false;
    const QByteArray request(reinterpret_cast<const char *>(data), count);
    sent << request;
    note(QStringLiteral("send"));
    if (onSend)
        for (const QByteArray &reply : onSend(request))
            pending.push_back(reply);
    if (whileSending) {
        ++m_inSend;
        whileSending();
        --m_inSend;
    }
    return sendResult;
}

int ScriptedTransport::fetch(quint8 *buffer, int capacity)
{
    ++fetches;
    if (pending.empty())
        return 0;
    QByteArray reply = pending.front();
    pending.pop_front();
    if (withTrailer)
        reply.append("\x55\xAA", 2);
    if (reply.size() > capacity) {
        ++dropped;
        return 0;
    }
    std::memcpy(buffer, reply.constData(), size_t(reply.size()));
    return int(reply.size());
}
