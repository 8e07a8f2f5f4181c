// How close a firmware download over RS-232C comes to the line's own speed.
// The virtual mixer program paces its pseudo-terminal like a serial line of
// the given bit rate (ten bits a byte, each direction on its own); the PC
// prepares the main program's target with R and sends the image as one L
// message through MdlDownLoad, block by block with an acknowledge for each.
//
// The ideal line time is the time the line needs for every byte this
// exchange must carry one after the other: the request's frames, the
// acknowledge of each frame, and the frame of the reply. The figure is that
// ideal over the measured time from handing the L message to the link until
// its reply was taken (1.0 is the line itself); the median of several runs.
// Frames alone (the acknowledges counted as overhead) are printed too.
//
//     bench_firmware [--runs N] [--bytes N] [--rate BPS]

#include "bench/medianms.h"
#include "maintenance/mdldownload.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "link/comm.h"
#include "link/serialframe.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {
QTextStream out(stdout);
QTextStream err(stderr);

int option(const QStringList &args, const char *name, int fallback)
{
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

// Bytes on the line for one L exchange of `data` bytes, frames only and with
// the acknowledges the sender waits for.
struct LineBytes
{
    qint64 frames = 0;
    qint64 all = 0;
};
LineBytes lineBytes(int data)
{
    const int message = data + 3;
    const int reply = 3; // L, target, status
    const qint64 requestFrames = message + qint64(serialBlockCount(message)) * SerialWire::FrameOverhead;
    const qint64 replyFrame = reply + SerialWire::FrameOverhead;
    const qint64 acks = 2 * qint64(serialBlockCount(message));
    return LineBytes{requestFrames + replyFrame, requestFrames + acks + replyFrame};
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = std::max(1, option(args, "--runs", 5));
    const int bytes = std::clamp(option(args, "--bytes", 16 * 1024), 1, MaxImageBytes);
    const int rate = option(args, "--rate", 19200);

    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zkvr340a-sim"),
              {"--serial", "--line-rate", QString::number(rate)});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        err << "zkvr340a-sim did not start\n";
        return 1;
    }
    const QByteArray ready = sim.readLine();
    const qsizetype at = ready.indexOf("serial=");
    if (at < 0) {
        err << "no serial endpoint: " << ready;
        return 1;
    }
    const QString device = QString::fromLatin1(ready.mid(at + 7).split(' ').first().trimmed());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.bin"));
    QByteArray image(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        image[i] = char(i * 7);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(image) != bytes)
        return 1;
    f.close();

    LinkState link;
    link.linkKind = LinkKind::Rs232c;
    SystemClock clock;
    ScriptedDialogs dialogs;
    LinkEndpoints ep;
    ep.serialPort = device;
    MdlComm comm(link, clock, dialogs, ep);
    if (!comm.CommOpen()) {
        err << "cannot open " << device << '\n';
        return 1;
    }
    MdlDownLoad download(comm, dialogs);
    if (!download.LoadImage(path))
        return 1;

    const LineBytes line = lineBytes(bytes);
    const double byteTime = 10.0 / rate;
    const double ideal = double(line.all) * byteTime;
    const double framesOnly = double(line.frames) * byteTime;
    out << bytes << " bytes at " << rate << " bit/s: ideal line time " << ideal << " s (frames alone "
        << framesOnly << " s)\n";
    std::vector<double> ratios, frameRatios;
    for (int run = 1; run <= runs; ++run) {
        if (!download.PrepareTarget(0x4D))
            return 1;
        const double start = clock.now();
        if (!download.SendImage(0x4D, 0, bytes)) {
            err << "the image was not accepted: " << dialogs.texts().join(QLatin1Char(' ')) << '\n';
            return 1;
        }
        const double took = clock.now() - start;
        ratios.push_back(ideal / took);
        frameRatios.push_back(framesOnly / took);
        out << "run " << run << ": " << took << " s, " << ideal / took << " of the ideal line time\n";
        out.flush();
    }
    out << "median: " << median(ratios) << " of the ideal line time (" << median(frameRatios)
        << " counting the frames alone)\n";
    comm.CommClose();
    sim.terminate();
    sim.waitForFinished(5000);
    return 0;
}
