#include "app/ui/virtualtitle.h"

#include "base/strings.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

constexpr int MarkedTitle = 12611; // "%1 - %2": the mark, then the title

// Puts the mark back as soon as a new title is set. The title is set again
// from within its own change event, so there is no moment at which the
// window shows a title without the mark.
class TitleMarkKeeper final : public QObject
{
public:
    TitleMarkKeeper(QWidget &window, QString mark) : QObject(&window), m_mark(std::move(mark)) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowTitleChange) {
            auto *w = static_cast<QWidget *>(watched);
            const QString title = w->windowTitle();
            const QString marked = markedTitle(title, m_mark);
            if (marked != title)
                w->setWindowTitle(marked);
        }
        return false;
    }

private:
    QString m_mark;
};

} // namespace

QString markedTitle(const QString &title, const QString &mark)
{
    if (title.startsWith(mark))
        return title;
    if (title.isEmpty())
        return mark;
    return str(MarkedTitle).arg(mark, title);
}

void keepMarkInTitle(QWidget &window, const QString &mark)
{
    auto *keeper = new TitleMarkKeeper(window, mark);
    window.installEventFilter(keeper);
    window.setWindowTitle(markedTitle(window.windowTitle(), mark));
}
