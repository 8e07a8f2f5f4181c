// Preparing a system without hardware, as an installer does before the visit:
// the program started with `--virtual 3` edits three virtual mixers in their
// editor windows and saves them; a second start with three fresh virtual
// mixers loads the file. The comparison lists exactly the five edited values,
// Escape sends nothing (the mixers see no DS), Enter sends and the mixers end
// up holding the file's values, read back. Title and status line say the
// mixers are virtual throughout.

#include "app/ui/application.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmselect.h"
#include "editor/settingscompare.h"
#include "editor/valueentry.h"
#include "editor/ui/frmmixer.h"
#include "editor/ui/loadcompare.h"
#include "tests/support/programrig.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <map>
#include <utility>

namespace {

const QStringList ThreeVirtual{"zkvr340a", "--virtual", "3"};

struct TypedEdit
{
    int mixer;
    QString key;  // as the settings file and the comparison name it
    int keyId;
    QString typed;
    bool systemTab = false; // the output gain sits on the system tab
};

// Channel n's input gain is key 40 + n; the output gain is key 74.
const std::vector<TypedEdit> Edits = {
    {1, "InputGain_1", 41, "-10"},
    {1, "InputGain_5", 45, "-20"},
    {2, "InputGain_3", 43, "-10"},
    {3, "InputGain_8", 48, "-30"},
    {3, "OutputGain", 74, "-6", true},
};

using Cell = std::pair<int, int>; // mixer, key id

// The block bytes of the chain that are not what a fresh chain holds.
std::map<Cell, int> changedCells(const SimChain &chain)
{
    const auto factory = SimChain::factoryBlock();
    std::map<Cell, int> out;
    for (int m = 1; m <= chain.mixerCount(); ++m)
        for (int k = 1; k <= SimWire::BlockSize; ++k)
            if (chain.blockByte(m, k) != factory[size_t(k - 1)])
                out[{m, k}] = chain.blockByte(m, k);
    return out;
}

bool marked(Application &program)
{
    const QString mark = program.virtualChain()->mark();
    FrmMain *w = program.mainWindow();
    return w->windowTitle().startsWith(mark + " - ") && w->linkStatus().contains(mark);
}

bool settled(Application &program, const World &world)
{
    return world.mixers.MixerCount == 3 && program.mainWindow()->menu("MenFile")->menuAction()->isEnabled()
           && world.jobs.empty() && !program.jobWindowVisible() && !world.mixers.anyPending(1)
           && !world.mixers.anyPending(2) && !world.mixers.anyPending(3);
}

// Shows the editor of `mixer` through the main window's 表示 and the mixer choice.
void chooseEditor(FrmMain *main, int mixer)
{
    main->action("MenVisual")->trigger();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *select = qobject_cast<FrmSelect *>(w); select && select->isVisible()) {
            select->list()->setCurrentRow(mixer - 1);
            select->CmdJob(0)->click();
            return;
        }
}

} // namespace

