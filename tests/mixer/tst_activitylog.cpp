// The activity log: a ring that keeps the newest entries and drops the
// oldest one by one, times on the program's clock, filters, the CSV that an
// export writes and reads back unchanged (quotes, commas, line breaks and
// cells a spreadsheet would take for formulas included), with mixers by
// name and values as the user knows them.

#include "base/clock.h"
#include "mixer/activityjournal.h"
#include "mixer/activitylog.h"
#include "tests/support/testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>
#include <QSignalSpy>
#include <QTest>

namespace {

// What the activity log hands to the system's log, kept.
struct RecordedJournal final : SystemLogSink
{
    std::vector<JournalFields> sent;
    void send(const JournalFields &fields) override { sent.push_back(fields); }
};

QByteArray fieldOf(const JournalFields &fields, const QByteArray &name)
{
    for (const JournalField &f : fields)
        if (f.name == name)
            return f.value;
    return "(absent)";
}

} // namespace

class TestActivityLog : public QObject
{
    Q_OBJECT

private slots:
    void ringKeepsTheNewestAndSaysWhatItDrops()
    {
        ManualClock clock(50.0);
        const QDateTime start(QDate(2026, 12, 9), QTime(6, 0));
        ActivityLog log(clock, 5, start);
        QSignalSpy dropped(&log, &ActivityLog::oldestDropped);
        for (int i = 1; i <= 12; ++i) {
            clock.advance(0.25);
            log.add(ActivityKind::Write, 1 + i % 2, QString::number(i), ActivityOutcome::Verified, 41, i);
        }
        QCOMPARE(log.size(), 5);
        QCOMPARE(log.added(), quint64(12));
        QCOMPARE(dropped.size(), 7);
        QCOMPARE(dropped.last().at(0).value<ActivityEntry>().value, 7);
        QCOMPARE(log.newest(0).value, 12);
        QCOMPARE(log.newest(4).value, 8);
        QCOMPARE(log.newest(0).when, start.addMSecs(3000));

        ActivityFilter odd;
        odd.mixer = 2; // i odd
        QList<int> values;
        for (const ActivityEntry &e : log.entries(odd))
            values << e.value;
        QCOMPARE(values, QList<int>({11, 9}));
        ActivityFilter links;
        links.kind = ActivityKind::Link;
        QVERIFY(log.entries(links).empty());

        // The default ring holds ten thousand.
        ActivityLog big(clock);
        for (int i = 0; i < ActivityLog::DefaultCapacity + 25; ++i)
            big.add(ActivityKind::Link, 0, QString());
        QCOMPARE(big.size(), 10000);
    }

    void csvRoundTrip()
    {
        ManualClock clock;
        ActivityLog log(clock, 100, QDateTime(QDate(2026, 12, 9), QTime(5, 30, 1, 250)));
        log.add(ActivityKind::Write, 2, QStringLiteral("3 パス"), ActivityOutcome::Failed, 43, 30);
        clock.advance(1.5);
        log.add(ActivityKind::Write, 1, QString(), ActivityOutcome::Verified, 85, 1200);
        log.add(ActivityKind::Link, 0, QStringLiteral("192.168.1.5 との接続が切れました"));
        log.add(ActivityKind::Save, 0, QStringLiteral("C:\\会議室,\"A\"\r\n2.ini"), ActivityOutcome::Done);
        log.add(ActivityKind::Load, 0, QStringLiteral("=HYPERLINK(\"x\")"), ActivityOutcome::Failed);
        log.add(ActivityKind::Access, 0, QString(), ActivityOutcome::Refused);
        log.add(ActivityKind::Download, 1, QStringLiteral("'quoted"), ActivityOutcome::Done);
        // A tab or a carriage return in front hides a formula from the eye.
        log.add(ActivityKind::Load, 0, QStringLiteral("\t=1+1"), ActivityOutcome::Done);
        log.add(ActivityKind::Save, 0, QStringLiteral("\r@SUM(A1)"), ActivityOutcome::Done);
        // Values as the user knows them; a plain number is no formula.
        log.setValueWords([](int mixer, int key, qint32 value) {
            return key == 43 ? QStringLiteral("-10.0dB") : mixer == 3 ? QStringLiteral("=cmd") : QString::number(value);
        });
        log.add(ActivityKind::Write, 3, QString(), ActivityOutcome::Verified, 43, 32);
        log.add(ActivityKind::Write, 3, QString(), ActivityOutcome::Verified, 58, 1);
        log.add(ActivityKind::Write, 1, QString(), ActivityOutcome::Verified, 89, -5);
        const std::vector<ActivityEntry> all = log.entries();
        QCOMPARE(ActivityLog::valueText(all[2]), QStringLiteral("-10.0dB"));
        QCOMPARE(all[0].shown, QString()); // the code itself
        const QByteArray csv = ActivityLog::toCsv(all);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        // The mixer by its name, the value as shown, its code last.
        QVERIFY(csv.contains(QStringLiteral("スレーブ1,InputGain_3,30,失敗,3 パス,30\r\n").toUtf8()));
        QVERIFY(csv.contains(QStringLiteral("スレーブ2,InputGain_3,'-10.0dB,確認済み,,32\r\n").toUtf8()));
        QVERIFY(csv.contains(",-5,確認済み,,-5\r\n"));
        // Formula-like cells are kept as text for a spreadsheet.
        QVERIFY(csv.contains("\"'=HYPERLINK(\"\"x\"\")\""));
        QVERIFY(csv.contains(",'=cmd,"));
        QVERIFY(csv.contains(",'\t=1+1,\r\n"));
        QVERIFY(csv.contains(",\"'\r@SUM(A1)\",")); // quoted for its line break, marked for its formula

        const auto back = ActivityLog::fromCsv(csv);
        QVERIFY(back);
        QCOMPARE(back->size(), all.size());
        for (size_t i = 0; i < all.size(); ++i)
            QVERIFY2((*back)[i] == all[i], qPrintable(ActivityLog::line((*back)[i]) + " / " + ActivityLog::line(all[i])));

        // Not such a file: nothing, no half-read entries.
        QVERIFY(!ActivityLog::fromCsv("a,b\r\n1,2\r\n"));
        QByteArray broken = csv;
        broken.replace("InputGain_3", "NoSuchKey");
        QVERIFY(!ActivityLog::fromCsv(broken));
        broken = csv;
        broken.replace(QStringLiteral("スレーブ2").toUtf8(), "3");
        QVERIFY(!ActivityLog::fromCsv(broken));
        QVERIFY(!ActivityLog::fromCsv(csv.left(csv.indexOf("HYPERLINK"))));
    }

