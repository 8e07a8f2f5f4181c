#include "link/linkwatch.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"

#include <QTimer>

namespace {
namespace Text {
constexpr int Connected = 10752;    // "%1 に接続しています"
constexpr int Lost = 10753;         // "%1 との接続が切れました"
constexpr int Reconnecting = 10754; // "%1 との接続が切れました。再接続しています（%2 回目）"
constexpr int LostMessage = 10755;  // the message box for a connection lost for good
constexpr int Reconnected = 10757;  // "%1 に再接続しました（%2）"
} // namespace Text
} // namespace

void LinkLine::set(const QString &text, LinkHealth health)
{
    m_health = health;
    if (text == m_text)
        return;
    m_text = text;
    emit changed(m_text);
}

LinkWatch::LinkWatch(Dialogs &dialogs, const TimeOfDay &time, std::function<void(const QString &)> showLine,
                     QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_time(time), m_showLine(std::move(showLine))
{
}

QString LinkWatch::statusLine(const MdlComm::LinkStatus &status, const QString &since)
{
    switch (status.health) {
    case LinkHealth::Up:
        return since.isEmpty() ? str(Text::Connected).arg(status.peer) : str(Text::Reconnected).arg(status.peer, since);
    case LinkHealth::Lost:
        return str(Text::Lost).arg(status.peer);
    case LinkHealth::Reconnecting:
        return str(Text::Reconnecting).arg(status.peer).arg(status.attempt);
    }
    return {};
}

void LinkWatch::opened(const MdlComm::LinkStatus &status)
{
    m_last = status.health;
    m_out->set(statusLine(status), status.health);
    if (m_showLine)
        m_showLine(m_out->text());
}

void LinkWatch::changed(const MdlComm::LinkStatus &status)
{
    const bool cameBack = status.health == LinkHealth::Up && m_last != LinkHealth::Up;
    const bool lostForGood = status.health == LinkHealth::Lost && m_last != LinkHealth::Lost;
    m_last = status.health;
    m_out->set(statusLine(status, cameBack ? m_time.text() : QString()),
               status.health);
    if (m_showLine)
        m_showLine(m_out->text());
    if (lostForGood) {
        ++m_reported;
        QTimer::singleShot(0, this, [this] {
            if (!m_silent)
                m_dialogs.tell(str(Text::LostMessage), MsgIcon::Error);
        });
    }
}
