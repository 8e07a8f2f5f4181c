#include "app/ui/remoteoperation.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "remote/remoteserver.h"
#include "remote/ui/frmremote.h"

#include <QApplication>
#include <QMessageBox>

RemoteOperation::RemoteOperation(RemoteHost host, Dialogs &dialogs)
    : m_dialogs(dialogs), m_sync(std::make_unique<RemoteSyncView>())
{
    m_server = std::make_unique<RemoteServer>(std::move(host), *m_sync);
}

RemoteOperation::~RemoteOperation() = default;

RemoteOperation::CommandLine RemoteOperation::parseArguments(const QStringList &arguments, QString &error)
{
    CommandLine out;
    const int a = arguments.indexOf(QStringLiteral("--remote"));
    const int t = arguments.indexOf(QStringLiteral("--remote-tokens"));
    if (a < 0 && t < 0)
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
    out.tokenFile = arguments[t + 1];
    return out;
}

void RemoteOperation::start(const QStringList &arguments)
{
    QString error;
    const CommandLine line = parseArguments(arguments, error);
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
            m_dialogs.message(str(12434).arg(error), MsgButtons::Ok, MsgIcon::Warning, str(StrId::AppTitle));
        return;
    }
    const RemoteSettings settings = RemoteSettings::load();
    if (!settings.enabled)
        return;
    error = apply(settings);
    if (!error.isEmpty())
        m_dialogs.message(str(12434).arg(error), MsgButtons::Ok, MsgIcon::Warning, str(StrId::AppTitle));
}

void RemoteOperation::stop()
{
    m_server->stop();
}

QString RemoteOperation::apply(const RemoteSettings &settings)
{
    if (!settings.enabled) {
        m_server->stop();
        return {};
    }
    QString error;
    m_server->start(settings.address, settings.port, settings.tokens, error, settings.certificateFile,
                    settings.keyFile);
    return error;
}

void RemoteOperation::observe()
{
    // A value's change of state refreshes the server by itself (the view's
    // changed()); the link count or the panel change without one.
    m_server->refresh();
}

void RemoteOperation::linkOpened(SyncStatus *sync)
{
    m_sync->attach(sync);
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
    auto *dialog = new FrmRemote(m_commandLine ? *m_commandLine : RemoteSettings::load(), m_dialogs, std::move(hooks),
                                 parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (m_commandLine)
        dialog->showCommandLine(str(13410).arg(m_commandLine->address).arg(m_commandLine->port).arg(m_tokenFile));
    QObject::connect(m_server.get(), &RemoteServer::clientsChanged, dialog, &FrmRemote::refreshState);
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
