#pragma once

// A window as assistive technology finds it: every control it can reach and
// the name it hears for each, through Qt's accessibility interfaces.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

inline QAccessibleInterface *accessible(QObject *o)
{
    return QAccessible::queryAccessibleInterface(o);
}

inline QString accessibleName(QObject *o)
{
    QAccessibleInterface *i = accessible(o);
    return i ? i->text(QAccessible::Name) : QString();
}

// The name a screen reader says for a control. On Linux Qt names a combo
// box by its current text and points to its label through a relation: the
// label tied to it is its name.
inline QString spokenName(QWidget *w)
{
    QAccessibleInterface *i = accessible(w);
    if (!i)
        return {};
    if (qobject_cast<QComboBox *>(w))
        for (const auto &[other, relation] : i->relations(QAccessible::Label))
            return other->text(QAccessible::Name);
    return i->text(QAccessible::Name);
}

// The controls a user operates: buttons, options, entry fields and lists.
// Qt's own parts of a control (a spin box's line edit, a toolbar's
// extension arrow, a table's corner button) are the control's business,
// not ours.
inline QList<QWidget *> operableControls(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(QLatin1String("qt_")) || w->window() != window)
            continue;
        bool partOfView = false;
        for (QWidget *up = w->parentWidget(); up && !partOfView; up = up->parentWidget())
            partOfView = qobject_cast<QAbstractItemView *>(up);
        if (partOfView)
            continue;
        if (qobject_cast<QLineEdit *>(w) && (qobject_cast<QAbstractSpinBox *>(w->parentWidget())
                                             || qobject_cast<QComboBox *>(w->parentWidget())))
            continue;
        if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSpinBox *>(w)
            || qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QPlainTextEdit *>(w))
            controls << w;
    }
    return controls;
}

// What is wrong with the names of a window's controls: "unnamed: <object>"
// for a control with no name, "shared: <name> (<objects>)" for a name two
// controls share. Empty when every control says what it is, once.
inline QStringList nameFaults(const QList<QWidget *> &controls)
{
    QStringList faults;
    QHash<QString, QStringList> users;
    for (QWidget *w : controls) {
        const QString name = spokenName(w);
        const QString who = w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName();
        if (name.trimmed().isEmpty())
            faults << QStringLiteral("unnamed: ") + who;
        else
            users[name] << who;
    }
    for (auto it = users.cbegin(); it != users.cend(); ++it)
        if (it->size() > 1)
            faults << QStringLiteral("shared: %1 (%2)").arg(it.key(), it->join(u','));
    return faults;
}

inline QStringList nameFaults(QWidget *window)
{
    return nameFaults(operableControls(window));
}

// The menus of a window in which two items share a mnemonic, so that the
// key goes to the first only: "<menu>: <key> (<items>)". Empty when each
// key of each menu leads to one item.
inline QStringList mnemonicClashes(QWidget *window)
{
    auto mnemonic = [](const QString &text) -> QChar {
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != u'&')
                continue;
            if (text[i + 1] != u'&')
                return text[i + 1].toUpper();
            ++i; // "&&" shows an ampersand
        }
        return {};
    };
    QStringList faults;
    auto check = [&](const QString &where, const QList<QAction *> &actions) {
        QHash<QChar, QStringList> users;
        for (QAction *a : actions)
            if (!a->isSeparator() && a->isVisible() && !mnemonic(a->text()).isNull())
                users[mnemonic(a->text())] << a->text();
        for (auto it = users.cbegin(); it != users.cend(); ++it)
            if (it->size() > 1)
                faults << QStringLiteral("%1: %2 (%3)").arg(where, it.key(), it->join(QStringLiteral(" / ")));
    };
    for (QMenuBar *bar : window->findChildren<QMenuBar *>())
        check(QStringLiteral("menu bar"), bar->actions());
    for (QMenu *menu : window->findChildren<QMenu *>())
        check(menu->title(), menu->actions());
    return faults;
}
