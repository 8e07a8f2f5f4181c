#include "app/ui/startup.h"

#include "app/ui/frminterface.h"
#include "app/world.h"
#include "base/config.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/designrecovery.h"
#include "panel/heldchannels.h"
#include "panel/twips.h"
#include "settings/mixersections.h"
#include "settings/panelsections.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSerialPortInfo>

#include <cstdio>

namespace {

constexpr int VirtualOn = 13243; // "virtual mixers on 127.0.0.1:%1"

namespace Res {
constexpr int HeldOffer = 14003;      // "…チャンネルのオン・オフを元に戻しますか？"
constexpr int HeldUnreadable = 14004; // "…読めませんでした。%1 として残しています。"
} // namespace Res

const QString SerialSection = QStringLiteral("RS232C");
const QString SerialKey = QStringLiteral("Port");

QStringList serialPortNames()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.systemLocation();
    return names;
}

// The screen in twips, for the panel's default button and table window.
QSize measureScreenTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {1920 * 15, 1080 * 15};
    const TwipScale scale = TwipScale::fromDpi(screen->logicalDotsPerInchX());
    return {scale.toTwips(screen->geometry().width()), scale.toTwips(screen->geometry().height())};
}

} // namespace

StartUp::StartUp(World &world, IniConfig &ini, const OperateRequest &operate, const VirtualRequest &virtualRequest)
    : m_world(world), m_ini(ini), m_operate(operate), m_virtualRequest(virtualRequest), m_screen(measureScreenTwips())
{
}

std::optional<LinkKind> StartUp::presetLink()
{
    const QString v = qEnvironmentVariable("ZKVR340A_LINK").toLower();
    if (v == QLatin1String("rs232c")) return LinkKind::Rs232c;
    if (v == QLatin1String("usb")) return LinkKind::Usb;
    if (v == QLatin1String("offline")) return LinkKind::Offline;
    if (v == QLatin1String("ethernet")) return LinkKind::Ethernet;
    return std::nullopt;
}

std::optional<LinkKind> StartUp::linkGiven() const
{
    return m_operate.link ? m_operate.link : presetLink();
}

bool StartUp::chooseLink(std::unique_ptr<VirtualChain> &chain)
{
    int virtualMixers = m_virtualRequest.mixers;
    if (virtualMixers == 0 && linkGiven()) {
        m_world.link.linkKind = *linkGiven();
    } else if (virtualMixers == 0) {
        FrmInterface dlg(serialPortNames(), m_ini.value(SerialSection, SerialKey));
        dlg.exec();
        virtualMixers = dlg.virtualMixers();
        m_world.link.linkKind = dlg.choice();
        if (dlg.choice() == LinkKind::Rs232c && !dlg.serialPort().isEmpty())
            m_ini.setValue(SerialSection, SerialKey, dlg.serialPort());
    }
    if (virtualMixers > 0) {
        // Virtual mixers inside the program, reached over Ethernet.
        VirtualRequest request = m_virtualRequest;
        request.mixers = virtualMixers;
        chain = VirtualChain::launch(request, m_world.dialogs);
        if (!chain)
            return false;
        m_world.link.linkKind = LinkKind::Ethernet;
        // Where the tool (and a script that started the program) reaches them.
        std::fprintf(stderr, "%s\n", qPrintable(str(VirtualOn).arg(chain->port())));
        std::fflush(stderr);
    }
    if (m_world.link.offline())
        m_world.loop.StartupPolls = 0;
    return true;
}

PanelContext StartUp::panelContext() const
{
    PanelContext ctx;
    ctx.linkKind = m_world.link.linkKind;
    ctx.mixerCount = m_world.mixers.MixerCount;
    ctx.screenWidth = m_screen.width();
    ctx.screenHeight = m_screen.height();
    return ctx;
}

void StartUp::resetPanel()
{
    ResetPanel(m_world.panel, m_world.mixers.FileMixerCount, panelContext());
}

void StartUp::offerRecovery()
{
    const DesignRecovery recovery;
    const std::optional<QDateTime> written = recovery.leftBehind();
    if (!written)
        return;
    if (m_world.dialogs.message(recovery.question(*written), MsgButtons::YesNo, MsgIcon::Question,
                                str(StrId::AppTitle))
        != MsgAnswer::Yes) {
        // Declined: the user gives that design up.
        recovery.discard();
        return;
    }
    if (!recovery.takeInto(m_world.settings.SetDataTable, m_world.settings.keyTable, m_world.dialogs))
        return;
    // The panel takes it now, so that a save before the panel opens stores
    // it too; it counts as unsaved (and its file stays) until it is saved or
    // given up. Offline the mixer count is the design's, as after a load.
    if (m_world.link.offline())
        m_world.mixers.takeInOfflineMixers(storedMixerCount(m_world.settings.SetDataTable).value_or(0));
    ApplyPanel(m_world.panel, m_world.mixers.FileMixerCount, m_world.settings.SetDataTable, panelContext(), true);
    m_world.panel.setUp = true;
    m_world.settings.recovered = true;
    m_world.loop.DataState = DataChanged;
}

void StartUp::offerHeldChannels(HeldChannels &held)
{
    // Offline nothing reaches the mixers: the file waits for a start with a link.
    if (m_world.link.offline() || !held.leftBehind())
        return;
    const std::optional<HeldChannels::Record> record = held.read();
    if (!record) {
        const QString aside = QDir::toNativeSeparators(held.setAside());
        // A chairperson's PC may be alone: no box waits for an answer there.
        if (m_operate.operate())
            m_world.activity.add(ActivityKind::Load, 0, str(Res::HeldUnreadable).arg(aside), ActivityOutcome::Failed);
        else
            m_world.dialogs.tell(str(Res::HeldUnreadable).arg(aside), MsgIcon::Warning);
        return;
    }
    // A chairperson's PC starting by itself (after a power cut) takes them
    // without asking: its panel opens on them as the switches to give back.
    const QString when = held.leftBehind()->toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (!m_operate.operate()
        && m_world.dialogs.message(str(Res::HeldOffer).arg(when), MsgButtons::YesNo, MsgIcon::Question,
                                   str(StrId::AppTitle))
               != MsgAnswer::Yes) {
        held.discard();
        return;
    }
    HeldChannels::owe(*record, m_world.panel.runtime);
    held.keep(m_world.panel.runtime);
}
