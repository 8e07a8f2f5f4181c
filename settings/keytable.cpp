#include "settings/keytable.h"

#include "mixer/parametertable.h"
#include "panel/panelsections_keys.h"

#include <QStringList>

bool splitTriples(const QString &text, std::vector<KeyEntry> &out)
{
    // Every item is followed by ",", so the last split piece is empty.
    QStringList items = text.split(u',');
    if (items.isEmpty() || !items.last().isEmpty())
        return false;
    items.removeLast();
    if (items.size() % 3 != 0)
        return false;
    for (qsizetype i = 0; i < items.size(); i += 3) {
        bool okId = false;
        bool okKind = false;
        const int id = items.at(i).toInt(&okId);
        const int kind = items.at(i + 2).toInt(&okKind);
        if (!okId || !okKind || items.at(i + 1).isEmpty() || id < 0 || id > 0x7FFF)
            return false;
        out.push_back(KeyEntry{qint16(id), items.at(i + 1), qint16(kind)});
    }
    return true;
}

SetDataKeyTable SetDataKeyTable::build()
{
    return fromTexts(QString::fromLatin1(mixerKeyListText()), QString::fromLatin1(panelKeyListText()),
                     QString::fromLatin1(systemKeyListText()));
}

SetDataKeyTable SetDataKeyTable::fromTexts(const QString &mixer, const QString &panel,
                                           const QString &system)
{
    SetDataKeyTable t;
    const QString *texts[ListCount] = {&mixer, &panel, &system};
    bool ok = true;
    for (int l = 0; l < ListCount; ++l) {
        std::vector<KeyEntry> all;
        ok = splitTriples(*texts[l], all) && ok;
        for (KeyEntry &e : all) {
            // Ids index the text tables: keys rows, sections columns.
            const int limit = e.isSection() ? SettingsGrid::Sections : SettingsGrid::KeyRows;
            if (e.id >= limit) {
                ok = false;
                continue;
            }
            auto &target = e.isSection() ? t.m_lists[l].sections : t.m_lists[l].keys;
            if (!t.m_first.contains(e.key))
                t.m_first.insert(e.key, Where{l, e.isSection(), int(target.size())});
            target.push_back(std::move(e));
        }
    }
    t.m_valid = ok;
    return t;
}

const KeyEntry *SetDataKeyTable::find(const QString &name) const
{
    const auto it = m_first.constFind(name);
    if (it == m_first.constEnd())
        return nullptr;
    const KeyList &l = m_lists[it->list];
    return it->section ? &l.sections[it->index] : &l.keys[it->index];
}
