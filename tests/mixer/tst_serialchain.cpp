// Sixteen linked mixers on a 19200 bit/s serial line: the longest chain on
// the slowest link. Their data reply is about 1650 bytes on the line, close
// to a second, which is more than the reply wait of a link whose mixers have
// not been counted yet. The tool (against the virtual mixer program) and the
// program's own poll, edit, save and load paths (its job loop and transport
// against the same paced pseudo-terminal in-process) must all work with it.

#include "pacedserialrig.h"

#include "settings/mixersections.h"
#include "settings/settingsfile.h"
#include "tests/cli/clitesthelpers.h"
#include "tests/support/simprocess.h"
#include "tests/support/testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int Chain = 16;
constexpr int LineRate = 19200;

// The tool over the chain's serial device.
clitest::Run ctl(const QString &device, const QStringList &args)
{
    return clitest::ctl(QStringList{"--serial", device} + args);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A distinct value per mixer, so a block read for the wrong mixer shows.
quint8 marker(int mixer)
{
    return quint8(10 + mixer);
}
} // namespace

class TstSerialChain : public QObject
{
    Q_OBJECT
private slots:
    void toolCommands();
    void programPollEditSaveLoad();
};

void TstSerialChain::toolCommands()
{
    SimProcess sim;
    QVERIFY(sim.start({"--serial", "--line-rate", QString::number(LineRate), "--mixers", QString::number(Chain)}));
    const QString device = sim.endpoints.value("serial");

    // The first exchange of the tool asks for the data of every mixer.
    const clitest::Run status = ctl(device, {"status", "--json"});
    QVERIFY2(status.exitCode == 0, status.err.constData());
    const QJsonArray listed = QJsonDocument::fromJson(status.out).object().value("mixers").toArray();
    QCOMPARE(listed.size(), Chain);
    QCOMPARE(listed.last().toObject().value("mixer").toInt(), Chain);

    QTemporaryDir dir;
    const QString saved = dir.filePath("chain.ini");
    const clitest::Run save = ctl(device, {"save", saved});
    QVERIFY2(save.exitCode == 0, save.err.constData());
    const QByteArray file = readFile(saved);
    QVERIFY(file.contains("[Mixer_Slave15]\r\n"));
    QVERIFY(file.contains("MixerCount=16\r\n"));

    // The master's section alone goes back (a whole chain's values take over
    // a minute and a half on this line): with a changed value, verified by
    // the tool's own last read of all sixteen mixers.
    QByteArray one = file;
    one.replace("MixerCount=16\r\n", "MixerCount=1\r\n");
    const qsizetype gain = one.indexOf("\r\nInputGain_3=") + 2;
    one.replace(gain, one.indexOf("\r\n", gain) - gain, "InputGain_3=41");
    const QString loaded = dir.filePath("master.ini");
    QFile f(loaded);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(one) == one.size());
    f.close();
    // The fifteen slaves the file does not describe keep their values: --yes.
    const clitest::Run load = ctl(device, {"load", "--yes", loaded});
    QVERIFY2(load.exitCode == 0, load.err.constData());
    QCOMPARE(ctl(device, {"get", "1", "InputGain_3"}).out.trimmed(), QByteArray("41"));
}

void TstSerialChain::programPollEditSaveLoad()
{
    PacedSerialRig rig(Chain, LineRate);
    const int gain3 = channelKeyId(ChannelFamily::InputGain, 3);
    for (int m = 1; m <= Chain; ++m)
        rig.chain.setBlockByte(m, gain3, marker(m));
    QVERIFY(rig.connect());

    // Polling counts every mixer and reads each one's data.
    auto allRead = [&] {
        if (rig.mixers.MixerCount != Chain || rig.loop.StartupPolls != 0)
            return false;
        for (int m = 1; m <= Chain; ++m)
            if (!rig.sync->dataFresh(m))
                return false;
        return true;
    };
    QVERIFY2(rig.runUntil(allRead, 20), qPrintable(QString::number(rig.mixers.MixerCount)));
    for (int m = 1; m <= Chain; ++m) {
        QCOMPARE(rig.mixers.MixerData[size_t(m)].value(gain3), qint32(marker(m)));
        QCOMPARE(rig.mixers.Model[size_t(m)], qint16(1));
    }

    // An edit of the last mixer, made while the data reply of all sixteen is
    // on the line, goes out after it, never across it; it ends verified, and
    // the poll after it shows the new value.
    // (The three start-up polls follow each other at once, whatever the line.)
    const int startupOverlaps = rig.chain.overlaps();
    bool edited = false;
    rig.afterEachPoll = [&] {
        if (!edited && rig.sync->pollState().awaitingReply()
            && rig.sync->pollState().preparedRequest().startsWith("DR")) {
            edited = true;
            rig.sync->submit(Chain, gain3, 50, Submit::Copy);
        }
    };
    bool verified = false;
    rig.afterSetData = [&](const SetDataOutcome &o) { verified = o.verified && !rig.mixers.anyPending(Chain); };
    QVERIFY(rig.runUntil([&] { return verified && rig.mixers.MixerData[Chain].value(gain3) == 50; }, 20));
    QCOMPARE(rig.chain.blockByte(Chain, gain3), quint8(50));
    QVERIFY(rig.dialogs.shown.empty());
    QCOMPARE(rig.chain.overlaps(), startupOverlaps);
    rig.afterEachPoll = {};

    // Saving takes every mixer as the poll read it.
    MixerStateSettings settings(rig.mixers);
    SettingsTable table;
    settings.capture(table, false, PanelRuntime{}, 16);
    QCOMPARE(table.at(0, SettingsGrid::SystemSection), QStringLiteral("16"));
    QCOMPARE(table.at(gain3, Chain - 1), QStringLiteral("50"));
    QCOMPARE(table.at(gain3, 0), QString::number(marker(1)));

    // Loading the master's section: the transfer writes the registers and the
    // values through the loop, verified against all sixteen mixers.
    table.set(gain3, 0, QStringLiteral("42"));
    settings.apply(table, 1);
    rig.jobs.request(JobWork::of(JobKind::TransferLoaded));
    verified = false;
    QVERIFY(rig.runUntil([&] { return rig.jobsRun == 1 && rig.jobs.empty(); }, 30));
    QVERIFY(verified);
    QCOMPARE(rig.chain.blockByte(1, gain3), quint8(42));
    QCOMPARE(rig.chain.blockByte(Chain, gain3), quint8(50));
    QVERIFY(rig.dialogs.shown.empty());
}

ZK_TEST_GUILESS_MAIN(TstSerialChain)
#include "tst_serialchain.moc"
