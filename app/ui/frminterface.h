#pragma once

#include "link/linkstate.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

// The link choice at start-up: RS-232C, USB, offline or Ethernet.
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
    LinkKind choice() const { return m_choice; }
    QPushButton *CmdJob(int index) const { return m_buttons.at(size_t(index)); }

private:
    QLabel *m_label = nullptr;
    QComboBox *m_serialPorts = nullptr;
    std::array<QPushButton *, 4> m_buttons{};
    LinkKind m_choice = LinkKind::Rs232c;
};
