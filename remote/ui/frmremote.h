#pragma once

// The リモート操作 dialog: turns the remote-operation server on and off, sets
// where it listens and the HTTPS files, shows the two tokens (and renews
// them), the address to open on a tablet with its QR code, and how many
// browsers watch; and the room controllers' line control, on its own port
// of the same address. What it sets is kept in the per-user store; the program
// applies it through `apply`, which answers with an error text or nothing.

#include "remote/remoteaccess.h"

#include <QDialog>

#include <functional>

class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QrCodeView;

class FrmRemote : public QDialog
{
    Q_OBJECT

public:
    struct Hooks
    {
        // Starts, restarts or stops the servers for these settings; the
        // message for the user when one could not start.
        std::function<QString(const RemoteSettings &)> apply;
        // The port the server listens on now (0: stopped).
        std::function<quint16()> listeningPort;
        std::function<int()> clients;
        // The line control's port (0: off) and its clients.
        std::function<quint16()> controlPort;
        std::function<int()> controlClients;
    };

    FrmRemote(RemoteSettings settings, Dialogs &dialogs, Hooks hooks, QWidget *parent = nullptr);

    const RemoteSettings &settings() const { return m_settings; }
    // The address a tablet opens for `token`: the listening host (the first
    // outside address when listening on all of them), the port, the token.
    static QString openAddress(const RemoteSettings &settings, quint16 port, const QByteArray &token);

    QCheckBox *chkRemoteEnable = nullptr;
    QLineEdit *txtRemoteAddress = nullptr;
    QSpinBox *updRemotePort = nullptr;
    QLineEdit *txtOperateToken = nullptr;
    QLineEdit *txtWatchToken = nullptr;
    QPushButton *cmdRenewTokens = nullptr;
    QLineEdit *txtCertificate = nullptr;
    QLineEdit *txtKey = nullptr;
    QLineEdit *txtOpenAddress = nullptr;
    QLineEdit *txtWatchAddress = nullptr;
    QrCodeView *picQrCode = nullptr;
    QLabel *lblRemoteState = nullptr;
    QLabel *lblCommandLine = nullptr;
    QCheckBox *chkControlEnable = nullptr;
    QSpinBox *updControlPort = nullptr;
    QLabel *lblControlState = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdClose = nullptr;

    // The server runs as the command line set it up (--remote with
    // --remote-tokens): the dialog shows that server, changes nothing, and
    // `why` says where its settings come from.
    void showCommandLine(const QString &why);
    // The line control runs as the command line set it up (--control).
    void showControlCommandLine(const QString &why);

    // 適用: takes the fields, stores them and applies them.
    void applyFields();
    void renewTokens();
    void refreshState();

private:
    // The controls with their accessible names; their places in the
    // dialog; what their buttons do.
    void makeControls();
    void layOut();
    void wireButtons();
    void takeFields();
    void showTokens();

    RemoteSettings m_settings;
    Dialogs &m_dialogs;
    Hooks m_hooks;
    QPushButton *m_cmdCertificate = nullptr;
    QPushButton *m_cmdKey = nullptr;
    bool m_commandLine = false;
    bool m_controlCommandLine = false;
};
