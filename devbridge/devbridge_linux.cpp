// devbridge on Linux.
//
// The device-interface registry is a directory: $DEVBRIDGE_DEVICE_ROOT
// (default /run/devbridge). Each subdirectory is one present device interface;
// they are taken in byte-wise name order and the first one is used. Names
// starting with '.' are not devices; symbolic links to directories count.
// A device directory holds "PIPE01" (data from the mixer, read) and "PIPE00"
// (data to the mixer, written): FIFOs or device nodes, opened as files around
// every transfer like the pipes of the Windows driver.
//
// Where a Windows pipe would block for ever, this one gives up:
// - opening the write pipe never waits for a reader: a FIFO without a reader
//   makes USBDrv_Open fail;
// - a read waits at most 2 s (DEVBRIDGE_READ_TIMEOUT_MS changes it) for its
//   first byte;
// - a write gives up when the pipe takes no byte for WriteStallTimeout, and a
//   reader that went away fails the write instead of raising SIGPIPE.
//
// What one read delivers: a USB bulk read returns one transfer, and the mixer
// sends one whole reply (ending 0x55 0xAA) per transfer. Over a byte stream the
// read rebuilds that: once the first byte is there it takes whatever is
// available, and goes on while more bytes follow within ReadGap of each other,
// until `count` bytes are in, the bytes so far end with 0x55 0xAA, the writer
// closes its end, or ReadCollectLimit has passed since the first byte. A peer
// that writes each reply with one write() therefore gets it delivered whole
// and at once. Replies already queued back to back are delivered together.
//
// Setting DEVBRIDGE_TRACE to a non-empty value prints each failure to stderr.

#include "devbridge/devbridge.h"
#include "devbridge/pipepath.h"
#include "devbridge/readtimeout.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr const char DefaultDeviceRoot[] = "/run/devbridge";
constexpr const char DeviceRootVariable[] = "DEVBRIDGE_DEVICE_ROOT";
constexpr const char TraceVariable[] = "DEVBRIDGE_TRACE";

constexpr int ReadGapMs = 20;          // a loaded desktop may stall a writer this long
constexpr int ReadCollectLimitMs = 2000;
constexpr int WriteStallTimeoutMs = 2000;
constexpr uint8_t TrailerFirst = 0x55;
constexpr uint8_t TrailerSecond = 0xAA;

constexpr int InvalidFd = -1;

// The library-global state: one device at a time, as the exported interface
// has no handle of its own.
struct BridgeState
{
    std::string readPath;   // device + "/PIPE01"
    std::string writePath;  // device + "/PIPE00"
    int readFd = InvalidFd;
    int writeFd = InvalidFd;
};

BridgeState &bridge()
{
    static BridgeState state;
    return state;
}

