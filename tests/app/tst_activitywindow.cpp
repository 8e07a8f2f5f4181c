// The activity window: it follows the log newest first while open, filters
// by mixer and kind, keeps no more rows than the ring, shows and exports
// values as the user knows them, exports what it shows as CSV through the
// file dialog (read back unchanged), says so when the file cannot be
// written, and lets Tab through.

#include "app/activitywords.h"
#include "app/ui/frmactivity.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "mixer/parametertable.h"
#include "settings/panelmodel.h"
#include "tests/support/accesscheck.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class TestActivityWindow : public QObject
{
    Q_OBJECT

private slots:
    void followsFiltersAndStaysBounded()
    {
        ManualClock clock;
        ActivityLog log(clock, 4, QDateTime(QDate(2026, 12, 9), QTime(6, 0)));
        ScriptedDialogs dialogs;
        log.add(ActivityKind::Link, 0, QStringLiteral("127.0.0.1 に接続しています"));
        FrmActivity w(log, dialogs);
        QCOMPARE(accessible(&w)->role(), QAccessible::Window);
        const QStringList faults = nameFaults(&w);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        ActivityModel *m = w.model();
        QCOMPARE(m->rowCount(), 1);

        log.add(ActivityKind::Write, 2, QStringLiteral("1 パス"), ActivityOutcome::Verified, 43, 30);
        log.add(ActivityKind::Write, 1, QStringLiteral("11 パス"), ActivityOutcome::Failed, 80, 1);
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->index(0, ActivityModel::Key).data().toString(), QStringLiteral("Noma"));
        QCOMPARE(m->index(0, ActivityModel::Outcome).data().toString(), QStringLiteral("失敗"));
        QCOMPARE(m->index(1, ActivityModel::Mixer).data().toString(), QStringLiteral("スレーブ1"));

        w.kindFilter()->setCurrentIndex(1 + int(ActivityKind::Write));
        QCOMPARE(m->rowCount(), 2);
        w.mixerFilter()->setCurrentIndex(2); // スレーブ1
        QCOMPARE(m->rowCount(), 1);
        log.add(ActivityKind::Write, 1, QString(), ActivityOutcome::Verified, 41, 5); // not shown
        log.add(ActivityKind::Write, 2, QString(), ActivityOutcome::Verified, 44, 6);
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->entry(0).value, 6);
        // The ring of four drops the oldest: the link line, then the first write.
        log.add(ActivityKind::Link, 0, QString());
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->entry(0).value, 6);
        w.mixerFilter()->setCurrentIndex(0);
        w.kindFilter()->setCurrentIndex(0);
        QCOMPARE(m->rowCount(), 4);
        QVERIFY(w.countLabel()->text().startsWith(QStringLiteral("4 件")));
    }

    void exportWritesWhatIsShownAndReadsBack()
    {
        ManualClock clock;
        ActivityLog log(clock, 100, QDateTime(QDate(2026, 12, 9), QTime(6, 0)));
        for (int i = 0; i < 30; ++i) {
            clock.advance(0.5);
            log.add(i % 3 ? ActivityKind::Write : ActivityKind::Save, i % 3 ? 1 + i % 2 : 0,
                    QStringLiteral("会議室 %1, \"右\"").arg(i), ActivityOutcome::Verified, i % 3 ? 41 + i % 8 : 0, i);
        }
        ScriptedDialogs dialogs;
        FrmActivity w(log, dialogs);
        w.kindFilter()->setCurrentIndex(1 + int(ActivityKind::Write));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.csv"));
        dialogs.fileNames = {path};
        w.exportButton()->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const auto back = ActivityLog::fromCsv(f.readAll());
        QVERIFY(back);
        ActivityFilter writes;
        writes.kind = ActivityKind::Write;
        QCOMPARE(back->size(), size_t(20));
        QVERIFY(*back == log.entries(writes));

        // Cancelled: nothing; a folder that is not there: told, nothing written.
        dialogs.fileNames = {QString()};
        QVERIFY(!w.exportCsv());
        QVERIFY(dialogs.shown.empty());
        dialogs.fileNames = {dir.filePath(QStringLiteral("no/such/folder/log.csv"))};
        QVERIFY(!w.exportCsv());
        QCOMPARE(dialogs.shown.size(), size_t(1));
        QVERIFY(dialogs.shown.front().text.startsWith(QStringLiteral("通信ログを保存できませんでした")));
    }

    void showsValuesAsTheUserKnowsThem()
    {
        // The program's words for written values: the editor's, and a
        // panel switch's seat by its caption.
        ManualClock clock;
        ActivityLog log(clock, 100, QDateTime(QDate(2026, 12, 9), QTime(6, 0)));
        PanelState panel;
        ButtonSlot &chair = panel.slot(2, 1); // slave 2's channel 2
        chair.IconEnable = true;
        chair.IconText = QStringLiteral("議長\r\n席");
        log.setValueWords([&panel](int mixer, int key, qint32 value) {
            return writtenValueWords(panel, mixer, key, value);
        });
        const QString onePass = QStringLiteral("1 パス");
        auto write = [&](int mixer, int key, qint32 value) {
            clock.advance(0.75);
            log.add(ActivityKind::Write, mixer, onePass, ActivityOutcome::Verified, key, value);
        };
        write(3, channelKeyId(ChannelFamily::InputGain, 3), 32);
        write(3, channelKeyId(ChannelFamily::RemoteOn, 2), 1);
        write(3, channelKeyId(ChannelFamily::RemoteOff, 2), 0);
        write(1, channelKeyId(ChannelFamily::RemoteOn, 2), 1); // no button there
        write(1, MixerKey::HoldTime, 3);
        ScriptedDialogs dialogs;
        FrmActivity w(log, dialogs);
        ActivityModel *m = w.model();
        auto value = [m](int row) { return m->index(row, ActivityModel::Value).data().toString(); };
        QCOMPARE(value(4), QStringLiteral("-10.0dB"));
        QCOMPARE(m->index(4, ActivityModel::Mixer).data().toString(), QStringLiteral("スレーブ2"));
        QCOMPARE(value(3), QStringLiteral("議長 席 ON"));
        QCOMPARE(value(2), QStringLiteral("議長 席 ミュート OFF"));
        QCOMPARE(value(1), QStringLiteral("ON"));
        QCOMPARE(value(0), QStringLiteral("2.0秒"));
        QVERIFY(ActivityLog::line(log.newest(4)).contains(QStringLiteral("スレーブ2 InputGain_3=-10.0dB")));

        w.show();
        saveScreenshot(w, QStringLiteral("activity-window"));
    }

    void keyboardWalk()
    {
        // Tab goes round the window's controls; the list does not keep it.
        ManualClock clock;
        ActivityLog log(clock);
        for (int i = 0; i < 3; ++i)
            log.add(ActivityKind::Link, 0, QString::number(i));
        ScriptedDialogs dialogs;
        FrmActivity w(log, dialogs);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.mixerFilter()->setFocus();
        QList<QWidget *> walk{QApplication::focusWidget()};
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walk << QApplication::focusWidget();
        }
        QCOMPARE(walk, (QList<QWidget *>{w.mixerFilter(), w.kindFilter(), w.exportButton(), w.table(),
                                         w.mixerFilter()}));
    }
};

ZK_TEST_MAIN(TestActivityWindow)
#include "tst_activitywindow.moc"
