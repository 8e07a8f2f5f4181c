#include "base/dialogs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "mixer/valueranges.h"
#include "settings/panelsections.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"
#include "tests/support/settingstext.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>

#include <sys/stat.h>

namespace {

constexpr int Sys = 32;

// Mixer records reduced to what the commands see: one text per key and mixer.
class FakeMixers final : public MixerSettings
{
public:
    qint16 count = 0;
    qint16 fileCount = 0;
    std::array<std::array<QString, 104>, 16> values{};
    int applied = -1;
    int takes = 0;
    bool capturedFromPanel = false;
    bool access = true;

    FakeMixers()
    {
        // Values the editor can set, as every mixer reports.
        for (auto &m : values)
            for (size_t k = 0; k < m.size(); ++k) {
                const auto range = editorRange(int(k));
                m[k] = k == 0 ? QStringLiteral("False")
                              : QString::number(range ? range->low + qint64(k % 7) % (range->high - range->low + 1)
                                                      : qint64(k % 7));
            }
    }

    qint16 mixerCount() const override { return count; }
    void setMixerCount(qint16 c) override { count = c; }
    qint16 fileMixerCount() const override { return fileCount; }
    void setFileMixerCount(qint16 c) override { fileCount = c; }
    bool writeAccess() const override { return access; }
    void capture(SettingsTable &t, bool fromPanel, const PanelRuntime &, int mixers) const override
    {
        const_cast<FakeMixers *>(this)->capturedFromPanel = fromPanel;
        for (int m = 0; m < mixers; ++m)
            for (int k = 0; k < 104; ++k)
                t.set(k, m, values[size_t(m)][size_t(k)]);
        t.set(0, Sys, QString::number(mixers));
    }
    void apply(const SettingsTable &t, int n) override
    {
        applied = n;
        for (int m = 0; m < n; ++m)
            for (int k = 0; k < 104; ++k)
                if (!t.at(k, m).isEmpty())
                    values[size_t(m)][size_t(k)] = t.at(k, m);
    }
    void takeReported() override { ++takes; }
    void adoptApplied(int) override {}
};

using settingstext::mixerSection;
using settingstext::systemData;

} // namespace

