#include "editor/ui/frmchsetting.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/markbadge.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace T = EditorText;

FrmChSetting::FrmChSetting(SettingsDialogContext context, QWidget *parent)
    : SettingsDialog(std::move(context), QStringLiteral("frmChSetting"), parent)
{
    QWidget *area = makeOptionsArea();
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);

    // The strip's heading, as in the editor: "ch" and the channel's number.
    auto *corner = new QLabel(area);
    paint(corner, T::RowBack, 0);
    grid->addWidget(corner, 0, 0);
    auto *lblCh = new QLabel(channelText(edits().mixer(), edits().channel() - 1), area);
    lblCh->setObjectName(QStringLiteral("lblCh"));
    lblCh->setAlignment(Qt::AlignCenter);
    lblCh->setMinimumHeight(lblCh->sizeHint().height() + 6);
    paint(lblCh, T::StripBack, T::StripFore);
    grid->addWidget(lblCh, 0, 1);

    for (int k = 0; k < int(ChannelDialogRows.size()); ++k) {
        const int gridRow = 2 * k + 1;
        grid->addWidget(separator(area), gridRow, 0, 1, 2);
        auto *label = new QLabel(labelText(str(channelDialogLabelId(k))), area);
        label->setObjectName(QStringLiteral("Lbl1L_%1").arg(k));
        label->setFont(appearanceFont(T::RowFont));
        label->setContentsMargins(8, 4, 12, 4);
        paint(label, T::RowBack, T::RowFore);
        m_labels[size_t(k)] = label;
        grid->addWidget(label, gridRow + 1, 0);

        auto *cell = new QWidget(area);
        auto *column = new QVBoxLayout(cell);
        // Room at the right for the value's mark.
        column->setContentsMargins(10, 4, 10 + markRoom(cell), 4);
        column->setSpacing(3);
        const int row = ChannelDialogRows[size_t(k)];
        if (row >= 0) {
            const int choices = rowChoices(row);
            auto [box, group] = optionBox(
                captionsOf(choices, [row](int c) { return str(channelCaptionId(row, c)); }),
                QStringLiteral("OpnParamCh"), row * 10, choices > 2);
            m_rows[size_t(row)] = group;
            connect(group, &OptionGroup::clicked, this,
                    [this, row](int choice) { edits().channelOptionClicked(row, choice); });
            nameControlsIn(box, joinAccessible({lblCh->text(), label->text()}));
            column->addWidget(box);
            std::vector<QWidget *> buttons;
            for (int c = 0; c < group->count(); ++c)
                buttons.push_back(group->button(c));
            m_marks->add(channelKeyId(rowFamily(row), edits().channel()), cell,
                         joinAccessible({lblCh->text(), label->text()}), [row](qint32 v) {
                             return v >= 0 && v < rowChoices(row) ? accessibleWords(str(channelCaptionId(row, v)))
                                                                  : QString::number(v);
                         }, buttons);
        } else {
            column->addWidget(makeGainEntry(QStringLiteral("UpDwInpgain")), 0, Qt::AlignLeft);
            tieLabel(label, gainEntry(), lblCh->text());
            column->addWidget(makePicture(cell), 0, Qt::AlignLeft);
            m_marks->add(channelKeyId(ChannelFamily::InputGain, edits().channel()), cell,
                         joinAccessible({lblCh->text(), label->text()}),
                         [](qint32 v) { return displayCode(Scale::Level, v); }, {gainEntry()});
        }
        grid->addWidget(cell, gridRow + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    finishLoading();
}

QRadioButton *FrmChSetting::OpnParamCh(int index) const
{
    const int row = index / 10;
    return index >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)]->button(index % 10) : nullptr;
}

void FrmChSetting::showOptions(const MixerDataRecord &reported)
{
    for (int row = RowInputLevel; row <= RowThresholdObj; ++row)
        m_rows[size_t(row)]->select(reported.channel(rowFamily(row), edits().channel()),
                                    OptionGroup::Notify::Quiet);
}

int FrmChSetting::gainCode(const MixerDataRecord &reported) const
{
    return reported.channel(ChannelFamily::InputGain, edits().channel());
}

void FrmChSetting::applyChoiceEnables(bool lockTicked)
{
    for (int row = RowInputLevel; row <= RowThresholdObj; ++row) {
        OptionGroup *g = m_rows[size_t(row)];
        for (int c = 0; c < g->count(); ++c)
            g->button(c)->setEnabled(edits().channelChoiceOffered(lockTicked, row, c));
    }
}
