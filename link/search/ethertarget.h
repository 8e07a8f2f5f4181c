#pragma once

// What the connection dialog decides, without its widgets: the checks behind
// its two buttons, the search, what is stored and where the link connects.
// The dialog shows the texts and forwards the clicks.

#include "link/search/mixersearch.h"

#include <QString>

#include <functional>

class Clock;
class Dialogs;
class IniConfig;

namespace EtherDefaults {
inline QString address() { return QStringLiteral("192.168.100.200"); }
inline QString userId() { return QStringLiteral("administrator"); }
} // namespace EtherDefaults

// The two texts the dialog starts with: the INI values, or the defaults where
// a value is missing or empty.
struct EtherTargetTexts
{
    QString address;
    QString userId;
};
EtherTargetTexts initialEtherTargetTexts(const IniConfig &ini);

class EtherTargetFlow
{
public:
    using SearchRunner = std::function<SearchResult(const QString &userId)>;

    // `connectAddress` starts as the address of the previous connection
    // (empty at first) and is kept by the caller between dialogs.
    EtherTargetFlow(Clock &clock, Dialogs &dialogs, IniConfig &ini, QString connectAddress = {});

    // Replaces the real search (tests; the endpoints are still used for texts).
    void setSearchRunner(SearchRunner runner) { m_runSearch = std::move(runner); }
    void setEndpoints(const SearchEndpoints &endpoints) { m_endpoints = endpoints; }

    // Called with true before a search and with false after it, so the
    // dialog can lock its controls meanwhile.
    std::function<void(bool running)> onSearchRunning;

    // "通信開始": returns true when the typed address was accepted (stored,
    // made the connect address); the dialog then closes.
    bool connectClicked(const QString &addressText, const QString &userIdText);
    // "ミキサー検索": returns true when exactly one mixer owns the user ID.
    bool searchClicked(const QString &userIdText);

    bool connectRequested() const { return m_connectRequested; }
    QString connectAddress() const { return m_connectAddress; }
    // The last address a search found (for the dialog's address box).
    QString foundAddress() const { return m_foundAddress; }
    bool searching() const { return m_searching; }

    // What the Ethernet open is told when the dialog has closed: the address
    // to connect to (empty: do not connect) and whether a button was used.
    QString result(bool &userChose) const;

private:
    Clock &m_clock;
    Dialogs &m_dialogs;
    IniConfig &m_ini;
    SearchEndpoints m_endpoints = searchEndpointsFromEnvironment();
    SearchRunner m_runSearch;
    bool m_connectRequested = false;
    bool m_searching = false;
    QString m_connectAddress;
    QString m_foundAddress;
};
