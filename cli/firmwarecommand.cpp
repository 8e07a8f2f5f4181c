// `firmware KIND FILE [--power-cycled] [--any-model]`: downloads firmware into
// the mixer attached to the link, as the program's download menu does: KIND
// 1 main program, 2 FPGA data, 3 writer program (the older model, one image
// each), 4 a model file of the newer model. Everything that can refuse the
// download comes before the first byte goes out: the file is read and checked
// before the link opens, a script over USB must say who switches the mixer
// off and on, and an image for the other family than the attached mixer's
// needs --any-model (or a yes on a terminal). While the data travels, a
// progress line on stderr counts the bytes the link has taken and says what
// the mixer is doing. The tool ends once the final step was accepted: the
// mixer restarts on its own, and nothing reconnects to it.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/progressline.h"
#include "mixer/activitylog.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/statusreplies.h"
#include "link/usbtransport.h"
#include "maintenance/mdldownload.h"

#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

namespace Msg {
constexpr int Usage = 10670;
constexpr int Kinds = 10671;
constexpr int Missing = 10672;
constexpr int CannotSend = 10673;
constexpr int PressEnter = 10674;
constexpr int ProgressLine = 10675;
constexpr int PowerCycle = 10655;
constexpr int UsbInScript = 11220;
constexpr int NoPowerCycle = 11221;
constexpr int AskAnyway = 11222;
constexpr int NeedsAnyModel = 11223;
constexpr int WatchingPower = 11224;
constexpr int UnknownOption = 11225;
} // namespace Msg

const QString PowerCycledOption = QStringLiteral("--power-cycled");
const QString AnyModelOption = QStringLiteral("--any-model");

constexpr int BarWidth = 30;
constexpr int RefreshMs = 200;
// How often the USB device is looked for while the mixer is switched off and on.
constexpr double PowerProbeSeconds = 0.1;

bool stdinIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

// "[##########--------------------]  33%  5461/16384 bytes"
QString progressLine(const DownloadProgress &p)
{
    const qint64 total = std::max<qint64>(p.total, 1);
    const qint64 done = std::clamp<qint64>(p.done, 0, total);
    const int filled = int(done * BarWidth / total);
    const QString bar = QString(filled, QLatin1Char('#')) + QString(BarWidth - filled, QLatin1Char('-'));
    return str(Msg::ProgressLine)
        .arg(bar)
        .arg(int(done * 100 / total), 3)
        .arg(done)
        .arg(p.total);
}

// The progress indicator: on a terminal one line rewritten in place, the
// step under way after the bar; in a log a line at every tenth of the way
// and one for each new step; nothing with --quiet.
class ProgressMeter
{
public:
    ProgressMeter(QTextStream &err, bool quiet)
        : m_err(err), m_line(err, !quiet && ::isatty(STDERR_FILENO) == 1), m_log(!quiet && !m_line.shown())
    {
    }

    void show(const DownloadProgress &p)
    {
        const QString bar = progressLine(p);
        const QString step = downloadStepText(p);
        if (m_line.shown()) {
            m_line.show(bar + QStringLiteral("  ") + step);
            return;
        }
        if (!m_log)
            return;
        const int tenth = p.total > 0 ? int(std::clamp<qint64>(p.done, 0, p.total) * 10 / p.total) : 0;
        const auto stepKey = std::make_pair(p.step, p.target);
        if (stepKey != m_lastStep)
            m_err << step << '\n';
        if (tenth != m_lastTenth)
            m_err << bar << '\n';
        m_lastStep = stepKey;
        m_lastTenth = tenth;
        m_err.flush();
    }

    void finish(const DownloadProgress &p)
    {
        show(p);
        m_line.finish();
    }

private:
    QTextStream &m_err;
    ProgressLine m_line;
    bool m_log;
    int m_lastTenth = -1;
    std::pair<DownloadStep, quint8> m_lastStep{DownloadStep::Preparing, 0xFF};
};

// Whether the mixer's USB device is there: devbridge finds and opens it.
bool usbDevicePresent(Clock &clock, const QString &library)
{
    UsbTransport probe(clock, library);
    const bool present = probe.open() == OpenOutcome::Opened;
    probe.close();
    return present;
}

// After R over USB the mixer is switched off and on by whoever the caller
// arranged; the download goes on once its device has gone and come back.
bool waitForPowerCycle(CliContext &context, double limit)
{
    context.err() << str(Msg::WatchingPower).arg(limit) << Qt::endl;
    Clock &clock = context.clock();
    const QString library = context.devbridgeLibrary();
    const double deadline = clock.now() + limit;
    for (const bool wanted : {false, true}) {
        while (usbDevicePresent(clock, library) != wanted) {
            if (clock.now() >= deadline) {
                context.err() << str(Msg::NoPowerCycle).arg(limit) << Qt::endl;
                return false;
            }
            clock.pause(PowerProbeSeconds);
        }
    }
    return true;
}

