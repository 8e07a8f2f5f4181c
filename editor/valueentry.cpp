#include "valueentry.h"

#include "base/dialogs.h"
#include "base/strings.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

ValueEntry::ValueEntry(Dialogs &dialogs, Scale scale, QWidget *parent)
    : QAbstractSpinBox(parent), m_dialogs(dialogs), m_scale(scale)
{
    // Any text may be typed (the base class accepts every text); it is judged
    // as a whole on Enter or focus loss.
    // A spin box takes the focus from the wheel by default, and then the
    // same turn of the wheel steps it: a box the mouse merely passes over
    // while the page scrolls must stay as it is.
    setFocusPolicy(Qt::StrongFocus);
    redisplay();
}

void ValueEntry::setRange(int min, int max)
{
    m_min = min;
    m_max = qMax(min, max);
    updateGeometry();
    const int before = m_code;
    m_code = qBound(m_min, m_code, m_max);
    redisplay();
    if (m_code != before)
        emit codeChanged(m_code);
}

void ValueEntry::setCode(int code)
{
    const int bounded = qBound(m_min, code, m_max);
    const bool changed = bounded != m_code;
    m_code = bounded;
    redisplay();
    if (changed)
        emit codeChanged(m_code);
}

void ValueEntry::reannounce()
{
    redisplay();
    emit codeChanged(m_code);
}

bool ValueEntry::commit()
{
    if (m_committing)
        return false;
    m_committing = true;
    const auto [low, high] = typedBounds ? typedBounds() : std::pair{m_min, m_max};
    const CommitResult r = commitEntry(lineEdit()->text(), m_scale, low, high);
    if (!r.textToWriteBack.isEmpty())
        lineEdit()->setText(r.textToWriteBack);
    if (r.valid) {
        setCode(r.code);
    } else {
        m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error);
        redisplay();
    }
    m_committing = false;
    return r.valid;
}

void ValueEntry::stepBy(int steps)
{
    // The arrows step from the stored code; text typed but not yet committed
    // is replaced by the new code.
    const long long target = static_cast<long long>(m_code) + steps;
    setCode(int(std::clamp<long long>(target, m_min, m_max)));
    selectAll();
}

QAbstractSpinBox::StepEnabled ValueEntry::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled e = StepNone;
    if (m_code < m_max)
        e |= StepUpEnabled;
    if (m_code > m_min)
        e |= StepDownEnabled;
    return e;
}

void ValueEntry::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter belongs to the box: it commits and goes no further, so it
        // does not also press a dialog's default button.
        commit();
        selectAll();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier
        && lineEdit()->text() != displayCode(m_scale, m_code)) {
        // Escape takes back what was typed; a box that shows its value
        // leaves the key to its window (an editor closes on it).
        redisplay();
        selectAll();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void ValueEntry::focusOutEvent(QFocusEvent *event)
{
    QAbstractSpinBox::focusOutEvent(event);
    // Switching to another program or opening the box's context menu is not
    // leaving the box, and a window that is closing judges nothing. A box
    // whose page was just hidden (another tab chosen) is left all the same:
    // its text is judged, or it would stay on show without ever being sent.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason
        || !window()->isVisible())
        return;
    commit();
}

void ValueEntry::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        // Left to the parent: a scroll area scrolls on.
        event->ignore();
        return;
    }
    QAbstractSpinBox::wheelEvent(event);
}

QVariant ValueEntry::shownValue() const
{
    return shownNumber(m_scale, m_code);
}

QVariant ValueEntry::shownMinimum() const
{
    return shownNumber(m_scale, m_min);
}

QVariant ValueEntry::shownMaximum() const
{
    return shownNumber(m_scale, m_max);
}

void ValueEntry::redisplay()
{
    lineEdit()->setText(displayCode(m_scale, m_code));
    update(); // the arrows' enabled state follows the code
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, shownValue());
        QAccessible::updateAccessibility(&changed);
    }
}

int ValueEntry::widestTextWidth() const
{
    const QFontMetrics fm(font());
    int w = 0;
    for (const int c : {m_min, m_max, m_min + 1, m_max - 1})
        w = qMax(w, fm.horizontalAdvance(displayCode(m_scale, qBound(m_min, c, m_max))));
    // Level boxes show "MUTE" at one end and "-91.5" next to it.
    if (m_scale == Scale::Level)
        w = qMax(w, fm.horizontalAdvance(QStringLiteral("-00.0")));
    return w;
}

QSize ValueEntry::sizeHint() const
{
    ensurePolished();
    const int h = lineEdit()->sizeHint().height();
    const int w = widestTextWidth() + 2 + fontMetrics().horizontalAdvance(u'0'); // cursor room
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &opt, QSize(w, h), this);
}

QSize ValueEntry::minimumSizeHint() const
{
    return sizeHint();
}
