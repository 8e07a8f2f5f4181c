#pragma once

// A value's mark on screen: a small badge in the top-right corner of the
// control (or row) it belongs to, its glyph on its colour, the words as the
// tooltip of badge and control, and as the control's description for
// assistive technology.

#include "editor/valuemarks.h"

#include <QLabel>

class MarkBadge : public QLabel
{
    Q_OBJECT
public:
    // Sits over `host`, following its size; hidden until a mark is shown.
    explicit MarkBadge(QWidget *host);

    void showMark(const ValueMark &mark);
    const ValueMark &mark() const { return m_mark; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QWidget *m_host;
    ValueMark m_mark;
};
