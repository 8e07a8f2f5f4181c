#pragma once

// DefaultsTab: the editor window's fourth tab, hidden until its warning is
// confirmed: the initial values the mixer starts with, in one group with its
// transfer and initialise buttons. It builds its controls, keeps the two
// threshold limits ordered, loads them from ExtendedData and says what they
// hold. Writing the group and initialising are asked of the window.

#include "editor/editorrules.h"
#include "editor/extendedentries.h"
#include "editor/ui/editortabparts.h"

#include <QFrame>

#include <array>

class OptionGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;

class DefaultsTab : public QFrame, public EditorFields
{
    Q_OBJECT

public:
    explicit DefaultsTab(EditorTabContext context);

    QRadioButton *OpnInit(int index) const;
    ValueEntry *UpDwParam2(int i) const { return m_params2[size_t(i)]; }
    // CmdInit(2) and CmdMixer(2); none for the others.
    QPushButton *CmdInit(int i) const { return i == DefaultsGroup ? m_init : nullptr; }
    QPushButton *CmdMixer(int i) const { return i == DefaultsGroup ? m_toMixer : nullptr; }

    // The entries show ExtendedData again.
    void load();
    // What the entries hold, into `e`.
    void fill(ExtendedEntries &e) const;
    void applyRules(const EnableRules &rules);

signals:
    void initialiseAsked(int code);
    void writeAsked(int n);

private:
    static constexpr int DefaultsGroup = 2; // CmdMixer(2) and CmdInit(2)

    void buildRows(QGridLayout *grid);
    QHBoxLayout *buildButtons(QLabel *heading);
    void tightenDefaultRanges();

    EditorTabContext m_ctx;
    QFrame *m_defaultsGroup = nullptr;
    OptionGroup *m_priorityDef = nullptr; // OpnInit(0..1)
    OptionGroup *m_muteAttDef = nullptr;  // OpnInit(10..12)
    OptionGroup *m_actionDef = nullptr;   // OpnInit(20..21)
    std::array<ValueEntry *, 2> m_params2{};
    QPushButton *m_toMixer = nullptr;
    QPushButton *m_init = nullptr;
    bool m_loadingEntries = false;
};
