#include "application.h"

#include "app/clock.h"
#include "app/dialogs.h"
#include "app/placement.h"
#include "app/strings.h"
#include "app/ui/frminterface.h"
#include "app/ui/frmmain.h"
#include "app/ui/placeholders.h"
#include "link/comm.h"
#include "link/ethernettransport.h"
#include "link/serialtransport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace {

const QString SerialSection = QStringLiteral("RS232C");
const QString SerialKey = QStringLiteral("Port");

QStringList serialPortNames()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.systemLocation();
    return names;
}

void placeForm(QWidget *window, QWidget *main, PlaceMode mode)
{
    if (!main)
        return;
    const QSize screen = main->screen() ? main->screen()->availableGeometry().size() : QSize(1920, 1080);
    window->move(placeFormPosition(main->frameGeometry(), window->frameGeometry().size(), screen, mode));
}

} // namespace

Application::Application(World &world, QStringList arguments)
    : m_world(world), m_arguments(std::move(arguments))
{
    m_debug = isDebugCommandLine(m_arguments);
}

Application::~Application() = default;

std::optional<LinkKind> Application::presetLink()
{
    const QString v = qEnvironmentVariable("ZKVR340A_LINK").toLower();
    if (v == QLatin1String("rs232c")) return LinkKind::Rs232c;
    if (v == QLatin1String("usb")) return LinkKind::Usb;
    if (v == QLatin1String("offline")) return LinkKind::Offline;
    if (v == QLatin1String("ethernet")) return LinkKind::Ethernet;
    return std::nullopt;
}

int Application::run()
{
    LoopState &loop = m_world.loop;
    loop.DataFileName = readDataFileName();
    loop.StartupPolls = 3;
    loop.PreviousMixerCount = 0;

    chooseLink();
    openMainWindow();
    if (m_ended)
        return 0;

    loop.DataState = DataChanged;
    m_world.mixers.Model.fill(-1);
    if (!m_world.link.offline())
        m_world.mixers.Model[1] = readModel(1);
    if (m_ended)
        return 0;

    m_loop = std::make_unique<JobLoop>(loop, m_world.link, m_world.clock, m_world.dialogs, *this);
    m_loop->run();
    return 0;
}

bool Application::chooseLink()
{
    if (const auto preset = presetLink()) {
        m_world.link.linkKind = *preset;
    } else {
        FrmInterface dlg(serialPortNames(), m_ini.value(SerialSection, SerialKey));
        dlg.exec();
        m_world.link.linkKind = dlg.choice();
        if (dlg.choice() == LinkKind::Rs232c && !dlg.serialPort().isEmpty())
            m_ini.setValue(SerialSection, SerialKey, dlg.serialPort());
    }
    if (m_world.link.offline())
        m_world.loop.StartupPolls = 0;
    return true;
}

void Application::openMainWindow()
{
    if (m_debug)
        QDir::setCurrent(QCoreApplication::applicationDirPath());

    FrmMainContext ctx{m_world.link, m_world.loop, m_world.dialogs,
                       [this] { return m_world.mixers.WriteAccess; },
                       [this] { return int(m_world.mixers.Model[1]); },
                       [this] { if (m_comm) m_comm->CommDrain(); }};
    m_main = std::make_unique<FrmMain>(ctx, m_debug);
    m_main->disconnect = [this] { Disconnect(); };
    m_main->show();
    connectStep();
    if (m_ended)
        return;
    m_main->action(QStringLiteral("MenDebugWrite"))->setEnabled(m_world.mixers.WriteAccess);
    if (!m_world.link.offline())
        m_world.mixers.MixerCount = 1; // until the first status reply
}

void Application::connectStep()
{
    m_world.mixers.resetToStartValues();
    m_world.mixers.MixerCount = 0;
    m_world.loop.DownloadRequest = 0;
    m_world.loop.JobRequest = JobIdle;
    m_world.link.ReplyTimeUnit = 0.4;

    LinkEndpoints ep;
    ep.serialPort = resolveSerialPort(m_ini.value(SerialSection, SerialKey));
    ep.tcpPort = resolveTcpPort(1001);
    ep.chooseEthernetAddress = [this](bool &userChose) { return chooseEthernetAddress(userChose); };
    m_comm = std::make_unique<MdlComm>(m_world.link, m_world.clock, m_world.dialogs, ep);
    m_comm->onOpenFailed = [this] { Disconnect(); };
    m_comm->CommOpen();
    if (m_ended)
        return;
    if (m_world.link.linkKind == LinkKind::Ethernet && checkAccess)
        checkAccess();
    else
        m_world.mixers.WriteAccess = true;
}

QString Application::chooseEthernetAddress(bool &userChose)
{
    // The connection dialog takes this over; meanwhile the INI file names the mixer.
    userChose = true;
    const QString address = m_ini.ipSettings().address;
    return address.isEmpty() ? QStringLiteral("192.168.100.200") : address;
}

void Application::StatusPoll()
{
    if (statusPoll)
        statusPoll();
}

bool Application::SetData()
{
    return setData();
}

bool Application::pendingValues()
{
    return pendingChanges();
}

void Application::runDownload(int)
{
    // Firmware download is not built yet: the request is dropped.
}

void Application::showJobWindow(int placeMode)
{
    // Stand-in for FrmMsg: shows the transfer text while the job "runs".
    QDialog dlg(m_main.get());
    dlg.setObjectName(QStringLiteral("FrmMsg"));
    dlg.setWindowTitle(str(StrId::AppTitle));
    auto *layout = new QVBoxLayout(&dlg);
    layout->addWidget(new QLabel(str(1301), &dlg));
    placeForm(&dlg, m_main.get(), PlaceMode(placeMode));
    m_jobWindowOpen = true;
    dlg.show();
    m_world.clock.processEvents();
    m_jobWindowOpen = false;
}

bool Application::jobWindowVisible() const
{
    return m_jobWindowOpen;
}

void Application::showDirect()
{
    PlaceholderWindow *w = openDirectPlaceholder(m_world.loop, m_main.get());
    placeForm(w, m_main.get(), PlaceMode::Below);
}

void Application::showIpSettings()
{
    runIpSettingsPlaceholder(m_world.loop, m_main.get());
}

void Application::showPanel()
{
    // Stand-in for the panel window: closing it returns to mixer mode.
    m_main->hide();
    auto *w = new PlaceholderWindow(QStringLiteral("frmMDI"), str(StrId::AppTitle));
    w->onClosed = [this] { if (m_main) m_main->show(); };
    w->setModal(false);
    w->show();
    m_panel = w;
}

void Application::Disconnect()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_comm)
        m_comm->CommClose();
    writeDataFileName(m_world.loop.DataFileName);
    if (m_loop)
        m_loop->stop();
    if (m_panel)
        m_panel->close();
    if (m_main)
        m_main->hide();
}
