#pragma once

// The DEBUG menu's way to the control panel's channel and output settings
// dialogs without the panel: a mixer (1..MixerCount) and one of its slots,
// the eight channels or the output.

#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;

class FrmDialogChoice : public QDialog
{
    Q_OBJECT

public:
    FrmDialogChoice(int mixerCount, QWidget *parent = nullptr);

    // OK: the panel's mixer 0..15 and slot 0..7 (channel) or 8 (output).
    std::function<void(int dialogMixer, int slot)> onChosen;

    QComboBox *mixerChoice() const { return m_mixers; }
    QComboBox *slotChoice() const { return m_slots; }
    QPushButton *okButton() const { return m_ok; }

private:
    void fillSlots();

    QComboBox *m_mixers = nullptr;
    QComboBox *m_slots = nullptr;
    QPushButton *m_ok = nullptr;
};
