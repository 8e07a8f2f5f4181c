#pragma once

// FrmEtherSetting: where the Ethernet link connects. The mixer's address is
// typed in, or the mixer is searched for on the network by its user ID. The
// decisions live in EtherTargetFlow; this window shows and forwards.

#include "link/search/ethertarget.h"

#include <QDialog>

#include <array>
#include <functional>

class Clock;
class Dialogs;
class IniConfig;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmEtherSetting : public QDialog
{
    Q_OBJECT

public:
    enum Button { SearchButton = 0, ConnectButton = 1 };

    // `connectAddress`: the address of the previous connection (empty at
    // first); the link tries it when a button was used without success.
    FrmEtherSetting(Clock &clock, Dialogs &dialogs, IniConfig &ini, QString connectAddress = {},
                    QWidget *parent = nullptr);

    QLabel *Label(int index) const { return m_labels.at(size_t(index)); }
    QLineEdit *Text(int index) const { return m_texts.at(size_t(index)); }
    QPushButton *CmdJob(int index) const { return m_buttons.at(size_t(index)); }

    EtherTargetFlow &flow() { return m_flow; }
    // After the dialog has closed: the address to connect to (empty: do not
    // connect) and whether the user used a button at all.
    QString target(bool &userChose) const { return m_flow.result(userChose); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void clicked(Button which);
    void setControlsEnabled(bool enabled);

    EtherTargetFlow m_flow;
    std::array<QLabel *, 2> m_labels{};
    std::array<QLineEdit *, 2> m_texts{};
    std::array<QPushButton *, 2> m_buttons{};
};

// The chooser the Ethernet open asks (LinkEndpoints::chooseEthernetAddress):
// shows FrmEtherSetting modally and returns the address to connect to, empty
// when the link should not connect; `userChose` tells whether a button was
// used. When `connectAddress` is given it carries the connect address from one
// dialog to the next (the firmware download reconnects through this dialog).
// `place`, when given, puts the dialog where it is to appear before it is shown.
QString chooseEthernetTarget(Clock &clock, Dialogs &dialogs, IniConfig &ini, bool &userChose,
                             QWidget *parent = nullptr, QString *connectAddress = nullptr,
                             const std::function<void(QWidget &dialog)> &place = {});
