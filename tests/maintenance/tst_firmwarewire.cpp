// Firmware over real wires to the virtual mixer: a pseudo-terminal with the
// serial block protocol, loopback TCP (with the reconnects and the mixer's
// restart), and devbridge over the FIFO device (switched off and on). The
// mixer must receive every section whole, larger than any other message; the
// progress window follows the transfer and says what the mixer is doing.

#include "maintenance/frmprogressbar.h"
#include "maintenance/mdldownload.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "link/comm.h"
#include "sim/simchain.h"
#include "sim/simserial.h"
#include "sim/simtcp.h"
#include "sim/simusb.h"
#include "tests/maintenance/firmwaretestfiles.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include <memory>

using namespace firmwaretest;

namespace {

// A mixer of the newer model (by default), back from its restart within a moment.
SimOptions mixer(int model = 1, int delayMs = 0)
{
    SimOptions o;
    o.model = model;
    o.delayMs = delayMs;
    o.restartMs = 300;
    return o;
}

// The virtual mixer on one real endpoint, and the PC's link to it.
struct WireRig
{
    explicit WireRig(LinkKind kind, int lineRate = 0, SimOptions options = mixer())
        : kind(kind), chain(std::move(options))
    {
        LinkEndpoints ep;
        switch (kind) {
        case LinkKind::Rs232c:
            serial = std::make_unique<SimSerialFront>(chain);
            serial->setLineRate(lineRate);
            ready = serial->open(error);
            ep.serialPort = serial->slavePath();
            break;
        case LinkKind::Ethernet:
            tcp = std::make_unique<SimTcpFront>(chain);
            ready = tcp->listen(QStringLiteral("127.0.0.1"), 0, error);
            ep.tcpPort = tcp ? tcp->port() : 0;
            ep.chooseEthernetAddress = [this](bool &chose) {
                chose = true;
                ++connects;
                return QStringLiteral("127.0.0.1");
            };
            break;
        case LinkKind::Usb:
            usb = std::make_unique<SimUsbDevice>(chain, root.path(), QStringLiteral("vr340a-0"));
            ready = root.isValid() && usb->start(error);
            qputenv("DEVBRIDGE_DEVICE_ROOT", root.path().toLocal8Bit());
            break;
        case LinkKind::Offline:
            break;
        }
        link.linkKind = kind;
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(ep));
        ready = ready && comm->CommOpen();
    }
    ~WireRig()
    {
        comm.reset();
        qunsetenv("DEVBRIDGE_DEVICE_ROOT");
    }

    // Over USB: the mixer is switched off and on once it took the first R,
    // and the download goes on when its device is back.
    DownloadHooks hooks()
    {
        DownloadHooks h;
        h.powerCycle = [this] {
            usb->powerCycle(100);
            ++powerCycles;
            return clock.waitUntil(5.0, [this] { return usb->present(); });
        };
        return h;
    }

    LinkKind kind;
    SimChain chain;
    QTemporaryDir root;
    std::unique_ptr<SimSerialFront> serial;
    std::unique_ptr<SimTcpFront> tcp;
    std::unique_ptr<SimUsbDevice> usb;
    QString error;
    bool ready = false;
    int connects = 0;
    int powerCycles = 0;
    LinkState link;
    SystemClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<MdlComm> comm;
};

// The mixer's own time, shortened: nothing here depends on it.
MdlDownLoad::Waits quick()
{
    return MdlDownLoad::Waits{0.05, 0.1, 0.1};
}

} // namespace

class TestFirmwareWire : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everySectionArrivesWhole_data();
    void everySectionArrivesWhole();
    void progressWindowFollowsTheBlocks();
    void progressWindowSaysWhatTheMixerDoes();

private:
    QTemporaryDir m_dir;
};

void TestFirmwareWire::initTestCase()
{
    qunsetenv("ZKVR340A_SERIAL_PORT");
    qunsetenv("ZKVR340A_TCP_PORT");
}

