#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

// FrmSelect: which mixer the editor shows. The list holds the names of
// mixers 1..MixerCount; OK shows the chosen one (list index + 1).
class FrmSelect : public QDialog
{
    Q_OBJECT

public:
    FrmSelect(int mixerCount, QWidget *parent = nullptr);

    // Called with the chosen mixer number when OK is pressed on a valid entry.
    std::function<void(int mixer)> onChosen;

    QListWidget *list() const { return m_list; }
    QPushButton *CmdJob(int index) const { return index == 0 ? m_ok : m_cancel; }

private:
    void choose();

    int m_mixerCount = 0;
    QListWidget *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
