#pragma once

// frmChSetting: one channel of one mixer from the control panel: input
// attenuator, phantom power, head-amp gain, low cut, threshold calculation
// target and the channel level, beside the editor's row labels.

#include "editor/ui/settingsdialog.h"

#include <array>

class OptionGroup;
class QRadioButton;

class FrmChSetting : public SettingsDialog
{
    Q_OBJECT

public:
    FrmChSetting(SettingsDialogContext context, QWidget *parent = nullptr);

    // OpnParamCh(row × 10 + choice), rows 0..4.
    QRadioButton *OpnParamCh(int index) const;
    ValueEntry *UpDwInpgain() const { return gainEntry(); }
    QLabel *Lbl1L(int label) const { return m_labels[size_t(label)]; }

protected:
    void showOptions(const MixerDataRecord &reported) override;
    int gainCode(const MixerDataRecord &reported) const override;
    void applyChoiceEnables(bool lockTicked) override;

private:
    std::array<OptionGroup *, 5> m_rows{};
    std::array<QLabel *, 6> m_labels{};
};
