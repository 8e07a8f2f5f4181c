#include "app/ui/remoteoperation.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "base/clock.h"
#include "link/linkstate.h"
#include "remote/controlserver.h"
#include "remote/remotemeeting.h"
#include "remote/remotemetrics.h"
#include "remote/remoteserver.h"
#include "remote/ui/frmremote.h"

#include <QApplication>
#include <QMessageBox>

RemoteOperation::RemoteOperation(RemoteHost host, Dialogs &dialogs)
    : m_host(std::move(host)), m_dialogs(dialogs), m_sync(std::make_unique<RemoteSyncView>()),
      m_metrics(std::make_unique<RemoteMetrics>())
{
    RemoteHost served = m_host;
    served.metrics = [this] { return metrics(); };
    m_control = std::make_unique<ControlServer>(served, *m_sync);
    m_server = std::make_unique<RemoteServer>(std::move(served), *m_sync);
}

RemoteOperation::~RemoteOperation() = default;

RemoteOperation::CommandLine RemoteOperation::parseArguments(const QStringList &arguments, QString &error)
{
    CommandLine out;
    const int a = arguments.indexOf(QStringLiteral("--remote"));
    const int t = arguments.indexOf(QStringLiteral("--remote-tokens"));
    const int c = arguments.indexOf(QStringLiteral("--control"));
    if (t >= 0 && t + 1 < arguments.size())
        out.tokenFile = arguments[t + 1];
    if (c >= 0) {
        out.control = c + 1 < arguments.size()
                      && parseListenAddress(arguments[c + 1], out.controlAddress, out.controlPort);
        if (!out.control)
            error = str(14600);
    }
    if (a < 0 && (t < 0 || c >= 0))
        return out;
    out.requested = true;
    if (a < 0 || t < 0 || a + 1 >= arguments.size() || t + 1 >= arguments.size()) {
        error = str(12435);
        return out;
    }
    if (!parseListenAddress(arguments[a + 1], out.address, out.port)) {
        error = str(12419);
        return out;
    }
    return out;
}

void RemoteOperation::start(const QStringList &arguments)
{
    QString error;
    const CommandLine line = parseArguments(arguments, error);
    auto warn = [this](int id, const QString &why) {
        m_dialogs.message(str(id).arg(why), MsgButtons::Ok, MsgIcon::Warning, str(StrId::AppTitle));
    };
    if (line.control && error.isEmpty())
        startControl(line);
    const RemoteSettings settings = RemoteSettings::load();
    if (!m_controlFromCommandLine && !line.control && settings.controlEnabled) {
        if (const QString why = applyControl(settings); !why.isEmpty())
            warn(14602, why);
    }
    if (line.requested) {
        RemoteTokens tokens;
        if (error.isEmpty() && readTokenFile(line.tokenFile, tokens, error)
            && m_server->start(line.address, line.port, tokens, error)) {
            RemoteSettings running;
            running.enabled = true;
            running.address = line.address;
            running.port = m_server->port();
            running.tokens = tokens;
            m_commandLine = running;
            m_tokenFile = line.tokenFile;
        }
        if (!error.isEmpty())
            warn(12434, error);
        return;
    }
    if (!error.isEmpty())
        return warn(14602, error);
    if (settings.enabled
        && !m_server->start(settings.address, settings.port, settings.tokens, error, settings.certificateFile,
                            settings.keyFile))
        warn(12434, error);
}

void RemoteOperation::startControl(const CommandLine &line)
{
    QString error;
    RemoteTokens tokens = RemoteSettings::load().tokens;
    if (line.tokenFile.isEmpty() || readTokenFile(line.tokenFile, tokens, error))
        m_control->start(line.controlAddress, line.controlPort, tokens, error);
    if (!error.isEmpty())
        m_dialogs.message(str(14602).arg(error), MsgButtons::Ok, MsgIcon::Warning, str(StrId::AppTitle));
    m_controlFromCommandLine = m_control->running();
    m_controlAddress = line.controlAddress;
}

