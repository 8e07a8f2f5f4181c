// `firmware KIND FILE`: downloads firmware into the mixer attached to the
// link, as the program's download menu does: KIND 1 main program, 2 FPGA
// data, 3 writer program (the older model, one image each), 4 a model file of
// the newer model. The file is read and checked before the link opens, so a
// file that cannot be sent sends nothing at all. While the data travels, a
// progress line on stderr counts the bytes the link has taken.

#include "base/dialogs.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "link/comm.h"
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
} // namespace Msg

constexpr int BarWidth = 30;
constexpr int RefreshMs = 200;

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

// The progress indicator: on a terminal one line rewritten in place; in a
// log a line at every tenth of the way.
class ProgressMeter
{
public:
    explicit ProgressMeter(QTextStream &err) : m_err(err), m_terminal(::isatty(STDERR_FILENO) == 1) {}

    void show(const DownloadProgress &p)
    {
        const int tenth = p.total > 0 ? int(std::clamp<qint64>(p.done, 0, p.total) * 10 / p.total) : 0;
        const QString line = progressLine(p);
        if (m_terminal) {
            if (line == m_last)
                return;
            m_err << '\r' << line;
        } else {
            if (tenth == m_lastTenth)
                return;
            m_err << line << '\n';
            m_lastTenth = tenth;
        }
        m_last = line;
        m_err.flush();
    }

    void finish(const DownloadProgress &p)
    {
        show(p);
        if (m_terminal)
            m_err << '\n';
        m_err.flush();
    }

private:
    QTextStream &m_err;
    bool m_terminal;
    QString m_last;
    int m_lastTenth = -1;
};

std::optional<DownloadKind> kindOf(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? downloadKind(n) : std::nullopt;
}

} // namespace

QString checkFirmwareArgs(const QStringList &args)
{
    if (args.size() != 2 || args[1].isEmpty())
        return str(Msg::Usage);
    if (!kindOf(args[0]))
        return str(Msg::Kinds);
    return {};
}

CliExit runFirmwareCommand(CliContext &context, const QStringList &args)
{
    context.requireWriteAccess(QStringLiteral("firmware"));
    const DownloadKind kind = *kindOf(args[0]);
    const QString path = args[1];
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

    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    DownloadHooks hooks;
    hooks.chooseFile = [path](DownloadKind) { return path; };
    hooks.showProgress = [&context](const std::function<bool()> &transfer,
                                    const std::function<DownloadProgress()> &progress) {
        ProgressMeter meter(context.err());
        QTimer refresh;
        QObject::connect(&refresh, &QTimer::timeout, [&] { meter.show(progress()); });
        meter.show(progress());
        refresh.start(RefreshMs);
        const bool ok = transfer();
        refresh.stop();
        meter.finish(progress());
        return ok;
    };
    hooks.powerCycle = [&context] {
        context.err() << str(Msg::PowerCycle) << Qt::endl;
        // Someone at a terminal says when the mixer is on again; a script
        // that runs the tool has seen to it beforehand.
        if (::isatty(STDIN_FILENO) == 1) {
            context.err() << str(Msg::PressEnter) << Qt::flush;
            char line[256];
            [[maybe_unused]] const char *got = std::fgets(line, sizeof line, stdin);
        }
    };
    MdlDownLoad download(*comm, comm->dialogs(), std::move(hooks));
    // Every failure has shown its message on stderr already.
    return download.DownloadRun(int(kind)) == MdlDownLoad::Outcome::Done ? CliExit::Ok : CliExit::NoMixer;
}
