#include "editor/ui/optiongroup.h"

#include <QButtonGroup>
#include <QRadioButton>

OptionGroup::OptionGroup(const QStringList &captions, QWidget *parent, const QString &name, int indexBase)
    : QObject(parent), m_group(new QButtonGroup(this))
{
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QRadioButton(captions.at(i), parent);
        b->setObjectName(name + u'_' + QString::number(indexBase + i));
        m_group->addButton(b, i);
        m_buttons.push_back(b);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &OptionGroup::clicked);
    // The selected choice, kept as it changes by any hand: the editor's tick
    // asks every row whether it shows the mixer's value, and mostly it does.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            m_checked = id;
        else if (m_checked == id)
            m_checked = -1;
    });
}

QRadioButton *OptionGroup::button(int choice) const
{
    return choice >= 0 && choice < count() ? m_buttons[size_t(choice)] : nullptr;
}

int OptionGroup::checked() const
{
    return m_checked;
}

void OptionGroup::select(int choice, Notify notify)
{
    if (choice == m_checked && choice >= 0)
        return;
    QRadioButton *b = button(choice);
    if (!b) {
        // An exclusive group cannot uncheck its last button directly.
        if (QAbstractButton *on = m_group->checkedButton()) {
            m_group->setExclusive(false);
            on->setChecked(false);
            m_group->setExclusive(true);
        }
        return;
    }
    if (b->isChecked())
        return;
    b->setChecked(true);
    if (notify == Notify::Click)
        emit clicked(choice);
}

void OptionGroup::setEnabled(bool enabled)
{
    for (QRadioButton *b : m_buttons)
        b->setEnabled(enabled);
}
