// The operator lock of a chairperson's PC: the passphrase kept only as a
// salted digest, and the panel window that asks for it before every way out
// of the execution state.

#include "panel/lockflow.h"
#include "panel/operatorlock.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmimagesetting.h"
#include "panelrig.h"

#include "base/clock.h"
#include "base/strings.h"
#include "base/ui/widgetdialogs.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QtTest>

namespace {

// A store in a variable, as the per-user store would keep it.
struct MemoryStore
{
    QString digest;
    QString idle;
    OperatorLock::Store store()
    {
        return {[this] { return digest; }, [this](const QString &d) { digest = d; }, [this] { return idle; },
                [this](const QString &m) { idle = m; }};
    }
};


} // namespace

class TestOperatorLock : public QObject
{
    Q_OBJECT

private slots:
    void digestKeepsNothingToReadBack()
    {
        const QString a = passphraseDigest(QStringLiteral("議長席"));
        const QString b = passphraseDigest(QStringLiteral("議長席"));
        QVERIFY(a.startsWith(QStringLiteral("pbkdf2-sha256$")));
        QVERIFY(!a.contains(QStringLiteral("議長席")));
        QVERIFY(a != b); // a fresh salt each time
        QVERIFY(passphraseMatches(a, QStringLiteral("議長席")));
        QVERIFY(passphraseMatches(b, QStringLiteral("議長席")));
        QVERIFY(!passphraseMatches(a, QStringLiteral("議長")));
        QVERIFY(!passphraseMatches(a, QString()));
        // The same salt and rounds give the same digest: files stay comparable.
        QCOMPARE(passphraseDigest("x", "0123456789abcdef", 2000), passphraseDigest("x", "0123456789abcdef", 2000));

        // A store edited by hand or cut short opens for nobody, also not for
        // an empty passphrase, and a huge round count is not run.
        QStringList parts = a.split('$');
        const QStringList broken = {
            QString(), QStringLiteral("議長席"), parts.mid(0, 3).join('$'),
            QStringList{"md5", parts[1], parts[2], parts[3]}.join('$'),
            QStringList{parts[0], "999999999", parts[2], parts[3]}.join('$'),
            QStringList{parts[0], "10", parts[2], parts[3]}.join('$'),
            QStringList{parts[0], parts[1], "!!", parts[3]}.join('$'),
            QStringList{parts[0], parts[1], parts[2], parts[3].left(8)}.join('$'),
        };
        for (const QString &d : broken) {
            QVERIFY2(!passphraseMatches(d, QStringLiteral("議長席")), qPrintable(d));
            QVERIFY2(!passphraseMatches(d, QString()), qPrintable(d));
        }
    }

    void lockOpensOnlyForThePassphrase()
    {
        MemoryStore mem;
        OperatorLock lock(mem.store());
        QStringList attempts;
        lock.attempted = [&](bool right) { attempts << (right ? "right" : "wrong"); };
        // Without a passphrase nothing locks: nobody could open it again.
        QVERIFY(!lock.lock());
        QVERIFY(!lock.locked());
        QCOMPARE(lock.change({}, {}), OperatorLock::Change::Unchanged);

        QCOMPARE(lock.change({}, "gavel"), OperatorLock::Change::Set);
        QVERIFY(!mem.digest.contains("gavel"));
        QVERIFY(lock.lock());
        QVERIFY(!lock.unlock("Gavel"));
        QVERIFY(lock.locked());
        QVERIFY(lock.unlock("gavel"));
        QVERIFY(!lock.locked());

        // Changing it needs the one in force; an empty one removes it.
        QCOMPARE(lock.change("wrong", "new"), OperatorLock::Change::WrongCurrent);
        QVERIFY(passphraseMatches(mem.digest, "gavel"));
        QCOMPARE(lock.change("gavel", "new"), OperatorLock::Change::Set);
        QVERIFY(lock.lock());
        QCOMPARE(lock.change("new", {}), OperatorLock::Change::Removed);
        QVERIFY(!lock.locked());
        QVERIFY(!lock.hasPassphrase());
        QVERIFY(mem.digest.isEmpty());
        QCOMPARE(attempts, QStringList({"wrong", "right", "wrong", "right", "right"}));

        // A second lock reads what the first one stored.
        QCOMPARE(OperatorLock(mem.store()).hasPassphrase(), false);
        lock.change({}, "again");
        QVERIFY(OperatorLock(mem.store()).hasPassphrase());
    }

