#include "link/search/ethertarget.h"

#include "base/config.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/search/searchlog.h"

EtherTargetTexts initialEtherTargetTexts(const IniConfig &ini)
{
    const IpSettings stored = ini.ipSettings();
    return {stored.address.isEmpty() ? EtherDefaults::address() : stored.address,
            stored.userId.isEmpty() ? EtherDefaults::userId() : stored.userId};
}

EtherTargetFlow::EtherTargetFlow(Clock &clock, Dialogs &dialogs, IniConfig &ini, QString connectAddress)
    : m_clock(clock), m_dialogs(dialogs), m_ini(ini), m_connectAddress(std::move(connectAddress))
{
}

bool EtherTargetFlow::connectClicked(const QString &addressText, const QString &userIdText)
{
    m_connectRequested = true;
    const QString address = canonicalTypedAddress(addressText);
    if (address.isEmpty()) {
        m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error);
        return false;
    }
    // The INI keeps the text as typed; the link gets the four-number form,
    // which every resolver reads the way the check above did.
    if (!m_ini.SaveIpSettings(addressText, userIdText))
        qCWarning(lcSearch) << "could not store the connection settings in" << m_ini.writePath();
    m_connectAddress = address;
    return true;
}

bool EtherTargetFlow::searchClicked(const QString &userIdText)
{
    m_connectRequested = true;
    if (m_searching)
        return false;
    if (!isValidUserId(userIdText)) {
        m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error);
        return false;
    }
    m_searching = true;
    if (onSearchRunning)
        onSearchRunning(true);
    SearchResult found;
    if (m_runSearch) {
        found = m_runSearch(userIdText);
    } else {
        MixerSearch search(m_clock, m_endpoints);
        found = search.run(userIdText);
    }
    // The message comes while the controls are still locked, as the search
    // is not over for the user until it has been read.
    const bool ok = reportSearchResult(found, m_endpoints, m_dialogs);
    m_searching = false;
    if (onSearchRunning)
        onSearchRunning(false);
    if (!ok)
        return false;
    m_foundAddress = found.address;
    if (!m_ini.SaveIpSettings(found.address, userIdText))
        qCWarning(lcSearch) << "could not store the connection settings in" << m_ini.writePath();
    m_connectAddress = found.address;
    return true;
}

QString EtherTargetFlow::result(bool &userChose) const
{
    userChose = m_connectRequested;
    return m_connectRequested ? m_connectAddress : QString();
}
