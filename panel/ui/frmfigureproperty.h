#pragma once

// frmFigureProperty (図形プロパティ): a figure's pen colour, width (1..999
// pixels, with an up-down and a sample line) and style (one picture per pen
// style). OK reports whether anything was changed; the panel window writes
// the values into the figure.

#include "panel/figures.h"

#include "panel/ui/paneldialog.h"

class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class FrmFigureProperty : public PanelDialog
{
    Q_OBJECT

public:
    FrmFigureProperty(const Figure &figure, Dialogs &dialogs, QWidget *parent = nullptr);

    qint32 colour() const { return m_colour; }
    qint16 width() const { return m_width; }
    qint16 style() const { return m_style; }
    bool changed() const;

    QPushButton *cmdFigureColor() const { return m_colourButton; }
    QLineEdit *txtFigureWidth() const { return m_widthText; }
    QToolButton *updFigureWidthUp() const { return m_up; }
    QToolButton *updFigureWidthDown() const { return m_down; }
    QComboBox *icbFigureStyle() const { return m_styles; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdCancel() const { return m_cancel; }

private:
    void createFields();
    void fillStyles();
    void layOut();
    void chooseColour();
    // The width field was left or Enter pressed: a valid width is taken, any
    // other text gives the message and the previous width back.
    void checkWidth();
    void setWidth(qint16 width);
    void styleChosen(int index);
    void onOk();
    void showSamples();

    Figure m_original;
    Dialogs &m_dialogs;
    qint32 m_colour;
    qint16 m_width;
    qint16 m_style;
    bool m_checking = false;

    QPushButton *m_colourButton = nullptr;
    QLabel *m_colourSample = nullptr;
    QLineEdit *m_widthText = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    QLabel *m_widthSample = nullptr;
    QComboBox *m_styles = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
