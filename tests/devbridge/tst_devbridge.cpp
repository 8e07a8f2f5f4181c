// The built devbridge library, loaded with QLibrary by name as the program
// loads it, against a device folder of real FIFOs whose other ends (the mixer
// side) are held by this test or by a peer thread.

#include "devbridge/pipepath.h"
#include "tests/support/testmain.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using VoidFn = int32_t (*)();
using TransferFn = int32_t (*)(uint8_t *, int32_t, int32_t *);

struct Api
{
    VoidFn init = nullptr;
    VoidFn open = nullptr;
    VoidFn close = nullptr;
    TransferFn write = nullptr;
    TransferFn read = nullptr;
};

constexpr int32_t UsbReadLimit = 2064; // what the program asks of one read

QByteArray framed(const QByteArray &payload)
{
    return payload + QByteArray("\x55\xAA", 2);
}

int openFdCount()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
        .size();
}

// An owned file descriptor.
class Fd
{
public:
    Fd() = default;
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

// The mixer's end of one device folder: it reads PIPE00 and writes PIPE01.
// Both FIFOs are held read-write, so the library always finds a reader for
// PIPE00 and replies wait in PIPE01 until the library reads them.
class MixerEnd
{
public:
    explicit MixerEnd(const QString &device)
        : m_fromHost(::open(QFile::encodeName(device + "/PIPE00").constData(), O_RDWR | O_NONBLOCK)),
          m_toHost(::open(QFile::encodeName(device + "/PIPE01").constData(), O_RDWR | O_NONBLOCK))
    {
    }
    bool valid() const { return m_fromHost.valid() && m_toHost.valid(); }
    int fromHostFd() const { return m_fromHost.get(); }
    int toHostFd() const { return m_toHost.get(); }

