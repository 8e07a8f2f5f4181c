#pragma once

// ExtendedTab: the editor window's third tab, hidden until its warning is
// confirmed: the extended registers in three numbered groups, each with its
// transfer and initialise buttons. It builds its controls, keeps the
// threshold limits ordered and the noise options' fields offered only while
// on, loads the entries from ExtendedData and says what they hold. Writing a
// group and initialising are asked of the window.

#include "editor/editorrules.h"
#include "editor/extendedentries.h"
#include "editor/ui/editortabparts.h"

#include <QFrame>

#include <array>
#include <functional>
#include <vector>

class OptionGroup;
class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QRadioButton;

class ExtendedTab : public QFrame, public EditorFields
{
    Q_OBJECT

public:
    // With `debugMode` the silent-time and ThresholdK2 rows show.
    ExtendedTab(EditorTabContext context, bool debugMode);

    QRadioButton *ExtParam(int index) const;
    // Every field but 5..7, which are the system tab's.
    ValueEntry *UpDwParam(int i) const { return m_params[size_t(i)]; }
    // CmdInit(0, 1, 6) and CmdMixer(0, 1, 3); none for the others.
    QPushButton *CmdInit(int i) const { return m_init[size_t(i)]; }
    QPushButton *CmdMixer(int i) const { return m_toMixer[size_t(i)]; }

    // The entries show ExtendedData again.
    void load();
    // What the entries hold, into `e`.
    void fill(ExtendedEntries &e) const;
    void applyRules(const EnableRules &rules);

signals:
    void initialiseAsked(int code);
    // CmdMixer(n): extended group n written.
    void writeAsked(int n);

private:
    // One row of a group: label, entry and unit.
    struct Row
    {
        int textId;
        QWidget *content;
        int unitId = 0;
        bool debugOnly = false;
        std::vector<QWidget *> *governed = nullptr;
        int markKey = 0; // the register field the row shows
        std::function<QString(qint32)> shown = {};
    };
    Row entryRow(int textId, int field, int reg, int unitId = 0, bool debugOnly = false,
                 std::vector<QWidget *> *governed = nullptr) const;
    void makeEntries();
    void buildGroups();
    QFrame *buildGroup(int n, int toMixer, int init, const std::vector<Row> &rows);
    void addRow(QGridLayout *grid, int r, const Row &row, QWidget *box, const QString &groupName);
    QHBoxLayout *buildButtons(QWidget *box, int toMixer, int init, const QString &groupName);
    void connectHandlers();

    void tightenThresholdRanges();
    void applyNoiseOptions();

    EditorTabContext m_ctx;
    int m_labelIndex = 100; // LblMonly(100..)
    std::array<ValueEntry *, FieldCount> m_params{};
    std::array<QFrame *, 3> m_extendedGroups{};
    std::array<QPushButton *, CmdInitCount> m_init{};
    std::array<QPushButton *, CmdMixerCount> m_toMixer{};
    OptionGroup *m_noise = nullptr;    // ExtParam(0..1)
    OptionGroup *m_headLack = nullptr; // ExtParam(10..11)
    // What each noise option governs: the fields with their labels.
    std::vector<QWidget *> m_noiseFields;
    std::vector<QWidget *> m_headLackFields;
    // Rows the "DEBUG" layout shows: silent time and ThresholdK2.
    std::vector<QWidget *> m_debugRows;
    bool m_noiseGroup = false; // the group may be edited
    bool m_loadingEntries = false;
};
