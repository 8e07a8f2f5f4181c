#pragma once

// String-table ids of the connection dialog and the mixer search.
namespace SearchStr {
constexpr int Caption = 9110;        // "接続先"
constexpr int AddressLabel = 9111;   // "IPアドレス"
constexpr int UserIdLabel = 9112;    // "ユーザーID"
constexpr int SearchButton = 9113;   // "ミキサー検索"
constexpr int ConnectButton = 9114;  // "通信開始"
constexpr int NotFound = 9115;       // no matching mixer on the network
constexpr int Several = 9116;        // several mixers own the user ID
constexpr int PortError = 9117;      // the reply port cannot be opened (%1 = port)
} // namespace SearchStr