    QByteArray takeReceived()
    {
        QByteArray all;
        char chunk[65536];
        for (;;) {
            const ssize_t n = ::read(m_fromHost.get(), chunk, sizeof chunk);
            if (n <= 0)
                break;
            all.append(chunk, int(n));
        }
        return all;
    }
    bool send(const QByteArray &bytes)
    {
        return ::write(m_toHost.get(), bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

private:
    Fd m_fromHost;
    Fd m_toHost;
};

// A mixer end on its own thread: echoes every chunk it reads from PIPE00 back
// through PIPE01 with one write, or only collects what arrives.
class PeerThread
{
public:
    enum class Mode { Echo, Collect };

    PeerThread(MixerEnd &end, Mode mode) : m_end(end), m_mode(mode)
    {
        int fds[2];
        if (::pipe(fds) == 0) {
            m_stopRead = fds[0];
            m_stopWrite = fds[1];
        }
        m_thread = std::thread([this] { run(); });
    }
    ~PeerThread() { stop(); }
    PeerThread(const PeerThread &) = delete;
    PeerThread &operator=(const PeerThread &) = delete;

    void stop()
    {
        if (m_thread.joinable()) {
            const char x = 'x';
            (void)!::write(m_stopWrite, &x, 1);
            m_thread.join();
            ::close(m_stopRead);
            ::close(m_stopWrite);
        }
    }
    // Only after stop().
    QByteArray collected() const { return m_collected; }

private:
    void run()
    {
        char chunk[65536];
        for (;;) {
            pollfd fds[2] = {{m_end.fromHostFd(), POLLIN, 0}, {m_stopRead, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                return;
            if (fds[1].revents)
                return;
            if (!(fds[0].revents & POLLIN))
                continue;
            const ssize_t n = ::read(m_end.fromHostFd(), chunk, sizeof chunk);
            if (n <= 0)
                continue;
            if (m_mode == Mode::Echo)
                (void)!::write(m_end.toHostFd(), chunk, size_t(n));
            else
                m_collected.append(chunk, int(n));
        }
    }

    MixerEnd &m_end;
    Mode m_mode;
    int m_stopRead = -1;
    int m_stopWrite = -1;
    QByteArray m_collected;
    std::thread m_thread;
};

} // namespace

class TestDevbridge : public QObject
{
    Q_OBJECT

private:
    QLibrary m_library;
    Api m_api;
    std::unique_ptr<QTemporaryDir> m_root;

    QString addDevice(const QString &name, bool withPipes = true)
    {
        const QString path = m_root->filePath(name);
        if (!QDir().mkpath(path))
            return {};
        if (withPipes) {
            for (const char *pipe : {"PIPE00", "PIPE01"}) {
                if (::mkfifo(QFile::encodeName(path + "/" + pipe).constData(), 0600) != 0)
                    return {};
            }
        }
        return path;
    }

    // The first entry of the root folder in the order the file system lists it.
    QString rawFirstEntry() const
    {
        QString name;
        if (DIR *dir = ::opendir(QFile::encodeName(m_root->path()).constData())) {
            while (const dirent *entry = ::readdir(dir)) {
                if (entry->d_name[0] != '.') {
                    name = QFile::decodeName(entry->d_name);
                    break;
                }
            }
            ::closedir(dir);
        }
        return name;
    }

    // One whole transfer as the program makes it.
    bool transferOut(const QByteArray &bytes, int32_t *written = nullptr)
    {
        if (!m_api.init() || !m_api.open())
            return false;
        QByteArray copy = bytes;
        int32_t done = -1;
        const int32_t ok = m_api.write(reinterpret_cast<uint8_t *>(copy.data()), int32_t(copy.size()), &done);
        m_api.close();
        if (written)
            *written = done;
        return ok != 0 && done == bytes.size();
    }
    QByteArray transferIn(int32_t count = UsbReadLimit)
    {
        if (!m_api.init() || !m_api.open())
            return "<no device>";
        QByteArray buffer(count, '\0');
        int32_t done = -1;
        const int32_t ok = m_api.read(reinterpret_cast<uint8_t *>(buffer.data()), count, &done);
        m_api.close();
        if (!ok)
            return "<read failed>";
        return buffer.left(done);
    }

private slots:
    void initTestCase()
    {
        QString dir = qEnvironmentVariable("ZKVR340A_BIN_DIR");
        if (dir.isEmpty())
            dir = QCoreApplication::applicationDirPath();
        m_library.setFileName(dir + QStringLiteral("/devbridge"));
        QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
        m_api.init = reinterpret_cast<VoidFn>(m_library.resolve("USBDrv_Init"));
        m_api.open = reinterpret_cast<VoidFn>(m_library.resolve("USBDrv_Open"));
        m_api.close = reinterpret_cast<VoidFn>(m_library.resolve("USBDrv_Close"));
        m_api.write = reinterpret_cast<TransferFn>(m_library.resolve("USBDrv_Write"));
        m_api.read = reinterpret_cast<TransferFn>(m_library.resolve("USBDrv_Read"));
        QVERIFY(m_api.init && m_api.open && m_api.close && m_api.write && m_api.read);
    }

    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        qputenv("DEVBRIDGE_DEVICE_ROOT", QFile::encodeName(m_root->path()));
    }

    void cleanup()
    {
        m_api.close();
        qunsetenv("DEVBRIDGE_READ_TIMEOUT_MS");
        m_root.reset();
    }

    void firstDeviceInNameOrderIsUsed()
    {
        // Folders are added until the directory's own listing order no longer
        // starts with the first name, so that only sorting finds it. A plain
        // file and a hidden folder that sort first are not devices.
        const QString first = addDevice("dev00");
        QVERIFY(!first.isEmpty());
        QString listedFirst = rawFirstEntry();
        for (int i = 1; i < 64 && listedFirst == "dev00"; ++i) {
            QVERIFY(!addDevice(QString::asprintf("dev%02d", i)).isEmpty());
            listedFirst = rawFirstEntry();
        }
        QVERIFY2(listedFirst != "dev00", "directory order always matched name order");
        const QString hidden = addDevice(".aaa");
        QFile file(m_root->filePath("0-not-a-device"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        MixerEnd chosen(first), other(m_root->filePath(listedFirst)), dotted(hidden);
        QVERIFY(chosen.valid() && other.valid() && dotted.valid());

        QVERIFY(transferOut(framed("hello")));
        QCOMPARE(chosen.takeReceived(), framed("hello"));
        QCOMPARE(other.takeReceived(), QByteArray());
        QCOMPARE(dotted.takeReceived(), QByteArray());

        QVERIFY(other.send(framed("wrong")));
        QVERIFY(chosen.send(framed("reply")));
        QCOMPARE(transferIn(), framed("reply"));
    }

    void roundTripThroughPeerThread_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("short") << framed("DR\x01\x02");
        // Delivered whole: the inner 0x55 0xAA does not end the read early.
        QTest::newRow("trailer inside") << framed(QByteArray("ab\x55\xAA" "cd", 6));
        QByteArray longest(UsbReadLimit - 2, '\0');
        for (int i = 0; i < longest.size(); ++i)
            longest[i] = char(i * 7);
        QTest::newRow("longest reply") << framed(longest);
    }

    void roundTripThroughPeerThread()
    {
        QFETCH(QByteArray, message);
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        PeerThread peer(end, PeerThread::Mode::Echo);
        for (int round = 0; round < 3; ++round) {
            QVERIFY(transferOut(message));
            QCOMPARE(transferIn(), message);
        }
    }

    void largeWriteArrivesWhole()
    {
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        QByteArray firmware(262209, '\0'); // the largest message the program sends
        for (int i = 0; i < firmware.size(); ++i)
            firmware[i] = char(i % 251);
        PeerThread peer(end, PeerThread::Mode::Collect);
        int32_t written = 0;
        QVERIFY(transferOut(firmware, &written));
        QCOMPARE(written, int32_t(firmware.size()));
        const auto unread = [&] {
            int pending = 0;
            return ::ioctl(end.fromHostFd(), FIONREAD, &pending) == 0 ? pending : -1;
        };
        QTRY_COMPARE_WITH_TIMEOUT(unread(), 0, 5000);
        peer.stop();
        QCOMPARE(peer.collected().size(), firmware.size());
        QVERIFY(peer.collected() == firmware);
    }

    void readCollectsAReplyTheStreamSplits()
    {
        // A reply larger than the pipe reaches the reader in two pieces: the
        // writer blocks until the reader took the first. The read goes on
        // until the bytes end with the trailer.
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        QVERIFY(::fcntl(end.toHostFd(), F_SETPIPE_SZ, 4096) >= 0);
        const int capacity = ::fcntl(end.toHostFd(), F_GETPIPE_SZ);
        const QByteArray reply = framed(QByteArray(capacity + 1500, 'r'));
        QVERIFY(m_api.init() && m_api.open());
        const int flags = ::fcntl(end.toHostFd(), F_GETFL);
        QVERIFY(::fcntl(end.toHostFd(), F_SETFL, flags & ~O_NONBLOCK) == 0);
        std::thread writer([&] { (void)!::write(end.toHostFd(), reply.constData(), size_t(reply.size())); });
        QByteArray buffer(2 * reply.size(), '\0');
        int32_t got = 0;
        const int32_t ok = m_api.read(reinterpret_cast<uint8_t *>(buffer.data()), int32_t(buffer.size()), &got);
        writer.join();
        QCOMPARE(ok, 1);
        QCOMPARE(buffer.left(got), reply);
    }

    void readStopsAtCountAndKeepsTheRest()
    {
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        QVERIFY(end.send("0123456789"));
        QCOMPARE(transferIn(4), QByteArray("0123"));
        // Without a trailer the rest comes once no more bytes follow.
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(transferIn(), QByteArray("456789"));
        QVERIFY2(timer.elapsed() < 1500, "the gap rule, not the first-byte time-out, ended the read");
        QCOMPARE(transferIn(0), QByteArray());
    }

    void readGivesUpWithoutData_data()
    {
        QTest::addColumn<QByteArray>("timeoutSetting");
        QTest::addColumn<int>("lowestMs");
        QTest::addColumn<int>("highestMs");
        QTest::newRow("default") << QByteArray() << 1900 << 6000;
        QTest::newRow("DEVBRIDGE_READ_TIMEOUT_MS=300") << QByteArray("300") << 280 << 1500;
    }

    void readGivesUpWithoutData()
    {
        QFETCH(QByteArray, timeoutSetting);
        QFETCH(int, lowestMs);
        QFETCH(int, highestMs);
        qputenv("DEVBRIDGE_READ_TIMEOUT_MS", timeoutSetting);
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        QVERIFY(m_api.init() && m_api.open());
        uint8_t buffer[UsbReadLimit];
        int32_t got = -1;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(m_api.read(buffer, UsbReadLimit, &got), 0);
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(got, 0);
        QVERIFY2(elapsed >= lowestMs && elapsed < highestMs, qPrintable(QString::number(elapsed)));
    }

    void writeToVanishedReaderFailsWithoutSignal()
    {
        const QString device = addDevice("mixer");
        QVERIFY(!device.isEmpty());
        std::optional<MixerEnd> end(std::in_place, device);
        QVERIFY(end->valid());
        QVERIFY(m_api.init() && m_api.open());
        end.reset(); // the mixer end goes away: PIPE00 has no reader left
        uint8_t bytes[] = {1, 2, 3, 0x55, 0xAA};
        int32_t written = -1;
        // Default SIGPIPE would end this process here.
        QCOMPARE(m_api.write(bytes, 5, &written), 0);
        QCOMPARE(written, 0);
        sigset_t blocked;
        sigemptyset(&blocked);
        QCOMPARE(pthread_sigmask(SIG_BLOCK, nullptr, &blocked), 0);
        QVERIFY2(!sigismember(&blocked, SIGPIPE), "the signal mask is restored");
        sigset_t pending;
        sigemptyset(&pending);
        QCOMPARE(sigpending(&pending), 0);
        QVERIFY(!sigismember(&pending, SIGPIPE));
    }

    void writeGivesUpWhenThePipeStalls()
    {
        MixerEnd end(addDevice("mixer")); // holds PIPE00 but never reads it
        QVERIFY(end.valid());
        QVERIFY(::fcntl(end.fromHostFd(), F_SETPIPE_SZ, 4096) >= 0);
        QVERIFY(m_api.init() && m_api.open());
        QByteArray bytes(100000, 'w');
        int32_t written = -1;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(m_api.write(reinterpret_cast<uint8_t *>(bytes.data()), int32_t(bytes.size()), &written), 0);
        QVERIFY(timer.elapsed() >= 1900);
        QVERIFY2(written > 0 && written < bytes.size(), qPrintable(QString::number(written)));
        QCOMPARE(end.takeReceived().size(), int(written));
    }

    void openFailsAtOnceWithoutReaderAndKeepsTheReadPipe()
    {
        QVERIFY(!addDevice("mixer").isEmpty()); // nobody at the other ends
        QCOMPARE(m_api.init(), 1);
        QCOMPARE(m_api.open(), 0);
        uint8_t bytes[] = {1, 2};
        int32_t written = 12345;
        QCOMPARE(m_api.write(bytes, 2, &written), 0);
        QCOMPARE(written, 12345);
        QCOMPARE(m_api.close(), 1); // the read pipe was still open
        QCOMPARE(m_api.close(), 0);
    }

    void halfOpenPipesAreReleasedByTheNextInit()
    {
        // The program never closes after a failed open; the read pipe each
        // such transfer left open must not pile up.
        QVERIFY(!addDevice("mixer").isEmpty());
        QVERIFY(m_api.init());
        QCOMPARE(m_api.open(), 0);
        const int before = openFdCount();
        for (int i = 0; i < 300; ++i) {
            QCOMPARE(m_api.init(), 1);
            QCOMPARE(m_api.open(), 0);
        }
        QVERIFY(openFdCount() <= before);
    }

    void openTwiceDoesNotLeak()
    {
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        const int before = openFdCount();
        QVERIFY(m_api.init());
        QCOMPARE(m_api.open(), 1);
        QCOMPARE(m_api.open(), 1);
        QCOMPARE(m_api.close(), 1);
        QCOMPARE(openFdCount(), before);
    }

    void callsOutOfOrderFailAndLeaveResultsUntouched()
    {
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        uint8_t buffer[8] = {};
        int32_t count = 777;
        QCOMPARE(m_api.close(), 0);
        QCOMPARE(m_api.write(buffer, 8, &count), 0);
        QCOMPARE(m_api.read(buffer, 8, &count), 0);
        QCOMPARE(count, 777);
        QCOMPARE(m_api.init(), 1);
        QCOMPARE(m_api.write(buffer, 8, &count), 0); // found but not opened
        QCOMPARE(m_api.open(), 1);
        QCOMPARE(m_api.close(), 1);
        QCOMPARE(m_api.close(), 0);
        QCOMPARE(m_api.read(buffer, 8, &count), 0);
        QCOMPARE(count, 777);
    }

    void badCountsAreRefused()
    {
        MixerEnd end(addDevice("mixer"));
        QVERIFY(end.valid());
        QVERIFY(m_api.init() && m_api.open());
        uint8_t buffer[8] = {};
        int32_t count = 777;
        QCOMPARE(m_api.write(buffer, 0, &count), 1);
        QCOMPARE(count, 0);
        QCOMPARE(m_api.write(buffer, -1, &count), 0);
        QCOMPARE(m_api.write(nullptr, 4, &count), 0);
        QCOMPARE(m_api.write(buffer, 4, nullptr), 1); // no place for the count is fine
        QCOMPARE(end.takeReceived().size(), 4);
        // With bytes waiting, a bad count must neither read them nor write
        // past the buffer.
        QVERIFY(end.send(framed("pending")));
        QCOMPARE(m_api.read(buffer, -5, &count), 0);
        QCOMPARE(count, 0);
        QCOMPARE(m_api.read(nullptr, 4, &count), 0);
        QCOMPARE(m_api.read(buffer, 0, &count), 1);
        QCOMPARE(count, 0);
        m_api.close();
        QCOMPARE(transferIn(), framed("pending"));
    }

    void initFailsWithoutDevice_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("missing root") << "missing";
        QTest::newRow("empty root") << "empty";
        QTest::newRow("only files") << "files";
        QTest::newRow("only hidden folders") << "hidden";
        QTest::newRow("root is a file") << "rootfile";
        QTest::newRow("root of 5000 characters") << "long";
    }

    void initFailsWithoutDevice()
    {
        QFETCH(QString, setup);
        // A device found earlier must not linger: Open after a failed Init fails.
        MixerEnd end(addDevice("earlier"));
        QVERIFY(end.valid());
        QCOMPARE(m_api.init(), 1);

        QTemporaryDir other;
        QByteArray root = QFile::encodeName(other.path());
        if (setup == "missing") {
            root += "/absent";
        } else if (setup == "files") {
            QFile f(other.filePath("PIPE00"));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (setup == "hidden") {
            QVERIFY(QDir(other.path()).mkdir(".device"));
        } else if (setup == "rootfile") {
            QFile f(other.filePath("file"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            root += "/file";
        } else if (setup == "long") {
            root += '/';
            while (root.size() < 5000)
                root += "abcdefghij/";
            root.truncate(5000);
        }
        qputenv("DEVBRIDGE_DEVICE_ROOT", root);
        QCOMPARE(m_api.init(), 0);
        QCOMPARE(m_api.open(), 0);
    }

    void deviceUnpluggedBetweenInitAndOpen()
    {
        const QString device = addDevice("mixer");
        QCOMPARE(m_api.init(), 1);
        QVERIFY(QDir(device).removeRecursively());
        QCOMPARE(m_api.open(), 0);
    }

    void pipePathsNeverOverflow()
    {
        using devbridge::buildPipePath;
        char out[devbridge::PipePathSize];
        const QByteArray fits(int(devbridge::PipePathSize) - 8, 'd'); // + "\PIPE01" + NUL
        QVERIFY(buildPipePath(out, sizeof out, fits.constData(), size_t(fits.size()), '\\', "PIPE01"));
        QCOMPARE(QByteArray(out), fits + "\\PIPE01");

        const QByteArray tooLong = fits + 'd';
        char guarded[devbridge::PipePathSize + 16];
        memset(guarded, '#', sizeof guarded);
        QVERIFY(!buildPipePath(guarded, devbridge::PipePathSize, tooLong.constData(),
                               size_t(tooLong.size()), '\\', "PIPE01"));
        QCOMPARE(guarded[0], '\0');
        for (size_t i = devbridge::PipePathSize; i < sizeof guarded; ++i)
            QCOMPARE(guarded[i], '#');

        // The device path ends at a NUL within its room; an empty one is refused.
        QVERIFY(buildPipePath(out, sizeof out, "dev\0garbage", 11, '/', "PIPE00"));
        QCOMPARE(QByteArray(out), QByteArray("dev/PIPE00"));
        QVERIFY(!buildPipePath(out, sizeof out, "", 0, '/', "PIPE00"));
    }
};

ZK_TEST_GUILESS_MAIN(TestDevbridge)
#include "tst_devbridge.moc"
