// Firmware download without widgets, on virtual time: which model files are
// sent, what goes to the mixer for each kind and link, and where a failure,
// a damaged file or a cancelled dialog stops the sequence.

#include "maintenance/firmwarefile.h"
#include "maintenance/mdldownload.h"

#include "base/strings.h"
#include "tests/maintenance/firmwaretestfiles.h"
#include "tests/support/simlinkrig.h"

#include <QtTest>

using namespace firmwaretest;

namespace {

// The virtual mixer behind a scripted link, every request noted with the
// virtual time it went out; `refuse` makes the mixer answer one request
// (by its summary, "R50" or "L4D") with a wrong reply or none.
struct DownloadRig : SimLinkRig
{
    explicit DownloadRig(LinkKind kind = LinkKind::Rs232c) : SimLinkRig(SimOptions{}, kind)
    {
        script = [this](const QByteArray &request) -> QList<QByteArray> {
            const QString what = summary(request);
            requests << what;
            times << clock.now();
            onLink << int(transport->sent.size()); // 1: the first request of a fresh link
            if (what.startsWith(refuse) && !refuse.isEmpty())
                return refuseWith.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{refuseWith};
            const QByteArray reply = chain->handle(request);
            return reply.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{reply};
        };
    }

    // "R4D" for a prepare, "L4D:1234" for a data block of 1234 bytes.
    static QString summary(const QByteArray &r)
    {
        const QString target = QString::number(quint8(r[1]), 16).toUpper();
        if (r[0] == 'R')
            return QStringLiteral("R") + target;
        return QStringLiteral("L%1:%2").arg(target).arg(r.size() - 3);
    }

    MdlDownLoad::Outcome run(int kind, const QString &path)
    {
        dialogs.fileNames.push_back(path);
        MdlDownLoad download(*comm, dialogs);
        const MdlDownLoad::Outcome outcome = download.DownloadRun(kind);
        last = download.progress();
        return outcome;
    }

    QStringList requests;
    QList<double> times;
    QList<int> onLink;
    QString refuse;
    QByteArray refuseWith;
    MdlDownLoad::Progress last;
};

} // namespace

class TestFirmware : public QObject
{
    Q_OBJECT

private slots:
    void modelFileChecks_data();
    void modelFileChecks();
    void olderModelSendsTheWholeFile_data();
    void olderModelSendsTheWholeFile();
    void modelFileSequence_data();
    void modelFileSequence();
    void failuresStopTheSequence_data();
    void failuresStopTheSequence();
    void afterPrepareByLink();

private:
    QTemporaryDir m_dir;
};

void TestFirmware::modelFileChecks_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("check");
    const int valid = int(FirmwareCheck::Valid), invalid = int(FirmwareCheck::Invalid);
    const QByteArray good = modelFile(pattern(100), pattern(20, 1), pattern(5, 2));
    QTest::newRow("three sections") << good << valid;
    QTest::newRow("upper-case name") << modelFile(pattern(9), {}, {}, 0, "ZK-VR340A Mixer") << valid;
    QTest::newRow("only section D") << modelFile({}, {}, pattern(3)) << valid;
    QTest::newRow("all sizes 0, length 33") << modelFile({}, {}, {}) << invalid;
    QTest::newRow("one byte too long") << good + '\0' << invalid;
    QTest::newRow("one byte short") << good.chopped(1) << invalid;
    QTest::newRow("shorter than a header") << good.left(32) << invalid;
    QTest::newRow("other name") << modelFile(pattern(9), {}, {}, 0, "ZK-VR340 Mixer") << invalid;
    QTest::newRow("name not zero-padded") << modelFile(pattern(9), {}, {}, 0, "ZK-VR340a Mixer!") << invalid;
    QByteArray badSum = good;
    badSum[32] = char(badSum[32] + 1);
    QTest::newRow("checksum off by one") << badSum << invalid;
    QByteArray negative = modelFile(pattern(10), pattern(10), {});
    setSizes(negative, {30, -10, 0}); // still adds up to the length
    QTest::newRow("negative size") << negative << invalid;
    QByteArray huge = good;
    setSizes(huge, {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF});
    QTest::newRow("sizes that overflow 32 bits") << huge << invalid;
    QTest::newRow("section above one message")
        << modelFile(pattern(MaxImageBytes + 1), {}, {}) << int(FirmwareCheck::TooLarge);
    QTest::newRow("section filling one message")
        << modelFile(pattern(MaxImageBytes), pattern(4), {}) << valid;
}

