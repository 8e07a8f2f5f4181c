// A load against three linked virtual mixers on loopback TCP: before the
// file's values are sent the comparison window lists exactly the values that
// differ, as the editor shows them; Escape sends nothing, Enter sends and the
// chain ends up holding the file's values; a file the mixers already hold is
// said to change nothing and sends nothing.

#include "app/ui/application.h"
#include "app/ui/frmmain.h"
#include "base/strings.h"
#include "editor/settingscompare.h"
#include "editor/ui/loadcompare.h"
#include "tests/support/programrig.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <set>
#include <utility>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The value of `key` in `section` of a settings file's text.
int keyValue(const QByteArray &file, const QByteArray &section, const QByteArray &key)
{
    bool inSection = false;
    for (const QByteArray &line : file.split('\n')) {
        const QByteArray l = line.trimmed();
        if (l.startsWith('['))
            inSection = l == '[' + section + ']';
        else if (inSection && l.startsWith(key + '='))
            return l.mid(key.size() + 1).toInt();
    }
    return -1;
}

QByteArray withKey(const QByteArray &file, const QByteArray &section, const QByteArray &key, int value)
{
    QList<QByteArray> lines = file.split('\n');
    bool inSection = false;
    for (QByteArray &line : lines) {
        if (line.startsWith('['))
            inSection = line.trimmed() == '[' + section + ']';
        else if (inSection && line.startsWith(key + '='))
            line = key + '=' + QByteArray::number(value) + "\r";
    }
    return lines.join('\n');
}

struct FileEdit
{
    int mixer;
    QByteArray section;
    QByteArray key;
    int keyId;
    int from = 0;
    int to = 0;
};

} // namespace

