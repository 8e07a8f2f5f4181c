#include "app/virtualchain.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/ethernettransport.h"
#include "sim/simargs.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"

namespace {

namespace Text {
constexpr int Mark = 12610;        // "仮想ミキサー (%1 台)"
constexpr int CannotStart = 12614; // "仮想ミキサーを起動できませんでした。\n%1"
constexpr int BadCount = 12620;    // "--virtual wants a number of mixers 1..16, got ..."
constexpr int BadModel = 12621;    // "--model wants a model code 0..255, got ..."
constexpr int ModelAlone = 12622;  // "--model goes with --virtual only"
constexpr int NeedsValue = 13246;  // "%1 needs a value"
constexpr int NotWithVirtual = 13248; // ""%1" does not go with --virtual"
constexpr int BadPort = 13244;     // "--virtual-port wants a port 1..65535, got ..."
constexpr int PortAlone = 13245;   // "--virtual-port goes with --virtual only"
} // namespace Text

const QString VirtualOption = QStringLiteral("--virtual");
const QString ModelOption = QStringLiteral("--model");
const QString PortOption = QStringLiteral("--virtual-port");

const QString Loopback = QStringLiteral("127.0.0.1");
// The chain answers at once; a connection that has not come by then will not.
constexpr double ConnectLimitSeconds = 5.0;
constexpr int MaxModel = 255;

// The Ethernet transport to the chain, which names the chain, not its
// loopback address, as where the link goes: the status line then reads
// "仮想ミキサー (N 台) に接続しています".
//
// The user's choice to re-establish a lost connection reaches the open
// transport only; it is kept here too, so that the next opening of the link
// (after the IP settings or a download) goes on with it.
class VirtualLink final : public LinkTransport
{
public:
    VirtualLink(std::unique_ptr<EthernetTransport> inner, QString mark, std::shared_ptr<ReconnectPolicy> reconnect)
        : m_inner(std::move(inner)), m_mark(std::move(mark)), m_reconnect(std::move(reconnect))
    {
        m_inner->setReconnectPolicy(*m_reconnect);
        m_inner->healthChanged = [this] {
            if (healthChanged)
                healthChanged();
        };
    }

    OpenOutcome open() override { return m_inner->open(); }
    void close() override { m_inner->close(); }
    bool send(const quint8 *data, int count) override { return m_inner->send(data, count); }
    int fetch(quint8 *buffer, int capacity) override { return m_inner->fetch(buffer, capacity); }
    void abortSend() override { m_inner->abortSend(); }
    void cancel() override { m_inner->cancel(); }
    bool deliversTrailer() const override { return m_inner->deliversTrailer(); }
    int bytesHanded() const override { return m_inner->bytesHanded(); }
    LinkHealth health() const override { return m_inner->health(); }
    int reconnectAttempts() const override { return m_inner->reconnectAttempts(); }
    QString peer() const override { return m_mark; }
    void setReconnect(bool enabled) override
    {
        m_reconnect->enabled = enabled;
        m_inner->setReconnect(enabled);
    }

private:
    std::unique_ptr<EthernetTransport> m_inner;
    QString m_mark;
    std::shared_ptr<ReconnectPolicy> m_reconnect;
};

} // namespace

VirtualRequest parseVirtualArguments(const QStringList &arguments)
{
    VirtualRequest r;
    r.rest << arguments.value(0);
    bool modelGiven = false;
    auto fail = [&r](const QString &why) {
        r.ok = false;
        r.error = why;
        r.mixers = 0;
        return r;
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        OptionWord word = splitOptionWord(a);
        const QString &name = word.name;
        if (name != VirtualOption && name != ModelOption && name != PortOption) {
            r.rest << a;
            continue;
        }
        if (!takeOptionValue(arguments, i, word))
            return fail(str(Text::NeedsValue).arg(name));
        const QString &value = word.value;
        bool ok = false;
        const int number = value.trimmed().toInt(&ok);
        if (name == VirtualOption) {
            if (!ok || number < VirtualChain::MinMixers || number > VirtualChain::MaxMixers)
                return fail(str(Text::BadCount).arg(value));
            r.mixers = number;
        } else if (name == ModelOption) {
            if (!ok || number < 0 || number > MaxModel)
                return fail(str(Text::BadModel).arg(value));
            r.model = number;
            modelGiven = true;
        } else {
            if (!ok || number < 1 || number > 65535)
                return fail(str(Text::BadPort).arg(value));
            r.port = quint16(number);
        }
    }
    if (r.mixers == 0) {
        // Without a virtual chain the rest keeps its usual reading.
        if (modelGiven)
            return fail(str(Text::ModelAlone));
        if (r.port != 0)
            return fail(str(Text::PortAlone));
        return r;
    }
    for (int i = 1; i < r.rest.size(); ++i)
        if (r.rest[i] != QLatin1String("DEBUG"))
            return fail(str(Text::NotWithVirtual).arg(r.rest[i]));
    return r;
}

QString virtualMark(int mixers)
{
    return str(Text::Mark).arg(mixers);
}

VirtualChain::VirtualChain(int mixers, int model)
{
    SimOptions options;
    options.mixers = qBound(MinMixers, mixers, MaxMixers);
    options.model = qBound(0, model, MaxModel);
    // The chain's own network block names the loopback address it answers
    // on, so the IP settings dialog shows where the link really goes.
    options.address = Loopback;
    m_chain = std::make_unique<SimChain>(options);
    m_front = std::make_unique<SimTcpFront>(*m_chain);
    m_ini = std::make_unique<IniConfig>(m_dir.path(), m_dir.path());
}

VirtualChain::~VirtualChain() = default;

std::unique_ptr<VirtualChain> VirtualChain::launch(const VirtualRequest &request, Dialogs &dialogs)
{
    auto chain = std::make_unique<VirtualChain>(request.mixers, request.model);
    QString error;
    if (!chain->start(error, request.port)) {
        dialogs.tell(str(Text::CannotStart).arg(error), MsgIcon::Error);
        return nullptr;
    }
    return chain;
}

bool VirtualChain::start(QString &error, quint16 port)
{
    return m_front->listen(Loopback, port, error);
}

QString VirtualChain::address() const
{
    return QStringLiteral("%1:%2").arg(Loopback).arg(port());
}

QString VirtualChain::statusMark() const
{
    return mark() + u' ' + address();
}

int VirtualChain::mixers() const
{
    return m_chain->mixerCount();
}

quint16 VirtualChain::port() const
{
    return m_front->port();
}

void VirtualChain::attach(LinkEndpoints &endpoints, LinkState &link, Clock &clock)
{
    auto reconnect = std::make_shared<ReconnectPolicy>(endpoints.reconnect);
    const quint16 port = m_front->port();
    const QString mark = statusMark();
    // Not asked while the chain's transport is used; should anything ask, it
    // gets the chain, never the connection dialog and its search.
    endpoints.chooseEthernetAddress = [](bool &userChose) {
        userChose = true;
        return Loopback;
    };
    endpoints.makeTransport = [&link, &clock, port, mark, reconnect](LinkKind) -> std::unique_ptr<LinkTransport> {
        auto ether = std::make_unique<EthernetTransport>(link, clock, port, [](bool &userChose) {
            userChose = true;
            return Loopback;
        });
        ether->setConnectLimit(ConnectLimitSeconds);
        return std::make_unique<VirtualLink>(std::move(ether), mark, reconnect);
    };
}
