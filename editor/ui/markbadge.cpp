#include "editor/ui/markbadge.h"

#include "base/clock.h"
#include "base/ui/accessnames.h"
#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>

namespace {
constexpr int FirstExtendedKey = 87;
constexpr int LastExtendedKey = 103; // register 18; 17 has no field

int registerOfKey(int id)
{
    return id == LastExtendedKey ? 18 : id - (FirstExtendedKey - 1);
}
} // namespace

MarkBadge::MarkBadge(QWidget *host) : QLabel(host), m_host(host)
{
    setObjectName(QStringLiteral("MarkBadge"));
    setAlignment(Qt::AlignCenter);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    hide();
    host->installEventFilter(this);
}

void MarkBadge::showMark(const ValueMark &mark)
{
    m_mark = mark;
    const QString words = mark.words;
    m_host->setToolTip(words);
    // A screen reader hears the words on the controls that write the value;
    // a host that only holds them (a strip's row, a cell) is no control and
    // keeps the tooltip alone.
    if (m_described.empty())
        m_host->setAccessibleDescription(words);
    for (QWidget *w : m_described) {
        w->setToolTip(words);
        w->setAccessibleDescription(words);
    }
    if (!mark.shown()) {
        hide();
        return;
    }
    setText(mark.glyph);
    setToolTip(words);
    setStyleSheet(QStringLiteral("color: white; background: %1; border-radius: 3px; padding: 0 2px;")
                      .arg(mark.color.name()));
    place();
    show();
    raise();
}

bool MarkBadge::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host && event->type() == QEvent::Resize)
        place();
    return QLabel::eventFilter(watched, event);
}

int markRoom(const QWidget *w)
{
    QFont bold = w->font();
    bold.setBold(true);
    // The widest glyph on its padding, and a little air.
    return QFontMetrics(bold).horizontalAdvance(QStringLiteral("…")) + 10;
}

QWidget *withMarkRoom(QWidget *content)
{
    auto *cell = new QWidget;
    auto *row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, markRoom(content), 0);
    row->setSpacing(0);
    row->addWidget(content);
    return cell;
}

void MarkBadge::place()
{
    adjustSize();
    move(m_host->width() - width() - 1, 1);
}

MarkSet::MarkSet(SyncStatus &sync, const MixerState &mixers, int mixer, const TimeOfDay *time, QObject *parent)
    : QObject(parent), m_sync(sync), m_mixers(mixers), m_mixer(mixer), m_time(time)
{
    connect(&m_sync.events(), &SyncEvents::valueStateChanged, this, [this](int m, int id) {
        if (m != m_mixer)
            return;
        const auto it = m_hosts.find(id);
        if (it != m_hosts.end())
            show(it->second);
    });
    connect(&m_sync.events(), &SyncEvents::valuesSubmitted, this, [this](int m) {
        if (m == m_mixer)
            showSubmitted();
    });
}

void MarkSet::add(int id, QWidget *host, const QString &name, std::function<QString(qint32)> shown,
                  std::vector<QWidget *> described)
{
    auto *badge = new MarkBadge(host);
    badge->describe(std::move(described));
    const auto [it, added] = m_hosts.insert_or_assign(id, Host{id, badge, accessibleWords(name), std::move(shown), {}});
    if (added)
        (id >= FirstExtendedKey ? m_extended : m_values).push_back(&it->second);
}

const MarkBadge *MarkSet::markOf(int id) const
{
    const auto it = m_hosts.find(id);
    return it == m_hosts.end() ? nullptr : it->second.badge;
}

void MarkSet::showAll()
{
    for (auto &[id, host] : m_hosts)
        show(host);
}

void MarkSet::follow()
{
    // Called on every tick of a window: with nothing changed it only reads.
    for (Host *host : m_extended) {
        const ValueStatus s = statusOf(host->id);
        if (s.state != host->last.state || s.at != host->last.at)
            show(*host);
    }
}

void MarkSet::showSubmitted()
{
    for (Host *host : m_values)
        if (m_mixers.waiting(m_mixer, host->id) && host->badge->mark().state != ValueState::Waiting)
            show(*host);
}

ValueStatus MarkSet::statusOf(int id) const
{
    if (id < FirstExtendedKey)
        return m_sync.valueStatus(m_mixer, id);
    const int reg = registerOfKey(id);
    return reg >= 1 && reg < ExtendedRegisterSlots ? m_mixers.ExtendedWrite[size_t(reg)] : ValueStatus{};
}

void MarkSet::show(Host &host)
{
    const ValueStatus status = statusOf(host.id);
    host.last = status;
    if (status.state == ValueState::Settled && !host.badge->mark().shown())
        return;
    host.badge->showMark(valueMark(status, host.name, host.shown(status.value), markTime(status, m_time)));
}
