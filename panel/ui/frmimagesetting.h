#pragma once

// FrmImageSetting (背景画像設定): whether the background image is shown, its
// file, and how it is sized: natural, fitted to the window, a given size in
// pixels or a given scale in percent. OK hands the chosen settings to the
// panel window, which loads the image and redraws.

#include "settings/panelmodel.h"

#include "panel/ui/paneldialog.h"

#include <array>

class Dialogs;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class FrmImageSetting : public PanelDialog
{
    Q_OBJECT

public:
    FrmImageSetting(const ImageSettings &current, Dialogs &dialogs, QWidget *parent = nullptr);

    // What OK chose.
    const ImageSettings &chosen() const { return m_chosen; }

    QCheckBox *ImageShow() const { return m_show; }
    QLineEdit *ImageFile() const { return m_file; }
    QPushButton *BrowseButton() const { return m_browse; }
    QRadioButton *ImageOption(int i) const { return m_options.at(size_t(i)); }
    QLineEdit *ImageSize(int i) const { return m_sizes.at(size_t(i)); }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

private:
    QGroupBox *buildFrame(const ImageSettings &current);
    int selectedOption() const;
    void applyEnabling();
    void browse();
    void onOk();

    Dialogs &m_dialogs;
    ImageSettings m_chosen;

    QCheckBox *m_show = nullptr;
    QLineEdit *m_file = nullptr;
    QPushButton *m_browse = nullptr;
    std::array<QRadioButton *, 4> m_options{};
    std::array<QLineEdit *, 4> m_sizes{};    // width, height, x scale, y scale
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
