#include "base/config.h"
#include "base/installlayout.h"
#include "base/instancelock.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void debugNeedsTheExactWholeCommandLine()
    {
        QVERIFY(isDebugCommandLine({"zkvr340a", "DEBUG"}));
        QVERIFY(!isDebugCommandLine({"zkvr340a", "DEBUG "}));
        QVERIFY(!isDebugCommandLine({"zkvr340a", "debug"}));
        QVERIFY(!isDebugCommandLine({"zkvr340a", "DEBUG", "x"}));
        QVERIFY(!isDebugCommandLine({"zkvr340a"}));
    }

    void profileTextKeepsOtherSectionsAndKeys()
    {
        const QString text = "[Other]\r\nA=1\r\n[IP_Setting]\r\nUser_ID=bob\r\n[Tail]\r\nB=2\r\n";
        const QString changed = withProfileValue(text, "IP_Setting", "IP_Address", "10.0.0.5");
        QCOMPARE(profileValue(changed, "IP_Setting", "IP_Address"), QString("10.0.0.5"));
        QCOMPARE(profileValue(changed, "ip_setting", "user_id"), QString("bob"));
        QCOMPARE(profileValue(changed, "Other", "A"), QString("1"));
        QCOMPARE(profileValue(changed, "Tail", "B"), QString("2"));
        // A key of another section is not taken.
        QCOMPARE(profileValue(changed, "Tail", "User_ID"), QString());
        const QString replaced = withProfileValue(changed, "IP_Setting", "User_ID", "eve");
        QCOMPARE(profileValue(replaced, "IP_Setting", "User_ID"), QString("eve"));
        QCOMPARE(replaced.count("User_ID"), 1);
        // Values are read through a 255-character buffer.
        const QString longText = withProfileValue({}, "S", "K", QString(300, u'x'));
        QCOMPARE(profileValue(longText, "S", "K").size(), 254);
    }

    void saveIpSettingsRegistersTheFileWithTheUninstallLogOnce()
    {
        QTemporaryDir program, user;
        writeAll(program.filePath("ST6UNST.LOG"), "ACTION: RegKey: \"x\"\r\n");
        IniConfig ini(program.path(), user.path());
        QVERIFY(ini.SaveIpSettings("192.168.1.9", "room1"));
        QVERIFY(ini.SaveIpSettings("192.168.1.10", "room2"));
        const QByteArray log = readAll(program.filePath("ST6UNST.LOG"));
        QCOMPARE(log.count("ZK-VR340a.ini"), 1);
        const QByteArray expected = "ACTION: PrivateFile: \""
                                    + QDir::toNativeSeparators(program.path()).toLocal8Bit()
                                    + "\\ZK-VR340a.ini\"\r\n";
        QVERIFY(log.endsWith(expected));
        QCOMPARE(ini.ipSettings().address, QString("192.168.1.10"));
        QCOMPARE(ini.ipSettings().userId, QString("room2"));
        QVERIFY(QFile::exists(program.filePath("ZK-VR340a.ini")));
    }

    void noLogMeansNothingIsAppendedOrCreated()
    {
        QTemporaryDir program, user;
        IniConfig ini(program.path(), user.path());
        QVERIFY(ini.SaveIpSettings("1.2.3.4", "a"));
        QVERIFY(!QFile::exists(program.filePath("ST6UNST.LOG")));
    }

    void readOnlyProgramFolderFallsBackToTheUserFolder()
    {
        QTemporaryDir program, user;
        writeAll(program.filePath("ZK-VR340a.ini"), "[IP_Setting]\r\nIP_Address=10.1.1.1\r\n");
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(program.filePath("ZK-VR340a.ini"), QFile::ReadOwner);
        if (QFileInfo(program.filePath("ZK-VR340a.ini")).isWritable())
            QSKIP("running as a user that can write anywhere; permissions do not bind");
        IniConfig ini(program.path(), user.path() + "/cfg");
        // The shipped file is read while no per-user file exists ...
        QCOMPARE(ini.ipSettings().address, QString("10.1.1.1"));
        QVERIFY(ini.SaveIpSettings("10.2.2.2", "u"));
        // ... and the per-user file takes over once written.
        QCOMPARE(ini.writePath(), user.path() + "/cfg/ZK-VR340a.ini");
        QCOMPARE(ini.readPath(), ini.writePath());
        QCOMPARE(ini.ipSettings().address, QString("10.2.2.2"));
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void missingProgramFolderFallsBackToTheUserFolder()
    {
        // Also runs where permissions do not bind (as root): a program folder
        // that cannot take the file at all.
        QTemporaryDir tmp;
        IniConfig ini(tmp.filePath("not-there"), tmp.filePath("user"));
        QCOMPARE(ini.writePath(), tmp.filePath("user/ZK-VR340a.ini"));
        QVERIFY(ini.SaveIpSettings("10.3.3.3", "v"));
        QCOMPARE(ini.readPath(), tmp.filePath("user/ZK-VR340a.ini"));
        QCOMPARE(ini.ipSettings().userId, QString("v"));
    }

    // A demo (scripts/run.sh) keeps its configuration in a folder of its own:
    // the user's ZK-VR340a.ini and last file name stay as they were.
    void configFolderOverrideLeavesTheUsersOwnAlone()
    {
        QTemporaryDir tmp;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp.filePath("home-config")));
        const QString own = tmp.filePath("home-config/ZK-VR340a/ZK-VR340a.ini");
        QVERIFY(QDir().mkpath(QFileInfo(own).absolutePath()));
        writeAll(own, "[IP_Setting]\r\nIP_Address=192.168.1.50\r\n");
        writeDataFileName(QStringLiteral("/home/u/own.ini"));

        qputenv("ZKVR340A_CONFIG_DIR", QFile::encodeName(tmp.filePath("demo")));
        IniConfig demo(tmp.filePath("no-program-folder"));
        QVERIFY(demo.SaveIpSettings("127.0.0.1", "administrator"));
        writeDataFileName(QStringLiteral("/tmp/demo.ini"));
        QCOMPARE(demo.readPath(), tmp.filePath("demo/ZK-VR340a.ini"));
        QCOMPARE(demo.ipSettings().address, QString("127.0.0.1"));
        QCOMPARE(readDataFileName(), QStringLiteral("/tmp/demo.ini"));

        qunsetenv("ZKVR340A_CONFIG_DIR");
        QCOMPARE(readAll(own), QByteArray("[IP_Setting]\r\nIP_Address=192.168.1.50\r\n"));
        QCOMPARE(IniConfig(tmp.filePath("no-program-folder")).ipSettings().address, QString("192.168.1.50"));
        QCOMPARE(readDataFileName(), QStringLiteral("/home/u/own.ini"));
    }

    void installedProgramFolderIsNeverWritten()
    {
        // bin/ of an installed layout, writable (as for root), with the
        // private library folder beside it.
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        writeAll(bin + "/ZK-VR340a.ini", "[IP_Setting]\r\nUser_ID=shipped\r\n");
        QVERIFY(!isInstalledProgramDir(bin));
        QCOMPARE(IniConfig(bin, prefix.filePath("user")).writePath(), bin + "/ZK-VR340a.ini");

        QVERIFY(!privateLibraryDir(bin).isEmpty());
        QVERIFY(QDir().mkpath(privateLibraryDir(bin)));
        QVERIFY(isInstalledProgramDir(bin));
        IniConfig ini(bin, prefix.filePath("user"));
        QCOMPARE(ini.ipSettings().userId, QString("shipped"));
        QVERIFY(ini.SaveIpSettings("10.4.4.4", "mine"));
        QCOMPARE(ini.writePath(), prefix.filePath("user/ZK-VR340a.ini"));
        QCOMPARE(ini.ipSettings().userId, QString("mine"));
        QCOMPARE(readAll(bin + "/ZK-VR340a.ini"), QByteArray("[IP_Setting]\r\nUser_ID=shipped\r\n"));
    }

    void secondInstanceIsRefused()
    {
        InstanceLock first(QStringLiteral("zk-test.lock"));
        QVERIFY(first.acquired());
        InstanceLock second(QStringLiteral("zk-test.lock"));
        QVERIFY(!second.acquired());
    }
};

ZK_TEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