void TestFirmwareWire::everySectionArrivesWhole_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("RS-232C") << int(LinkKind::Rs232c);
    QTest::newRow("Ethernet") << int(LinkKind::Ethernet);
    QTest::newRow("USB") << int(LinkKind::Usb);
}

void TestFirmwareWire::everySectionArrivesWhole()
{
    QFETCH(int, kind);
    WireRig wire{LinkKind(kind)};
    QVERIFY2(wire.ready, qPrintable(wire.error + wire.dialogs.texts().join('|')));
    // Section M is larger than any message but a firmware block may be.
    const QByteArray m = pattern(70000, 1), p = pattern(300, 2), d = pattern(65, 3);
    const QByteArray file = modelFile(m, p, d, 1);
    wire.dialogs.fileNames.push_back(writeFile(m_dir, "model.bin", file));

    QList<qint64> seen;
    DownloadHooks hooks = wire.hooks();
    hooks.showProgress = [&](const std::function<bool()> &transfer,
                             const std::function<DownloadProgress()> &progress) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] { seen << progress().done; });
        poll.start(2);
        const bool ok = transfer();
        seen << progress().done;
        return ok;
    };
    MdlDownLoad download(*wire.comm, wire.dialogs, std::move(hooks));
    download.setWaits(quick());
    QCOMPARE(download.DownloadRun(4), MdlDownLoad::Outcome::Done);

    QList<SimDownload> blocks;
    for (const SimDownload &b : wire.chain.downloads())
        if (b.command == 'L')
            blocks << b;
    QCOMPARE(blocks.size(), 4);
    const QList<QPair<quint8, QByteArray>> expected = {
        {DownloadTarget::EStep, {}}, {DownloadTarget::Main, m}, {DownloadTarget::SectionP, p}, {DownloadTarget::SectionD, d}};
    quint8 sum = 0;
    for (int i = 0; i < blocks.size(); ++i) {
        QCOMPARE(blocks[i].target, expected[i].first);
        QCOMPARE(blocks[i].data.size(), expected[i].second.size());
        QVERIFY(blocks[i].data == expected[i].second);
        sum = quint8(sum + blocks[i].sum());
    }
    QCOMPARE(sum, quint8(file[32]));
    QCOMPARE(wire.chain.downloads().last().command, 'R');
    QCOMPARE(wire.chain.downloads().last().target, DownloadTarget::Finish);
    for (const SimDownload &d : wire.chain.downloads())
        QVERIFY(d.accepted());
    QCOMPARE(wire.dialogs.texts(), QStringList{"ダウンロードが完了しました。"});
    QCOMPARE(wire.powerCycles, LinkKind(kind) == LinkKind::Usb ? 1 : 0);
    if (LinkKind(kind) == LinkKind::Ethernet) {
        // At the start, after the first R, and once the mixer is back from
        // its restart; the old connection was dead after it.
        QCOMPARE(wire.connects, 3);
        QCOMPARE(wire.tcp->accepted(), 3);
        QVERIFY(wire.comm->isOpen());
    }

    // The bar only moves forward and ends at the whole payload.
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
    QCOMPARE(seen.last(), qint64(m.size() + p.size() + d.size()));
    if (LinkKind(kind) == LinkKind::Rs232c) // acknowledged block by block
        QVERIFY(std::any_of(seen.begin(), seen.end(), [&](qint64 v) { return v > 0 && v < m.size(); }));
}

