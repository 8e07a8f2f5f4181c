#include "editor/ui/editortabparts.h"

#include "base/ui/accessnames.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"

#include <QLabel>
#include <QRadioButton>

#include <algorithm>

ValueEntry *makeEntry(Dialogs &dialogs, Scale scale, int min, int max, int index, const QString &name)
{
    auto *e = new ValueEntry(dialogs, scale);
    e->setRange(min, max);
    e->setObjectName(name + u'_' + QString::number(index));
    return e;
}

ValueEntry *makeKeyEntry(Dialogs &dialogs, Scale scale, int keyId, int index, const QString &name)
{
    // The bounds are the parameter's editor range, which the settings file
    // and the tool hold values to as well.
    return makeEntry(dialogs, scale, editorMin(keyId), editorMax(keyId), index, name);
}

void nameAfter(QLabel *label, QWidget *content, const QString &context)
{
    auto *entry = qobject_cast<ValueEntry *>(content);
    if (!entry) {
        const QList<ValueEntry *> entries = content->findChildren<ValueEntry *>();
        if (entries.size() == 1)
            entry = entries.front();
    }
    if (entry)
        tieLabel(label, entry, context);
    nameControlsIn(content, joinAccessible({context, label->text()}));
}

std::vector<QWidget *> markedControls(QWidget *content)
{
    if (qobject_cast<ValueEntry *>(content))
        return {content};
    std::vector<QWidget *> controls;
    for (QWidget *w : content->findChildren<QWidget *>())
        if (qobject_cast<QRadioButton *>(w) || qobject_cast<ValueEntry *>(w))
            controls.push_back(w);
    return controls;
}

void keepOrdered(ValueEntry *low, ValueEntry *high)
{
    const int lowCode = low->code();
    const int highCode = high->code();
    low->setRange(0, std::max(lowCode, highCode));
    high->setRange(std::min(lowCode, highCode), EditorFields::WordMax);
}

void keepChoice(const OptionGroup *group, qint16 &field)
{
    if (group->checked() >= 0)
        field = qint16(group->checked());
}