void trace(const char *format, ...) __attribute__((format(printf, 1, 2)));
void trace(const char *format, ...)
{
    const char *flag = getenv(TraceVariable);
    if (flag == nullptr || *flag == '\0')
        return;
    const int savedErrno = errno;
    va_list args;
    va_start(args, format);
    fputs("devbridge: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
    va_end(args);
    errno = savedErrno;
}

int64_t nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int remainingMs(int64_t deadline)
{
    const int64_t left = deadline - nowMs();
    return left <= 0 ? 0 : int(std::min<int64_t>(left, INT_MAX));
}

// Closes fd if open; true when a close was performed, with its outcome in ok.
bool closeFd(int &fd, bool &ok)
{
    if (fd == InvalidFd)
        return false;
    ok = ::close(fd) == 0;
    fd = InvalidFd;
    return true;
}

void closeAll()
{
    bool ok = false;
    BridgeState &s = bridge();
    closeFd(s.readFd, ok);
    closeFd(s.writeFd, ok);
}

// The first-byte wait (devbridge/readtimeout.h).
int firstByteTimeoutMs()
{
    const int savedErrno = errno;
    const int ms = devbridge::readTimeoutFromText(getenv(devbridge::ReadTimeoutVariable));
    errno = savedErrno;
    return ms;
}

std::string deviceRoot()
{
    const char *root = getenv(DeviceRootVariable);
    std::string path = (root != nullptr && *root != '\0') ? root : DefaultDeviceRoot;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Subdirectory names of root in name order; false when root cannot be listed.
bool listDevices(const std::string &root, std::vector<std::string> &names)
{
    if (root.size() >= PATH_MAX)
        return false;
    DIR *dir = opendir(root.c_str());
    if (dir == nullptr)
        return false;
    const int dirFd = dirfd(dir);
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st{};
        if (fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode))
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

bool endsWithTrailer(const uint8_t *buffer, int32_t count)
{
    return count >= 2 && buffer[count - 2] == TrailerFirst && buffer[count - 1] == TrailerSecond;
}

// Keeps a SIGPIPE raised by a write to a vanished reader from ending the
// calling program: blocked while the guard lives, and one raised meanwhile is
// taken back before the mask is restored. The write then fails with EPIPE.
class SigpipeGuard
{
public:
    SigpipeGuard()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigemptyset(&pending);
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~SigpipeGuard()
    {
        if (!m_wasPending) {
            sigset_t pending;
            sigemptyset(&pending);
            if (sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1) {
                const timespec noWait{0, 0};
                sigtimedwait(&m_pipe, nullptr, &noWait);
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    SigpipeGuard(const SigpipeGuard &) = delete;
    SigpipeGuard &operator=(const SigpipeGuard &) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_previous;
    bool m_wasPending = false;
};

int32_t initBridge()
{
    BridgeState &s = bridge();
    // A transfer whose open failed half-way leaves its read pipe open and is
    // not closed by the caller; release it here instead of leaking it.
    closeAll();
    s.readPath.clear();
    s.writePath.clear();

    const std::string root = deviceRoot();
    std::vector<std::string> names;
    if (!listDevices(root, names)) {
        trace("cannot list device folder %.200s: %s", root.c_str(), strerror(errno));
        return 0;
    }
    if (names.empty()) {
        trace("no device in %.200s", root.c_str());
        return 0;
    }
    const std::string device = (root == "/" ? std::string() : root) + "/" + names.front();
    std::string readPath = device + "/" + devbridge::ReadPipeName;
    std::string writePath = device + "/" + devbridge::WritePipeName;
    if (readPath.size() >= PATH_MAX || writePath.size() >= PATH_MAX) {
        trace("device path too long");
        return 0;
    }
    s.readPath = std::move(readPath);
    s.writePath = std::move(writePath);
    return 1;
}

int32_t openPipes()
{
    BridgeState &s = bridge();
    closeAll(); // a second open must not leak the pipes of the first
    if (s.readPath.empty() || s.writePath.empty())
        return 0;
    // Non-blocking: a FIFO without a writer must not hold the open. The
    // descriptor stays non-blocking; reads wait in poll() with a deadline.
    s.readFd = ::open(s.readPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (s.readFd == InvalidFd) {
        trace("open %.200s: %s", s.readPath.c_str(), strerror(errno));
        return 0;
    }
    // Non-blocking so that a FIFO without a reader fails (ENXIO) at once;
    // then blocking again so that writes are synchronous.
    s.writeFd = ::open(s.writePath.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (s.writeFd == InvalidFd) {
        trace("open %.200s: %s", s.writePath.c_str(), strerror(errno));
        return 0; // the read pipe stays open until USBDrv_Close or USBDrv_Init
    }
    const int flags = fcntl(s.writeFd, F_GETFL);
    if (flags == -1 || fcntl(s.writeFd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        trace("fcntl %.200s: %s", s.writePath.c_str(), strerror(errno));
        bool ok = false;
        closeFd(s.writeFd, ok);
        return 0;
    }
    return 1;
}

int32_t closePipes()
{
    BridgeState &s = bridge();
    bool ok = false;
    bool closed = closeFd(s.readFd, ok);
    closed = closeFd(s.writeFd, ok) || closed;
    return closed && ok ? 1 : 0;
}

int32_t writePipe(uint8_t *buffer, int32_t count, int32_t *written)
{
    BridgeState &s = bridge();
    if (s.writeFd == InvalidFd)
        return 0;
    if (written != nullptr)
        *written = 0;
    if (count < 0 || (count > 0 && buffer == nullptr))
        return 0;

    SigpipeGuard guard;
    int32_t done = 0;
    int64_t stallDeadline = nowMs() + WriteStallTimeoutMs;
    while (done < count) {
        pollfd p{s.writeFd, POLLOUT, 0};
        const int ready = poll(&p, 1, remainingMs(stallDeadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            trace("poll for write: %s", strerror(errno));
            break;
        }
        if (ready == 0) {
            trace("write stalled after %d of %d bytes", int(done), int(count));
            break;
        }
        if (!(p.revents & POLLOUT)) {
            trace("write pipe closed by the device");
            break;
        }
        // At most PIPE_BUF at a time: after POLLOUT such a write finds room and
        // does not block, and a message of up to PIPE_BUF bytes stays one unit.
        const size_t chunk = std::min<size_t>(size_t(count - done), PIPE_BUF);
        const ssize_t n = ::write(s.writeFd, buffer + done, chunk);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            trace("write: %s", strerror(errno));
            break;
        }
        done += int32_t(n);
        stallDeadline = nowMs() + WriteStallTimeoutMs;
    }
    if (written != nullptr)
        *written = done;
    return done == count ? 1 : 0;
}

int32_t readPipe(uint8_t *buffer, int32_t count, int32_t *delivered)
{
    BridgeState &s = bridge();
    if (s.readFd == InvalidFd)
        return 0;
    if (delivered != nullptr)
        *delivered = 0;
    if (count < 0 || (count > 0 && buffer == nullptr))
        return 0;
    if (count == 0)
        return 1;

    int32_t got = 0;
    const int firstByteWait = firstByteTimeoutMs();
    const int64_t firstDeadline = nowMs() + firstByteWait;
    int64_t collectDeadline = 0;
    for (;;) {
        const int wait = got == 0 ? remainingMs(firstDeadline)
                                  : std::min(ReadGapMs, remainingMs(collectDeadline));
        pollfd p{s.readFd, POLLIN, 0};
        const int ready = poll(&p, 1, wait);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            trace("poll for read: %s", strerror(errno));
            break;
        }
        if (ready == 0) {
            if (got == 0)
                trace("no data within %d ms", firstByteWait);
            break;
        }
        if (!(p.revents & POLLIN)) {
            if (got == 0)
                trace("read pipe closed by the device");
            break; // the writer has gone (POLLHUP) or the pipe failed
        }
        const ssize_t n = ::read(s.readFd, buffer + got, size_t(count - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                // A device that reports readiness it does not have: do not spin.
                poll(nullptr, 0, 1);
                continue;
            }
            trace("read: %s", strerror(errno));
            break;
        }
        if (n == 0)
            break; // end of file: the writer closed its end
        if (got == 0)
            collectDeadline = nowMs() + ReadCollectLimitMs;
        got += int32_t(n);
        if (got == count || endsWithTrailer(buffer, got))
            break;
    }
    if (delivered != nullptr)
        *delivered = got;
    return got > 0 ? 1 : 0;
}

} // namespace

#include "devbridge/entrypoints.h"
