#include "editor/ui/channeltab.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editortexts.h"
#include "editor/mixeredits.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/levelpictures.h"
#include "editor/ui/markbadge.h"
#include "editor/valueentry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace T = EditorText;

ChannelTab::ChannelTab(EditorTabContext context) : m_ctx(std::move(context))
{
    setObjectName(QStringLiteral("Frame_%1").arg(TabChannels));
    paint(this, T::tabBack(TabChannels), 0);
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);

    // ch1-Link and Mixer-Link.
    auto *links = new QHBoxLayout;
    links->addWidget(linkBox(m_linkLabel, m_link, T::Ch1Link, QStringLiteral("LblLink"), QStringLiteral("OpnLink")));
    links->addSpacing(16);
    links->addWidget(linkBox(m_mixerLinkLabel, m_mixerLink, T::MixerLink, QStringLiteral("LblMixerLink"),
                             QStringLiteral("OpnMixerLink")));
    links->addStretch();
    grid->addLayout(links, 0, 0, 1, ChannelCount + 1);

    const RowHeights heights = rowHeights();
    grid->addWidget(buildRowLabels(heights), 1, 0);
    for (int ch = 0; ch < ChannelCount; ++ch)
        grid->addWidget(buildStrip(ch, heights), 1, ch + 1);
    showStripLink(false);
    buildInitButtons(grid);
    grid->setRowStretch(4, 1);
    connectHandlers();
}

ChannelTab::~ChannelTab() = default;

QFrame *ChannelTab::linkBox(QLabel *&label, OptionGroup *&group, int textId, const QString &labelName,
                            const QString &name)
{
    auto *box = groupFrame(this, labelName + QStringLiteral("Box"));
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 10, 0);
    row->setSpacing(12);
    label = new QLabel(str(textId), box);
    label->setObjectName(labelName);
    label->setFont(appearanceFont(T::LinkFont));
    label->setContentsMargins(10, 4, 10, 4);
    paint(label, T::LinkBack, T::LinkFore);
    group = new OptionGroup({str(T::LinkOn), str(T::LinkOff)}, box, name);
    group->select(1, OptionGroup::Notify::Quiet);
    row->addWidget(label);
    row->addWidget(group->button(0));
    row->addWidget(group->button(1));
    nameControlsIn(box, label->text());
    return box;
}

int ChannelTab::RowHeights::of(int row) const
{
    return row < 0 ? gainBlock : rowChoices(row) * line + 6;
}

ChannelTab::RowHeights ChannelTab::rowHeights() const
{
    // Measured in the window's font, which the tab takes once it is placed.
    QRadioButton probe(QStringLiteral("X"));
    probe.setFont(appearanceFont(T::StripFont));
    RowHeights heights;
    heights.line = probe.sizeHint().height();
    ValueEntry entryProbe(m_ctx.dialogs);
    entryProbe.setFont(appearanceFont(T::StripFont));
    heights.gainBlock = entryProbe.sizeHint().height() + levelPictureSize().height() + 10;
    heights.header = heights.line + 6;
    return heights;
}

QFrame *ChannelTab::buildRowLabels(const RowHeights &heights)
{
    auto *labels = new QFrame(this);
    labels->setObjectName(QStringLiteral("FrameRowLabels"));
    labels->setFrameShape(QFrame::Box);
    paint(labels, T::RowBack, 0);
    auto *labelColumn = new QVBoxLayout(labels);
    labelColumn->setContentsMargins(0, 0, 0, 0);
    labelColumn->setSpacing(0);
    labelColumn->addSpacing(heights.header);
    for (int k = 0; k < int(StripRows.size()); ++k) {
        labelColumn->addWidget(separator(labels));
        auto *l = new QLabel(labelText(str(T::RowLabelFirst + k)), labels);
        l->setObjectName(QStringLiteral("Lbl1L_%1").arg(k));
        l->setFont(appearanceFont(T::RowFont));
        paint(l, T::RowBack, T::RowFore);
        l->setContentsMargins(8, 0, 8, 0);
        l->setFixedHeight(heights.of(StripRows[size_t(k)]));
        m_rowLabels[size_t(k)] = l;
        labelColumn->addWidget(l);
    }
    labelColumn->addStretch();
    return labels;
}

