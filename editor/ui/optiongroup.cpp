#include "editor/ui/optiongroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

#include <algorithm>

OptionGroup::OptionGroup(const QStringList &captions, QWidget *parent, const QString &name, int indexBase)
    : QObject(parent), m_group(new QButtonGroup(this))
{
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QRadioButton(captions.at(i), parent);
        b->setObjectName(name + u'_' + QString::number(indexBase + i));
        m_group->addButton(b, i);
        b->installEventFilter(this);
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
        keepTabStop();
    });
    keepTabStop();
}

bool OptionGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        keepTabStop();
    return QObject::eventFilter(watched, event);
}

void OptionGroup::keepTabStop()
{
    // Otherwise Tab would go through every choice of every row, entering a
    // row at its first choice rather than at the one that holds.
    QRadioButton *stop = button(m_checked);
    if (!stop || !stop->isEnabled()) {
        const auto enabled = std::find_if(m_buttons.begin(), m_buttons.end(),
                                          [](const QRadioButton *b) { return b->isEnabled(); });
        if (enabled != m_buttons.end())
            stop = *enabled;
    }
    for (QRadioButton *b : m_buttons)
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
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