    // The mirror in the system's log: nothing until it is turned on; then a
    // write hands over its mixer, key, value (as the user knows it, and its
    // code) and outcome as fields of their own, a failure as an error; an
    // entry without a mixer or key leaves those fields out.
    void journalFieldsHandedOver()
    {
        ManualClock clock;
        ActivityLog log(clock);
        log.setValueWords([](int, int, qint32 v) { return QStringLiteral("%1.0dB").arg(v); });
        RecordedJournal sink;
        ActivityJournal journal(log, sink);
        log.add(ActivityKind::Link, 0, QStringLiteral("lost"));
        QVERIFY(sink.sent.empty());
        journal.setEnabled(true);
        log.add(ActivityKind::Write, 2, {}, ActivityOutcome::Failed, 41, -10);
        log.add(ActivityKind::Link, 0, QStringLiteral("back"));
        QCOMPARE(sink.sent.size(), size_t(2));
        const JournalFields &write = sink.sent[0];
        QCOMPARE(fieldOf(write, "ZKVR_KIND"), QByteArray("write"));
        QCOMPARE(fieldOf(write, "ZKVR_MIXER"), QByteArray("2"));
        QCOMPARE(fieldOf(write, "ZKVR_KEY"), ActivityLog::keyName(41).toUtf8());
        QCOMPARE(fieldOf(write, "ZKVR_VALUE"), QByteArray("-10.0dB"));
        QCOMPARE(fieldOf(write, "ZKVR_VALUE_CODE"), QByteArray("-10"));
        QCOMPARE(fieldOf(write, "ZKVR_OUTCOME"), QByteArray("failed"));
        QCOMPARE(fieldOf(write, "PRIORITY"), QByteArray("3"));
        QCOMPARE(fieldOf(write, "MESSAGE"), ActivityLog::line(log.newest(1)).toUtf8());
        const JournalFields &link = sink.sent[1];
        QCOMPARE(fieldOf(link, "PRIORITY"), QByteArray("4"));
        QCOMPARE(fieldOf(link, "ZKVR_DETAIL"), QByteArray("back"));
        for (const char *absent : {"ZKVR_MIXER", "ZKVR_KEY", "ZKVR_OUTCOME"})
            QCOMPARE(fieldOf(link, absent), QByteArray("(absent)"));
        for (const JournalField &f : write)
            QVERIFY2(QRegularExpression("^[A-Z0-9_]+$").match(QString::fromLatin1(f.name)).hasMatch(), f.name.constData());
    }

    // Where journald runs, an entry sent through the real system log is read
    // back by a journalctl filter on its own fields.
    void journalReadBack()
    {
        const QString journalctl = QStandardPaths::findExecutable("journalctl");
        if (!SystemLog::journaldRuns() || journalctl.isEmpty())
            QSKIP("no journald here");
        ManualClock clock;
        ActivityLog log(clock);
        SystemLog system;
        ActivityJournal journal(log, system);
        journal.setEnabled(true);
        const QString mark = QUuid::createUuid().toString(QUuid::WithoutBraces);
        log.add(ActivityKind::Save, 3, mark, ActivityOutcome::Done);
        QByteArray found;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QProcess p;
                p.start(journalctl, {"-o", "cat", "--no-pager", "ZKVR_DETAIL=" + mark, "ZKVR_MIXER=3"});
                p.waitForFinished(5000);
                found = p.readAllStandardOutput();
                return found.contains(mark.toUtf8());
            }(),
            5000);
    }
};

ZK_TEST_GUILESS_MAIN(TestActivityLog)
#include "tst_activitylog.moc"
