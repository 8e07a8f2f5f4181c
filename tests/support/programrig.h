#pragma once

// The whole program in-process against a virtual mixer chain on a real
// loopback TCP socket, and the driver that acts as the user from inside the
// program's own loop. Shared by the program tests.

#include "app/ui/application.h"
#include "app/ui/frmmain.h"
#include "panel/ui/frmmdi.h"
#include "app/world.h"
#include "panel/designrecovery.h"
#include "panel/heldchannels.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `step` every 50 ms inside the program's loop until it returns true or
// `seconds` pass; then ends the program through Disconnect. A program that
// ends by itself leaves the timer to its caller (it must not outlive it).
inline QPointer<QTimer> drive(Application &program, double seconds, std::function<bool()> step, bool &finished)
{
    auto *timer = new QTimer;
    QElapsedTimer since;
    since.start();
    QObject::connect(timer, &QTimer::timeout, timer, [=, &program, &finished]() mutable {
        if (program.ended())
            return;
        finished = step();
        if (finished || since.elapsed() > seconds * 1000) {
            timer->stop();
            timer->deleteLater();
            program.Disconnect();
        }
    });
    timer->start(50);
    return timer;
}

// Whether the program is live on `mixers` mixers: counted, its start-up
// polls done, and the mode change to the panel offered.
inline bool programLive(Application &program, const World &world, int mixers)
{
    FrmMain *w = program.mainWindow();
    return world.mixers.MixerCount == mixers && world.loop.StartupPolls == 0 && w
        && w->action("MenModeChange")->isEnabled();
}

// A step of a drive toward the control panel: asks the main window for the
// mode change until the panel is shown. The shown panel, or null until then.
inline FrmMdi *panelShown(Application &program)
{
    FrmMdi *panel = program.panelWindow();
    if (!panel) {
        FrmMain *w = program.mainWindow();
        if (w && w->isVisible())
            w->action("MenModeChange")->trigger();
        return nullptr;
    }
    return panel->isVisible() ? panel : nullptr;
}

inline QString iniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + "/ZK-VR340a/ZK-VR340a.ini";
}

// ZK-VR340a.ini in the per-user folder: the mixer's address, and `more`
// lines of the IP_Setting section.
inline void writeIni(const QString &address, const QByteArray &more = {})
{
    QDir().mkpath(QFileInfo(iniPath()).path());
    QFile f(iniPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[IP_Setting]\r\nIP_Address=" + address.toLatin1() + "\r\nUser_ID=administrator\r\n" + more);
}

// A visible top-level window of that object name.
inline bool topLevel(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible())
            return true;
    return false;
}

// Answers the load's comparison window with a key once it shows (Enter
// sends, Escape cancels), after `look` has seen it. To be armed before the
// load is started: the window runs its own loop, and a timer whose slot
// started the load does not fire again until the window has closed. The
// timer ends itself once it answered or gave up; a load that showed no
// window leaves it to its caller to delete.
inline QPointer<QTimer> answerLoadComparison(Qt::Key key, std::function<void(QWidget *)> look = {}, double seconds = 10.0)
{
    auto *timer = new QTimer;
    QElapsedTimer since;
    since.start();
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() != QLatin1String("FrmLoadCompare") || !w->isVisible())
                continue;
            if (look)
                look(w);
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, key);
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (since.elapsed() > seconds * 1000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(50);
    return timer;
}

// What a program ended in a test may leave for the next start: an unsaved
// panel's recovery file, the channels a panel still owed. Each test starts
// afresh; a test of those files makes its own.
inline void forgetWhatTheLastProgramLeft()
{
    DesignRecovery().discard();
    HeldChannels().discard();
}

// The program preset to Ethernet against a virtual mixer chain on loopback
// TCP, with its own world; the mixers answer once the fixture is built.
struct EthernetProgram
{
    explicit EthernetProgram(const SimOptions &options, const QStringList &arguments = {"zkvr340a"},
                             const QByteArray &moreIni = {})
        : chain(options), program(world, arguments)
    {
        listening = front.listen("127.0.0.1", 0, error);
        writeIni("127.0.0.1", moreIni);
        qputenv("ZKVR340A_LINK", "ethernet");
        qputenv("ZKVR340A_TCP_PORT", QByteArray::number(front.port()));
    }
    ~EthernetProgram()
    {
        qunsetenv("ZKVR340A_TCP_PORT");
        // A program ended without the save question keeps its unsaved panel
        // for the next start; the next test starts afresh.
        DesignRecovery().discard();
    }
    // The master's RemoteOn byte of `channel` as the virtual mixer holds it.
    int remoteOnHeld(int channel) const { return chain.blockByte(1, channelKeyId(ChannelFamily::RemoteOn, channel)); }

    SimChain chain;
    SimTcpFront front{chain};
    QString error;
    bool listening = false;
    SystemClock clock;
    ScriptedDialogs dialogs;
    World world{clock, dialogs};
    Application program;
};
