#pragma once

#include "link/linkstate.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The link choice at start-up: RS-232C, USB, offline or Ethernet, or
// virtual mixers inside the program for work without hardware.
class FrmInterface : public QDialog
{
    Q_OBJECT

public:
    // serialPorts: the serial devices to offer for RS-232C; `serialPort` the
    // remembered choice (empty: the first one).
    explicit FrmInterface(const QStringList &serialPorts = {}, const QString &serialPort = {},
                          QWidget *parent = nullptr);

    // The serial device chosen beside the buttons (used when RS-232C is chosen).
    QString serialPort() const;

    // The chosen link; RS-232C when the dialog was closed without a choice.
    // Virtual mixers are reached over Ethernet: the choice is then Ethernet.
    LinkKind choice() const { return m_choice; }
    // How many virtual mixers were chosen; 0 when a link was.
    int virtualMixers() const { return m_virtualMixers; }
    QPushButton *CmdJob(int index) const { return m_buttons.at(size_t(index)); }
    QPushButton *CmdVirtual() const { return m_virtual; }
    QSpinBox *UpDwVirtual() const { return m_virtualCount; }

private:
    QLabel *m_label = nullptr;
    QComboBox *m_serialPorts = nullptr;
    std::array<QPushButton *, 4> m_buttons{};
    QPushButton *m_virtual = nullptr;
    QSpinBox *m_virtualCount = nullptr;
    LinkKind m_choice = LinkKind::Rs232c;
    int m_virtualMixers = 0;
};
