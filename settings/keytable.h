#pragma once

// SetDataKeyTable: every key and section name the settings file may hold,
// split from the three triple lists (mixer, panel, system) in that order.
// A key's id addresses the row of the text tables; a section's id their
// column (0..15 mixers, 16..31 panel button sections, 32 "SystemData").

#include "mixer/parametertable.h"

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <vector>

// KeyEntry (id, key, kind) and KeyKind are the mixer parameter table's.
inline bool isSection(const KeyEntry &e)
{
    return e.kind == KeyKind::Section;
}

// One list: its key entries and its section entries, in list order.
struct KeyList
{
    std::vector<KeyEntry> keys;
    std::vector<KeyEntry> sections;
};

namespace SettingsGrid {
constexpr int KeyRows = 367;            // key ids 0..366
constexpr int Sections = 33;            // section ids 0..32
constexpr int MixerSectionBase = 0;     // "Mixer_Master"
constexpr int PanelSectionBase = 16;    // "GUI_Master"
constexpr int SystemSection = 32;       // "SystemData"
constexpr int MaxMixers = 16;
} // namespace SettingsGrid

class SetDataKeyTable
{
public:
    enum ListIndex { MixerList = 0, PanelList = 1, SystemList = 2, ListCount = 3 };

    // Built from the program's three lists. valid() is false when an entry
    // would address a row or column outside the text tables (such entries
    // are left out).
    static SetDataKeyTable build();
    // Built from given texts (tests).
    static SetDataKeyTable fromTexts(const QString &mixer, const QString &panel,
                                     const QString &system);

    // First entry of that name in list order (case-sensitive, exact), or null.
    const KeyEntry *find(const QString &name) const;
    // The list (ListIndex) of that first entry, -1 for a name not in the table.
    int listOf(const QString &name) const;
    // The list whose sections section id `section` belongs to.
    static int listOfSection(int section);

    const KeyList &list(int index) const { return m_lists[index]; }
    bool valid() const { return m_valid; }

private:
    KeyList m_lists[ListCount];
    // name -> (list, isSection, index) of its first occurrence
    struct Where { int list; bool section; int index; };
    QHash<QString, Where> m_first;
    bool m_valid = false;
};