void RemoteOperation::stop()
{
    m_server->stop();
    m_control->stop();
}

QString RemoteOperation::apply(const RemoteSettings &settings)
{
    QString error;
    if (!settings.enabled)
        m_server->stop();
    else
        m_server->start(settings.address, settings.port, settings.tokens, error, settings.certificateFile,
                        settings.keyFile);
    QStringList said;
    if (!error.isEmpty())
        said << str(12434).arg(error);
    if (const QString control = m_controlFromCommandLine ? QString() : applyControl(settings); !control.isEmpty())
        said << str(14602).arg(control);
    return said.join(u'\n');
}

QString RemoteOperation::applyControl(const RemoteSettings &settings)
{
    if (!settings.controlEnabled) {
        m_control->stop();
        return {};
    }
    QString error;
    m_control->start(settings.address, settings.controlPort, settings.tokens, error);
    return error;
}

void RemoteOperation::observe()
{
    // A value's change of state refreshes the server by itself (the view's
    // changed()); the link count or the panel change without one.
    m_server->refresh();
    m_control->refresh();
    // A good poll: the link is up and mixers answer on it.
    const LinkState &link = m_host.link;
    const bool good = !link.offline() && !link.down() && !link.closed && m_host.mixers.MixerCount > 0;
    m_metrics->notePoll(good, m_host.clock.now());
}

QByteArray RemoteOperation::metrics() const
{
    MetricsFigures f;
    f.system = snapshotOf(m_host, *m_sync);
    if (const auto last = m_metrics->lastGoodPoll())
        f.sinceGoodPoll = m_host.clock.now() - *last;
    f.writesVerified = m_metrics->writesVerified();
    f.writesFailed = m_metrics->writesFailed();
    f.reconnects = m_host.link.reconnects;
    f.pageClients = m_server->pageClients();
    f.interfaceClients = m_server->interfaceClients();
    f.lineClients = m_control->clients();
    if (const MeetingConsole *console = m_host.meeting ? m_host.meeting() : nullptr)
        f.more = meetingMetricsText(meetingJson(*console));
    return metricsText(f);
}

void RemoteOperation::linkOpened(SyncStatus *sync)
{
    m_sync->attach(sync);
    m_metrics->attach(sync);
}

void RemoteOperation::showDialog(QWidget *parent)
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    FrmRemote::Hooks hooks;
    hooks.apply = [this](const RemoteSettings &s) { return apply(s); };
    hooks.listeningPort = [this] { return m_server->port(); };
    hooks.clients = [this] { return m_server->eventClients(); };
    hooks.controlPort = [this] { return m_control->port(); };
    hooks.controlClients = [this] { return m_control->clients(); };
    auto *dialog = new FrmRemote(m_commandLine ? *m_commandLine : RemoteSettings::load(), m_dialogs, std::move(hooks),
                                 parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (m_commandLine)
        dialog->showCommandLine(str(13410).arg(m_commandLine->address).arg(m_commandLine->port).arg(m_tokenFile));
    if (m_controlFromCommandLine)
        dialog->showControlCommandLine(str(14607).arg(m_controlAddress).arg(m_control->port()));
    QObject::connect(m_server.get(), &RemoteServer::clientsChanged, dialog, &FrmRemote::refreshState);
    QObject::connect(m_control.get(), &ControlServer::clientsChanged, dialog, &FrmRemote::refreshState);
    m_dialog = dialog;
    dialog->show();
}

QString RemoteOperation::blockingWindow()
{
    const QWidget *w = QApplication::activeModalWidget();
    if (!w || w->objectName() == QLatin1String("FrmMsg") || w->objectName() == QLatin1String("FrmProgressBar"))
        return {};
    return qobject_cast<const QMessageBox *>(w) ? QStringLiteral("message") : QStringLiteral("dialog");
}

FrmRemote *RemoteOperation::dialog() const
{
    return m_dialog;
}
