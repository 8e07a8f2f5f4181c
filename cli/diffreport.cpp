#include "cli/diffreport.h"

#include "base/languagescope.h"
#include "base/strings.h"
#include "editor/settingscompare.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <map>

namespace {

namespace Msg {
constexpr int FromMixers = 12702;  // "from: the linked mixers (%1)"
constexpr int FromFile = 12703;    // "from: %1 (%2 mixers)"
constexpr int ToFile = 12704;      // "to:   %1 (%2 mixers)"
constexpr int MixerLine = 12705;   // "%1 (mixer %2): %3 differences%4"
constexpr int MixerLineOne = 13206; // "%1 (mixer %2): %3 difference%4"
constexpr int Total = 12706;       // "total: %1 differences%2"
constexpr int TotalOne = 13207;    // "total: %1 difference%2"
constexpr int ValueLine = 12707;   // "  %1  %2: %3 -> %4  (%5)"
constexpr int Same = 12708;        // "no differences"
constexpr int PanelsOnly = 13020;  // "the mixers' values are the same; the control panels differ (%1 buttons, %2 figures)"
constexpr int PanelsToo = 13021;   // "the control panels differ as well (%1 buttons, %2 figures)"
} // namespace Msg

// Script names of the kinds, one per editor tab.
const char *const KindNames[EditorTabCount] = {"channel", "system", "extended", "defaults"};

QJsonObject kindObject(const std::array<int, EditorTabCount> &perTab)
{
    QJsonObject o;
    for (int t = 0; t < EditorTabCount; ++t)
        o.insert(QLatin1String(KindNames[t]), perTab[size_t(t)]);
    return o;
}

QJsonObject side(const QString &file, int mixers)
{
    QJsonObject o;
    o.insert(QStringLiteral("source"), file.isEmpty() ? QStringLiteral("mixers") : QStringLiteral("file"));
    if (!file.isEmpty())
        o.insert(QStringLiteral("file"), file);
    o.insert(QStringLiteral("mixer_count"), mixers);
    return o;
}

// The labels of the compared values in English, for scripts that want them
// whatever language the texts are in.
std::map<int, QString> englishLabels(const SettingsComparison &c)
{
    const LanguageScope english(Language::English);
    std::map<int, QString> labels;
    for (const MixerChanges &m : c.mixers)
        for (const ValueChange &v : m.values)
            labels.emplace(v.keyId, editorKeyLabel(v.keyId));
    return labels;
}

} // namespace

QString comparisonText(const SettingsComparison &c, const DiffSides &sides)
{
    QStringList lines;
    lines << (sides.fromFile.isEmpty() ? str(Msg::FromMixers).arg(c.fromMixers)
                                       : str(Msg::FromFile).arg(sides.fromFile).arg(c.fromMixers));
    lines << str(Msg::ToFile).arg(sides.toFile).arg(c.toMixers);
    if (const QString note = countNote(c); !note.isEmpty())
        lines << note;
    for (const MixerChanges &m : c.mixers) {
        lines << str(m.values.size() == 1 ? Msg::MixerLineOne : Msg::MixerLine)
                     .arg(m.name)
                     .arg(m.mixer)
                     .arg(m.values.size())
                     .arg(kindCountsText(m.perTab));
        for (const ValueChange &v : m.values) {
            lines << str(Msg::ValueLine).arg(editorTabName(v.tab), changeLabel(v), v.fromText, v.toText, v.key);
        }
    }
    const bool valuesSame = c.total() == 0 && !c.countsDiffer();
    const QString total = str(c.total() == 1 ? Msg::TotalOne : Msg::Total).arg(c.total()).arg(kindCountsText(c.perTab));
    if (c.panelsDiffer()) {
        // Files that differ only in their panels are not the same files.
        const PanelDifference &p = *c.panels;
        if (!valuesSame)
            lines << total;
        lines << str(valuesSame ? Msg::PanelsOnly : Msg::PanelsToo).arg(p.buttons).arg(p.figures);
    } else {
        lines << (valuesSame ? str(Msg::Same) : total);
    }
    return lines.join(u'\n') + u'\n';
}

QByteArray comparisonJson(const SettingsComparison &c, const DiffSides &sides)
{
    QJsonObject root;
    root.insert(QStringLiteral("from"), side(sides.fromFile, c.fromMixers));
    root.insert(QStringLiteral("to"), side(sides.toFile, c.toMixers));
    root.insert(QStringLiteral("mixer_count_differs"), c.countsDiffer());
    root.insert(QStringLiteral("note"), countNote(c));
    root.insert(QStringLiteral("compared_mixers"), c.comparedMixers);
    root.insert(QStringLiteral("differences"), c.total());
    root.insert(QStringLiteral("per_kind"), kindObject(c.perTab));
    QJsonValue panels; // null: the linked mixers hold no panel
    if (c.panels) {
        QJsonObject p;
        p.insert(QStringLiteral("differ"), c.panels->any());
        p.insert(QStringLiteral("buttons"), c.panels->buttons);
        p.insert(QStringLiteral("figures"), c.panels->figures);
        p.insert(QStringLiteral("panel_wide"), c.panels->panelWide);
        panels = p;
    }
    root.insert(QStringLiteral("panels"), panels);
    const std::map<int, QString> labelsEn = englishLabels(c);
    QJsonArray mixers;
    for (const MixerChanges &m : c.mixers) {
        QJsonArray values;
        for (const ValueChange &v : m.values) {
            QJsonObject o;
            o.insert(QStringLiteral("key"), v.key);
            o.insert(QStringLiteral("kind"), QLatin1String(KindNames[int(v.tab)]));
            o.insert(QStringLiteral("label"), v.label);
            o.insert(QStringLiteral("label_en"), labelsEn.at(v.keyId));
            o.insert(QStringLiteral("channel"), v.channel ? QJsonValue(v.channel) : QJsonValue());
            o.insert(QStringLiteral("from"), v.fromCode);
            o.insert(QStringLiteral("to"), v.toCode);
            o.insert(QStringLiteral("from_text"), v.fromText);
            o.insert(QStringLiteral("to_text"), v.toText);
            values.append(o);
        }
        QJsonObject o;
        o.insert(QStringLiteral("mixer"), m.mixer);
        o.insert(QStringLiteral("name"), m.name);
        o.insert(QStringLiteral("differences"), int(m.values.size()));
        o.insert(QStringLiteral("per_kind"), kindObject(m.perTab));
        o.insert(QStringLiteral("values"), values);
        mixers.append(o);
    }
    root.insert(QStringLiteral("mixers"), mixers);
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}