void TestFirmware::modelFileChecks()
{
    QFETCH(QByteArray, file);
    QFETCH(int, check);
    ModelHeader header;
    QByteArray payload;
    QCOMPARE(int(parseModelFile(file, header, payload)), check);
    // Read from disk the header comes first and the payload in pieces: the
    // same verdict, and the payload of a valid file is what gets sent.
    const FirmwareImage read = readFirmwareFile(DownloadKind::ModelFile, writeFile(m_dir, "model.bin", file));
    QCOMPARE(int(read.check), check);
    if (check == int(FirmwareCheck::Valid)) {
        QCOMPARE(read.image, file.mid(ModelHeaderSize));
        QCOMPARE(payload, read.image);
    } else {
        QVERIFY(read.image.isEmpty());
    }
}

void TestFirmware::olderModelSendsTheWholeFile_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("filter");
    QTest::newRow("main program") << 1 << "4D" << "ﾌｧｰﾑｳｪｱ (*.bin);;全てのファイル (*)";
    QTest::newRow("FPGA data") << 2 << "46" << "FPGAﾃﾞｰﾀ (*.rbf);;全てのファイル (*)";
    QTest::newRow("writer program") << 3 << "57" << "ﾌｧｰﾑｳｪｱ (*.bin);;全てのファイル (*)";
}

void TestFirmware::olderModelSendsTheWholeFile()
{
    QFETCH(int, kind);
    QFETCH(QString, target);
    QFETCH(QString, filter);
    const QByteArray image = pattern(5000, kind);
    const QString path = writeFile(m_dir, "image.bin", image);

    DownloadRig rig;
    QCOMPARE(rig.run(kind, path), MdlDownLoad::Outcome::Done);
    QCOMPARE(rig.requests, QStringList({"R" + target, "L" + target + ":5000"}));
    QCOMPARE(rig.chain->downloads().last().data, image);
    QCOMPARE(rig.dialogs.fileRequests, QStringList{"ダウンロードするファイルを選択して下さい。"});
    QCOMPARE(rig.dialogs.fileFilters, QStringList{filter});
    QVERIFY(rig.dialogs.shown.empty());
    QCOMPARE(rig.last.done, qint64(image.size()));
    QCOMPARE(rig.last.total, qint64(image.size()));

    // Cancelling the file dialog leaves the mixer prepared and sends nothing more.
    DownloadRig cancelled;
    QCOMPARE(cancelled.run(kind, QString()), MdlDownLoad::Outcome::Cancelled);
    QCOMPARE(cancelled.requests, QStringList{"R" + target});
    QVERIFY(cancelled.dialogs.shown.empty());
}

void TestFirmware::modelFileSequence_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("section M only")
        << modelFile(pattern(300), {}, {}) << QStringList{"R4D", "R4D", "L4D:300", "R53"};
    QTest::newRow("sizeM 0, sizeP > 0: never section M")
        << modelFile({}, pattern(70), pattern(9)) << QStringList{"R50", "R50", "L50:70", "R44", "L44:9", "R53"};
    QTest::newRow("E flag: the 3-byte E block first")
        << modelFile(pattern(300), pattern(70, 1), pattern(9, 2), 1)
        << QStringList{"R4D", "L45:0", "R4D", "L4D:300", "R50", "L50:70", "R44", "L44:9", "R53"};
}

void TestFirmware::modelFileSequence()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    DownloadRig rig;
    QCOMPARE(rig.run(4, writeFile(m_dir, "model.bin", file)), MdlDownLoad::Outcome::Done);
    QCOMPARE(rig.requests, expected);

    // Each section arrives whole, and together they add up to the checksum.
    const QByteArray payload = file.mid(ModelHeaderSize);
    QByteArray received;
    for (const SimDownload &d : rig.chain->downloads())
        if (d.command == 'L') {
            QVERIFY(d.target == DownloadTarget::EStep || d.prepared);
            received += d.data;
        }
    QCOMPARE(received, payload);
    QCOMPARE(sumOf(received), quint8(file[32]));
    if (expected.contains("L45:0"))
        QCOMPARE(rig.transport->sent.at(1), QByteArray("\x4C\x45\x01"));
    // The mixer gets ten seconds after the final S.
    QVERIFY(rig.clock.now() - rig.times.last() >= 10.0);
    QCOMPARE(rig.last.done, qint64(payload.size()));
    QCOMPARE(rig.last.total, qint64(payload.size()));
}