class TestOfflineEngineering : public QObject
{
    Q_OBJECT

private slots:
    void editSaveAndLoadIntoFreshVirtualMixers()
    {
        qunsetenv("ZKVR340A_LINK");
        QTemporaryDir dir;
        const QString file = dir.filePath("room.ini");
        std::map<Cell, int> edited; // what the first chain held after the edits

        // First start: edit in the editors, save.
        {
            SystemClock clock;
            ScriptedDialogs dialogs;
            World world(clock, dialogs);
            Application program(world, ThreeVirtual);
            size_t next = 0;
            bool typed = false;
            bool alwaysMarked = true;
            bool done = false;
            drive(program, 60.0, [&] {
                if (!program.mainWindow() || !program.virtualChain())
                    return false;
                alwaysMarked = alwaysMarked && marked(program);
                if (!settled(program, world))
                    return false;
                SimChain &chain = program.virtualChain()->chain();
                if (next < Edits.size()) {
                    const TypedEdit &e = Edits[next];
                    if (typed) {
                        // Written and read back before the next edit.
                        if (chain.blockByte(e.mixer, e.keyId) == SimChain::factoryBlock()[size_t(e.keyId - 1)])
                            return false;
                        typed = false;
                        ++next;
                        return false;
                    }
                    FrmMixer *editor = program.editor(e.mixer);
                    if (!editor || !editor->isVisible()) {
                        chooseEditor(program.mainWindow(), e.mixer);
                        return false;
                    }
                    editor->SSTMixer()->setCurrentIndex(e.systemTab ? 1 : 0);
                    ValueEntry *entry = e.systemTab ? editor->UpDwParam(FrmMixer::FieldOutputGain)
                                                    : editor->UpDwInpgain(e.keyId - 41);
                    entry->findChild<QLineEdit *>()->setText(e.typed);
                    QTest::keyClick(entry, Qt::Key_Return);
                    typed = true;
                    return false;
                }
                // A save takes the values the status poll last read: the
                // poll after the last write brings the edits in.
                edited = changedCells(chain);
                for (const auto &[cell, value] : edited)
                    if (world.mixers.MixerData[size_t(cell.first)].block[size_t(cell.second - 1)] != value)
                        return false;
                dialogs.fileNames = {file};
                program.mainWindow()->action("MenNewSave")->trigger();
                return QFileInfo::exists(file) && marked(program)
                       && program.mainWindow()->windowTitle().contains(file);
            }, done);
            QCOMPARE(program.run(), 0);
            QVERIFY2(done, qPrintable(QString("edit %1; %2").arg(next).arg(dialogs.texts().join(" / "))));
            QVERIFY(alwaysMarked);
        }
        // The five edits changed five values and nothing else (no link copied one).
        QCOMPARE(int(edited.size()), 5);
        for (const TypedEdit &e : Edits)
            QVERIFY2(edited.count({e.mixer, e.keyId}), qPrintable(e.key));

        // Second start: three fresh virtual mixers, the file loaded.
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, ThreeVirtual);
        int writes = 0;      // every request that changes something
        int dataWrites = 0;  // of them, DS
        std::map<std::pair<int, QString>, QStringList> listed; // (mixer, key) → mixer's value, file's value
        auto readWindow = [&](QWidget *w) {
            QTreeWidget *list = qobject_cast<LoadCompareWindow *>(w)->list();
            for (int m = 0; m < list->topLevelItemCount(); ++m) {
                QTreeWidgetItem *mixer = list->topLevelItem(m);
                for (int r = 0; r < mixer->childCount(); ++r) {
                    QTreeWidgetItem *row = mixer->child(r);
                    listed[{mixer->data(0, Qt::UserRole).toInt(), row->data(0, Qt::UserRole).toString()}]
                        = QStringList{row->text(1), row->text(2)};
                }
            }
        };
        auto chainHoldsFile = [&] {
            SimChain &chain = program.virtualChain()->chain();
            for (const auto &[cell, value] : edited)
                if (chain.blockByte(cell.first, cell.second) != value
                    || world.mixers.MixerData[size_t(cell.first)].block[size_t(cell.second - 1)] != value)
                    return false;
            return changedCells(chain) == edited && settled(program, world);
        };

        enum { Live, Cancelled, Sending } stage = Live;
        QElapsedTimer cancelledAt;
        bool alwaysMarked = true;
        bool done = false;
        drive(program, 60.0, [&] {
            if (!program.mainWindow() || !program.virtualChain())
                return false;
            alwaysMarked = alwaysMarked && marked(program);
            FrmMain *w = program.mainWindow();
            switch (stage) {
            case Live:
                // Ready once the extended data have been read (the file holds them too).
                if (!settled(program, world) || world.mixers.ExtendedData[1].Silent_Time != 50)
                    return false;
                program.virtualChain()->chain().onWrite = [&](const QByteArray &r) {
                    ++writes;
                    dataWrites += r.startsWith("DS");
                };
                dialogs.fileNames = {file};
                answerLoadComparison(Qt::Key_Escape, readWindow);
                w->action("MenLoad")->trigger();
                stage = Cancelled;
                cancelledAt.start();
                return false;
            case Cancelled:
                // Several status polls later still nothing was written.
                if (cancelledAt.elapsed() < 1500)
                    return false;
                if (writes != 0 || !changedCells(program.virtualChain()->chain()).empty()
                    || !w->windowTitle().contains(file))
                    return true;
                saveScreenshot(*w, QStringLiteral("FrmMain_virtual"));
                dialogs.fileNames = {file};
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
        QVERIFY2(done && stage == Sending,
                 qPrintable(QString("stage %1, writes %2; %3").arg(stage).arg(writes).arg(dialogs.texts().join(" / "))));
        QVERIFY(alwaysMarked);

        // Exactly the five edited values, each from the factory value to the
        // edited one as the editor shows them.
        std::map<std::pair<int, QString>, QStringList> expected;
        const auto factory = SimChain::factoryBlock();
        for (const TypedEdit &e : Edits)
            expected[{e.mixer, e.key}] = QStringList{editorValueText(e.keyId, factory[size_t(e.keyId - 1)]),
                                                     editorValueText(e.keyId, edited.at({e.mixer, e.keyId}))};
        QCOMPARE(listed, expected);
        QVERIFY(dataWrites > 0);
        QVERIFY(chainHoldsFile());
    }
};

ZK_TEST_MAIN(TestOfflineEngineering)
#include "tst_offlineengineering.moc"