class TestLoadCompare : public QObject
{
    Q_OBJECT

private slots:
    void loadShowsWhatChangesBeforeItSends()
    {
        SimOptions options;
        options.mixers = 3;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        SimChain &chain = run.chain;
        World &world = run.world;
        ScriptedDialogs &dialogs = run.dialogs;
        Application &program = run.program;
        QTemporaryDir dir;
        const QString same = dir.filePath("same.ini");
        const QString changed = dir.filePath("changed.ini");

        std::vector<FileEdit> edits = {{1, "Mixer_Master", "InputGain_1", 41},
                                   {1, "Mixer_Master", "InputGain_5", 45},
                                   {2, "Mixer_Slave1", "InputGain_3", 43},
                                   {3, "Mixer_Slave2", "InputGain_8", 48},
                                   {3, "Mixer_Slave2", "OutputGain", 74}};
        int writes = 0;
        QList<QByteArray> written;
        chain.onWrite = [&](const QByteArray &r) {
            ++writes;
            written << r;
        };
        const QString sameText = str(12741);

        struct Listed
        {
            std::set<std::pair<int, QString>> keys;
            int rows = 0;
            QStringList firstRow;
            bool named = true;
            bool sendAll = true; // すべて送信 checked
            bool tabToSendAll = false;
            bool countNote = false;
        };
        Listed listed;
        auto readWindow = [&](QWidget *w) {
            auto *window = qobject_cast<LoadCompareWindow *>(w);
            QTreeWidget *list = window->list();
            for (int m = 0; m < list->topLevelItemCount(); ++m) {
                QTreeWidgetItem *mixer = list->topLevelItem(m);
                for (int r = 0; r < mixer->childCount(); ++r) {
                    QTreeWidgetItem *row = mixer->child(r);
                    ++listed.rows;
                    listed.keys.insert({mixer->data(0, Qt::UserRole).toInt(), row->data(0, Qt::UserRole).toString()});
                    if (listed.firstRow.isEmpty())
                        listed.firstRow = {row->text(0), row->text(1), row->text(2), row->text(3)};
                }
            }
            for (QWidget *c : w->findChildren<QWidget *>())
                if ((qobject_cast<QAbstractButton *>(c) || qobject_cast<QTreeWidget *>(c) || qobject_cast<QLabel *>(c))
                    && c->accessibleName().isEmpty())
                    listed.named = false;
            listed.countNote = w->findChild<QLabel *>(QStringLiteral("LblCount")) != nullptr;
            listed.sendAll = window->sendAll()->isChecked();
            // Tab reaches the box from the list, before the buttons.
            QWidget *next = list->nextInFocusChain();
            while (next != list && next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            listed.tabToSendAll = next == window->sendAll();
        };
        auto chainHoldsFile = [&] {
            for (const FileEdit &e : edits)
                if (chain.blockByte(e.mixer, e.keyId) != e.to || world.mixers.MixerData[e.mixer].block[size_t(e.keyId - 1)] != e.to)
                    return false;
            return !world.mixers.anyPending(1) && !world.mixers.anyPending(2) && !world.mixers.anyPending(3);
        };

        enum { Live, Cancelled, Sending } stage = Live;
        QElapsedTimer cancelledAt;
        int writesAfterSame = -1;
        bool windowForSame = false;
        bool done = false;
        drive(program, 40.0, [&] {
            FrmMain *w = program.mainWindow();
            switch (stage) {
            case Live: {
                if (world.mixers.MixerCount != 3 || !w->menu("MenFile")->menuAction()->isEnabled()
                    || world.mixers.ExtendedData[1].Silent_Time != 50)
                    return false;
                dialogs.fileNames = {same};
                w->action("MenNewSave")->trigger();
                const QByteArray saved = readFile(same);
                QByteArray text = saved;
                for (FileEdit &e : edits) {
                    e.from = keyValue(saved, e.section, e.key);
                    e.to = e.from == 20 ? 24 : 20;
                    text = withKey(text, e.section, e.key, e.to);
                }
                QFile f(changed);
                if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
                    return true;
                f.close();
                // The file the mixers hold: nothing to send, and said so.
                writes = 0;
                dialogs.fileNames = {same};
                QPointer<QTimer> unanswered =
                    answerLoadComparison(Qt::Key_Escape, [&](QWidget *) { windowForSame = true; });
                w->action("MenLoad")->trigger();
                writesAfterSame = writes;
                delete unanswered;
                // The edited file: looked at, then Escape.
                dialogs.fileNames = {changed};
                answerLoadComparison(Qt::Key_Escape, [&](QWidget *window) {
                    readWindow(window);
                    saveScreenshot(*window, QStringLiteral("FrmLoadCompare"));
                });
                w->action("MenLoad")->trigger();
                stage = Cancelled;
                cancelledAt.start();
                return false;
            }
            case Cancelled:
                // A few status polls later still nothing was written.
                if (cancelledAt.elapsed() < 1500)
                    return false;
                if (writes != 0 || world.mixers.anyPending(1) || world.mixers.anyPending(2)
                    || world.mixers.anyPending(3) || w->windowTitle() != changed + " - ZK-VR340a")
                    return true;
                dialogs.fileNames = {changed};
                written.clear();
                answerLoadComparison(Qt::Key_Return);
                w->action("MenLoad")->trigger();
                stage = Sending;
                return false;
            case Sending:
                return chainHoldsFile();
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(done, qPrintable(QString("stage %1, writes %2; %3").arg(stage).arg(writes).arg(dialogs.texts().join(" / "))));
        QVERIFY2(stage == Sending, qPrintable(QString("stage %1, writes %2").arg(stage).arg(writes)));

        // The unchanged file: said, no window, nothing written.
        QVERIFY(dialogs.texts().contains(sameText));
        QVERIFY(!windowForSame);
        QCOMPARE(writesAfterSame, 0);

        // The window listed exactly the edited values, per mixer, the first
        // (the master's channel 1 gain) as the editor shows it.
        std::set<std::pair<int, QString>> expected;
        for (const FileEdit &e : edits)
            expected.insert({e.mixer, QString::fromLatin1(e.key)});
        QCOMPARE(listed.rows, 5);
        QCOMPARE(listed.keys, expected);
        const FileEdit &first = edits.front();
        QCOMPARE(listed.firstRow, (QStringList{editorKeyLabel(first.keyId) + " ch 1", editorValueText(first.keyId, first.from),
                                               editorValueText(first.keyId, first.to), editorTabName(TabChannels)}));
        QVERIFY(listed.named);
        QVERIFY(!listed.sendAll);
        QVERIFY(listed.tabToSendAll);
        QVERIFY(!listed.countNote);
        QVERIFY(chainHoldsFile());
        // Sent: exactly the values listed; the rest of the three mixers'
        // 78 values each and the 17 registers were held already.
        std::set<std::pair<int, QString>> sent;
        for (const QByteArray &r : written)
            if (r.startsWith("DS"))
                sent.insert({quint8(r.at(2)), mixerKey(quint8(r.at(3)))});
        QCOMPARE(written.size(), 5);
        QCOMPARE(sent, expected);
        const std::vector<ActivityEntry> loads = world.activity.entries({0, ActivityKind::Load});
        QVERIFY(!loads.empty());
        QCOMPARE(loads.front().detail, str(14300).arg(5).arg(3 * 78 + 17 - 5));
        QCOMPARE(world.loop.DataFileName, changed);
    }
};

ZK_TEST_MAIN(TestLoadCompare)
#include "tst_loadcompare.moc"
