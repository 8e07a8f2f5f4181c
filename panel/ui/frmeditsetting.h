#pragma once

// frmEditSetting: the button property dialog. Titled "ボタンの新規作成" it
// creates buttons one after another (the next free slot is offered after
// each); titled "編集" it edits, deletes or "反映"s one button. The rules are
// ButtonProperties'; the panel window makes and updates the button windows
// from the signals, and each command of the dialog (OK, 削除, 反映, 選択に反映)
// ends in one committed() signal: one step of the design's history.

#include "panel/buttonproperties.h"
#include "panel/designhistory.h"
#include "panel/ui/paneldialog.h"

class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class FrmEditSetting : public PanelDialog
{
    Q_OBJECT

public:
    enum class Mode { New, Edit };

    FrmEditSetting(Mode mode, ButtonRef editing, PanelState &panel, const PanelContext &context,
                   const NewButtonTemplate &newButton, Dialogs &dialogs, MeasureText measure,
                   QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }

    QComboBox *cmbHardSelect() const { return m_mixers; }
    QComboBox *cmbChSelect() const { return m_slots; }
    QPlainTextEdit *txtIconTextSet() const { return m_text; }
    QPushButton *cmdFormTextFont() const { return m_font; }
    QPushButton *cmdColorDef() const { return m_colorDef; }
    QPushButton *cmdColorOn() const { return m_colorOn; }
    // "議長": the seat is the chair's (channel buttons).
    QCheckBox *chkChair() const { return m_chair; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdCancel() const { return m_cancel; }
    QPushButton *cmdUnload() const { return m_delete; }
    QPushButton *cmdSizeArrange() const { return m_apply; }
    // "選択に反映": shown when the edited button is one of several selected.
    QPushButton *cmdApplySelection() const { return m_applySelection; }

signals:
    void buttonCreated(ButtonRef button);
    void buttonsChanged(const std::vector<ButtonRef> &buttons);
    void buttonDeleted(ButtonRef button);
    // A command of the dialog has made its changes: they are one `step`.
    void committed(DesignStep step);

private:
    // The constructor's steps: the fields made and named, laid out, filled
    // from the edited button (or the next free one), and the commands wired.
    void createFields();
    void layOut();
    void showEdited(const NewButtonTemplate &newButton);
    void connectCommands();
    void fillMixers();
    void fillSlots(int mixer, std::optional<int> preselect);
    void select(std::optional<ButtonRef> button);
    void showColorForm();
    void showLook();
    bool outputChosen() const;
    std::optional<int> chosenMixer() const;
    std::optional<int> chosenSlot() const;
    // OK's work; the result says what happened, nothing when it stopped.
    std::optional<ButtonProperties::Result> commit();
    void onOk();
    // "反映" (every button) or "選択に反映" (the selected buttons).
    void onApply(bool selectionOnly);
    // A warning box; false when the dialog closed meanwhile.
    bool warn(const QString &text);
    // After OK or "反映": a new button leaves the dialog open for the next
    // one; anything else closes it.
    void carryOn(const ButtonProperties::Result &done);
    void onDelete();
    void chooseFont();
    void chooseColor(qint32 &colour);
    bool captionStorable(const QString &caption);

    Mode m_mode;
    ButtonRef m_editing;
    PanelState &m_panel;
    PanelContext m_context;
    Dialogs &m_dialogs;
    MeasureText m_measure;
    ButtonProperties m_rules;
    ButtonLook m_look;

    QComboBox *m_mixers = nullptr;
    QComboBox *m_slots = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QLabel *m_fontSample = nullptr;
    QPushButton *m_font = nullptr;
    QPushButton *m_colorDef = nullptr;
    QPushButton *m_colorOn = nullptr;
    QCheckBox *m_chair = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_apply = nullptr;
    QPushButton *m_applySelection = nullptr;
};
