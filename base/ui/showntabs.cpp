#include "base/ui/showntabs.h"

#include "base/ui/accessnames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTabBar>
#include <QWidget>

namespace {

const char *const ShownTabsProperty = "zkShownTabsOnly";

// One tab of the bar: no widget of its own.
class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TabAccessible(QTabBar *bar, int index) : m_bar(bar), m_index(index) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_bar); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name) {
            const QString name = m_bar->accessibleTabName(m_index);
            return name.isEmpty() ? accessibleWords(m_bar->tabText(m_index)) : name;
        }
        return t == QAccessible::Description ? m_bar->tabToolTip(m_index) : QString();
    }
    QRect rect() const override
    {
        if (!shown())
            return {};
        const QRect r = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.selected = s.focused = m_index == m_bar->currentIndex();
        s.invisible = !shown();
        s.offscreen = s.invisible;
        s.disabled = !m_bar->isEnabled() || !m_bar->isTabEnabled(m_index);
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (isValid() && name == pressAction())
            m_bar->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    bool shown() const { return isValid() && m_bar->isVisible() && m_bar->isTabVisible(m_index); }

    QPointer<QTabBar> m_bar;
    int m_index;
};

class ShownTabsAccessible : public QAccessibleWidget
{
public:
    explicit ShownTabsAccessible(QTabBar *bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~ShownTabsAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    QTabBar *bar() const { return static_cast<QTabBar *>(widget()); }

    int childCount() const override { return bar()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= bar()->count())
            return nullptr;
        if (const QAccessible::Id id = m_tabs.value(index))
            return QAccessible::accessibleInterface(id);
        auto *tab = new TabAccessible(bar(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        return -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface *tab = child(i); tab->rect().contains(x, y))
                return tab;
        return nullptr;
    }

private:
    mutable QHash<int, QAccessible::Id> m_tabs;
};

// Answers for QTabBar itself, and only for bars that asked.
QAccessibleInterface *shownTabsInterface(const QString &className, QObject *object)
{
    auto *bar = qobject_cast<QTabBar *>(object);
    if (!bar || className != QLatin1String(bar->metaObject()->className())
        || !bar->property(ShownTabsProperty).toBool())
        return nullptr;
    return new ShownTabsAccessible(bar);
}

} // namespace

void announceShownTabsOnly(QTabBar *bar)
{
    bar->setProperty(ShownTabsProperty, true);
    // Installing the same factory again changes nothing.
    QAccessible::installFactory(shownTabsInterface);
}
