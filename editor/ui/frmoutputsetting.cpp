#include "editor/ui/frmoutputsetting.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/markbadge.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"

#include <QGridLayout>

#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace T = EditorText;

namespace {
constexpr int OutputLevelLabel = T::FieldLabelFirst;    // "出力アッテネータ"
constexpr int OutputGainLabel = T::FieldLabelFirst + 1; // "マスターレベル"
} // namespace

FrmOutputSetting::FrmOutputSetting(SettingsDialogContext context, QWidget *parent)
    : SettingsDialog(std::move(context), QStringLiteral("frmOutputSetting"), parent)
{
    QWidget *area = makeOptionsArea();
    area->setFont(appearanceFont(T::tabFont(TabSystem)));
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 10);
    auto *heading = new QLabel(str(T::GroupHeadingFirst), area);
    heading->setObjectName(QStringLiteral("LblUp"));
    heading->setContentsMargins(10, 4, 10, 4);
    paint(heading, T::tabHeadingBack(TabSystem), T::tabHeadingFore(TabSystem));
    column->addWidget(heading);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 6, 12, 0);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(10);
    column->addLayout(grid);
    auto label = [&](int textId, int row) {
        auto *l = new QLabel(labelText(str(textId)), area);
        l->setObjectName(QStringLiteral("Label_%1").arg(textId));
        paint(l, 0, T::tabLabelFore(TabSystem));
        grid->addWidget(l, row, 0, Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    // The controls say whose output they set: the dialog's heading names the mixer.
    const QString mixerName = titleLabel()->text();
    auto group = [&](int g, int row) {
        auto [box, options] = optionBox(
            captionsOf(groupChoices(g), [g](int c) { return systemCaption(g, c); }),
            QStringLiteral("OpnParam"), g * 10, g == GroupOutputLevel);
        m_groups[size_t(g)] = options;
        connect(options, &OptionGroup::clicked, this,
                [this, g](int choice) { edits().outputOptionClicked(g, choice); });
        QWidget *cell = withMarkRoom(box);
        grid->addWidget(cell, row, 1, Qt::AlignLeft | Qt::AlignTop);
        return box;
    };
    auto named = [&](QLabel *l, QWidget *box) {
        nameControlsIn(box, joinAccessible({mixerName, l->text()}));
        // The mark, added once the controls have their names.
        const int g = int(std::find(m_groups.begin(), m_groups.end(), box->findChild<OptionGroup *>())
                          - m_groups.begin());
        std::vector<QWidget *> buttons;
        for (int c = 0; c < m_groups[size_t(g)]->count(); ++c)
            buttons.push_back(m_groups[size_t(g)]->button(c));
        m_marks->add(groupKeyId(g), box->parentWidget(), joinAccessible({mixerName, l->text()}), [g](qint32 v) {
            return v >= 0 && v < groupChoices(g) ? accessibleWords(systemCaption(g, v)) : QString::number(v);
        }, buttons);
    };

    named(label(OutputLevelLabel, 0), group(GroupOutputLevel, 0));

    QLabel *gainLabel = label(OutputGainLabel, 1);
    auto *gainBox = new QWidget(area);
    auto *gainColumn = new QVBoxLayout(gainBox);
    gainColumn->setContentsMargins(0, 0, 0, 0);
    gainColumn->setSpacing(4);
    auto *entryRow = new QHBoxLayout;
    entryRow->setSpacing(6);
    entryRow->addWidget(makeGainEntry(QStringLiteral("UpDwParam")));
    auto *unit = new QLabel(str(T::Decibel), gainBox);
    unit->setObjectName(QStringLiteral("LblUnit"));
    entryRow->addWidget(unit);
    entryRow->addStretch();
    gainColumn->addLayout(entryRow);
    gainColumn->addWidget(makePicture(gainBox), 0, Qt::AlignLeft);
    QWidget *gainCell = withMarkRoom(gainBox);
    grid->addWidget(gainCell, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    tieLabel(gainLabel, gainEntry(), mixerName);
    m_marks->add(MixerKey::OutputGain, gainCell, joinAccessible({mixerName, gainLabel->text()}),
                 [](qint32 v) { return displayCode(Scale::Level, v); }, {gainEntry()});

    named(label(T::Noma, 2), group(GroupNoma, 2));
    named(label(T::KeyLock, 3), group(GroupKeyLock, 3));
    grid->setColumnStretch(1, 1);
    finishLoading();
}

QRadioButton *FrmOutputSetting::OpnParam(int index) const
{
    const int g = index / 10;
    return index >= 0 && g < int(m_groups.size()) ? m_groups[size_t(g)]->button(index % 10) : nullptr;
}

void FrmOutputSetting::showOptions(const MixerDataRecord &reported)
{
    for (int g = GroupOutputLevel; g <= GroupKeyLock; ++g)
        m_groups[size_t(g)]->select(reported.block[size_t(groupKeyId(g) - 1)], OptionGroup::Notify::Quiet);
}

int FrmOutputSetting::gainCode(const MixerDataRecord &reported) const
{
    return reported.block[MixerKey::OutputGain - 1];
}

void FrmOutputSetting::applyChoiceEnables(bool lockTicked)
{
    for (int g = GroupOutputLevel; g <= GroupKeyLock; ++g) {
        OptionGroup *options = m_groups[size_t(g)];
        for (int c = 0; c < options->count(); ++c)
            options->button(c)->setEnabled(edits().outputChoiceOffered(lockTicked, g, c));
    }
}
