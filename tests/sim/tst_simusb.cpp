#include "sim/simchain.h"
#include "sim/simusb.h"
#include "tests/support/testmain.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <atomic>
#include <thread>
#include <unistd.h>

namespace {
const QByteArray Trailer("\x55\xAA", 2);
} // namespace

class TstSimUsb : public QObject
{
    Q_OBJECT
private slots:
    void splitter_data();
    void splitter();
    void splitterResynchronises();
    void fifoRoundTrip();
    void largeDataBlockArrivesWhole();
};

void TstSimUsb::splitter_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("requests");
    const QByteArray tr("TR\xFF", 3), ds("DS\x01\x2B\x28", 5), er("ER\x01\x05", 4);
    QTest::newRow("one") << QList<QByteArray>{tr + Trailer} << QList<QByteArray>{tr};
    QTest::newRow("two joined") << QList<QByteArray>{tr + Trailer + ds + Trailer} << QList<QByteArray>{tr, ds};
    QTest::newRow("split in the trailer") << QList<QByteArray>{ds + "\x55", "\xAA" + er + Trailer}
                                          << QList<QByteArray>{ds, er};
    // A value byte 0x55 followed by 0xAA inside a fixed-length request is data.
    const QByteArray ts("TS\x01\x55\xAA", 5);
    QTest::newRow("trailer bytes as data") << QList<QByteArray>{ts + Trailer} << QList<QByteArray>{ts};
    const QByteArray ip = QByteArray("IP\x01\x7F\0\0\x01\0\0\x03", 10) + QByteArray("ab\0", 3);
    QTest::newRow("IP carries its length") << QList<QByteArray>{ip.left(6), ip.mid(6) + Trailer}
                                           << QList<QByteArray>{ip};
    const QByteArray l = QByteArray("L\x4D\x01", 3) + QByteArray("\x55\xAA\x01\x02", 4);
    QTest::newRow("data block with trailer bytes inside") << QList<QByteArray>{l.left(4), l.mid(4) + Trailer}
                                                         << QList<QByteArray>{l};
}

void TstSimUsb::splitter()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, requests);
    UsbRequestSplitter s;
    QList<QByteArray> got;
    for (const QByteArray &c : chunks) {
        s.feed(c);
        QByteArray r;
        while (s.next(r))
            got << r;
    }
    QCOMPARE(got, requests);
    QCOMPARE(s.pending(), 0);
}

void TstSimUsb::splitterResynchronises()
{
    UsbRequestSplitter s;
    QByteArray r;
    // A DR request whose trailer is missing is skipped up to the next trailer.
    s.feed(QByteArray("DR\xFF\x01\x02", 5) + Trailer + QByteArray("MN\x01", 3) + Trailer);
    QVERIFY(s.next(r));
    QCOMPARE(r, QByteArray("MN\x01", 3));
    // Bytes of no known command are dropped whole.
    s.feed(QByteArray("ZZZZ", 4) + Trailer);
    QVERIFY(!s.next(r));
    QCOMPARE(s.pending(), 0);
    // An IP whose length field no user ID can have does not hold up the
    // requests behind it.
    s.feed(QByteArray("IP\x01\x7F\0\0\x01\0\xFF\xFF" "ab", 12) + Trailer);
    QVERIFY(!s.next(r));
    s.feed(QByteArray("TR\xFF", 3) + Trailer);
    QVERIFY(s.next(r));
    QCOMPARE(r, QByteArray("TR\xFF", 3));
}

void TstSimUsb::fifoRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SimOptions o;
    o.mixers = 2;
    SimChain chain(o);
    QString devicePath;
    {
        SimUsbDevice device(chain, dir.path(), QStringLiteral("vr340a-0"));
        QString error;
        QVERIFY2(device.start(error), qPrintable(error));
        devicePath = device.devicePath();
        QCOMPARE(devicePath, dir.filePath("vr340a-0"));

        const int toMixer = ::open(QFile::encodeName(devicePath + "/PIPE00").constData(), O_WRONLY);
        const int fromMixer = ::open(QFile::encodeName(devicePath + "/PIPE01").constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(toMixer >= 0 && fromMixer >= 0);
        QByteArray reply;
        auto send = [&](const QByteArray &request) {
            reply.clear();
            const QByteArray out = request + Trailer;
            return ::write(toMixer, out.constData(), size_t(out.size())) == out.size();
        };
        auto arrived = [&] {
            char buf[2064];
            const ssize_t n = ::read(fromMixer, buf, sizeof buf);
            if (n > 0)
                reply = QByteArray(buf, int(n));
            return !reply.isEmpty();
        };
#define EXCHANGE(request)                                \
    QVERIFY(send(request));                              \
    QTRY_VERIFY_WITH_TIMEOUT(arrived(), 5000)
        EXCHANGE(QByteArray("TR\xFF", 3));
        QCOMPARE(reply, QByteArray("TR\0\0\x64\0\x64", 7) + Trailer);
        EXCHANGE(QByteArray("DS\x02\x2B\x28", 5));
        QCOMPARE(reply, QByteArray("DS\0", 3) + Trailer);
        EXCHANGE(QByteArray("DR\x02", 3));
        const QByteArray dr = reply;
        QCOMPARE(dr.size(), 89); // one reply, one read, trailer included
        QCOMPARE(quint8(dr[3 + 42]), quint8(0x28));
        QVERIFY(dr.endsWith(Trailer));
        ::close(toMixer);
        ::close(fromMixer);
#undef EXCHANGE
    }
    // The device disappears with the mixer.
    QVERIFY(!QFileInfo::exists(devicePath));
}

void TstSimUsb::largeDataBlockArrivesWhole()
{
    // 200000 bytes of firmware with 55 AA ending every 4 KiB page, written
    // with a short pause after one of those pages (as a busy machine
    // schedules the PC's one large write): a piece ending in those bytes
    // used to be taken for the whole block.
    QTemporaryDir dir;
    SimChain chain(SimOptions{});
    SimUsbDevice device(chain, dir.path(), QStringLiteral("vr340a-0"));
    QString error;
    QVERIFY2(device.start(error), qPrintable(error));
    QByteArray data(200000, '\x11');
    for (int at = 4096; at <= data.size(); at += 4096) {
        data[at - 2] = '\x55';
        data[at - 1] = '\xAA';
    }
    const QByteArray block = QByteArray("L\x01\x01", 3) + data + Trailer;
    const int toMixer = ::open(QFile::encodeName(device.devicePath() + "/PIPE00").constData(), O_WRONLY);
    QVERIFY(toMixer >= 0);
    ssize_t written = 0;
    std::atomic<bool> writing{true};
    std::thread writer([&] {
        const size_t first = 3 + 8 * 4096;
        written = ::write(toMixer, block.constData(), first);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        written += ::write(toMixer, block.constData() + first, size_t(block.size()) - first);
        writing = false;
    });
    {
        // Waits as the program does, woken by the FIFO rather than polling it.
        QEventLoop loop;
        connect(&device, &SimUsbDevice::requestHandled, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    while (writing) // the virtual mixer reads the rest, whatever it made of the start
        QTest::qWait(10);
    writer.join();
    ::close(toMixer);
    QCOMPARE(written, ssize_t(block.size()));
    QTest::qWait(200); // nothing more comes of it
    QCOMPARE(chain.downloads().size(), 1);
    QCOMPARE(chain.downloads().constFirst().data.size(), data.size());
    QVERIFY(chain.downloads().constFirst().data == data);
}

ZK_TEST_GUILESS_MAIN(TstSimUsb)
#include "tst_simusb.moc"