void TestFirmwareWire::progressWindowFollowsTheBlocks()
{
    // A line paced to 115200 bits per second: 16 KiB take about 1.7 s.
    WireRig wire(LinkKind::Rs232c, 115200, mixer(0));
    QVERIFY2(wire.ready, qPrintable(wire.error));
    const QByteArray image = pattern(16 * 1024);
    wire.dialogs.fileNames.push_back(writeFile(m_dir, "main.bin", image));

    QList<int> values;
    bool pictured = false;
    DownloadHooks hooks;
    hooks.showProgress = [&](const std::function<bool()> &transfer,
                             const std::function<DownloadProgress()> &progress) {
        return runProgressWindow(nullptr, wire.clock, transfer, progress, [&](FrmProgressBar &w) {
            QCOMPARE(w.LblMsg()->text(), QString("ファイルを転送中です。\nしばらくお待ち下さい。"));
            QVERIFY(w.isModal());
            auto *watch = new QTimer(&w);
            QObject::connect(watch, &QTimer::timeout, &w, [&w, &values, &pictured] {
                const int v = w.bar()->value();
                values << v;
                if (!pictured && v > w.bar()->maximum() / 3 && v < w.bar()->maximum() * 2 / 3) {
                    pictured = true;
                    saveScreenshot(w, QStringLiteral("FrmProgressBar"));
                }
            });
            watch->start(50);
        });
    };
    MdlDownLoad download(*wire.comm, wire.dialogs, std::move(hooks));
    download.setWaits(quick());
    QCOMPARE(download.DownloadRun(1), MdlDownLoad::Outcome::Done);
    QCOMPARE(wire.chain.downloads().last().data, image);
    QVERIFY2(pictured, "the bar never stood between a third and two thirds");
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    QVERIFY(values.size() >= 10);
}

void TestFirmwareWire::progressWindowSaysWhatTheMixerDoes()
{
    // The mixer takes 0.6 s over every answer, so each step stays long
    // enough on screen to be seen, and restarts for a second at the end.
    WireRig wire(LinkKind::Rs232c, 0, mixer(1, 600));
    QVERIFY2(wire.ready, qPrintable(wire.error));
    wire.dialogs.fileNames.push_back(writeFile(m_dir, "model.bin", modelFile(pattern(2000), {}, {})));

    QStringList steps;
    QStringList pictured;
    DownloadHooks hooks;
    hooks.showProgress = [&](const std::function<bool()> &transfer,
                             const std::function<DownloadProgress()> &progress) {
        return runProgressWindow(nullptr, wire.clock, transfer, progress, [&](FrmProgressBar &w) {
            QVERIFY(!w.stepLabel()->accessibleName().isEmpty());
            QVERIFY(!w.bar()->accessibleName().isEmpty());
            auto *watch = new QTimer(&w);
            QObject::connect(watch, &QTimer::timeout, &w, [&w, &steps, &pictured] {
                const QString text = w.stepLabel()->text().remove(u'\n');
                const QString step = text.left(text.indexOf(u'（'));
                if (steps.isEmpty() || steps.last() != step)
                    steps << step;
                // The bar is full while the mixer writes and while it restarts:
                // only the line under it tells the two apart.
                for (const QString &name : {QStringLiteral("Waiting"), QStringLiteral("Restarting")}) {
                    const bool now = name == QLatin1String("Waiting") ? text.contains(u'／') : text.contains(QStringLiteral("あと"));
                    if (now && !pictured.contains(name) && w.bar()->value() == w.bar()->maximum()) {
                        pictured << name;
                        saveScreenshot(w, QStringLiteral("FrmProgressBar-") + name);
                    }
                }
            });
            watch->start(50);
        });
    };
    MdlDownLoad download(*wire.comm, wire.dialogs, std::move(hooks));
    download.setWaits({0.05, 0.1, 1.0});
    QCOMPARE(download.DownloadRun(4), MdlDownLoad::Outcome::Done);
    // 2000 bytes pass the unpaced line in a few milliseconds: the sending
    // line may or may not be caught between two looks.
    steps.removeAll(QStringLiteral("メインプログラムを送信しています。"));
    QCOMPARE(steps, QStringList({"メインプログラムの準備をミキサーに指示しています。",
                                 "メインプログラムを送信しました。ミキサーの応答を待っています",
                                 "Sステップの準備をミキサーに指示しています。", "ミキサーが再起動しています"}));
    QCOMPARE(pictured, QStringList({"Waiting", "Restarting"}));
    QCOMPARE(wire.dialogs.texts(), QStringList{"ダウンロードが完了しました。"});
    QCOMPARE(wire.dialogs.shown.front().icon, MsgIcon::Information);
}

ZK_TEST_MAIN(TestFirmwareWire)
#include "tst_firmwarewire.moc"
