#include "panel/ui/frmediticon.h"

#include "base/ui/accessnames.h"
#include "panel/designtools.h"
#include "panel/ui/buttonface.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <utility>

namespace {

namespace Res {
constexpr int Face = 522;            // "&H8000000F" button face
constexpr int Text = 10360;          // "&H80000012" button text
constexpr int SelectedFace = 10361;  // "&H8000000D" highlight
constexpr int SelectedText = 10362;  // "&H8000000E" highlight text
} // namespace Res

constexpr int MinimumSide = 3 * FrmEditIcon::BorderWidth;

// A design button reads as a button named by its caption and channel, that
// can be selected; pressing it selects it, and it has a menu.
class EditIconAccessible : public QAccessibleWidget
{
public:
    explicit EditIconAccessible(FrmEditIcon *w) : QAccessibleWidget(w, QAccessible::Button) {}

    FrmEditIcon *icon() const { return static_cast<FrmEditIcon *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? icon()->spokenName() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = icon()->isSelected();
        return s;
    }
    QStringList actionNames() const override { return {pressAction(), showMenuAction()}; }
    void doAction(const QString &name) override
    {
        FrmEditIcon *w = icon();
        if (name == pressAction())
            emit w->selectRequested(w->button(), false);
        else if (name == showMenuAction())
            emit w->menuRequested(w->button(), w->mapToGlobal(w->rect().center()));
    }
};

QAccessibleInterface *editIconInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("FrmEditIcon"))
        if (auto *w = qobject_cast<FrmEditIcon *>(object))
            return new EditIconAccessible(w);
    return nullptr;
}

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    const bool h = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool v = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (h && v) {
        const bool backslash = ((edges & Qt::LeftEdge) && (edges & Qt::TopEdge))
                               || ((edges & Qt::RightEdge) && (edges & Qt::BottomEdge));
        return backslash ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (h)
        return Qt::SizeHorCursor;
    if (v)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

FrmEditIcon::FrmEditIcon(ButtonRef button, const PanelState &panel, QWidget *parent)
    : QWidget(parent), m_button(button), m_panel(panel)
{
    setObjectName(QStringLiteral("frmEditIcon_%1_%2").arg(button.mixer).arg(button.slot));
    // Reached by Tab as by a click.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    static const bool factory = [] {
        QAccessible::installFactory(editIconInterface);
        return true;
    }();
    Q_UNUSED(factory);
}

bool FrmEditIcon::isSelected() const
{
    return m_panel.slot(m_button.mixer, m_button.slot).selected;
}

QString FrmEditIcon::spokenName() const
{
    const ButtonSlot &s = m_panel.slot(m_button.mixer, m_button.slot);
    return joinAccessible({joinAccessible(captionLines(s.IconText)), buttonChannelName(m_button)});
}

void FrmEditIcon::place(const QRect &pixels)
{
    setGeometry(pixels.normalized());
}

Qt::Edges FrmEditIcon::edgesAt(const QPoint &pos) const
{
    Qt::Edges e;
    if (pos.x() < BorderWidth)
        e |= Qt::LeftEdge;
    if (pos.x() >= width() - BorderWidth)
        e |= Qt::RightEdge;
    if (pos.y() < BorderWidth)
        e |= Qt::TopEdge;
    if (pos.y() >= height() - BorderWidth)
        e |= Qt::BottomEdge;
    return e;
}

