#include "panel/ui/frmexeicon.h"

#include "base/strings.h"
#include "mixer/parametertable.h"
#include "mixer/syncstatus.h"
#include "panel/ui/buttonface.h"

#include "base/ui/accessnames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
namespace Res {
constexpr int On = 2912;   // "ON"
constexpr int Off = 2913;  // "OFF"
constexpr int Chair = 14408;      // "議長"
constexpr int TimeLeft = 14442;   // "残り %1"
constexpr int TimeUp = 14443;     // "時間切れ"
constexpr int SpeakingFor = 14444; // "発言 %1"
} // namespace Res
constexpr int Bevel = 3;
// How long a refused press says why.
constexpr int NoticeMs = 2500;
// The speaking time's marks: amber during the warning, red once it is up.
const QColor WarningFace(255, 191, 0);
const QColor EndedFace(232, 64, 52);

// A channel button reads as a toggle button with its caption; an output
// button as a plain button. Both can be pressed.
class ExeIconAccessible : public QAccessibleWidget
{
public:
    explicit ExeIconAccessible(FrmExeIcon *w) : QAccessibleWidget(w, QAccessible::Button) {}

    FrmExeIcon *icon() const { return static_cast<FrmExeIcon *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return icon()->captionWords();
        case QAccessible::Value:
            return icon()->stateText();
        case QAccessible::Description:
            return icon()->description();
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = icon()->switches();
        s.checked = icon()->isOn();
        return s;
    }
    QStringList actionNames() const override
    {
        return {pressAction(), toggleAction(), showMenuAction()};
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() || name == toggleAction())
            icon()->press();
        else if (name == showMenuAction())
            icon()->askForSettings();
    }
};

QAccessibleInterface *exeIconInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("FrmExeIcon"))
        if (auto *w = qobject_cast<FrmExeIcon *>(object))
            return new ExeIconAccessible(w);
    return nullptr;
}
} // namespace

FrmExeIcon::FrmExeIcon(ButtonRef button, const PanelState &panel, QWidget *parent, SyncStatus *sync,
                       const TimeOfDay *timeOfDay)
    : QWidget(parent), m_button(button), m_panel(panel), m_sync(sync), m_timeOfDay(timeOfDay)
{
    if (m_sync && switches()) {
        // The switch writes RemoteOn and RemoteOff of the channel; RemoteOn
        // stands for both.
        const int mixer = button.mixer + 1;
        const int id = channelKeyId(ChannelFamily::RemoteOn, button.slot + 1);
        connect(&m_sync->events(), &SyncEvents::valueStateChanged, this, [this, mixer, id](int m, int k) {
            if (m == mixer && k == id)
                markChanged();
        });
        m_markWhen = markTime(switchStatus(), m_timeOfDay);
        setToolTip(mark().words);
    }
    setObjectName(QStringLiteral("frmExeIcon_%1_%2").arg(button.mixer).arg(button.slot));
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(NoticeMs);
    connect(&m_noticeTimer, &QTimer::timeout, this, [this] { showNotice({}); });
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QAccessible::installFactory(exeIconInterface);
}

ValueMark FrmExeIcon::mark() const
{
    if (!m_sync || !switches())
        return {};
    const ValueStatus s = switchStatus();
    return valueMark(s, captionWords(), s.value ? str(Res::On) : str(Res::Off), m_markWhen);
}

ValueStatus FrmExeIcon::switchStatus() const
{
    return m_sync->valueStatus(m_button.mixer + 1, channelKeyId(ChannelFamily::RemoteOn, m_button.slot + 1));
}

