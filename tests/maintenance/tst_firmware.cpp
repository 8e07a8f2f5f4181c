// Firmware download without widgets, on virtual time: which files are sent,
// what goes to the mixer for each kind and link, what the progress says at
// each step, and where a failure, a file that cannot be sent, an image for
// the other family or a cancelled dialog stops the sequence (nothing reaches
// the mixer before the file passed).

#include "maintenance/firmwarefile.h"
#include "maintenance/mdldownload.h"

#include "base/strings.h"
#include "tests/maintenance/firmwaretestfiles.h"
#include "tests/support/simlinkrig.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <deque>

using namespace firmwaretest;

namespace {

// The virtual mixer behind a scripted link, every request noted with the
// virtual time it went out; `refuse` makes the mixer answer one request
// (by its summary, "R50" or "L4D") with a wrong reply or none.
struct DownloadRig : SimLinkRig
{
    // The older model's images go to a mixer of model code 0, model files to
    // one of the newer model: the virtual mixer refuses the other family's targets.
    static SimOptions mixer(int model)
    {
        SimOptions o;
        o.model = model;
        return o;
    }
    explicit DownloadRig(LinkKind kind = LinkKind::Rs232c, int model = 1) : SimLinkRig(mixer(model), kind)
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

    MdlDownLoad::Outcome run(int kind, const QString &path, DownloadHooks hooks = {})
    {
        dialogs.fileNames.push_back(path);
        MdlDownLoad download(*comm, dialogs, std::move(hooks));
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
    void olderImageChecks_data();
    void olderImageChecks();
    void olderModelSendsTheWholeFile_data();
    void olderModelSendsTheWholeFile();
    void modelFileSequence_data();
    void modelFileSequence();
    void failuresStopTheSequence_data();
    void failuresStopTheSequence();
    void otherFamilyIsAskedFirst_data();
    void otherFamilyIsAskedFirst();
    void progressNamesEachStep();
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

void TestFirmware::olderImageChecks_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("check");
    const int valid = int(FirmwareCheck::Valid);
    QTest::newRow("one byte") << QByteArray(1, '\x5A') << valid;
    QTest::newRow("exactly one message") << pattern(MaxImageBytes) << valid;
    QTest::newRow("one byte over") << pattern(MaxImageBytes + 1) << int(FirmwareCheck::TooLarge);
    QTest::newRow("empty") << QByteArray() << int(FirmwareCheck::Empty);
    QTest::newRow("a model file") << modelFile(pattern(40), {}, {}) << int(FirmwareCheck::ModelFile);
    QTest::newRow("a damaged model file, upper-case name")
        << modelFile(pattern(40), {}, {}, 0, "ZK-VR340A Mixer").chopped(3) << int(FirmwareCheck::ModelFile);
    QTest::newRow("the name further in") << QByteArray(1, '\0') + modelFile(pattern(40), {}, {}) << valid;
}

void TestFirmware::olderImageChecks()
{
    QFETCH(QByteArray, file);
    QFETCH(int, check);
    for (const DownloadKind kind : {DownloadKind::MainProgram, DownloadKind::Fpga, DownloadKind::WriterProgram}) {
        const FirmwareImage read = readFirmwareFile(kind, writeFile(m_dir, "image.bin", file));
        QCOMPARE(int(read.check), check);
        QCOMPARE(read.image, check == int(FirmwareCheck::Valid) ? file : QByteArray());
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

    DownloadRig rig(LinkKind::Rs232c, 0);
    QCOMPARE(rig.run(kind, path), MdlDownLoad::Outcome::Done);
    QCOMPARE(rig.requests, QStringList({"R" + target, "L" + target + ":5000"}));
    QCOMPARE(rig.chain->downloads().last().data, image);
    QVERIFY(rig.chain->downloads().last().accepted());
    QCOMPARE(rig.dialogs.fileRequests, QStringList{"ダウンロードするファイルを選択して下さい。"});
    QCOMPARE(rig.dialogs.fileFilters, QStringList{filter});
    QCOMPARE(rig.dialogs.texts(), QStringList{"ダウンロードが完了しました。"});
    QCOMPARE(rig.dialogs.shown.front().icon, MsgIcon::Information);
    QCOMPARE(rig.last.done, qint64(image.size()));
    QCOMPARE(rig.last.total, qint64(image.size()));

    // The file is chosen before R: cancelling the dialog leaves the mixer as it was.
    DownloadRig cancelled(LinkKind::Rs232c, 0);
    QCOMPARE(cancelled.run(kind, QString()), MdlDownLoad::Outcome::Cancelled);
    QCOMPARE(cancelled.requests, QStringList{});
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

    // Each section arrives whole and is taken, and together they add up to
    // the checksum; the mixer then restarts.
    const QByteArray payload = file.mid(ModelHeaderSize);
    QByteArray received;
    for (const SimDownload &d : rig.chain->downloads()) {
        QVERIFY(d.accepted());
        if (d.command == 'L')
            received += d.data;
    }
    QVERIFY(rig.chain->restarting());
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
    QTest::newRow("image too large: nothing sent")
        << 3 << pattern(MaxImageBytes + 1) << QString() << QByteArray() << QStringList{}
        << "ファイルが大きすぎます（262207バイト）。一度に転送できるのは262206バイトまでです。" << error;
    QTest::newRow("empty image: nothing sent")
        << 1 << QByteArray() << QString() << QByteArray() << QStringList{} << "ファイルが空です。" << error;
    QTest::newRow("model file as the main program: nothing sent")
        << 1 << model << QString() << QByteArray() << QStringList{}
        << "ZK-VR340a のモデルファイルです。ZK-VR340 用のファイルとしては送信できません。" << error;
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
    DownloadRig rig(LinkKind::Rs232c, kind == 4 ? 1 : 0);
    rig.refuse = refuse;
    rig.refuseWith = reply;
    const MdlDownLoad::Outcome outcome = rig.run(kind, writeFile(m_dir, "f.bin", file));
    QVERIFY(outcome != MdlDownLoad::Outcome::Done);
    QCOMPARE(rig.requests, expected);
    QCOMPARE(rig.dialogs.texts(), QStringList{message});
    QCOMPARE(int(rig.dialogs.shown.front().icon), icon);
    QCOMPARE(rig.dialogs.shown.front().title, QString("ZK-VR340a"));
}

void TestFirmware::otherFamilyIsAskedFirst_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("model"); // the master's model code as the program knows it
    QTest::addColumn<QString>("question");
    const QString olderToNewer = "接続しているミキサーは ZK-VR340a です。\nZK-VR340 用のファイルを送信しますか？";
    const QString modelToOlder = "接続しているミキサーは ZK-VR340 です。\nZK-VR340a 用のモデルファイルを送信しますか？";
    QTest::newRow("main program to the newer model") << 1 << 1 << olderToNewer;
    QTest::newRow("FPGA data to a newer model code 3") << 2 << 3 << olderToNewer;
    QTest::newRow("model file to the older model") << 4 << 0 << modelToOlder;
    QTest::newRow("main program to the older model") << 1 << 0 << QString();
    QTest::newRow("model file to the newer model") << 4 << 1 << QString();
    QTest::newRow("model not known") << 1 << -1 << QString();
}

void TestFirmware::otherFamilyIsAskedFirst()
{
    QFETCH(int, kind);
    QFETCH(int, model);
    QFETCH(QString, question);
    const QByteArray file = kind == 4 ? modelFile(pattern(64), {}, {}) : pattern(64);
    const QString path = writeFile(m_dir, "f.bin", file);
    // The virtual mixer is of the family the file is for, so that only the
    // question can stop the download.
    const int mixerModel = kind == 4 ? 1 : 0;
    auto hooksFor = [model] {
        DownloadHooks hooks;
        hooks.masterModel = [model] { return model; };
        return hooks;
    };

    DownloadRig declined(LinkKind::Rs232c, mixerModel);
    declined.dialogs.answers.push_back(MsgAnswer::No);
    const MdlDownLoad::Outcome outcome = declined.run(kind, path, hooksFor());
    if (question.isEmpty()) {
        QCOMPARE(outcome, MdlDownLoad::Outcome::Done);
        QCOMPARE(declined.dialogs.texts(), QStringList{"ダウンロードが完了しました。"});
        return;
    }
    QCOMPARE(outcome, MdlDownLoad::Outcome::Cancelled);
    QCOMPARE(declined.requests, QStringList{});
    QCOMPARE(declined.dialogs.texts(), QStringList{question});
    QCOMPARE(declined.dialogs.shown.front().buttons, MsgButtons::YesNo);
    QCOMPARE(declined.dialogs.shown.front().icon, MsgIcon::Warning);

    DownloadRig confirmed(LinkKind::Rs232c, mixerModel);
    confirmed.dialogs.answers.push_back(MsgAnswer::Yes);
    QCOMPARE(confirmed.run(kind, path, hooksFor()), MdlDownLoad::Outcome::Done);
    QCOMPARE(confirmed.requests.first().left(1), QString("R"));
}

void TestFirmware::progressNamesEachStep()
{
    // The mixer answers each request half a second late, and section M
    // after 30 seconds of writing; every wait samples what the progress says, as the
    // window's timer would.
    DownloadRig rig;
    struct Held
    {
        QByteArray reply;
        double at;
    };
    std::deque<Held> held;
    rig.script = [&, answer = rig.script](const QByteArray &request) {
        const double delay = request.startsWith("L\x4D") ? 30.0 : 0.5;
        for (const QByteArray &reply : answer(request))
            held.push_back({reply, rig.clock.now() + delay});
        return QList<QByteArray>{};
    };
    QStringList steps;
    QList<DownloadProgress> samples;
    const std::function<DownloadProgress()> *progressOf = nullptr;
    rig.clock.setStep(0.5);
    rig.clock.setOnWait([&] {
        while (!held.empty() && rig.clock.now() >= held.front().at) {
            rig.transport->queue(held.front().reply);
            held.pop_front();
        }
        if (!progressOf)
            return;
        const DownloadProgress p = (*progressOf)();
        // One entry per step: a wait counts its seconds in the same line.
        const QString text = downloadStepText(p);
        const QString step = text.left(text.indexOf(u'（'));
        if (steps.isEmpty() || steps.last() != step)
            steps << step;
        samples << p;
    });
    DownloadHooks hooks;
    hooks.showProgress = [&](const std::function<bool()> &transfer, const std::function<DownloadProgress()> &progress) {
        progressOf = &progress;
        const bool ok = transfer();
        progressOf = nullptr;
        return ok;
    };
    QCOMPARE(rig.run(4, writeFile(m_dir, "model.bin", modelFile(pattern(300), pattern(20, 1), {})), hooks),
             MdlDownLoad::Outcome::Done);
    QCOMPARE(steps, QStringList({"メインプログラムの準備をミキサーに指示しています。",
                                 "メインプログラムを送信しました。ミキサーの応答を待っています",
                                 "セクションPの準備をミキサーに指示しています。",
                                 "セクションPを送信しました。ミキサーの応答を待っています",
                                 "Sステップの準備をミキサーに指示しています。",
                                 "ミキサーが再起動しています"}));
    // The bar stands full through the mixer's 30 s of writing, and that line
    // counts the seconds against the 50 s the mixer has.
    QList<QString> writing;
    for (const DownloadProgress &p : samples)
        if (p.step == DownloadStep::Waiting && p.target == DownloadTarget::Main) {
            QCOMPARE(p.done, qint64(300));
            writing << downloadStepText(p);
        }
    QCOMPARE(writing.first(), QString("メインプログラムを送信しました。ミキサーの応答を待っています（0秒／最大50秒）。"));
    QCOMPARE(writing.last(), QString("メインプログラムを送信しました。ミキサーの応答を待っています（30秒／最大50秒）。"));
    const DownloadProgress &end = samples.last();
    QCOMPARE(end.step, DownloadStep::Restarting);
    QCOMPARE(end.done, end.total);
    QCOMPARE(downloadStepText(end), QString("ミキサーが再起動しています（あと1秒）。"));
    QCOMPARE(rig.dialogs.texts(), QStringList{"ダウンロードが完了しました。"});
}

void TestFirmware::afterPrepareByLink()
{
    const QString image = writeFile(m_dir, "image.bin", pattern(64));
    const QString model = writeFile(m_dir, "model.bin", modelFile(pattern(64), {}, {}));

    // USB: the user switches the mixer off and on once the R is accepted.
    DownloadRig usb(LinkKind::Usb, 0);
    usb.dialogs.answers.push_back(MsgAnswer::Ok);
    QCOMPARE(usb.run(1, image), MdlDownLoad::Outcome::Done);
    QCOMPARE(usb.dialogs.texts(), QStringList({"ミキサーの電源を再投入して下さい。", "ダウンロードが完了しました。"}));
    QCOMPARE(usb.dialogs.shown.front().icon, MsgIcon::Warning);

    // A power cycle that did not happen ends the download after the R.
    DownloadRig noCycle(LinkKind::Usb, 0);
    DownloadHooks refused;
    refused.powerCycle = [] { return false; };
    QCOMPARE(noCycle.run(1, image, refused), MdlDownLoad::Outcome::Cancelled);
    QCOMPARE(noCycle.requests, QStringList{"R4D"});

    // RS-232C: one second after the R.
    DownloadRig serial(LinkKind::Rs232c, 0);
    QCOMPARE(serial.run(1, image), MdlDownLoad::Outcome::Done);
    QVERIFY(serial.times[1] - serial.times[0] >= 1.0);

    // Ethernet: the link is opened again two seconds after the R, and after
    // a model file once more at the end.
    DownloadRig ether(LinkKind::Ethernet, 0);
    QCOMPARE(ether.run(1, image), MdlDownLoad::Outcome::Done);
    QCOMPARE(ether.onLink, QList<int>({1, 1}));
    QVERIFY(ether.times[1] - ether.times[0] >= 2.0);
    QCOMPARE(ether.transport->sent.size(), 1);

    DownloadRig ether4(LinkKind::Ethernet);
    QCOMPARE(ether4.run(4, model), MdlDownLoad::Outcome::Done);
    QCOMPARE(ether4.requests, QStringList({"R4D", "R4D", "L4D:64", "R53"}));
    QCOMPARE(ether4.onLink, QList<int>({1, 1, 2, 3}));
    QVERIFY(ether4.transport->sent.isEmpty());

    // The tool ends once the final step was accepted: no connection is
    // tried while the mixer restarts.
    DownloadRig tool(LinkKind::Ethernet);
    DownloadHooks noReopen;
    noReopen.reopenAfterModelFile = false;
    QCOMPARE(tool.run(4, model, noReopen), MdlDownLoad::Outcome::Done);
    QCOMPARE(tool.transport->sent.size(), 3);
    QVERIFY(tool.comm->isOpen());
}

ZK_TEST_GUILESS_MAIN(TestFirmware)
#include "tst_firmware.moc"