void FrmEditIcon::paintEvent(QPaintEvent *)
{
    const ButtonSlot &slot = m_panel.slot(m_button.mixer, m_button.slot);
    const QPalette pal = palette();
    const QColor face = slot.selected ? tableColor(Res::SelectedFace, pal.color(QPalette::Highlight))
                                      : tableColor(Res::Face, pal.color(QPalette::Button));
    const QColor text = slot.selected ? tableColor(Res::SelectedText, pal.color(QPalette::HighlightedText))
                                      : tableColor(Res::Text, pal.color(QPalette::ButtonText));
    QPainter p(this);
    const QRect all = rect();
    // The sizable border: a raised frame in the button face colour.
    p.fillRect(all, pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(all.topLeft(), all.topRight());
    p.drawLine(all.topLeft(), all.bottomLeft());
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(all.bottomLeft(), all.bottomRight());
    p.drawLine(all.topRight(), all.bottomRight());
    const QRect inner = all.adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    p.fillRect(inner, face);
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(inner.adjusted(-1, -1, 0, 0));
    paintCaption(p, inner, slot, text);
    // The focus shows also on a button not selected: Tab leads there.
    if (hasFocus()) {
        p.setPen(QPen(text, 1, Qt::DotLine));
        p.drawRect(inner.adjusted(2, 2, -3, -3));
    }
}

void FrmEditIcon::mousePressEvent(QMouseEvent *event)
{
    // The right button's press is the button's own: its menu follows.
    if (event->button() == Qt::RightButton)
        return;
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    if (edges) {
        m_resizing = edges;
        m_startGeometry = geometry();
        m_startGlobal = event->globalPosition().toPoint();
        return;
    }
    m_held = true;
    m_pressPoint = event->position().toPoint();
    emit pressed(m_button, event->modifiers() & Qt::ControlModifier);
}

void FrmEditIcon::resizeTo(const QPoint &globalPos)
{
    const QPoint d = globalPos - m_startGlobal;
    QRect r = m_startGeometry;
    if (m_resizing & Qt::LeftEdge)
        r.setLeft(std::min(r.left() + d.x(), r.right() - MinimumSide));
    if (m_resizing & Qt::RightEdge)
        r.setRight(std::max(r.right() + d.x(), r.left() + MinimumSide));
    if (m_resizing & Qt::TopEdge)
        r.setTop(std::min(r.top() + d.y(), r.bottom() - MinimumSide));
    if (m_resizing & Qt::BottomEdge)
        r.setBottom(std::max(r.bottom() + d.y(), r.top() + MinimumSide));
    if (r == geometry())
        return;
    setGeometry(r);
    emit resizedByUser(m_button, r);
}

void FrmEditIcon::mouseMoveEvent(QMouseEvent *event)
{
    if (m_resizing) {
        resizeTo(event->globalPosition().toPoint());
        return;
    }
    if (m_held && (event->buttons() & Qt::LeftButton)) {
        emit dragged(m_button, event->position().toPoint() - m_pressPoint);
        return;
    }
    setCursor(cursorFor(edgesAt(event->position().toPoint())));
}

void FrmEditIcon::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_resizing) {
        resizeTo(event->globalPosition().toPoint());
        const Qt::Edges edges = std::exchange(m_resizing, {});
        if (geometry() != m_startGeometry)
            emit resizeFinished(m_button, edges, event->modifiers());
        return;
    }
    if (!m_held)
        return;
    m_held = false;
    emit released(m_button, event->position().toPoint() - m_pressPoint, event->modifiers());
}

void FrmEditIcon::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_held = false;
    m_resizing = {};
    emit doubleClicked(m_button);
}

void FrmEditIcon::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: emit arrowPressed(m_button, ArrowKey::Left, event->modifiers()); break;
    case Qt::Key_Right: emit arrowPressed(m_button, ArrowKey::Right, event->modifiers()); break;
    case Qt::Key_Up: emit arrowPressed(m_button, ArrowKey::Up, event->modifiers()); break;
    case Qt::Key_Down: emit arrowPressed(m_button, ArrowKey::Down, event->modifiers()); break;
    case Qt::Key_Space: emit selectRequested(m_button, event->modifiers() & Qt::ControlModifier); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit doubleClicked(m_button); break;
    case Qt::Key_F10:
        // The Menu key arrives as a context-menu event; Shift+F10 as a key.
        if (event->modifiers() != Qt::ShiftModifier) {
            event->ignore();
            return;
        }
        emit menuRequested(m_button, mapToGlobal(rect().center()));
        break;
    default: event->ignore(); return;
    }
}

void FrmEditIcon::contextMenuEvent(QContextMenuEvent *event)
{
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(rect().center());
    emit menuRequested(m_button, at);
}

void FrmEditIcon::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();   // the focus frame
    emit focusChanged(m_button);
}

void FrmEditIcon::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
    emit focusChanged(m_button);
}
