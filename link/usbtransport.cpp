#include "link/usbtransport.h"

#include "base/clock.h"
#include "base/installlayout.h"
#include "link/linkstate.h"
#include "link/messagerules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

Q_LOGGING_CATEGORY(lcLinkUsb, "zkvr.link.usb", QtCriticalMsg)

namespace {
// Replies owed at most: a device that answers nothing must not leave an
// ever longer list of reads behind.
constexpr int MaxOwed = 16;
// Replies kept for fetching; older ones are stale by then.
constexpr size_t MaxKept = 16;

// devbridge keeps one global state and is not thread-safe: whichever thread
// calls it, one transfer at a time.
std::mutex &devbridgeCalls()
{
    static std::mutex m;
    return m;
}

// USBDrv_Init then USBDrv_Open; only both succeeding count. Both are called
// even when the first fails: the library reports through results only, and
// Open after a failed Init simply fails as well.
bool startTransfer(const DevbridgeApi &api)
{
    const bool initOk = api.init() != 0;
    const bool openOk = api.open() != 0;
    return initOk && openOk;
}
} // namespace

class UsbTransport::Worker
{
public:
    explicit Worker(const DevbridgeApi &api) : m_api(api), m_thread([this] { run(); }) {}

    ~Worker()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    void send(std::vector<uint8_t> request)
    {
        m_handed = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_writes.push_back(std::move(request));
        }
        m_wake.notify_one();
    }

    std::optional<QByteArray> take()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_replies.empty())
            return std::nullopt;
        QByteArray r = std::move(m_replies.front());
        m_replies.pop_front();
        return r;
    }

    // Message bytes of the request written last (without its trailer): all
    // of them once the device write completed, 0 until then.
    int handed() const { return m_handed; }

    // Whether a reply may still come: a request waits to be written, a
    // transfer is under way, or a written request has not been answered.
    bool replyOwed()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return !m_writes.empty() || m_transferring || m_owed > 0;
    }

private:
    // Writes go first: a request never waits behind more than the one read
    // that may be in progress.
    void run()
    {
        for (;;) {
            std::vector<uint8_t> request;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stop || !m_writes.empty() || m_owed > 0; });
                if (m_stop)
                    return;
                if (!m_writes.empty()) {
                    request = std::move(m_writes.front());
                    m_writes.pop_front();
                }
                m_transferring = true;
            }
            if (!request.empty()) {
                const bool written = write(request);
                if (written)
                    m_handed = int(request.size()) - Wire::TrailerSize;
                std::lock_guard<std::mutex> lock(m_mutex);
                m_transferring = false;
                if (written)
                    m_owed = std::min(m_owed + 1, MaxOwed);
            } else {
                const std::vector<QByteArray> replies = splitReplies(read());
                std::lock_guard<std::mutex> lock(m_mutex);
                m_transferring = false;
                // Nothing within the library's time-out: what was asked before
                // this read is lost. Requests written later owe their own reply.
                m_owed = replies.empty() ? 0 : std::max(0, m_owed - int(replies.size()));
                for (const QByteArray &r : replies) {
                    m_replies.push_back(r);
                    if (m_replies.size() > MaxKept)
                        m_replies.pop_front();
                }
            }
            // Wakes the program's event loop, as arriving socket data would,
            // so a receive waiting for a reply looks again.
            QMetaObject::invokeMethod(&m_inbox, [] {}, Qt::QueuedConnection);
        }
    }

    bool write(std::vector<uint8_t> &request)
    {
        std::lock_guard<std::mutex> calls(devbridgeCalls());
        if (!startTransfer(m_api))
            return false;
        int32_t written = 0;
        const bool ok = m_api.write(request.data(), int32_t(request.size()), &written) != 0;
        m_api.close();
        return ok && written == int32_t(request.size());
    }

    QByteArray read()
    {
        std::lock_guard<std::mutex> calls(devbridgeCalls());
        if (!startTransfer(m_api))
            return {};
        std::vector<uint8_t> buffer(static_cast<size_t>(UsbReadLimit));
        int32_t got = 0;
        m_api.read(buffer.data(), UsbReadLimit, &got);
        m_api.close();
        // A library that claims more than it was asked for is not believed.
        if (got <= 0 || got > UsbReadLimit)
            return {};
        return QByteArray(reinterpret_cast<const char *>(buffer.data()), got);
    }

    const DevbridgeApi m_api;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::vector<uint8_t>> m_writes;
    std::deque<QByteArray> m_replies;
    int m_owed = 0;
    bool m_transferring = false;
    bool m_stop = false;
    std::atomic<int> m_handed{0};
    QObject m_inbox; // lives in the program's thread; the calls posted to it wake its loop
    std::thread m_thread; // last: starts once everything above exists
};

