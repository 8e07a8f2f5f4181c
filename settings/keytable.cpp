#include "settings/keytable.h"

#include "settings/panelsections_keys.h"


SetDataKeyTable SetDataKeyTable::build()
{
    return fromTexts(mixerKeyListText(), QString::fromLatin1(panelKeyListText()),
                     QString::fromLatin1(systemKeyListText()));
}

SetDataKeyTable SetDataKeyTable::fromTexts(const QString &mixer, const QString &panel,
                                           const QString &system)
{
    SetDataKeyTable t;
    const QString *texts[ListCount] = {&mixer, &panel, &system};
    bool ok = true;
    for (int l = 0; l < ListCount; ++l) {
        for (KeyEntry &e : splitKeyList(*texts[l])) {
            // Ids index the text tables: keys rows, sections columns.
            const int limit = isSection(e) ? SettingsGrid::Sections : SettingsGrid::KeyRows;
            if (e.id < 0 || e.id >= limit) {
                ok = false;
                continue;
            }
            auto &target = isSection(e) ? t.m_lists[l].sections : t.m_lists[l].keys;
            if (!t.m_first.contains(e.key))
                t.m_first.insert(e.key, Where{l, isSection(e), int(target.size())});
            target.push_back(std::move(e));
        }
    }
    t.m_valid = ok;
    return t;
}

int SetDataKeyTable::listOf(const QString &name) const
{
    const auto it = m_first.constFind(name);
    return it == m_first.constEnd() ? -1 : it->list;
}

int SetDataKeyTable::listOfSection(int section)
{
    if (section >= SettingsGrid::SystemSection)
        return SystemList;
    return section >= SettingsGrid::PanelSectionBase ? PanelList : MixerList;
}

const KeyEntry *SetDataKeyTable::find(const QString &name) const
{
    const auto it = m_first.constFind(name);
    if (it == m_first.constEnd())
        return nullptr;
    const KeyList &l = m_lists[it->list];
    return it->section ? &l.sections[it->index] : &l.keys[it->index];
}
