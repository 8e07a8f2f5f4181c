#pragma once

// frmOutputSetting: a mixer's output from the control panel: the output
// attenuator, the output (master) level, NOMA and key lock, laid out like
// the output group of the editor's system tab.

#include "editor/ui/settingsdialog.h"

#include <array>

class OptionGroup;
class QRadioButton;

class FrmOutputSetting : public SettingsDialog
{
    Q_OBJECT

public:
    FrmOutputSetting(SettingsDialogContext context, QWidget *parent = nullptr);

    // OpnParam(0..3) output level, (10..11) NOMA, (20..21) key lock.
    QRadioButton *OpnParam(int index) const;
    ValueEntry *UpDwParam() const { return gainEntry(); }

protected:
    void showOptions(const MixerDataRecord &reported) override;
    int gainCode(const MixerDataRecord &reported) const override;
    void applyChoiceEnables(bool lockTicked) override;

private:
    std::array<OptionGroup *, 3> m_groups{}; // by SystemGroup 0..2
};