    // The window: the passphrase set from the ﾌｧｲﾙ menu, the panel locked in
    // execution, and every way out (design, mode change, file, quit, the
    // close box) asking first; a wrong or cancelled passphrase keeps the
    // panel operating with its channels taken.
    void lockedPanelAsksBeforeEveryWayOut()
    {
        MemoryStore mem;
        OperatorLock lock(mem.store());
        PanelRig rig(1);
        rig.lock = &lock;
        rig.preset({{Ch1, 400, 400, "議長"}, {Ch2, 2400, 400, "委員"}}, 1);
        FrmMdi *w = rig.open();
        ScriptedDialogs &d = rig.dialogs();
        QVERIFY(!w->lockAction()->isEnabled()); // nothing to lock with yet

        // Set: the new passphrase twice. A mistyped repeat changes nothing.
        d.passphrases = {QStringLiteral("gavel"), QStringLiteral("gavle")};
        w->passphraseAction()->trigger();
        QVERIFY(!lock.hasPassphrase());
        QVERIFY(d.texts().contains(str(12108)));
        d.passphrases = {QStringLiteral("gavel"), QStringLiteral("gavel")};
        w->passphraseAction()->trigger();
        QVERIFY(lock.hasPassphrase());
        QVERIFY(w->lockAction()->isEnabled());

        w->lockAction()->trigger();
        QVERIFY(w->executing());
        QVERIFY(w->locked());
        QVERIFY(w->windowTitle().endsWith(QStringLiteral("[実行] [ロック中]")));
        QVERIFY(w->lockLine() && w->lockLine()->isVisible()); // also full screen, without a title bar
        QVERIFY(!w->lockAction()->isEnabled());
        QVERIFY(!w->passphraseAction()->isEnabled());
        QVERIFY(w->executionButton(Ch1));

        // The file commands and the mode change are not offered while the
        // panel operates; every way out that is, refused: a wrong passphrase
        // says so, a cancelled one says nothing.
        for (PanelCommand c : {PanelCommand::Load, PanelCommand::Save, PanelCommand::NewSave, PanelCommand::Close})
            QVERIFY(!w->action(c)->isEnabled());
        const std::vector<PanelCommand> ways = {PanelCommand::Stop, PanelCommand::Quit,
                                                PanelCommand::Color, PanelCommand::Image};
        for (PanelCommand c : ways) {
            QVERIFY2(w->action(c)->isEnabled(), panelCommand(c).menuName);
            d.shown.clear();
            d.passphrases = {QStringLiteral("wrong")};
            d.fileNames.clear();
            w->action(c)->trigger();
            QVERIFY2(w->executing() && w->locked() && w->isVisible(), panelCommand(c).menuName);
            QCOMPARE(d.texts(), QStringList{str(12104)});
            QVERIFY(d.fileRequests.isEmpty());
            d.passphrases = {std::nullopt};
            w->action(c)->trigger();
            QVERIFY(w->locked() && w->isVisible());
            QCOMPARE(d.shown.size(), size_t(1));
        }
        d.passphrases = {QStringLiteral("wrong")};
        QVERIFY(!w->close());
        QVERIFY(w->isVisible() && w->locked());
        QCOMPARE(d.passphrasePrompts.last(), str(12103));
        // The designer's own keys do nothing while the panel operates.
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!rig.slot(Ch1).selected);

        // The right passphrase opens the lock and the command goes on.
        d.passphrases = {QStringLiteral("gavel")};
        w->action(PanelCommand::Stop)->trigger();
        QVERIFY(!w->executing());
        QVERIFY(!w->locked());
        QVERIFY(!w->windowTitle().contains(QStringLiteral("ロック中")));
        QVERIFY(!w->lockLine()->isVisible());
        QVERIFY(w->designButton(Ch1));