void FrmExeIcon::markChanged()
{
    m_markWhen = markTime(switchStatus(), m_timeOfDay);
    setToolTip(mark().words);
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

QString FrmExeIcon::description() const
{
    QString time;
    switch (m_seat.mark.phase) {
    case SpeakingPhase::Free:
        if (!m_seat.time.isEmpty())
            time = str(Res::SpeakingFor).arg(m_seat.time);
        break;
    case SpeakingPhase::Warning: time = str(Res::TimeLeft).arg(runningTimeText(m_seat.mark.remaining)); break;
    case SpeakingPhase::Ended: time = str(Res::TimeUp); break;
    }
    return joinAccessible({m_seat.chair ? str(Res::Chair) : QString(), stateText(), time, m_notice.isEmpty() ? QString() : m_noticeWords, mark().words});
}

void FrmExeIcon::showSeat(const SeatView &view)
{
    if (view == m_seat)
        return;
    const bool phaseChanged = view.mark.phase != m_seat.mark.phase || view.chair != m_seat.chair;
    m_seat = view;
    update();
    // A screen reader hears a new phase; the seconds it reads when it asks.
    if (phaseChanged && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void FrmExeIcon::showNotice(const QString &text, const QString &words)
{
    m_notice = text;
    m_noticeWords = words.isEmpty() ? text : words;
    setToolTip(text.isEmpty() ? mark().words : m_noticeWords);
    if (text.isEmpty())
        m_noticeTimer.stop();
    else
        m_noticeTimer.start();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

QString FrmExeIcon::captionWords() const
{
    return joinAccessible(captionLines(slot().IconText));
}

void FrmExeIcon::press()
{
    // Greyed while the mixers are out of reach: assistive technology
    // presses it no more than the mouse does.
    if (isEnabled())
        emit leftPressed(m_button);
}

void FrmExeIcon::showState()
{
    update();
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void FrmExeIcon::askForSettings()
{
    emit rightPressed(m_button, rect().center());
}

void FrmExeIcon::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && event->modifiers() == Qt::NoModifier) {
        press();
        return;
    }
    // The context-menu key arrives as a context menu event; Shift+F10, its
    // other name, as a key.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        askForSettings();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmExeIcon::contextMenuEvent(QContextMenuEvent *event)
{
    // The right button's press has opened the dialog already.
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->ignore();
        return;
    }
    askForSettings();
}

void FrmExeIcon::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void FrmExeIcon::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

QString FrmExeIcon::stateText() const
{
    if (m_button.isOutput())
        return {};
    return str(on() ? Res::On : Res::Off);
}

QString FrmExeIcon::shownLabel() const
{
    if (m_button.isOutput())
        return {};
    if (!m_notice.isEmpty())
        return m_notice;
    if (m_seat.mark.phase == SpeakingPhase::Warning)
        return stateText() + u' ' + runningTimeText(m_seat.mark.remaining);
    return m_seat.time.isEmpty() ? stateText() : stateText() + u' ' + m_seat.time;
}

QColor FrmExeIcon::faceColor() const
{
    if (on() && m_seat.mark.phase == SpeakingPhase::Warning)
        return WarningFace;
    if (on() && m_seat.mark.phase == SpeakingPhase::Ended)
        return EndedFace;
    return colorFromValue(quint32(on() ? slot().IconColorOn : slot().IconColorDef));
}

bool FrmExeIcon::raised() const
{
    return !on();
}

void FrmExeIcon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect all = rect();
    QColor face = faceColor();
    if (!isEnabled()) {
        // Out of reach: the colour gone, light enough for the state to read.
        const int grey = std::clamp(face.lightness(), 150, 215);
        face = QColor(grey, grey, grey);
    }
    p.fillRect(all, face);
    if (raised()) {
        // A 3-D face: light top-left, dark bottom-right.
        for (int i = 0; i < Bevel; ++i) {
            const QRect r = all.adjusted(i, i, -i - 1, -i - 1);
            p.setPen(face.lighter(150 - 15 * i));
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(face.darker(170 - 20 * i));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
    } else {
        p.setPen(face.darker(160));
        p.drawRect(all.adjusted(0, 0, -1, -1));
    }
    // Dark faces a user may choose still get a readable caption.
    const QColor text = face.lightnessF() < 0.45 ? QColor(Qt::white) : QColor(Qt::black);
    paintCaption(p, all.adjusted(Bevel, Bevel, -Bevel, -Bevel), slot(), text, shownLabel());
    const ValueMark m = mark();
    if (m.shown()) {
        // The mark in the top-right corner: its own shape on its colour.
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        const QFontMetrics fm(f);
        const int side = fm.height();
        const QRect badge(all.right() - Bevel - side, all.top() + Bevel, side, side);
        p.setPen(Qt::NoPen);
        p.setBrush(m.color);
        p.drawRoundedRect(badge, 3, 3);
        p.setPen(Qt::white);
        p.drawText(badge, Qt::AlignCenter, m.glyph);
        p.setBrush(Qt::NoBrush);
    }
    if (hasFocus()) {
        // The keyboard's place: a dotted line inside the face.
        p.setPen(QPen(text, 1, Qt::DotLine));
        p.drawRect(all.adjusted(Bevel + 1, Bevel + 1, -Bevel - 2, -Bevel - 2));
    }
}

void FrmExeIcon::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed(m_button);
    else if (event->button() == Qt::RightButton)
        emit rightPressed(m_button, event->position().toPoint());
}
