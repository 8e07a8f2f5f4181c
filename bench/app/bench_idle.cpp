// Prints the CPU seconds per wall second that the program uses when left
// alone: offline (nothing to do) or polling virtual mixers over loopback TCP.
//
//   bench_idle [--link offline|ethernet|usb] [--seconds N] [--mixers N] [--runs N]
//
// Each run starts bin/zkvr340a on the offscreen platform, lets it settle for a
// second, then reads its CPU time from /proc over N seconds. The median of the
// runs is printed beside each run's figure.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

double cpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = f.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    // utime and stime are fields 14 and 15 of the whole line, 12 and 13 here.
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

QString binDir()
{
    const QByteArray env = qgetenv("ZKVR340A_BIN_DIR");
    return env.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(env);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({"link", "offline, ethernet or usb", "kind", "offline"});
    p.addOption({"seconds", "measured seconds per run", "s", "20"});
    p.addOption({"mixers", "virtual mixers for ethernet and usb", "n", "3"});
    p.addOption({"runs", "runs", "n", "3"});
    p.process(app);
    const QString link = p.value("link");
    const double seconds = p.value("seconds").toDouble();
    const int runs = std::max(1, p.value("runs").toInt());

    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("XDG_CONFIG_HOME", home.path());
        env.insert("ZKVR340A_LINK", link);

        QProcess sim;
        if (link == QLatin1String("ethernet")) {
            sim.setProgram(binDir() + "/zkvr340a-sim");
            sim.setArguments({"--tcp", "127.0.0.1:0", "--mixers", p.value("mixers")});
            sim.start();
            if (!sim.waitForReadyRead(10000)) {
                std::fprintf(stderr, "virtual mixer did not start\n");
                return 1;
            }
            const QString ready = QString::fromLocal8Bit(sim.readLine()).trimmed();
            const QString tcp = ready.section("tcp=", 1).section(' ', 0, 0);
            env.insert("ZKVR340A_TCP_PORT", tcp.section(':', -1));
            QDir(home.path()).mkpath("ZK-VR340a");
            QFile ini(home.path() + "/ZK-VR340a/ZK-VR340a.ini");
            ini.open(QIODevice::WriteOnly);
            ini.write("[IP_Setting]\r\nIP_Address=" + tcp.section(':', 0, 0).toLatin1()
                      + "\r\nUser_ID=administrator\r\n");
        } else if (link == QLatin1String("usb")) {
            const QString devices = home.path() + "/usb";
            QDir().mkpath(devices);
            sim.setProgram(binDir() + "/zkvr340a-sim");
            sim.setArguments({"--usb", devices, "--mixers", p.value("mixers")});
            sim.start();
            if (!sim.waitForReadyRead(10000)) {
                std::fprintf(stderr, "virtual mixer did not start\n");
                return 1;
            }
            env.insert("DEVBRIDGE_DEVICE_ROOT", devices);
        }

        QProcess prog;
        prog.setProcessEnvironment(env);
        prog.start(binDir() + "/zkvr340a", {});
        if (!prog.waitForStarted(10000)) {
            std::fprintf(stderr, "program did not start\n");
            return 1;
        }
        QThread::sleep(2); // start-up and the first polls
        const double cpu0 = cpuSeconds(prog.processId());
        QElapsedTimer wall;
        wall.start();
        QThread::msleep(qint64(seconds * 1000));
        const double cpu1 = cpuSeconds(prog.processId());
        const double ratio = (cpu1 - cpu0) / (double(wall.nsecsElapsed()) / 1e9);
        const bool alive = prog.state() == QProcess::Running;
        prog.kill();
        prog.waitForFinished();
        sim.terminate();
        sim.waitForFinished();
        if (!alive || cpu0 < 0) {
            std::fprintf(stderr, "program ended during the run\n");
            return 1;
        }
        ratios.push_back(ratio);
        std::printf("run %d: %.4f CPU s per wall s\n", run + 1, ratio);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("idle %s: median %.4f CPU s per wall s over %d runs of %.0f s (target < 0.02)\n",
                qPrintable(link), ratios[ratios.size() / 2], runs, seconds);
    return 0;
}
