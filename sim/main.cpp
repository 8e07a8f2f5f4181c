// zkvr340a-sim: a chain of virtual mixers behind the three links of the real
// hardware (TCP, a pseudo-terminal speaking the serial block protocol, and a
// FIFO pair in the form the Linux devbridge opens). Once every endpoint is
// ready it prints one line starting with "ready" that names them, so scripts
// and tests can connect; SIGTERM or SIGINT ends it cleanly.

#include "base/strings.h"
#include "sim/simargs.h"
#include "sim/simchain.h"
#include "sim/simsearch.h"
#include "sim/simserial.h"
#include "sim/simtcp.h"
#include "sim/simusb.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr int SimManual = 10800; // --help: the whole manual, not just the usage
constexpr int SimFirmwareManual = 11233; // its part on the firmware download

int g_signalPipe[2] = {-1, -1};

// What a signal asks for, as the byte it puts in the pipe.
constexpr char QuitByte = 1;
constexpr char PowerCycleByte = 2;

extern "C" void onSignal(int signal)
{
    const char byte = signal == SIGUSR1 ? PowerCycleByte : QuitByte;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

void printLine(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Signals arrive through a pipe so that the event loop ends normally and
// every endpoint is torn down by its destructor (the FIFOs are removed).
// SIGUSR1 switches the mixer off and on (the USB device goes and comes back).
bool installSignalPipe(QCoreApplication &app, std::unique_ptr<QSocketNotifier> &notifier,
                       std::function<void()> powerCycle)
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction sa{};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGUSR1, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &app, [&app, powerCycle] {
        char byte = 0;
        while (::read(g_signalPipe[0], &byte, 1) == 1) {
            if (byte == PowerCycleByte)
                powerCycle();
            else
                app.quit();
        }
    });
    return true;
}

// The links the chain is reached by, each opened as the command line asks,
// and the words of the ready line that name them.
struct SimEndpoints
{
    std::unique_ptr<SimTcpFront> tcp;
    std::unique_ptr<SimSerialFront> serial;
    std::unique_ptr<SimUsbDevice> usb;
    std::unique_ptr<SimSearchResponder> search;
    QStringList names;
};

bool openTcp(SimChain &chain, const SimProgramOptions &o, SimEndpoints &ep, QString &error)
{
    ep.tcp = std::make_unique<SimTcpFront>(chain);
    ep.tcp->setCutAfter(o.cutAfter);
    if (!ep.tcp->listen(o.tcpHost, o.tcpPort, error))
        return false;
    ep.names << QStringLiteral("tcp=%1:%2").arg(o.tcpHost).arg(ep.tcp->port());
    return true;
}

bool openSerial(SimChain &chain, const SimProgramOptions &o, SimEndpoints &ep, QString &error)
{
    ep.serial = std::make_unique<SimSerialFront>(chain);
    ep.serial->setLineRate(o.lineRate);
    if (!ep.serial->open(error))
        return false;
    ep.names << QStringLiteral("serial=%1").arg(ep.serial->slavePath());
    return true;
}

bool openUsb(SimChain &chain, const SimProgramOptions &o, SimEndpoints &ep, QString &error)
{
    ep.usb = std::make_unique<SimUsbDevice>(chain, o.usbDir, o.usbName);
    QObject::connect(ep.usb.get(), &SimUsbDevice::poweredOff, [] { printLine(str(11231)); });
    QObject::connect(ep.usb.get(), &SimUsbDevice::poweredOn, [] { printLine(str(11232)); });
    if (!ep.usb->start(error))
        return false;
    ep.names << QStringLiteral("usb=%1").arg(ep.usb->devicePath());
    return true;
}

bool openSearch(SimChain &chain, const SimProgramOptions &o, SimEndpoints &ep, QString &error)
{
    ep.search = std::make_unique<SimSearchResponder>(chain);
    const QString searchHost = o.searchHost.isEmpty() ? o.tcpHost : o.searchHost;
    if (!ep.search->bind(searchHost, quint16(o.searchPort), o.replyPort, error))
        return false;
    ep.names << QStringLiteral("search=%1:%2").arg(searchHost).arg(ep.search->port());
    return true;
}

bool openEndpoints(SimChain &chain, const SimProgramOptions &o, SimEndpoints &ep, QString &error)
{
    return (!o.tcp || openTcp(chain, o, ep, error)) && (!o.serial || openSerial(chain, o, ep, error))
           && (o.usbDir.isEmpty() || openUsb(chain, o, ep, error))
           && (o.searchPort < 0 || openSearch(chain, o, ep, error));
}

// A line for what arrives: with --log-writes each request that changes
// something (its two letters, then its bytes in hexadecimal: "write DS 02 2B
// 28"), and always each firmware command, so a script sees what arrived.
void reportArrivals(SimChain &chain, bool logWrites)
{
    if (logWrites) {
        chain.onWrite = [](const QByteArray &rq) {
            printLine(str(12720).arg(QString::fromLatin1(rq.left(2)), QString::fromLatin1(rq.mid(2, 16).toHex(' ').toUpper())));
        };
        chain.onOverlap = [](const QByteArray &rq) {
            printLine(str(14350).arg(QString::fromLatin1(rq.left(2)), QString::fromLatin1(rq.mid(2, 16).toHex(' ').toUpper())));
        };
    }
    chain.onDownload = [](const SimDownload &d) {
        const QString target = QStringLiteral("%1").arg(d.target, 2, 16, QLatin1Char('0')).toUpper();
        QString line = d.command == SimWire::R
            ? str(10661).arg(target)
            : str(10662).arg(target).arg(d.data.size()).arg(QStringLiteral("%1").arg(d.sum(), 2, 16, QLatin1Char('0')).toUpper());
        if (!d.accepted())
            line = str(11230).arg(line).arg(d.status);
        printLine(line);
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const SimParseResult parsed = parseSimArguments(app.arguments().mid(1));
    if (!parsed.ok) {
        std::fprintf(stderr, "zkvr340a-sim: %s\n%s", qPrintable(parsed.error), qPrintable(simUsage()));
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(qPrintable(str(SimManual) + str(SimFirmwareManual)), stdout);
        return 0;
    }
    const SimProgramOptions &o = parsed.options;
    SimChain chain(o.chain);
    SimEndpoints endpoints;
    std::unique_ptr<QSocketNotifier> signalNotifier;
    const auto powerCycle = [&endpoints, &chain] {
        if (endpoints.usb)
            endpoints.usb->powerCycle();
        else
            chain.powerCycle();
    };
    if (!installSignalPipe(app, signalNotifier, powerCycle)) {
        std::fprintf(stderr, "zkvr340a-sim: %s\n", qPrintable(str(9731)));
        return 1;
    }
    QString error;
    if (!openEndpoints(chain, o, endpoints, error)) {
        std::fprintf(stderr, "zkvr340a-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("ready %s mixers=%d\n", qPrintable(endpoints.names.join(QLatin1Char(' '))), chain.mixerCount());
    std::fflush(stdout);
    reportArrivals(chain, o.logWrites);
    return app.exec();
}