// The master's model code: MN, or for a master that does not know MN but
// answers IR, the newer model; -1 when nothing answers (a mixer still in
// download mode, say), and then no family is checked.
int readMasterModel(MdlComm &comm)
{
    MixerProtocol protocol(comm);
    const MixerProtocol::FirstReply mn = protocol.sendAndJudgeFirst(modelRequest(1));
    if (mn.valid)
        return decodeModelReply(mn.reply.data(), mn.count - Wire::TrailerSize).value_or(0);
    return protocol.sendAndJudgeFirst(networkReadRequest()).valid ? 1 : -1;
}

std::optional<DownloadKind> kindOf(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? downloadKind(n) : std::nullopt;
}

struct FirmwareArgs
{
    QStringList positional;
    bool powerCycled = false;
    bool anyModel = false;
    QString unknown; // the first option the command does not know
};

FirmwareArgs splitArgs(const QStringList &args)
{
    FirmwareArgs r;
    for (const QString &a : args) {
        if (a == PowerCycledOption)
            r.powerCycled = true;
        else if (a == AnyModelOption)
            r.anyModel = true;
        else if (a.startsWith(QLatin1String("--")) && r.unknown.isEmpty())
            r.unknown = a;
        else
            r.positional << a;
    }
    return r;
}

} // namespace

QString checkFirmwareArgs(const QStringList &args)
{
    const FirmwareArgs a = splitArgs(args);
    if (!a.unknown.isEmpty())
        return str(Msg::UnknownOption).arg(a.unknown);
    if (a.positional.size() != 2 || a.positional[1].isEmpty())
        return str(Msg::Usage);
    if (!kindOf(a.positional[0]))
        return str(Msg::Kinds);
    return {};
}

CliExit runFirmwareCommand(CliContext &context, const QStringList &args)
{
    context.requireWriteAccess(QStringLiteral("firmware"));
    const FirmwareArgs options = splitArgs(args);
    const DownloadKind kind = *kindOf(options.positional[0]);
    const QString path = options.positional[1];
    const QString shown = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        context.err() << str(Msg::Missing).arg(shown) << Qt::endl;
        return CliExit::NoMixer;
    }
    const FirmwareImage file = readFirmwareFile(kind, path);
    if (file.check != FirmwareCheck::Valid) {
        context.err() << str(Msg::CannotSend).arg(shown, firmwareCheckMessage(file)) << Qt::endl;
        return CliExit::NoMixer;
    }
    // Over USB the mixer must be switched off and on once it has taken R:
    // someone at the terminal says when, or the caller has seen to it and
    // the tool watches the device. A script that did neither would leave
    // the mixer waiting in download mode.
    const bool usb = context.link().kind == CliLink::Kind::Usb;
    if (usb && !options.powerCycled && !stdinIsTerminal()) {
        context.err() << str(Msg::UsbInScript) << Qt::endl;
        return CliExit::NoMixer;
    }

    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    DownloadHooks hooks;
    hooks.chooseFile = [path](DownloadKind) { return path; };
    hooks.masterModel = [comm] { return readMasterModel(*comm); };
    hooks.confirm = [&context, &options](const QString &question) {
        context.err() << question << Qt::endl;
        if (options.anyModel)
            return true;
        if (!stdinIsTerminal()) {
            context.err() << str(Msg::NeedsAnyModel) << Qt::endl;
            return false;
        }
        context.err() << str(Msg::AskAnyway) << Qt::flush;
        char line[256] = {};
        const char *got = std::fgets(line, sizeof line, stdin);
        return got && (line[0] == 'y' || line[0] == 'Y');
    };
    hooks.showProgress = [&context](const std::function<bool()> &transfer,
                                    const std::function<DownloadProgress()> &progress) {
        ProgressMeter meter(context.err(), context.quiet());
        QTimer refresh;
        QObject::connect(&refresh, &QTimer::timeout, [&] { meter.show(progress()); });
        meter.show(progress());
        refresh.start(RefreshMs);
        const bool ok = transfer();
        refresh.stop();
        meter.finish(progress());
        return ok;
    };
    hooks.powerCycle = [&context, &options] {
        context.err() << str(Msg::PowerCycle) << Qt::endl;
        if (options.powerCycled)
            return waitForPowerCycle(context, context.link().connectSeconds);
        context.err() << str(Msg::PressEnter) << Qt::flush;
        char line[256];
        [[maybe_unused]] const char *got = std::fgets(line, sizeof line, stdin);
        return true;
    };
    // Once the final step was accepted the mixer restarts; the download is
    // done, and a connection tried now would only find it away.
    hooks.reopenAfterModelFile = false;
    MdlDownLoad download(*comm, comm->dialogs(), std::move(hooks));
    // Every failure has shown its message on stderr already.
    const MdlDownLoad::Outcome outcome = download.DownloadRun(int(kind));
    if (outcome != MdlDownLoad::Outcome::NoRequest && outcome != MdlDownLoad::Outcome::Cancelled)
        context.activity().add(ActivityKind::Download, 1, args.join(u' '),
                               outcome == MdlDownLoad::Outcome::Done ? ActivityOutcome::Done : ActivityOutcome::Failed);
    return outcome == MdlDownLoad::Outcome::Done ? CliExit::Ok : CliExit::NoMixer;
}