void TestFirmware::failuresStopTheSequence_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("refuse");     // request the mixer answers wrongly
    QTest::addColumn<QByteArray>("reply");   // that answer; empty: none at all
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    const QString noReply = "応答がありません";
    const int error = int(MsgIcon::Error);
    const QByteArray model = modelFile(pattern(40), pattern(30), {});
    QTest::newRow("no reply to the first R") << 1 << pattern(10) << "R4D" << QByteArray()
                                             << QStringList{"R4D"} << noReply << error;
    QTest::newRow("L refused") << 2 << pattern(10) << "L46" << QByteArray("L\x46\x01", 3)
                               << QStringList{"R46", "L46:10"} << noReply << error;
    QTest::newRow("R answered for another target")
        << 4 << model << "R50" << QByteArray("R\x44\x00", 3)
        << QStringList{"R4D", "R4D", "L4D:40", "R50"} << noReply << error;
    QTest::newRow("final S silent") << 4 << model << "R53" << QByteArray()
                                    << QStringList{"R4D", "R4D", "L4D:40", "R50", "L50:30", "R53"} << noReply
                                    << error;
    QTest::newRow("damaged model file: nothing sent")
        << 4 << model.chopped(1) << QString() << QByteArray() << QStringList{} << "不正なファイルです。"
        << int(MsgIcon::None);
    QTest::newRow("image too large: only the R before the dialog")
        << 3 << pattern(MaxImageBytes + 1) << QString() << QByteArray() << QStringList{"R57"}
        << "ファイルが大きすぎます（262207バイト）。一度に転送できるのは262206バイトまでです。" << error;
}

void TestFirmware::failuresStopTheSequence()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, file);
    QFETCH(QString, refuse);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    QFETCH(int, icon);
    DownloadRig rig;
    rig.refuse = refuse;
    rig.refuseWith = reply;
    const MdlDownLoad::Outcome outcome = rig.run(kind, writeFile(m_dir, "f.bin", file));
    QVERIFY(outcome != MdlDownLoad::Outcome::Done);
    QCOMPARE(rig.requests, expected);
    QCOMPARE(rig.dialogs.texts(), QStringList{message});
    QCOMPARE(int(rig.dialogs.shown.front().icon), icon);
    QCOMPARE(rig.dialogs.shown.front().title, QString("ZK-VR340a"));
}

void TestFirmware::afterPrepareByLink()
{
    const QString image = writeFile(m_dir, "image.bin", pattern(64));
    const QString model = writeFile(m_dir, "model.bin", modelFile(pattern(64), {}, {}));

    // USB: the user switches the mixer off and on once the R is accepted.
    DownloadRig usb(LinkKind::Usb);
    usb.dialogs.answers.push_back(MsgAnswer::Ok);
    QCOMPARE(usb.run(1, image), MdlDownLoad::Outcome::Done);
    QCOMPARE(usb.dialogs.texts(), QStringList{"ミキサーの電源を再投入して下さい。"});
    QCOMPARE(usb.dialogs.shown.front().icon, MsgIcon::Warning);

    // RS-232C: one second after the R.
    DownloadRig serial(LinkKind::Rs232c);
    QCOMPARE(serial.run(1, image), MdlDownLoad::Outcome::Done);
    QVERIFY(serial.times[1] - serial.times[0] >= 1.0);

    // Ethernet: the link is opened again two seconds after the R, and after
    // a model file once more at the end.
    DownloadRig ether(LinkKind::Ethernet);
    QCOMPARE(ether.run(1, image), MdlDownLoad::Outcome::Done);
    QCOMPARE(ether.onLink, QList<int>({1, 1}));
    QVERIFY(ether.times[1] - ether.times[0] >= 2.0);
    QCOMPARE(ether.transport->sent.size(), 1);

    DownloadRig ether4(LinkKind::Ethernet);
    QCOMPARE(ether4.run(4, model), MdlDownLoad::Outcome::Done);
    QCOMPARE(ether4.requests, QStringList({"R4D", "R4D", "L4D:64", "R53"}));
    QCOMPARE(ether4.onLink, QList<int>({1, 1, 2, 3}));
    QVERIFY(ether4.transport->sent.isEmpty());
}

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