class TstLoadSave : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    struct World
    {
        SettingsFiles files;
        FakeMixers mixers;
        PanelState panel;
        LoopState loop;
        LinkState link;
        ScriptedDialogs dialogs;
        SettingsCommands commands{files, mixers, panel, loop, link, dialogs};
        int transfers = 0; // transfers of loaded settings asked for
        int everything = 0; // ... of every value, held or not

        World(LinkKind kind, qint16 linked)
        {
            QObject::connect(&commands, &SettingsCommands::transferRequested, [this](bool all) {
                ++transfers;
                everything += all ? 1 : 0;
            });
            link.linkKind = kind;
            mixers.count = linked;
            mixers.fileCount = linked;
            qint16 fm = linked;
            PanelContext ctx;
            ctx.linkKind = kind;
            ctx.mixerCount = linked;
            ResetPanel(panel, fm, ctx);
            panel.setUp = true;
        }
    };

    // A file saved by a system of `mixers` linked mixers, each key of mixer m
    // holding a value that names it.
    QString savedFile(const QString &name, qint16 mixers)
    {
        World w(LinkKind::Usb, mixers);
        for (int m = 0; m < mixers; ++m)
            w.mixers.values[size_t(m)][MixerKey::Threshold] = QString::number(10 + m);
        w.panel.GridInterval = 600;
        const QString path = m_dir.filePath(name);
        w.dialogs.fileNames.push_back(path);
        if (!w.commands.saveAsMenu(ChangeMode::Ask))
            qFatal("could not save the test file");
        return path;
    }

    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void cancelledOpenChangesNothing()
    {
        World w(LinkKind::Usb, 2);
        w.loop.DataFileName = QStringLiteral("/old.ini");
        const SettingsTable before = w.files.FileTable;
        w.dialogs.fileNames.push_back(QString());
        QVERIFY(!w.commands.openMenu(ChangeMode::Ask));
        QCOMPARE(w.dialogs.fileRequests.size(), 1);
        QVERIFY(w.dialogs.shown.empty());
        QVERIFY(w.files.FileTable == before);
        QCOMPARE(w.loop.DataFileName, QStringLiteral("/old.ini"));
        QCOMPARE(w.mixers.applied, -1);
    }

    // An unusable file changes nothing, and the user is told which file and
    // why: the line it fails at, a link count no system has, a file that
    // is empty or cut short, a value the editor cannot set.
    void unusableFileIsRefusedWithItsReason_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("malformed value") << QByteArray("[SystemData]\r\nMixerCount=1\r\nGridOnOff=maybe\r\n")
                                         << str(13106).arg(3);
        QTest::newRow("link count 40") << QByteArray("[SystemData]\r\nMixerCount=40\r\n") << str(13109).arg(40);
        QTest::newRow("empty") << QByteArray() << str(13108);
        QTest::newRow("gain 200") << mixerSection("Mixer_Master", "InputGain_1=200") + systemData(1)
                                  << str(13107).arg("43", "InputGain_1", "200", "0", "64");
    }

    void unusableFileIsRefusedWithItsReason()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        World w(LinkKind::Usb, 1);
        const QString path = m_dir.filePath(QStringLiteral("broken.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        w.files.FileTable.set(5, Sys, QStringLiteral("12345"));
        const SettingsTable before = w.files.FileTable;
        w.dialogs.fileNames.push_back(path);
        QVERIFY(!w.commands.openMenu(ChangeMode::Ask));
        QCOMPARE(w.dialogs.texts(), QStringList{str(13112).arg(path, reason)});
        QCOMPARE(w.dialogs.shown[0].icon, MsgIcon::Error);
        QVERIFY(w.files.FileTable == before);    // the saved file's image is kept
        QVERIFY(w.files.currentFileName.isEmpty());
        QCOMPARE(w.mixers.count, qint16(1));
        QCOMPARE(w.mixers.applied, -1);
    }

    // A save would replace a pipe (or a device) with a file: refused, said.
    void saveOntoAPipeIsRefused()
    {
        World w(LinkKind::Usb, 1);
        const QString path = m_dir.filePath(QStringLiteral("pipe.ini"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        w.dialogs.fileNames.push_back(path);
        QVERIFY(!w.commands.saveAsMenu(ChangeMode::Ask));
        QCOMPARE(w.dialogs.texts(), QStringList{str(13113).arg(path)});
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
        QVERIFY(w.files.currentFileName.isEmpty());
    }

    void moreMixersInFileThanLinked()
    {
        const QString path = savedFile(QStringLiteral("three.ini"), 3);
        World w(LinkKind::Usb, 2);
        w.dialogs.fileNames.push_back(path);
        w.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Ok};   // lose current settings, go on
        QSignalSpy captions(&w.commands, &SettingsCommands::captionChanged);
        QVERIFY(w.commands.openMenu(ChangeMode::Ask));

        QCOMPARE(w.dialogs.shown.size(), size_t(2));
        const auto &q = w.dialogs.shown[1];
        QCOMPARE(q.text, str(2741) + "3" + str(2742) + "\r\n" + str(2744) + "\r\n" + str(2745));
        QCOMPARE(q.buttons, MsgButtons::OkCancel);
        QCOMPARE(q.icon, MsgIcon::Warning);
        QVERIFY(q.title.isEmpty());

        // Every section of the file reaches SetDataTable; two mixers are applied.
        QCOMPARE(w.files.SetDataTable.at(MixerKey::Threshold, 2), QStringLiteral("12"));
        QCOMPARE(w.mixers.applied, 2);
        QCOMPARE(w.mixers.values[1][MixerKey::Threshold], QStringLiteral("11"));
        QCOMPARE(w.transfers, 1);
        QCOMPARE(w.loop.DataState, qint16(DataJustLoaded));
        QCOMPARE(w.loop.DataFileName, path);
        QCOMPARE(w.panel.GridInterval, 600);
        QCOMPARE(captions.size(), 1);
        QCOMPARE(captions.at(0).at(0).toString(), path + " - ZK-VR340a");
    }

    void fewerMixersInFileUsesTheDefaultText()
    {
        const QString path = savedFile(QStringLiteral("one.ini"), 1);
        World w(LinkKind::Rs232c, 3);
        w.dialogs.fileNames.push_back(path);
        w.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Ok};
        QVERIFY(w.commands.openMenu(ChangeMode::Ask));
        QVERIFY(w.dialogs.shown[1].text.contains(str(2743)));
        QCOMPARE(w.mixers.applied, 1);
    }

    void declinedLinkCountKeepsTheSavedImage()
    {
        const QString path = savedFile(QStringLiteral("decline.ini"), 3);
        World w(LinkKind::Usb, 2);
        w.files.FileTable.set(4, Sys, QStringLiteral("777"));
        const SettingsTable before = w.files.FileTable;
        w.dialogs.fileNames.push_back(path);
        w.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Cancel};
        QVERIFY(!w.commands.openMenu(ChangeMode::Ask));
        QVERIFY(w.files.FileTable == before);
        QCOMPARE(w.mixers.applied, -1);
        QCOMPARE(w.transfers, 0);
        QCOMPARE(w.loop.DataState, qint16(DataChanged));
    }

    void offlineTakesTheFilesLinkCount()
    {
        const QString path = savedFile(QStringLiteral("offline.ini"), 3);
        World w(LinkKind::Offline, 0);
        w.panel.setUp = false;
        w.dialogs.fileNames.push_back(path);
        QVERIFY(w.commands.openMenu(ChangeMode::Ask));
        QVERIFY(w.dialogs.shown.empty());   // nothing to lose, no link-count question
        QCOMPARE(w.mixers.count, qint16(3));
        QCOMPARE(w.mixers.applied, 3);
        QCOMPARE(w.mixers.fileCount, qint16(3));
    }

    void withoutWriteAccessOnlyThePanelIsApplied()
    {
        const QString path = savedFile(QStringLiteral("noaccess.ini"), 3);
        World w(LinkKind::Ethernet, 2);
        w.mixers.access = false;
        w.dialogs.fileNames.push_back(path);
        w.dialogs.answers = {MsgAnswer::Yes};
        QVERIFY(w.commands.openMenu(ChangeMode::Ask));
        QCOMPARE(w.dialogs.shown.size(), size_t(1));   // no link-count question
        QCOMPARE(w.mixers.applied, -1);
        QCOMPARE(w.transfers, 0);
        QCOMPARE(w.panel.GridInterval, 600);
        QVERIFY(w.panel.setUp);
    }

    // Before loaded values go to linked mixers the user is asked; declined,
    // the file is opened (panel applied) but nothing is marked to be sent.
    // Offline or without write access nothing is sent, so nothing is asked.
    void sendingLoadedValuesIsConfirmedOnline()
    {
        const QString path = savedFile(QStringLiteral("confirm.ini"), 2);
        for (const LoadSend answer : {LoadSend::Nothing, LoadSend::Differences, LoadSend::Everything}) {
            const bool agree = answer != LoadSend::Nothing;
            World w(LinkKind::Ethernet, 2);
            int asked = 0;
            int appliedWhenAsked = 0;
            w.commands.confirmSend = [&] {
                ++asked;
                appliedWhenAsked = w.mixers.applied;
                return answer;
            };
            w.dialogs.fileNames.push_back(path);
            QVERIFY(w.commands.openMenu(ChangeMode::Ask));
            QCOMPARE(asked, 1);
            QCOMPARE(appliedWhenAsked, -1); // asked before anything is applied
            QCOMPARE(w.mixers.applied, agree ? 2 : -1);
            QCOMPARE(w.transfers, agree ? 1 : 0);
            QCOMPARE(w.everything, answer == LoadSend::Everything ? 1 : 0);
            QCOMPARE(w.loop.DataFileName, path);
            QCOMPARE(w.loop.DataState, qint16(DataJustLoaded));
            QCOMPARE(w.panel.GridInterval, 600);
        }
        for (const bool offline : {true, false}) {
            World w(offline ? LinkKind::Offline : LinkKind::Ethernet, offline ? 0 : 2);
            w.mixers.access = offline;
            int asked = 0;
            w.commands.confirmSend = [&] { return ++asked, LoadSend::Nothing; };
            w.dialogs.fileNames.push_back(path);
            QVERIFY(w.commands.openMenu(ChangeMode::Ask));
            QCOMPARE(asked, 0);
            QCOMPARE(w.mixers.applied, offline ? 2 : -1);
        }
    }

    void savingWithoutMixersWritesSystemDataOnly()
    {
        World w(LinkKind::Offline, 0);
        const QString path = m_dir.filePath(QStringLiteral("empty.ini"));
        w.dialogs.fileNames.push_back(path);
        QVERIFY(w.commands.saveMenu(ChangeMode::Ask));    // no file yet: save as
        QCOMPARE(w.dialogs.fileRequests.size(), 1);
        const QByteArray bytes = bytesOf(path);
        QVERIFY(bytes.startsWith("[SystemData]\r\nMixerCount=0\r\n"));
        QCOMPARE(bytes.count('['), 1);
        QCOMPARE(w.loop.DataState, qint16(DataSaved));
        QCOMPARE(w.files.currentFileName, path);
        QCOMPARE(w.mixers.takes, 1);

        // The overwrite save asks no file name.
        QVERIFY(w.commands.saveMenu(ChangeMode::Ask));
        QCOMPARE(w.dialogs.fileRequests.size(), 1);
        w.commands.setPanelVisible(true);
        QCOMPARE(w.commands.caption(), path + " - ZK-VR340a [デザイン]");
    }

    void saveLoadSaveGivesTheSameBytes()
    {
        const QString first = savedFile(QStringLiteral("first.ini"), 2);
        World w(LinkKind::Usb, 2);
        w.dialogs.fileNames.push_back(first);
        w.dialogs.answers = {MsgAnswer::Yes};
        QVERIFY(w.commands.openMenu(ChangeMode::Ask));
        const QString second = m_dir.filePath(QStringLiteral("second.ini"));
        w.dialogs.fileNames.push_back(second);
        QVERIFY(w.commands.saveAsMenu(ChangeMode::Ask));
        QCOMPARE(bytesOf(second), bytesOf(first));
    }

    void failedWriteKeepsEverything()
    {
        World w(LinkKind::Usb, 1);
        w.loop.DataState = DataChanged;
        w.files.FileTable.set(4, Sys, QStringLiteral("999"));
        const SettingsTable before = w.files.FileTable;
        w.dialogs.fileNames.push_back(m_dir.filePath(QStringLiteral("missing/dir/x.ini")));
        QVERIFY(!w.commands.saveAsMenu(ChangeMode::Ask));
        QVERIFY(w.files.FileTable == before);
        QCOMPARE(w.loop.DataState, qint16(DataChanged));
        QVERIFY(w.files.currentFileName.isEmpty());
        QCOMPARE(w.dialogs.texts(), QStringList{str(9301)});
        QCOMPARE(w.commands.caption(), str(1953) + " - ZK-VR340a");
    }

    // Which cells the unsaved-changes check looks at.
    void changeCheckComparesTheListedCells_data()
    {
        QTest::addColumn<int>("dataState");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("section");
        QTest::addColumn<bool>("changed");
        QTest::newRow("master value, changed state") << 1 << 5 << 0 << true;
        QTest::newRow("master value, saved state") << 0 << 5 << 0 << false;
        QTest::newRow("master extended") << 1 << 103 << 0 << true;
        QTest::newRow("master Active") << 1 << 0 << 0 << false;
        QTest::newRow("slave model") << 1 << 86 << 1 << true;
        QTest::newRow("slave extended") << 1 << 87 << 1 << false;
        QTest::newRow("slave beyond link") << 1 << 5 << 2 << false;
        QTest::newRow("button key") << 0 << 9 << 17 << true;
        QTest::newRow("first button key") << 0 << 0 << 16 << false;
        QTest::newRow("button beyond link") << 0 << 9 << 18 << false;
        QTest::newRow("system MixerCount") << 0 << 0 << 32 << true;
        QTest::newRow("system image") << 0 << 366 << 32 << true;
        QTest::newRow("caption") << 0 << 45 << 16 << true;
        QTest::newRow("mixer key numbered as a caption") << 0 << 45 << 0 << false;
    }

    void changeCheckComparesTheListedCells()
    {
        QFETCH(int, dataState);
        QFETCH(int, key);
        QFETCH(int, section);
        QFETCH(bool, changed);
        World w(LinkKind::Usb, 2);
        w.loop.DataState = qint16(dataState);
        w.commands.captureSettings(false);
        w.files.FileTable = w.files.SetDataTable;
        // Identical tables: nothing to ask.
        QVERIFY(w.commands.SettingsChanged(ChangeMode::AskCancel));
        QVERIFY(w.dialogs.shown.empty());

        w.files.FileTable.set(key, section, QStringLiteral("other"));
        w.dialogs.answers = {MsgAnswer::Cancel};
        QCOMPARE(!w.commands.SettingsChanged(ChangeMode::AskCancel), changed);
        QCOMPARE(w.dialogs.shown.size(), size_t(changed ? 1 : 0));

        // An empty cell of the file is never a change.
        w.files.FileTable.set(key, section, QString());
        QVERIFY(w.commands.SettingsChanged(ChangeMode::AskCancel));
    }

    void changeQuestionsByMode()
    {
        World w(LinkKind::Usb, 1);
        w.commands.captureSettings(false);
        w.files.FileTable = w.files.SetDataTable;
        w.files.FileTable.set(4, Sys, QStringLiteral("1"));     // grid interval differs

        const QString saveText = str(2703) + "\r\n" + str(2732);
        w.dialogs.answers = {MsgAnswer::No};
        QVERIFY(w.commands.SettingsChanged(ChangeMode::AskCancel));
        QCOMPARE(w.dialogs.shown.back().text, saveText);
        QCOMPARE(w.dialogs.shown.back().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(w.dialogs.shown.back().title, QStringLiteral("ZK-VR340a"));

        // Yes, but the save-as dialog is cancelled: the caller must stop.
        w.dialogs.answers = {MsgAnswer::Yes};
        w.dialogs.fileNames.push_back(QString());
        QVERIFY(!w.commands.SettingsChanged(ChangeMode::AskCancel));

        w.dialogs.answers = {MsgAnswer::No};
        QVERIFY(!w.commands.SettingsChanged(ChangeMode::Ask));   // always "stop"
        QCOMPARE(w.dialogs.shown.back().buttons, MsgButtons::YesNo);

        // Yes saves (from the panel: the panel's capture) and still stops.
        const QString path = m_dir.filePath(QStringLiteral("asked.ini"));
        w.dialogs.answers = {MsgAnswer::Yes};
        w.dialogs.fileNames.push_back(path);
        QVERIFY(!w.commands.SettingsChanged(ChangeMode::AskFromPanel));
        QVERIFY(QFile::exists(path));
        QVERIFY(w.mixers.capturedFromPanel);
        QCOMPARE(w.loop.DataState, qint16(DataSaved));

        w.files.FileTable.set(4, Sys, QStringLiteral("1"));
        w.dialogs.answers = {MsgAnswer::No};
        QVERIFY(!w.commands.SettingsChanged(ChangeMode::Load));
        QCOMPARE(w.dialogs.shown.back().text, str(2761) + "\r\n" + str(2762));
        w.dialogs.answers = {MsgAnswer::Yes};
        QVERIFY(w.commands.SettingsChanged(ChangeMode::LoadFromPanel));
    }

    void closingAsksTwice()
    {
        World w(LinkKind::Usb, 1);
        w.commands.captureSettings(false);
        w.files.FileTable = w.files.SetDataTable;
        w.files.FileTable.set(4, Sys, QStringLiteral("1"));
        w.dialogs.answers = {MsgAnswer::No, MsgAnswer::Cancel};
        QVERIFY(!w.commands.confirmClose());
        QCOMPARE(w.dialogs.texts(), QStringList({str(2703) + "\r\n" + str(2732), str(1311)}));
        w.dialogs.answers = {MsgAnswer::No, MsgAnswer::Ok};
        QVERIFY(w.commands.confirmClose());
    }

    void nothingToLoseOfflineWithAnEmptyPanel()
    {
        World w(LinkKind::Offline, 0);
        w.files.FileTable.set(4, Sys, QStringLiteral("1"));     // would count as a change
        QVERIFY(w.commands.SettingsChanged(ChangeMode::AskCancel));
        QVERIFY(w.dialogs.shown.empty());

        w.panel.GridInterval = 500;                  // a set-up panel that was changed
        w.dialogs.answers = {MsgAnswer::Cancel};
        QVERIFY(!w.commands.SettingsChanged(ChangeMode::AskCancel));
        w.panel.setUp = false;                       // never set up: nothing to lose
        QVERIFY(w.commands.SettingsChanged(ChangeMode::AskCancel));
    }

    // Panel sections beyond the panel's range are taken within it, and the
    // user is told so once; a sound file says nothing.
    void outOfRangePanelValuesAreToldOnce()
    {
        const QString path = m_dir.filePath(QStringLiteral("damaged.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(mixerSection("Mixer_Master") + "[GUI_Master]\r\nIconEnable_1=True\r\nIconWidth_1=-1500\r\n"
                "[SystemData]\r\nMixerCount=1\r\nIconNum=32767\r\nTableHeight=2147483647\r\n");
        f.close();
        World w(LinkKind::Offline, 0);
        w.panel.setUp = false;
        w.dialogs.fileNames.push_back(path);
        QVERIFY(w.commands.openMenu(ChangeMode::Ask));
        QCOMPARE(w.dialogs.texts(), QStringList{str(11100)});
        QCOMPARE(w.dialogs.shown[0].icon, MsgIcon::Warning);
        QCOMPARE(w.panel.IconNum, qint16(1));
        QCOMPARE(w.panel.slot(0, 0).IconWidth, double(Panel::MinButtonSize));
        QCOMPARE(w.panel.table.TableHeight, Panel::MaxExtent);

        const QString sound = savedFile(QStringLiteral("sound.ini"), 1);
        World again(LinkKind::Offline, 0);
        again.panel.setUp = false;
        again.dialogs.fileNames.push_back(sound);
        QVERIFY(again.commands.openMenu(ChangeMode::Ask));
        QVERIFY(again.dialogs.shown.empty());
    }

    // Offline no mixer reports back: the next save writes what the file held,
    // for every mixer in it.
    void offlineLoadAndSaveKeepTheMixerValues()
    {
        const QString path = m_dir.filePath(QStringLiteral("offline-two.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(mixerSection("Mixer_Master", "InputGain_3=40\nModel=1")
                + mixerSection("Mixer_Slave1", "InputGain_3=41") + systemData(2));
        f.close();
        SettingsFiles files;
        MixerState state;
        state.resetToStartValues();
        state.Model.fill(-1);
        MixerStateSettings mixers(state);
        PanelState panel;
        LoopState loop;
        LinkState link;
        link.linkKind = LinkKind::Offline;
        ScriptedDialogs dialogs;
        SettingsCommands commands(files, mixers, panel, loop, link, dialogs);
        const QString again = m_dir.filePath(QStringLiteral("offline-again.ini"));
        dialogs.fileNames = {path, again};
        QVERIFY(commands.openMenu(ChangeMode::Ask));
        QVERIFY(commands.saveAsMenu(ChangeMode::Ask));
        const QList<QByteArray> lines = bytesOf(again).split('\n');
        const auto section = [&](const QByteArray &name) {
            return std::find(lines.begin(), lines.end(), "[" + name + "]\r");
        };
        const auto valueIn = [&](const QByteArray &name, const QByteArray &key) {
            for (auto it = section(name); it != lines.end() && it + 1 != lines.end(); ++it)
                if (it->startsWith(key + '='))
                    return it->mid(key.size() + 1).trimmed();
            return QByteArray();
        };
        QCOMPARE(valueIn("Mixer_Master", "InputGain_3"), QByteArray("40"));
        QCOMPARE(valueIn("Mixer_Master", "Model"), QByteArray("1"));
        QCOMPARE(valueIn("Mixer_Slave1", "InputGain_3"), QByteArray("41"));
    }

    void fileDialogsAreAnnounced()
    {
        World w(LinkKind::Usb, 1);
        w.loop.DataFileName = QStringLiteral("/last.ini");
        QSignalSpy opening(&w.commands, &SettingsCommands::fileDialogOpening);
        QSignalSpy closed(&w.commands, &SettingsCommands::fileDialogClosed);
        w.dialogs.fileNames.push_back(QString());
        w.commands.openMenu(ChangeMode::Ask);
        QCOMPARE(opening.size(), 1);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(SettingsCommands::fileFilter(), QStringLiteral("設定値ファイル (*.ini)"));
    }
};

ZK_TEST_GUILESS_MAIN(TstLoadSave)
#include "tst_loadsave.moc"