QFrame *ChannelTab::buildStrip(int ch, const RowHeights &heights)
{
    auto strip = std::make_unique<Strip>();
    strip->frame = new QFrame(this);
    strip->frame->setObjectName(QStringLiteral("FrameCh_%1").arg(ch));
    strip->frame->setFrameShape(QFrame::Box);
    auto *column = new QVBoxLayout(strip->frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *caption = new QLabel(strip->frame);
    caption->setObjectName(QStringLiteral("LblCh_%1").arg(ch));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFixedHeight(heights.header);
    m_chLabels[size_t(ch)] = caption;
    column->addWidget(caption);
    // Each control says its channel and its row: "ch 3 ﾍｯﾄﾞｱﾝﾌﾟｹﾞｲﾝ -25dB".
    const QString stripName = channelText(m_ctx.mixer, ch);
    int rowLabel = 0;
    for (int row : StripRows) {
        const QString rowName = joinAccessible({stripName, str(T::RowLabelFirst + rowLabel++)});
        column->addWidget(separator(strip->frame));
        auto *block = new QWidget(strip->frame);
        block->setFixedHeight(heights.of(row));
        auto *cell = new QVBoxLayout(block);
        cell->setContentsMargins(6, 3, 6, 3);
        cell->setSpacing(0);
        if (row >= 0)
            strip->rows[size_t(row)] = buildOptionRow(ch, row, rowName, block, cell);
        else
            buildGainRow(ch, rowName, block, cell);
        column->addWidget(block);
    }
    column->addStretch();
    QFrame *frame = strip->frame;
    m_strips[size_t(ch)] = std::move(strip);
    return frame;
}

OptionGroup *ChannelTab::buildOptionRow(int ch, int row, const QString &rowName, QWidget *block, QVBoxLayout *cell)
{
    auto *group = new OptionGroup(captionsOf(rowChoices(row), [row](int c) { return str(channelCaptionId(row, c)); }),
                                  block, QStringLiteral("OpnParamCh"), channelOptionIndex({ch, row, 0}));
    for (int c = 0; c < group->count(); ++c)
        cell->addWidget(group->button(c));
    nameControlsIn(block, rowName);
    m_ctx.marks.add(channelKeyId(rowFamily(row), ch + 1), block, rowName, [row](qint32 v) {
        return v >= 0 && v < rowChoices(row) ? accessibleWords(str(channelCaptionId(row, v))) : QString::number(v);
    }, markedControls(block));
    return group;
}

void ChannelTab::buildGainRow(int ch, const QString &rowName, QWidget *block, QVBoxLayout *cell)
{
    ValueEntry *gain = makeKeyEntry(m_ctx.dialogs, Scale::Level, channelKeyId(ChannelFamily::InputGain, ch + 1), ch,
                                    QStringLiteral("UpDwInpgain"));
    m_gains[size_t(ch)] = gain;
    gain->setAccessibleName(rowName);
    m_ctx.marks.add(channelKeyId(ChannelFamily::InputGain, ch + 1), block, rowName,
                    [](qint32 v) { return displayCode(Scale::Level, v); }, {gain});
    cell->addWidget(gain, 0, Qt::AlignLeft);
    cell->addSpacing(3);
    auto *picture = new QLabel(block);
    picture->setObjectName(QStringLiteral("ImgChannel_%1").arg(ch));
    m_pictures[size_t(ch)] = picture;
    cell->addWidget(picture, 0, Qt::AlignLeft);
}

void ChannelTab::buildInitButtons(QGridLayout *grid)
{
    auto *initLabel = new QLabel(str(T::Initialise), this);
    initLabel->setObjectName(QStringLiteral("Lbl1R"));
    grid->addWidget(initLabel, 2, 0, 1, ChannelCount + 1);
    for (int i = 0; i <= ChannelCount; ++i) {
        auto *b = new QPushButton(i < ChannelCount ? channelText(m_ctx.mixer, i) : str(T::AllChannels), this);
        b->setObjectName(QStringLiteral("CmdInitch_%1").arg(i));
        b->setAutoDefault(false);
        b->setAccessibleName(joinAccessible({b->text(), initLabel->text()}));
        m_initCh[size_t(i)] = b;
        grid->addWidget(b, 3, i < ChannelCount ? i + 1 : 0);
    }
}

void ChannelTab::connectHandlers()
{
    connect(m_link, &OptionGroup::clicked, this, &ChannelTab::linkClicked);
    connect(m_mixerLink, &OptionGroup::clicked, this, &ChannelTab::mixerLinkClicked);
    for (int ch = 0; ch < ChannelCount; ++ch) {
        for (int row : OptionRows)
            connect(m_strips[size_t(ch)]->rows[size_t(row)], &OptionGroup::clicked, this,
                    [this, ch, row](int choice) { channelClicked(ch, row, choice); });
        connect(m_gains[size_t(ch)], &ValueEntry::codeChanged, this,
                [this, ch](int code) { gainChanged(ch, code); });
        connect(m_initCh[size_t(ch)], &QPushButton::clicked, this, [this, ch] { emit initialiseAsked(ch); });
    }
    connect(m_initCh[ChannelCount], &QPushButton::clicked, this, [this] { emit initialiseAsked(InitAllChannels); });
}

QRadioButton *ChannelTab::OpnParamCh(int index) const
{
    const std::optional<ChannelOption> o = channelOptionAt(index);
    return o ? m_strips[size_t(o->ch)]->rows[size_t(o->row)]->button(o->choice) : nullptr;
}

// ---- Edits ------------------------------------------------------------------------

void ChannelTab::channelClicked(int ch, int row, int choice)
{
    if (!m_ctx.edits.channelOptionClicked({ch, row, choice}))
        return;
    // Under ch1-Link the other strips show what they now hold.
    if (ch == 0 && m_ctx.edits.ch1Link())
        for (int s = 1; s < ChannelCount; ++s)
            m_strips[size_t(s)]->rows[size_t(row)]->select(choice, OptionGroup::Notify::Quiet);
}

void ChannelTab::gainChanged(int ch, int code)
{
    if (m_ctx.env.editor.Refreshing)
        return;
    if (ch == 0 && m_ctx.edits.ch1Link())
        for (int s = 1; s < ChannelCount; ++s)
            m_gains[size_t(s)]->setCode(code);
    m_ctx.edits.gainChanged(ch, code);
}

void ChannelTab::linkClicked(int i)
{
    const bool on = i == 0;
    if (on == m_ctx.edits.ch1Link())
        return;
    showStripLink(on);
    if (!on) {
        m_ctx.edits.turnCh1LinkOff();
        return;
    }
    // Stored first; the other strips then only show what they now hold.
    const int gain = m_gains[0]->code();
    m_ctx.edits.turnCh1LinkOn(gain);
    for (int s = 1; s < ChannelCount; ++s)
        m_gains[size_t(s)]->setCode(gain);
    const MixerDataRecord &wanted = m_ctx.env.mixers.MixerSetData[size_t(m_ctx.mixer)];
    for (int row : OptionRows)
        for (int s = 0; s < ChannelCount; ++s)
            m_strips[size_t(s)]->rows[size_t(row)]->select(wanted.channel(rowFamily(row), 1),
                                                          OptionGroup::Notify::Quiet);
}

void ChannelTab::mixerLinkClicked(int i)
{
    const bool on = i == 0;
    if (on != m_ctx.edits.mixerLink())
        m_ctx.edits.chooseMixerLink(on);
}

void ChannelTab::showStripLink(bool linked)
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const bool follows = linked && ch > 0;
        QLabel *caption = m_chLabels[size_t(ch)];
        caption->setText(channelText(m_ctx.mixer, ch) + (follows ? str(T::LinkSuffix) : QString()));
        paint(caption, follows ? T::StripLinkedBack : T::StripBack, T::StripFore);
        m_strips[size_t(ch)]->frame->setEnabled(!follows);
    }
}

