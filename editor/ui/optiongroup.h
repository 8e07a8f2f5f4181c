#pragma once

// A row of option buttons that stands for one code: choice i is button i.
// The editor's option buttons take a click not only from the user: whenever
// code selects a button that was not selected, that counts as its click too
// (the window stores what the click stands for, just as for the user's).
// Tab stops once at a row, on its selected choice; the arrows move within it.

#include <QObject>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;
class QWidget;

class OptionGroup : public QObject
{
    Q_OBJECT

public:
    // Buttons captioned `captions`, children of `parent`, named
    // `name` + "_" + (indexBase + choice) after the window's indexed controls.
    OptionGroup(const QStringList &captions, QWidget *parent, const QString &name, int indexBase = 0);

    int count() const { return int(m_buttons.size()); }
    QRadioButton *button(int choice) const;
    // The selected choice, -1 when none is.
    int checked() const;

    enum class Notify { Click, Quiet };
    // Shows `choice` selected; a button that was not selected before emits
    // clicked unless Quiet. A code no button stands for shows none selected
    // (nothing is clicked).
    void select(int choice, Notify notify = Notify::Click);

    void setEnabled(bool enabled);

signals:
    // The user's click, or a selection by code (see select).
    void clicked(int choice);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The one button Tab stops at: the selected one, or the first that can
    // take the focus when it cannot.
    void keepTabStop();

    QButtonGroup *m_group;
    std::vector<QRadioButton *> m_buttons;
    int m_checked = -1;
};
