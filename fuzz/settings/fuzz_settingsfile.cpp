// Reads a settings file from arbitrary bytes, and checks it whole (its link
// count and the mixer sections it counts). Whatever loads with the editor's
// values loads alike with what the mixer can hold. Whatever loads must save,
// and what it saves must load again and save to the very same bytes. The panel
// takes the loaded sections within its range: every button reachable and of
// a size that can be seen, the button count that of the slots, and what it
// stores from there it takes again unchanged.

#include "settings/panelsections.h"
#include "settings/keytable.h"
#include "settings/settingsfile.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void checkPanel(const PanelState &panel)
{
    using namespace Panel;
    for (const MixerButtons &mixer : panel.buttons)
        for (const ButtonSlot &b : mixer) {
            if (!b.IconEnable)
                continue;
            check(b.IconWidth >= MinButtonSize && b.IconWidth <= MaxExtent);
            check(b.IconHeight >= MinButtonSize && b.IconHeight <= MaxExtent);
            check(b.IconLeft >= 0 && b.IconLeft + b.IconWidth <= MaxExtent + 1);
            check(b.IconTop >= 0 && b.IconTop + b.IconHeight <= MaxExtent + 1);
            check(b.IconFontSize >= MinFontSize && b.IconFontSize <= MaxFontSize);
        }
    check(panel.IconNum == countEnabledButtons(panel));
    for (qint32 h : panel.table.rowHeights)
        check(h >= MinTableCell && h <= MaxExtent);
    check(panel.table.TableHeight >= MinTableWindow && panel.table.TableHeight <= MaxExtent);
}

// The panel sections as a panel in `ctx` takes them.
void applyPanel(const SettingsTable &table, const PanelContext &ctx)
{
    static SettingsTable stored;
    static SettingsTable again;
    PanelState panel;
    qint16 fileMixers = 0;
    ApplyPanel(panel, fileMixers, table, ctx);
    checkPanel(panel);

    // Every button section is stored, so that taking them again finds what
    // the first take left, whichever mixers it took.
    auto store = [](PanelState &p, SettingsTable &t) {
        resetFileTable(t);
        StorePanel(p, t, Panel::MaxMixers);
        t.set(SystemKey::MixerCount, SystemKey::Section, QString::number(Panel::MaxMixers));
    };
    (void)fileMixers;
    store(panel, stored);
    PanelState next;
    check(ApplyPanel(next, fileMixers, stored, ctx) == PanelValues::InRange);
    store(next, again);
    check(again == stored);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const SetDataKeyTable keys = SetDataKeyTable::build();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // The line syntax on its own, line by line.
    for (const QByteArray &line : bytes.split('\n'))
        (void)ParseLine(QString::fromLatin1(line));

    // The tables live across inputs: a fresh 367 x 33 table per input costs
    // more than the parsing under test.
    static SettingsTable first;
    static SettingsTable second;
    resetFileTable(first);
    KeysSeen seen;
    if (!readSettingsBytes(bytes, keys, first, ValueLimits::Editor, &seen)) {
        // What the mixer can hold is wider than what the editor sets.
        resetFileTable(second);
        (void)readSettingsBytes(bytes, keys, second, ValueLimits::Mixer);
        return 0;
    }
    (void)checkSettingsWhole(first, seen);
    resetFileTable(second);
    if (!readSettingsBytes(bytes, keys, second, ValueLimits::Mixer) || second != first)
        std::abort();              // the editor's values are values the mixer holds

    for (int mixers : {0, 1, 16}) {
        const auto saved = settingsBytes(first, keys, mixers);
        if (!saved)
            std::abort();          // a table that loaded must be writable
        resetFileTable(second);
        if (!readSettingsBytes(*saved, keys, second))
            std::abort();          // a written file must load
        const auto again = settingsBytes(second, keys, mixers);
        if (!again || *again != *saved)
            std::abort();          // and write the same bytes
    }

    // Offline the panel takes every button section of the file; linked to two
    // mixers, those of two.
    PanelContext offline;
    applyPanel(first, offline);
    PanelContext linked;
    linked.linkKind = LinkKind::Ethernet;
    linked.mixerCount = 2;
    applyPanel(first, linked);
    return 0;
}