// ---- Showing a record ---------------------------------------------------------------

void ChannelTab::refresh(const MixerDataRecord &d, const MixerDataRecord &reported, qint16 model,
                         OptionGroup::Notify notify, bool rewrite)
{
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const int n = ch + 1;
        for (int row : OptionRows)
            m_strips[size_t(ch)]->rows[size_t(row)]->select(d.channel(rowFamily(row), n), notify);
        if (m_gains[size_t(ch)]->code() != d.channel(ChannelFamily::InputGain, n) || rewrite)
            m_gains[size_t(ch)]->setCode(d.channel(ChannelFamily::InputGain, n));
        // What the older model cannot show is judged by what it reports.
        m_locks[size_t(ch)] = olderModelLocks(model, reported.channel(ChannelFamily::InputLevel, n),
                                              reported.channel(ChannelFamily::HeadAmp, n));
    }
}

void ChannelTab::applyLocks(bool newerChoices)
{
    // The buttons' states follow from these alone: unchanged, nothing to do.
    const Enables wanted{m_locks, newerChoices};
    if (m_enables && *m_enables == wanted)
        return;
    m_enables = wanted;
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const OlderModelLocks &lock = m_locks[size_t(ch)];
        for (int row : {RowInputLevel, RowHeadAmp}) {
            const bool locked = row == RowInputLevel ? lock.inputLevel : lock.headAmp;
            OptionGroup *g = m_strips[size_t(ch)]->rows[size_t(row)];
            for (int c = 0; c < g->count(); ++c)
                g->button(c)->setEnabled(!locked && (newerChoices || !newerOnlyChoice(row, c)));
        }
    }
}

void ChannelTab::applyRules(const EnableRules &rules)
{
    m_mixerLinkLabel->setEnabled(rules.mixerLink);
    m_mixerLink->setEnabled(rules.mixerLink);
}
