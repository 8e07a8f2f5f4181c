// How long `zkvr340a-ctl load` of a settings file takes over USB (devbridge
// on the virtual mixer's FIFOs) and over Ethernet (loopback TCP), each the
// median of several runs. The files are what `save` wrote from the same
// virtual mixers and a variant of it that differs in one value (the last
// mixer's InputGain_3), in every value a load sends, or in none; the runs
// load the two in turn, so every load finds the mixers differing from its
// file by that much. --full loads with `load --full`.
//
//     bench_ctlload [--runs N] [--mixers N] [--differ none|one|every] [--full]

#include "bench/medianms.h"
#include "bench/settingsvariants.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <csignal>
#include <vector>

namespace {
QTextStream out(stdout);
QTextStream err(stderr);

QString beside(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// Runs the tool once; its wall time in seconds, or -1 when it failed.
double runCtl(const QStringList &args, const QProcessEnvironment &env)
{
    QProcess ctl;
    ctl.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    ctl.start(beside("zkvr340a-ctl"), args);
    if (!ctl.waitForFinished(600000) || ctl.exitStatus() != QProcess::NormalExit || ctl.exitCode() != 0) {
        err << "zkvr340a-ctl " << args.join(' ') << " failed: " << ctl.readAllStandardError() << Qt::endl;
        return -1;
    }
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 5;
    int mixers = 3;
    Differ differ = Differ::One;
    const QStringList args = app.arguments();
    const bool full = args.contains(QLatin1String("--full"));
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--mixers"))
            mixers = std::clamp(args[i + 1].toInt(), 1, 16);
        else if (args[i] == QLatin1String("--differ"))
            differ = args[i + 1] == QLatin1String("none")    ? Differ::None
                     : args[i + 1] == QLatin1String("every") ? Differ::Every
                                                             : Differ::One;
    }

    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("usb"));
    QProcess sim;
    sim.start(beside("zkvr340a-sim"),
              {"--tcp", "0", "--usb", dir.filePath("usb"), "--mixers", QString::number(mixers)});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(10000)) {
        err << "the virtual mixer did not start" << Qt::endl;
        return 1;
    }
    const QByteArray ready = sim.readLine().trimmed();
    QString tcp;
    for (const QByteArray &word : ready.split(' '))
        if (word.startsWith("tcp="))
            tcp = QString::fromLatin1(word.mid(4));
    if (!ready.startsWith("ready") || tcp.isEmpty()) {
        err << "unexpected answer of the virtual mixer: " << ready << Qt::endl;
        return 1;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DEVBRIDGE_DEVICE_ROOT", dir.filePath("usb"));
    const QString file = dir.filePath("system.ini");
    const QString other = dir.filePath("other.ini");
    if (runCtl({"--ethernet", tcp, "save", file}, env) < 0)
        return 1;
    {
        QFile saved(file), variant(other);
        if (!saved.open(QIODevice::ReadOnly) || !variant.open(QIODevice::WriteOnly))
            return 1;
        variant.write(differingFile(saved.readAll(), differ));
    }
    const QStringList load = full ? QStringList{"load", "--full"} : QStringList{"load"};

    std::vector<double> usb, ethernet;
    for (int i = 0; i < runs; ++i) {
        // The mixers hold `file`: Ethernet loads the other, USB this one back.
        const double e = runCtl(QStringList{"--ethernet", tcp} + load + QStringList{other}, env);
        const double u = runCtl(QStringList{"--usb"} + load + QStringList{file}, env);
        if (e < 0 || u < 0)
            return 1;
        ethernet.push_back(e);
        usb.push_back(u);
        out << "run " << i + 1 << ": ethernet " << e << " s, usb " << u << " s" << Qt::endl;
    }
    const double me = median(ethernet), mu = median(usb);
    out << "ctl load" << (full ? " --full" : "") << ", " << mixers << " mixers, file differing in "
        << differName(differ) << ", median of " << runs << ": ethernet " << me << " s, usb " << mu
        << " s, usb/ethernet " << mu / me << Qt::endl;
    ::kill(pid_t(sim.processId()), SIGTERM);
    sim.waitForFinished(5000);
    return 0;
}
