#pragma once

// frmGridProperty (グリッドプロパティ): the grid's spacing in twips (1 to
// 99999) and its colour, with a preview of the colour. OK stores both into
// the panel; the panel window then redraws.

#include "settings/panelmodel.h"

#include "panel/ui/paneldialog.h"

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmGridProperty : public PanelDialog
{
    Q_OBJECT

public:
    FrmGridProperty(PanelState &panel, Dialogs &dialogs, QWidget *parent = nullptr);

    QLineEdit *txtGridInterval() const { return m_interval; }
    QPushButton *cmdGridColor() const { return m_colourButton; }
    QLabel *pctGrid() const { return m_preview; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdCancel() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Enter or focus loss: a valid spacing is rewritten as a whole number,
    // anything else gives the message and the current spacing back.
    bool checkInterval();
    void refuse();
    void chooseColour();
    void onOk();
    void drawPreview();

    PanelState &m_panel;
    Dialogs &m_dialogs;
    qint32 m_colour;
    bool m_checking = false;

    QLineEdit *m_interval = nullptr;
    QPushButton *m_colourButton = nullptr;
    QLabel *m_preview = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
