#include "cli/writeprogress.h"

#include "base/strings.h"
#include "cli/clicontext.h"
#include "link/comm.h"
#include "mixer/mixersync.h"

#include <algorithm>

namespace {
constexpr int ProgressText = 13208; // "%1: pass %2: sent %3/%4, done %5/%6"

bool isRequest(const quint8 *data, int count, char first, char second)
{
    return count >= 2 && data[0] == quint8(first) && data[1] == quint8(second);
}
} // namespace

WriteProgress::WriteProgress(CliContext &context, MdlComm &comm, MixerSync &sync, int total, QString command)
    : m_context(context), m_comm(comm), m_sync(sync), m_line(context.err(), context.showsProgress()),
      m_command(std::move(command)), m_total(total)
{
    m_context.setProgressLine(&m_line);
    m_comm.onSent = [this](const quint8 *data, int count) { messageSent(data, count); };
    m_verified = QObject::connect(&sync.events(), &SyncEvents::valueStateChanged, &sync.events(),
                                  [this, &sync](int mixer, int id) {
                                      // Settled: the mixer keeps no value of its own there
                                      // (Priority_2..8, a slave's threshold settings).
                                      const ValueState state = sync.valueStatus(mixer, id).state;
                                      if (state == ValueState::Verified || state == ValueState::Settled) {
                                          ++m_checked;
                                          update();
                                      }
                                  });
}

WriteProgress::~WriteProgress()
{
    finish();
}

void WriteProgress::finish()
{
    QObject::disconnect(m_verified);
    m_comm.onSent = nullptr;
    m_context.setProgressLine(nullptr);
    m_line.finish();
}

void WriteProgress::messageSent(const quint8 *data, int count)
{
    // The poll's read-backs: "T","R" and "D","R".
    if (isRequest(data, count, 'T', 'R') || isRequest(data, count, 'D', 'R')) {
        m_readBack = true;
        return;
    }
    if (!isRequest(data, count, 'D', 'S') && !isRequest(data, count, 'T', 'S'))
        return;
    if (m_readBack) {
        // Each pass sends what is not verified yet; the flags are still up
        // while its first value goes out.
        ++m_pass;
        m_passTotal = m_sync.writesDue();
        m_sent = 0;
        m_readBack = false;
    }
    ++m_sent;
    update();
}

void WriteProgress::update()
{
    if (m_pass == 0)
        return;
    m_line.show(str(ProgressText)
                    .arg(m_command)
                    .arg(m_pass)
                    .arg(m_sent)
                    .arg(std::max(m_passTotal, m_sent))
                    .arg(m_checked)
                    .arg(m_total));
}
