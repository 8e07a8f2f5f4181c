// How long `zkvr340a-ctl load` of a three-mixer settings file takes over USB
// (devbridge on the virtual mixer's FIFOs) and over Ethernet (loopback TCP),
// each the median of several runs. The file is what `save` wrote from the
// same virtual mixers, so every run sends and verifies the same values.
//
//     bench_ctlload [--runs N] [--mixers N]

#include <QCoreApplication>
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

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 5;
    int mixers = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--mixers"))
            mixers = std::clamp(args[i + 1].toInt(), 1, 16);
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
    if (runCtl({"--ethernet", tcp, "save", file}, env) < 0)
        return 1;

    std::vector<double> usb, ethernet;
    for (int i = 0; i < runs; ++i) {
        const double e = runCtl({"--ethernet", tcp, "load", file}, env);
        const double u = runCtl({"--usb", "load", file}, env);
        if (e < 0 || u < 0)
            return 1;
        ethernet.push_back(e);
        usb.push_back(u);
        out << "run " << i + 1 << ": ethernet " << e << " s, usb " << u << " s" << Qt::endl;
    }
    const double me = median(ethernet), mu = median(usb);
    out << "ctl load, " << mixers << " mixers, median of " << runs << ": ethernet " << me << " s, usb " << mu
        << " s, usb/ethernet " << mu / me << Qt::endl;
    ::kill(pid_t(sim.processId()), SIGTERM);
    sim.waitForFinished(5000);
    return 0;
}
