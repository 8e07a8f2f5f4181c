#include "base/ui/accessnames.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const char *const WindowProperty = "zkAccessibleWindow";

bool isField(const QWidget *w)
{
    return qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w);
}

void nameOne(QWidget *w, const QString &context)
{
    if (!w->accessibleName().isEmpty())
        return;
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        w->setAccessibleName(joinAccessible({context, b->text()}));
    else if (isField(w))
        w->setAccessibleName(accessibleWords(context));
}

// Asked for each class of an object, most derived first: answers only for
// the object's own class, so that a window's interface is made once.
QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w || !w->isWindow() || !w->property(WindowProperty).toBool()
        || className != QLatin1String(w->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}

} // namespace


void tieLabel(QLabel *label, QWidget *field, const QString &context)
{
    label->setBuddy(field);
    field->setAccessibleName(joinAccessible({context, label->text()}));
}

void nameControlsIn(QWidget *content, const QString &context)
{
    nameOne(content, context);
    for (QWidget *w : content->findChildren<QWidget *>())
        nameOne(w, context);
}

void announceAsWindow(QWidget *window)
{
    window->setProperty(WindowProperty, true);
    // Installing the same factory again changes nothing.
    QAccessible::installFactory(windowInterface);
}
