#include "editor/ui/markbadge.h"

#include <QEvent>

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
    m_host->setAccessibleDescription(words);
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

void MarkBadge::place()
{
    adjustSize();
    move(m_host->width() - width() - 1, 1);
}