UsbTransport::UsbTransport(Clock &clock, QString library)
    : m_clock(clock), m_libraryName(std::move(library))
{
}

UsbTransport::UsbTransport(Clock &clock, const DevbridgeApi &api)
    : m_clock(clock), m_api(api), m_bindTried(true), m_bound(api.complete())
{
}

UsbTransport::~UsbTransport() = default;

bool UsbTransport::bind()
{
    if (m_bindTried)
        return m_bound;
    m_bindTried = true;
    QStringList candidates;
    const bool bare = !m_libraryName.contains(QLatin1Char('/')) && !m_libraryName.contains(QLatin1Char('\\'));
    if (bare && QCoreApplication::instance()) {
        // Beside the program (the build tree), then in the installed layout's
        // private folder, then wherever the system's library path leads.
        const QString programDir = QCoreApplication::applicationDirPath();
        candidates << QDir(programDir).filePath(m_libraryName);
        const QString privateDir = privateLibraryDir(programDir);
        if (!privateDir.isEmpty())
            candidates << QDir(privateDir).filePath(m_libraryName);
    }
    candidates << m_libraryName;
    for (const QString &name : candidates) {
        m_library.setFileName(name);
        if (m_library.load())
            break;
        qCDebug(lcLinkUsb) << "cannot load" << name << m_library.errorString();
    }
    if (!m_library.isLoaded()) {
        qCWarning(lcLinkUsb) << "devbridge not found:" << m_libraryName;
        return false;
    }
    m_api.init = reinterpret_cast<DevbridgeApi::Plain>(m_library.resolve("USBDrv_Init"));
    m_api.open = reinterpret_cast<DevbridgeApi::Plain>(m_library.resolve("USBDrv_Open"));
    m_api.close = reinterpret_cast<DevbridgeApi::Plain>(m_library.resolve("USBDrv_Close"));
    m_api.write = reinterpret_cast<DevbridgeApi::Transfer>(m_library.resolve("USBDrv_Write"));
    m_api.read = reinterpret_cast<DevbridgeApi::Transfer>(m_library.resolve("USBDrv_Read"));
    m_bound = m_api.complete();
    if (!m_bound)
        qCWarning(lcLinkUsb) << m_library.fileName() << "lacks one of the USBDrv functions";
    return m_bound;
}

OpenOutcome UsbTransport::open()
{
    close();
    if (!bind())
        return OpenOutcome::Failed;
    {
        std::lock_guard<std::mutex> calls(devbridgeCalls());
        if (!startTransfer(m_api))
            return OpenOutcome::Failed;
        m_api.close();
    }
    m_worker = std::make_unique<Worker>(m_api);
    return OpenOutcome::Opened;
}

void UsbTransport::close()
{
    m_worker.reset();
}

bool UsbTransport::send(const quint8 *data, int count)
{
    if (!m_worker || count < 0 || m_cancelled)
        return false;
    // The USB link carries the 55 AA trailer on requests too.
    std::vector<uint8_t> request(data, data + count);
    request.push_back(Wire::TrailerFirst);
    request.push_back(Wire::TrailerSecond);
    m_worker->send(std::move(request));
    return true;
}

int UsbTransport::bytesHanded() const
{
    return m_worker ? m_worker->handed() : 0;
}

int UsbTransport::fetch(quint8 *buffer, int capacity)
{
    if (!m_worker)
        return 0;
    std::optional<QByteArray> reply = m_worker->take();
    if (!reply && !m_cancelled && m_worker->replyOwed()) {
        // As the device read would: until the reply is there or the read
        // has given up, but with the events running.
        Worker &worker = *m_worker;
        m_clock.waitUntil(MaxReplyWait, [&] {
            reply = worker.take();
            return reply || m_cancelled || !worker.replyOwed();
        });
        if (!reply)
            reply = worker.take();
    }
    if (!reply)
        return 0;
    if (reply->size() > capacity) {
        qCWarning(lcLinkUsb) << "dropped a reply of" << reply->size() << "bytes";
        return 0;
    }
    std::memcpy(buffer, reply->constData(), size_t(reply->size()));
    return int(reply->size());
}
