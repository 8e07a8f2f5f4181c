// The Windows devbridge, built against a scripted fake of SetupAPI and the
// file calls: which interface it takes, which paths it opens with which
// arguments, and that nothing it acquires is lost on any way out.

#include "devbridge/devbridge.h"
#include "fakewin/fakewin.h"
#include "fakewin/windows.h"
#include "tests/support/testmain.h"

#include <QTest>

#include <string>

namespace {
const std::string Device = "\\\\?\\usb#vid_0000&pid_0000#1#{8f390381-3152-11d2-bc14-a83cddf4d54c}";

FakeWindows &fake() { return FakeWindows::instance(); }

void plugIn(const std::string &path)
{
    fake().interfaces.push_back(path);
    fake().files[path + "\\PIPE01"];
    fake().files[path + "\\PIPE00"];
}
} // namespace

class TestDevbridgeWin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        USBDrv_Close();
        fake().reset();
    }

    void firstInterfaceAndItsPipesAreUsed()
    {
        plugIn(Device);
        plugIn("\\\\?\\other");
        QCOMPARE(USBDrv_Init(), 1);
        QCOMPARE(fake().liveSets, 0);
        QCOMPARE(USBDrv_Open(), 1);
        QCOMPARE(fake().opened, (std::vector<std::string>{Device + "\\PIPE01", Device + "\\PIPE00"}));
        QVERIFY(fake().badOpenArguments.empty());

        fake().files[Device + "\\PIPE01"] = "reply\x55\xAA";
        uint8_t buffer[2064];
        int32_t count = -1;
        QCOMPARE(USBDrv_Read(buffer, sizeof buffer, &count), 1);
        QCOMPARE(std::string(reinterpret_cast<char *>(buffer), size_t(count)), std::string("reply\x55\xAA"));
        uint8_t request[] = {'D', 'S', 0x55, 0xAA};
        QCOMPARE(USBDrv_Write(request, 4, &count), 1);
        QCOMPARE(count, 4);
        QCOMPARE(fake().written[Device + "\\PIPE00"], std::string("DS\x55\xAA"));
        QCOMPARE(USBDrv_Close(), 1);
        QCOMPARE(fake().openHandles, 0);
        QCOMPARE(USBDrv_Close(), 0);
    }

    void everyFailedInitReleasesTheSetAndKeepsItsError_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("error");
        QTest::newRow("no device set") << "classdevs" << 0;
        QTest::newRow("no interface") << "none" << int(ERROR_NO_MORE_ITEMS);
        QTest::newRow("detail refused") << "detail" << int(ERROR_INVALID_PARAMETER);
        QTest::newRow("path too long for its buffer") << "long" << int(ERROR_FILENAME_EXCED_RANGE);
    }

    void everyFailedInitReleasesTheSetAndKeepsItsError()
    {
        QFETCH(QString, failure);
        QFETCH(int, error);
        // A device found before must not be opened after a failed search.
        plugIn(Device);
        QCOMPARE(USBDrv_Init(), 1);
        fake().interfaces.clear();
        if (failure == "classdevs") {
            fake().classDevsFails = true;
        } else if (failure == "detail") {
            plugIn(Device);
            fake().detailFails = true;
        } else if (failure == "long") {
            plugIn(std::string(249, 'p')); // + "\PIPE01" and NUL exceed 256 bytes
        }
        fake().lastError = 0;
        QCOMPARE(USBDrv_Init(), 0);
        QCOMPARE(fake().liveSets, 0);
        if (error)
            QCOMPARE(int(GetLastError()), error);
        fake().opened.clear();
        QCOMPARE(USBDrv_Open(), 0);
        QVERIFY(fake().opened.empty());
    }

    void longestPathThatFitsIsKept()
    {
        const std::string path(248, 'p');
        plugIn(path);
        QCOMPARE(USBDrv_Init(), 1);
        QCOMPARE(USBDrv_Open(), 1);
        QCOMPARE(fake().opened.front(), path + "\\PIPE01");
    }

    void halfOpenReadPipeIsReleasedByTheNextInit()
    {
        plugIn(Device);
        fake().files.erase(Device + "\\PIPE00"); // unplugged half-way
        QCOMPARE(USBDrv_Init(), 1);
        QCOMPARE(USBDrv_Open(), 0);
        QCOMPARE(fake().openHandles, 1); // the read pipe stays open
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(USBDrv_Init(), 1);
            QCOMPARE(USBDrv_Open(), 0);
        }
        QCOMPARE(fake().openHandles, 1);
        QCOMPARE(USBDrv_Close(), 1);
        QCOMPARE(fake().openHandles, 0);
    }

    void transfersNeedOpenPipesAndSaneCounts()
    {
        plugIn(Device);
        uint8_t buffer[8] = {};
        int32_t count = 777;
        QCOMPARE(USBDrv_Write(buffer, 8, &count), 0);
        QCOMPARE(USBDrv_Read(buffer, 8, &count), 0);
        QCOMPARE(count, 777);
        QCOMPARE(fake().fileCalls, 0);

        QVERIFY(USBDrv_Init() && USBDrv_Open());
        QCOMPARE(USBDrv_Write(buffer, -1, &count), 0);
        QCOMPARE(USBDrv_Read(buffer, -1, &count), 0);
        QCOMPARE(USBDrv_Read(nullptr, 8, &count), 0);
        QCOMPARE(fake().fileCalls, 0);
        QCOMPARE(USBDrv_Write(buffer, 2, nullptr), 1);
        QCOMPARE(fake().fileCalls, 1);
    }

    void readGivesUpWhenTheDeviceStaysSilent_data()
    {
        QTest::addColumn<QByteArray>("timeoutVariable"); // empty: not set
        QTest::addColumn<QByteArray>("arriving");        // while the read waits
        QTest::addColumn<int>("waitMs");
        QTest::newRow("silent") << QByteArray() << QByteArray() << 2000;
        QTest::newRow("silent, 150 ms asked") << QByteArray("150") << QByteArray() << 150;
        QTest::newRow("silent, nonsense asked") << QByteArray("2s") << QByteArray() << 2000;
        QTest::newRow("answer within the wait") << QByteArray() << QByteArray("AM\x00\x55\xAA", 5) << 2000;
    }

    void readGivesUpWhenTheDeviceStaysSilent()
    {
        QFETCH(QByteArray, timeoutVariable);
        QFETCH(QByteArray, arriving);
        QFETCH(int, waitMs);
        plugIn(Device);
        if (!timeoutVariable.isEmpty())
            fake().environment["DEVBRIDGE_READ_TIMEOUT_MS"] = timeoutVariable.toStdString();
        fake().arriveWhileWaiting = arriving.toStdString();
        QVERIFY(USBDrv_Init() && USBDrv_Open());
        QCOMPARE(fake().openFlags[Device + "\\PIPE01"], FILE_FLAG_OVERLAPPED);
        QCOMPARE(fake().openFlags[Device + "\\PIPE00"], DWORD(0));
        uint8_t buffer[2064];
        int32_t count = -1;
        QCOMPARE(USBDrv_Read(buffer, sizeof buffer, &count), arriving.isEmpty() ? 0 : 1);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer), count), arriving);
        QCOMPARE(fake().readsBlockedForEver, 0);
        QCOMPARE(fake().waits, std::vector<DWORD>{DWORD(waitMs)});
        QCOMPARE(fake().cancels, arriving.isEmpty() ? 1 : 0);
        if (arriving.isEmpty())
            QCOMPARE(GetLastError(), ERROR_TIMEOUT);
        // Nothing is left running or open but the two pipes.
        QCOMPARE(fake().pendingReads, 0);
        QCOMPARE(fake().liveEvents, 0);
        QCOMPARE(USBDrv_Close(), 1);
        QCOMPARE(fake().openHandles, 0);

        // Bytes that are there already are taken without waiting.
        fake().waits.clear();
        fake().files[Device + "\\PIPE01"] = std::string("DS\x00\x55\xAA", 5);
        QVERIFY(USBDrv_Init() && USBDrv_Open());
        QCOMPARE(USBDrv_Read(buffer, sizeof buffer, &count), 1);
        QCOMPARE(count, 5);
        QVERIFY(fake().waits.empty());
    }

    void closeReportsTheLastClose()
    {
        plugIn(Device);
        QVERIFY(USBDrv_Init() && USBDrv_Open());
        fake().closeFails = true;
        QCOMPARE(USBDrv_Close(), 0);
        QCOMPARE(fake().openHandles, 0);
        QCOMPARE(USBDrv_Close(), 0);
    }
};

ZK_TEST_GUILESS_MAIN(TestDevbridgeWin)
#include "tst_devbridge_win.moc"