        // Removing the passphrase needs it, and leaves nothing to lock with.
        d.passphrases = {QStringLiteral("gavel"), QString()};
        w->passphraseAction()->trigger();
        QVERIFY(!lock.hasPassphrase());
        QVERIFY(!w->lockAction()->isEnabled());
    }

    // The passphrase opens the lock for the command that asked: cancelled,
    // the panel is locked again at once; done, it stays open until nobody
    // touched the PC for the idle time, and then operates locked again. A
    // locked panel opens no channel or output dialog.
    void lockClosesAgain()
    {
        MemoryStore mem;
        mem.idle = QStringLiteral("7");
        OperatorLock lock(mem.store());
        QCOMPARE(lock.idleMinutes(), 7);
        lock.setIdleMinutes(0);
        lock.setIdleMinutes(OperatorLock::MaxIdleMinutes + 1);
        QCOMPARE(lock.idleMinutes(), 7);
        QCOMPARE(mem.idle, QStringLiteral("7"));
        lock.change({}, QStringLiteral("gavel"));
        ManualClock clock;
        lock.setClock(&clock);
        PanelRig rig(1);
        rig.lock = &lock;
        rig.preset({{Ch1, 400, 400, "議長"}}, 1);
        FrmMdi *w = rig.open();
        ScriptedDialogs &d = rig.dialogs();
        QVERIFY(w->startOperation());
        click(w->executionButton(Ch1), QPoint(5, 5), Qt::RightButton);
        QVERIFY(rig.channelDialogs.empty());

        // Cancelled after the right passphrase: the colour dialog, the end
        // question, the image dialog, the close box's end question.
        d.passphrases = {QStringLiteral("gavel")};
        d.colors = {std::nullopt};
        w->action(PanelCommand::Color)->trigger();
        QVERIFY(w->locked());
        d.passphrases = {QStringLiteral("gavel")};
        d.answers = {MsgAnswer::Cancel};
        w->action(PanelCommand::Quit)->trigger();
        QVERIFY(w->locked() && w->isVisible());
        QCOMPARE(d.texts().last(), str(1311));
        d.passphrases = {QStringLiteral("gavel")};
        w->action(PanelCommand::Image)->trigger();
        QVERIFY(w->imageDialog() && !w->locked());
        w->imageDialog()->reject();
        QVERIFY(w->locked());
        d.passphrases = {QStringLiteral("gavel")};
        d.answers = {MsgAnswer::Cancel};
        QVERIFY(!w->close());
        QVERIFY(w->locked() && w->isVisible());

        // Done: open, and a channel dialog opens too, until the idle time
        // without input has passed; any input starts it again.
        d.passphrases = {QStringLiteral("gavel")};
        d.colors = {QColor(Qt::blue)};
        w->action(PanelCommand::Color)->trigger();
        QVERIFY(!w->locked());
        click(w->executionButton(Ch1), QPoint(5, 5), Qt::RightButton);
        QCOMPARE(rig.channelDialogs.size(), size_t(1));
        clock.advance(6 * 60);
        QTest::keyClick(w, Qt::Key_Shift);
        clock.advance(6 * 60);
        w->watchIdle();
        QVERIFY(!w->locked());
        clock.advance(60);
        QDialog question(w); // a question waiting for its answer comes first
        question.setModal(true);
        question.show();
        w->watchIdle();
        QVERIFY(!w->locked());
        question.close();
        w->watchIdle();
        QVERIFY(w->locked());
        QVERIFY(!rig.panel.runtime.settingsDialogOpen); // the dialog went with the lock

        // Left in the design state, the panel comes back operating, locked.
        d.passphrases = {QStringLiteral("gavel")};
        w->action(PanelCommand::Stop)->trigger();
        QVERIFY(!w->executing() && !w->locked());
        QVERIFY(w->idleMenu()->isEnabled());
        w->idleMenu()->findChild<QAction *>(QStringLiteral("mnuIdle1"))->trigger();
        QCOMPARE(mem.idle, QStringLiteral("1"));
        clock.advance(59);
        w->watchIdle();
        QVERIFY(!w->locked());
        clock.advance(1);
        w->watchIdle();
        QVERIFY(w->executing() && w->locked());
        QVERIFY(!w->idleMenu()->isEnabled());

        // A panel that was never locked is not locked by the idle time.
        PanelRig other(1);
        other.lock = &lock;
        QCOMPARE(lock.change(QStringLiteral("gavel"), QString()), OperatorLock::Change::Removed);
        lock.change({}, QStringLiteral("gavel"));
        FrmMdi *v = other.open();
        clock.advance(3600);
        v->watchIdle();
        QVERIFY(!v->locked() && !v->executing());
    }

    // The real passphrase entry: masked, named for assistive technology,
    // answered by keyboard alone (Enter gives the text, Escape cancels).
    void passphraseEntryByKeyboard()
    {
        WidgetDialogs dialogs;
        QString echo;
        QString name;
        auto typeInto = [&](const QString &text, Qt::Key end) {
            QTimer::singleShot(50, [&, text, end] {
                auto *dlg = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
                QVERIFY(dlg);
                auto *entry = dlg->findChild<QLineEdit *>();
                echo = entry->echoMode() == QLineEdit::Password ? "masked" : "shown";
                name = entry->accessibleName();
                QTest::keyClicks(entry, text);
                saveScreenshot(*dlg, "PassphraseDialog");
                QTest::keyClick(entry, end);
            });
        };
        typeInto(QStringLiteral("gavel"), Qt::Key_Return);
        QCOMPARE(dialogs.passphrase(str(12103), str(12102)), std::optional<QString>(QStringLiteral("gavel")));
        QCOMPARE(echo, QStringLiteral("masked"));
        QCOMPARE(name, str(12103));
        typeInto(QStringLiteral("x"), Qt::Key_Escape);
        QCOMPARE(dialogs.passphrase(str(12103), str(12102)), std::nullopt);
    }

    // The change of the passphrase asks the current one only when one is
    // set, the new one twice unless it is empty, and stores nothing that was
    // cancelled or not repeated alike.
    void passphraseChangeAsksInTurn()
    {
        MemoryStore mem;
        OperatorLock lock(mem.store());
        LockFlow flow(&lock);
        using Q = LockFlow::Question;
        QList<Q> asked;
        QStringList answers;
        auto ask = [&](Q q) -> std::optional<QString> {
            asked << q;
            if (answers.isEmpty())
                return std::nullopt;
            return answers.takeFirst();
        };
        answers = {QStringLiteral("gavel"), QStringLiteral("gavle")};
        QCOMPARE(flow.changePassphrase(ask), LockFlow::Outcome::NotRepeated);
        QCOMPARE(asked, (QList<Q>{Q::New, Q::Repeat}));
        QVERIFY(mem.digest.isEmpty());
        answers = {QStringLiteral("gavel")};
        QCOMPARE(flow.changePassphrase(ask), LockFlow::Outcome::Cancelled);
        QVERIFY(mem.digest.isEmpty());
        answers = {QStringLiteral("gavel"), QStringLiteral("gavel")};
        QCOMPARE(flow.changePassphrase(ask), LockFlow::Outcome::Set);
        QVERIFY(passphraseMatches(mem.digest, QStringLiteral("gavel")));

        asked.clear();
        answers = {QStringLiteral("wrong"), QStringLiteral("next"), QStringLiteral("next")};
        QCOMPARE(flow.changePassphrase(ask), LockFlow::Outcome::WrongCurrent);
        QCOMPARE(asked, (QList<Q>{Q::Current, Q::New, Q::Repeat}));
        answers = {};
        QCOMPARE(flow.changePassphrase(ask), LockFlow::Outcome::Cancelled);
        asked.clear();
        answers = {QStringLiteral("gavel"), QString()};
        QCOMPARE(flow.changePassphrase(ask), LockFlow::Outcome::Removed);
        QCOMPARE(asked, (QList<Q>{Q::Current, Q::New}));
        QVERIFY(!lock.hasPassphrase());
    }

    // The lock's items are offered only while it is open, 操作をロック only
    // with a passphrase; a cancelled command closes it again; the idle watch
    // waits for an answer and for a panel that is not being left.
    void lockMenuAndRelockRules()
    {
        LockFlow none(nullptr);
        QVERIFY(!none.offered() && !none.locked());
        QVERIFY(!none.menuState().lock && !none.menuState().passphrase);
        QVERIFY(!none.idleRelockDue(false, false));

        MemoryStore mem;
        OperatorLock lock(mem.store());
        LockFlow flow(&lock);
        QVERIFY(!flow.menuState().lock && flow.menuState().passphrase);
        lock.change({}, QStringLiteral("gavel"));
        QVERIFY(flow.menuState().lock && flow.menuState().passphrase);
        ManualClock clock;
        lock.setClock(&clock);
        QVERIFY(lock.lock());
        QVERIFY(flow.locked());
        QVERIFY(!flow.menuState().lock && !flow.menuState().passphrase);
        QVERIFY(lock.unlock(QStringLiteral("gavel")));
        lock.noteInput();
        QVERIFY(!flow.idleRelockDue(false, false));
        clock.advance(OperatorLock::DefaultIdleMinutes * 60 + 1);
        QVERIFY(flow.idleRelockDue(false, false));
        QVERIFY(!flow.idleRelockDue(true, false));
        QVERIFY(!flow.idleRelockDue(false, true));

        QVERIFY(LockFlow::relockAfter(true, false));
        QVERIFY(!LockFlow::relockAfter(true, true));
        QVERIFY(!LockFlow::relockAfter(false, false));
    }
};

// The pictures of these windows in docs/screenshots, taken by
// scripts/screenshots.sh; no test.
class TestOperatorLockPictures : public QObject
{
    Q_OBJECT

private slots:
    void screenshots()
    {
        MemoryStore mem;
        OperatorLock lock(mem.store());
        lock.change({}, QStringLiteral("gavel"));
        PanelRig rig(1);
        rig.lock = &lock;
        rig.preset({{Ch1, 600, 600, "議長"}, {Ch2, 2400, 600, "副議長"}}, 1);
        FrmMdi *w = rig.open(96);
        w->resize(820, 440);
        QMenu *file = w->findChild<QMenu *>(QStringLiteral("mnuFile"));
        file->popup(w->mapToGlobal(QPoint(10, 20)));
        QApplication::processEvents();
        saveScreenshot(*file, "frmMDI_file_menu_lock");
        file->close();
        QVERIFY(w->startOperation());
        saveScreenshot(*w, "frmMDI_locked");
    }
};

ZK_TEST_MAIN(TestOperatorLock)
ZK_PICTURES(TestOperatorLockPictures)
#include "tst_operatorlock.moc"
