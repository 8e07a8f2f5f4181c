#pragma once

// The entry field of the editing windows: a text box with an up-down control
// that holds an integer code between Min and Max and shows it through a value
// scale. Typed text is judged only when the user presses Enter or leaves the
// box; an invalid text reports "無効なデータです" and the stored code returns.
// The mouse wheel steps the code only while the box has the focus: scrolling
// a page past a box never changes a live value.

#include "editor/scales.h"

#include <QAbstractSpinBox>

#include <functional>
#include <utility>

class Dialogs;

class ValueEntry : public QAbstractSpinBox
{
    Q_OBJECT
    // What assistive technology reads as the box's value and its bounds: the
    // numbers shown (decibels on a level scale, where "MUTE" is the -96.0 dB
    // of code 0, the scale's bottom, not 0). The shown text ("MUTE") is the
    // box's text. The bounds are named as a spin box's are, in shown units.
    Q_PROPERTY(QVariant value READ shownValue)
    Q_PROPERTY(QVariant minimum READ shownMinimum)
    Q_PROPERTY(QVariant maximum READ shownMaximum)

public:
    // The range starts as the level range 0..64 and the code as its minimum.
    explicit ValueEntry(Dialogs &dialogs, Scale scale = Scale::Level, QWidget *parent = nullptr);

    Scale scale() const { return m_scale; }

    int code() const { return m_code; }
    QVariant shownValue() const;
    QVariant shownMinimum() const;
    QVariant shownMaximum() const;
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    // A maximum below the minimum is raised to it. The code is pulled into the
    // new range (which counts as a change of the code).
    void setRange(int min, int max);

    // Bounds a typed entry must keep when they are not the arrows' range (the
    // threshold is typed within the mixer's ThresholdMin..ThresholdMax, while
    // the box shows whatever the mixer reports). Unset: Min..Max.
    std::function<std::pair<int, int>()> typedBounds;

    // Runs the entry procedure on the current text, as Enter or leaving the
    // box does. Returns whether the text was valid. The box shows the stored
    // code afterwards either way (so "1.2" in a half-second box reads "1.0").
    bool commit();

    // Announces the current code again, as assigning a value to itself does:
    // for windows whose change handler copies the code elsewhere.
    void reannounce();

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Sets the code (pulled into Min..Max) and shows it; emits codeChanged
    // when the code differs from the stored one.
    void setCode(int code);

signals:
    // The code changed, by the arrows, by a committed entry or by the program.
    // The box already shows the new code when this is emitted.
    void codeChanged(int code);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void redisplay();
    int widestTextWidth() const;

    Dialogs &m_dialogs;
    Scale m_scale;
    int m_min = LevelCodeMin;
    int m_max = LevelCodeMax;
    int m_code = LevelCodeMin;
    // Set while the entry procedure runs: the invalid-entry box takes the
    // focus, and that focus loss must not judge the text a second time.
    bool m_committing = false;
};
