// The layout of FrmMixer: its four tabs and their controls. What the
// controls do is in frmmixer.cpp.

#include "editor/ui/frmmixer.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editorrules.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/levelpictures.h"
#include "editor/ui/markbadge.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"
#include "mixer/extendedregisters.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace T = EditorText;

namespace {

// The two noise values are shown as 16-bit entries of their 32-bit fields.
constexpr int NoiseEntryMax = 65535;

// The initialise button of each system group frame: output, threshold, gate.
constexpr std::array<int, 3> CmdInitOfSystemGroup{5, 4, 3};

// A label and what it names: the label is tied to the one entry field
// among them, and every control inside is named after the label.
void nameAfter(QLabel *label, QWidget *content, const QString &context = {})
{
    auto *entry = qobject_cast<ValueEntry *>(content);
    if (!entry) {
        const QList<ValueEntry *> entries = content->findChildren<ValueEntry *>();
        if (entries.size() == 1)
            entry = entries.front();
    }
    if (entry)
        tieLabel(label, entry, context);
    nameControlsIn(content, joinAccessible({context, label->text()}));
}

// The controls inside `content` that write its value: they carry its mark's
// words for assistive technology.
std::vector<QWidget *> markedControls(QWidget *content)
{
    if (qobject_cast<ValueEntry *>(content))
        return {content};
    std::vector<QWidget *> controls;
    for (QWidget *w : content->findChildren<QWidget *>())
        if (qobject_cast<QRadioButton *>(w) || qobject_cast<ValueEntry *>(w))
            controls.push_back(w);
    return controls;
}

// Room a window manager's frame and title bar take around the window.
constexpr QSize FrameAllowance(16, 40);

// A tab page that scrolls its content when the window is smaller than it.
// It asks for the content's whole size, so the window opens showing all of
// it where the screen has the room.
class TabScroll final : public QScrollArea
{
public:
    explicit TabScroll(QWidget *content)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(content);
        // No tab stop of its own: Tab goes from control to control, and the
        // page scrolls to show the one it reaches.
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override
    {
        return widget()->sizeHint().expandedTo(widget()->minimumSizeHint());
    }
};

} // namespace

QWidget *FrmMixer::scrolling(QFrame *content)
{
    auto *page = new TabScroll(content);
    page->setObjectName(content->objectName() + QStringLiteral("_Scroll"));
    return page;
}

QSize FrmMixer::fittingSize() const
{
    QSize size = sizeHint();
    const QScreen *where = screen();
    if (!where)
        return size;
    const QSize room = where->availableGeometry().size() - FrameAllowance;
    // A scroll bar across takes height, one along takes width.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (size.width() > room.width())
        size.rheight() += bar;
    if (size.height() > room.height())
        size.rwidth() += bar;
    return size.boundedTo(room).expandedTo(minimumSizeHint());
}

ValueEntry *FrmMixer::makeEntry(Scale scale, int min, int max, int index, const QString &name)
{
    auto *e = new ValueEntry(m_ctx.dialogs, scale);
    e->setRange(min, max);
    e->setObjectName(name + u'_' + QString::number(index));
    return e;
}

ValueEntry *FrmMixer::makeKeyEntry(Scale scale, int keyId, int index, const QString &name)
{
    // The bounds are the parameter's editor range, which the settings file
    // and the tool hold values to as well.
    return makeEntry(scale, editorMin(keyId), editorMax(keyId), index, name);
}

QWidget *FrmMixer::buildChannelTab()
{
    const int m = EditMixer();
    QFrame *frame = m_tabFrames[TabChannels];
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);

    // ch1-Link and Mixer-Link.
    auto linkBox = [&](QLabel *&label, OptionGroup *&group, int textId, const QString &labelName,
                       const QString &name) {
        auto *box = groupFrame(frame, labelName + QStringLiteral("Box"));
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
    };
    auto *links = new QHBoxLayout;
    links->addWidget(linkBox(m_linkLabel, m_link, T::Ch1Link, QStringLiteral("LblLink"),
                             QStringLiteral("OpnLink")));
    links->addSpacing(16);
    links->addWidget(linkBox(m_mixerLinkLabel, m_mixerLink, T::MixerLink, QStringLiteral("LblMixerLink"),
                             QStringLiteral("OpnMixerLink")));
    links->addStretch();
    grid->addLayout(links, 0, 0, 1, ChannelCount + 1);

    // Every row has the same height in the label column and in each strip.
    QRadioButton probe(QStringLiteral("X"));
    probe.setFont(font());
    const int line = probe.sizeHint().height();
    ValueEntry entryProbe(m_ctx.dialogs);
    entryProbe.setFont(font());
    const int gainBlock = entryProbe.sizeHint().height() + levelPictureSize().height() + 10;
    auto blockHeight = [&](int row) { return row < 0 ? gainBlock : rowChoices(row) * line + 6; };
    const int header = line + 6;

    auto *labels = new QFrame(frame);
    labels->setObjectName(QStringLiteral("FrameRowLabels"));
    labels->setFrameShape(QFrame::Box);
    paint(labels, T::RowBack, 0);
    auto *labelColumn = new QVBoxLayout(labels);
    labelColumn->setContentsMargins(0, 0, 0, 0);
    labelColumn->setSpacing(0);
    labelColumn->addSpacing(header);
    for (int k = 0; k < int(StripRows.size()); ++k) {
        labelColumn->addWidget(separator(labels));
        auto *l = new QLabel(labelText(str(T::RowLabelFirst + k)), labels);
        l->setObjectName(QStringLiteral("Lbl1L_%1").arg(k));
        l->setFont(appearanceFont(T::RowFont));
        paint(l, T::RowBack, T::RowFore);
        l->setContentsMargins(8, 0, 8, 0);
        l->setFixedHeight(blockHeight(StripRows[size_t(k)]));
        l->installEventFilter(this);
        m_rowLabels[size_t(k)] = l;
        labelColumn->addWidget(l);
    }
    labelColumn->addStretch();
    grid->addWidget(labels, 1, 0);

    for (int ch = 0; ch < ChannelCount; ++ch) {
        auto strip = std::make_unique<Strip>();
        strip->frame = new QFrame(frame);
        strip->frame->setObjectName(QStringLiteral("FrameCh_%1").arg(ch));
        strip->frame->setFrameShape(QFrame::Box);
        auto *column = new QVBoxLayout(strip->frame);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        auto *caption = new QLabel(strip->frame);
        caption->setObjectName(QStringLiteral("LblCh_%1").arg(ch));
        caption->setAlignment(Qt::AlignCenter);
        caption->setFixedHeight(header);
        m_chLabels[size_t(ch)] = caption;
        column->addWidget(caption);
        // Each control says its channel and its row: "ch 3 ﾍｯﾄﾞｱﾝﾌﾟｹﾞｲﾝ -25dB".
        const QString stripName = channelText(m, ch);
        int rowLabel = 0;
        for (int row : StripRows) {
            const QString rowName = joinAccessible({stripName, str(T::RowLabelFirst + rowLabel++)});
            column->addWidget(separator(strip->frame));
            auto *block = new QWidget(strip->frame);
            block->setFixedHeight(blockHeight(row));
            auto *cell = new QVBoxLayout(block);
            cell->setContentsMargins(6, 3, 6, 3);
            cell->setSpacing(0);
            if (row >= 0) {
                auto *group = new OptionGroup(
                    captionsOf(rowChoices(row), [row](int c) { return str(channelCaptionId(row, c)); }),
                    block, QStringLiteral("OpnParamCh"), channelOptionIndex({ch, row, 0}));
                for (int c = 0; c < group->count(); ++c)
                    cell->addWidget(group->button(c));
                nameControlsIn(block, rowName);
                m_marks->add(channelKeyId(rowFamily(row), ch + 1), block, rowName, [row](qint32 v) {
                    return v >= 0 && v < rowChoices(row) ? accessibleWords(str(channelCaptionId(row, v))) : QString::number(v);
                }, markedControls(block));
                strip->rows[size_t(row)] = group;
            } else {
                ValueEntry *gain = makeKeyEntry(Scale::Level, channelKeyId(ChannelFamily::InputGain, ch + 1), ch,
                                             QStringLiteral("UpDwInpgain"));
                m_gains[size_t(ch)] = gain;
                gain->setAccessibleName(rowName);
                m_marks->add(channelKeyId(ChannelFamily::InputGain, ch + 1), block, rowName,
                            [](qint32 v) { return displayCode(Scale::Level, v); }, {gain});
                cell->addWidget(gain, 0, Qt::AlignLeft);
                cell->addSpacing(3);
                auto *picture = new QLabel(block);
                picture->setObjectName(QStringLiteral("ImgChannel_%1").arg(ch));
                m_pictures[size_t(ch)] = picture;
                cell->addWidget(picture, 0, Qt::AlignLeft);
            }
            column->addWidget(block);
        }
        column->addStretch();
        grid->addWidget(strip->frame, 1, ch + 1);
        m_strips[size_t(ch)] = std::move(strip);
    }
    showStripLink(false);

    auto *initLabel = new QLabel(str(T::Initialise), frame);
    initLabel->setObjectName(QStringLiteral("Lbl1R"));
    grid->addWidget(initLabel, 2, 0, 1, ChannelCount + 1);
    for (int i = 0; i <= ChannelCount; ++i) {
        auto *b = new QPushButton(i < ChannelCount ? channelText(m, i) : str(T::AllChannels), frame);
        b->setObjectName(QStringLiteral("CmdInitch_%1").arg(i));
        b->setAutoDefault(false);
        b->setAccessibleName(joinAccessible({b->text(), initLabel->text()}));
        m_initCh[size_t(i)] = b;
        grid->addWidget(b, 3, i < ChannelCount ? i + 1 : 0);
    }
    grid->setRowStretch(4, 1);
    return frame;
}

QWidget *FrmMixer::buildSystemTab()
{
    QFrame *frame = m_tabFrames[TabSystem];
    frame->setFont(appearanceFont(T::tabFont(TabSystem)));
    auto *outer = new QVBoxLayout(frame);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    outer->addLayout(row);

    auto label = [&](QWidget *parent, int textId, const QString &name) {
        auto *l = new QLabel(labelText(str(textId)), parent);
        l->setObjectName(name);
        l->setContentsMargins(0, 2, 0, 0);
        paint(l, 0, T::tabLabelFore(TabSystem));
        return l;
    };
    std::array<QGridLayout *, 3> grids{};
    std::array<QHBoxLayout *, 3> buttonRows{};
    std::array<QLabel *, 3> headings{};
    for (int g = 0; g < 3; ++g) {
        QFrame *box = groupFrame(frame, QStringLiteral("FrameSys_%1").arg(g));
        auto *column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 8);
        auto *heading = new QLabel(str(T::GroupHeadingFirst + g), box);
        heading->setObjectName(QStringLiteral("LblUp_%1").arg(g));
        heading->setContentsMargins(10, 4, 10, 4);
        paint(heading, T::tabHeadingBack(TabSystem), T::tabHeadingFore(TabSystem));
        column->addWidget(heading);
        grids[size_t(g)] = new QGridLayout;
        grids[size_t(g)]->setContentsMargins(12, 6, 12, 0);
        grids[size_t(g)]->setHorizontalSpacing(14);
        grids[size_t(g)]->setVerticalSpacing(10);
        column->addLayout(grids[size_t(g)]);
        column->addStretch();
        buttonRows[size_t(g)] = new QHBoxLayout;
        buttonRows[size_t(g)]->setContentsMargins(12, 0, 12, 0);
        buttonRows[size_t(g)]->addStretch();
        column->addLayout(buttonRows[size_t(g)]);
        headings[size_t(g)] = heading;
        m_systemGroups[size_t(g)] = box;
        row->addWidget(box);
    }

    auto group = [&](int g, bool vertical) {
        auto [box, options] = optionBox(
            captionsOf(groupChoices(g), [g](int c) { return systemCaption(g, c); }),
            QStringLiteral("OpnParam"), g * 10, vertical);
        m_groups[size_t(g)] = options;
        return box;
    };
    auto place = [](QGridLayout *grid, int r, QLabel *l, QWidget *content) {
        nameAfter(l, content);
        grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(content, r, 1, Qt::AlignLeft | Qt::AlignTop);
    };
    // The same for a control that writes one value, with that value's mark.
    auto placeMarked = [&](QGridLayout *grid, int r, QLabel *l, QWidget *content, int id,
                           std::function<QString(qint32)> shown) {
        nameAfter(l, content);
        QWidget *cell = withMarkRoom(content);
        grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(cell, r, 1, Qt::AlignLeft | Qt::AlignTop);
        m_marks->add(id, cell, l->text(), std::move(shown), markedControls(content));
    };
    auto groupShown = [](int g) {
        return [g](qint32 v) {
            return v >= 0 && v < groupChoices(g) ? accessibleWords(systemCaption(g, v)) : QString::number(v);
        };
    };
    auto markedGroup = [&](QGridLayout *grid, int r, QLabel *l, int g, bool vertical) {
        placeMarked(grid, r, l, group(g, vertical), groupKeyId(g), groupShown(g));
    };
    auto unit = [&](int textId, const QString &name) {
        auto *l = new QLabel(str(textId));
        l->setObjectName(name);
        return l;
    };
    // An entry with its unit, and a picture below when it has one.
    auto entryBox = [&](ValueEntry *entry, QLabel *unitLabel, int picture) {
        auto *box = new QWidget;
        auto *v = new QVBoxLayout(box);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(4);
        auto *h = new QHBoxLayout;
        h->setSpacing(6);
        h->addWidget(entry);
        if (unitLabel)
            h->addWidget(unitLabel);
        h->addStretch();
        v->addLayout(h);
        if (picture >= 0) {
            m_pictures[size_t(picture)] = new QLabel(box);
            m_pictures[size_t(picture)]->setObjectName(QStringLiteral("ImgChannel_%1").arg(picture));
            v->addWidget(m_pictures[size_t(picture)]);
        }
        return box;
    };
    for (int i = 0; i < 4; ++i)
        m_fieldLabels[size_t(i)] = label(frame, T::FieldLabelFirst + i, QStringLiteral("Label1_%1").arg(i));
    const std::array<int, 8> onlyTexts{T::Noma, T::KeyLock, T::ThresholdAction, T::ThresholdUnit,
                                       T::AutomaticAction, T::LastOn, T::Simultaneous, T::HoldTime};
    for (int j = 0; j < 8; ++j)
        m_onlyLabels[size_t(j)] = label(frame, onlyTexts[size_t(j)], QStringLiteral("LblMonly_%1").arg(j));

    m_params[FieldThreshold] = makeKeyEntry(Scale::Count, MixerKey::Threshold, FieldThreshold);
    m_params[FieldOutputGain] = makeKeyEntry(Scale::Level, MixerKey::OutputGain, FieldOutputGain);
    m_params[FieldHoldTime] = makeKeyEntry(Scale::HalfSeconds, MixerKey::HoldTime, FieldHoldTime);
    // A typed threshold must lie within the mixer's own limits; the box
    // itself shows whatever the mixer reports.
    m_params[FieldThreshold]->typedBounds = [this] {
        const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(EditMixer())];
        return std::pair<int, int>(x.ThresholdMin, x.ThresholdMax);
    };

    QGridLayout *output = grids[0];
    markedGroup(output, 0, m_fieldLabels[0], GroupOutputLevel, true);
    place(output, 1, m_fieldLabels[1],
          entryBox(m_params[FieldOutputGain], unit(T::Decibel, QStringLiteral("LblUnitGain")), GainPicture));
    markedGroup(output, 2, m_onlyLabels[0], GroupNoma, false);
    markedGroup(output, 3, m_onlyLabels[1], GroupKeyLock, false);

    QGridLayout *threshold = grids[1];
    place(threshold, 0, m_fieldLabels[2], entryBox(m_params[FieldThreshold], nullptr, ThresholdPicture));
    markedGroup(threshold, 1, m_onlyLabels[2], GroupThresholdAction, false);
    markedGroup(threshold, 2, m_onlyLabels[3], GroupThresholdUnit, false);

    m_marks->add(MixerKey::OutputGain, m_params[FieldOutputGain]->parentWidget(), m_fieldLabels[1]->text(),
                [](qint32 v) { return displayCode(Scale::Level, v); }, {m_params[FieldOutputGain]});
    m_marks->add(MixerKey::Threshold, m_params[FieldThreshold]->parentWidget(), m_fieldLabels[2]->text(),
                [](qint32 v) { return QString::number(v); }, {m_params[FieldThreshold]});

    QGridLayout *gate = grids[2];
    auto *attenuation = new QWidget;
    auto *attColumn = new QVBoxLayout(attenuation);
    attColumn->setContentsMargins(0, 0, 0, 0);
    attColumn->setSpacing(6);
    QWidget *muteChange = group(GroupMuteChange, false);
    QWidget *muteChangeCell = withMarkRoom(muteChange);
    attColumn->addWidget(muteChangeCell);
    auto [muteBox, muteGroup] = optionBox(
        captionsOf(3, [](int i) { return str(T::MuteAttFirst + i); }), QStringLiteral("OpnMuteM"), 0, false);
    m_muteAtt = muteGroup;
    QWidget *muteAttCell = withMarkRoom(muteBox);
    attColumn->addWidget(muteAttCell);
    auto *ambient = new QHBoxLayout;
    ambient->setSpacing(6);
    const std::array<int, 3> muteTexts{T::AmbientStart, T::Calculated, T::Decibel};
    for (int i = 0; i < 3; ++i) {
        m_muteLabels[size_t(i)] = new QLabel(str(muteTexts[size_t(i)]), attenuation);
        m_muteLabels[size_t(i)]->setObjectName(QStringLiteral("LblMuteA_%1").arg(i));
    }
    QLabel *ambientValue = m_muteLabels[0];
    ambientValue->setMinimumWidth(ambientValue->fontMetrics().horizontalAdvance(QStringLiteral("-000.0")));
    m_muteLabels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ambient->addWidget(m_muteLabels[1]);
    ambient->addWidget(m_muteLabels[0]);
    ambient->addWidget(m_muteLabels[2]);
    ambient->addStretch();
    attColumn->addLayout(ambient);
    place(gate, 0, m_fieldLabels[3], attenuation);
    m_marks->add(MixerKey::MuteChange, muteChangeCell, m_fieldLabels[3]->text(), groupShown(GroupMuteChange),
                 markedControls(muteChange));
    m_marks->add(MixerKey::MuteAtt, muteAttCell, m_fieldLabels[3]->text(), [](qint32 v) {
        return v >= 0 && v < 3 ? str(T::MuteAttFirst + v) : QString::number(v); // -60, -40, -20 dB
    }, markedControls(muteBox));
    markedGroup(gate, 1, m_onlyLabels[4], GroupAction, false);
    markedGroup(gate, 2, m_onlyLabels[5], GroupLastOn, false);
    // One choice stands for the eight priorities and the only-type: the mark
    // follows the only-type and names the choice the editor holds.
    placeMarked(gate, 3, m_onlyLabels[6], group(GroupSimultaneous, true), MixerKey::OnlyType,
                [this](qint32) {
                    return accessibleWords(systemCaption(
                        GroupSimultaneous, simultaneousChoice(m_ctx.env.mixers.MixerSetData[size_t(EditMixer())])));
                });
    m_onlyLabels[HoldTimeUnit] = unit(T::Seconds, QStringLiteral("LblMonly_%1").arg(HoldTimeUnit));
    placeMarked(gate, 4, m_onlyLabels[7], entryBox(m_params[FieldHoldTime], m_onlyLabels[HoldTimeUnit], -1),
                MixerKey::HoldTime, [](qint32 v) { return displayCode(Scale::HalfSeconds, v); });
    for (int i = 0; i < 4; ++i)
        m_fieldLabels[size_t(i)]->installEventFilter(this);
    // Each group's initialise button comes after its fields: made last, it
    // is last in the order Tab goes.
    for (int g = 0; g < 3; ++g) {
        const int init = CmdInitOfSystemGroup[size_t(g)];
        m_init[size_t(init)] = new QPushButton(str(T::Initialise), m_systemGroups[size_t(g)]);
        m_init[size_t(init)]->setObjectName(QStringLiteral("CmdInit_%1").arg(init));
        m_init[size_t(init)]->setAccessibleName(joinAccessible({headings[size_t(g)]->text(), m_init[size_t(init)]->text()}));
        buttonRows[size_t(g)]->addWidget(m_init[size_t(init)]);
    }

    // The two hidden tabs open only after a warning.
    auto *open = new QHBoxLayout;
    open->setSpacing(10);
    for (int i = 0; i < 2; ++i) {
        auto *name = new QLabel(str(T::ExtendedData + i), frame);
        name->setObjectName(QStringLiteral("LblOpen_%1").arg(i));
        m_open[size_t(i)] = new QPushButton(str(T::ShowMenu), frame);
        m_open[size_t(i)]->setObjectName(QStringLiteral("CmdOpen_%1").arg(i));
        name->setBuddy(m_open[size_t(i)]);
        m_open[size_t(i)]->setAccessibleName(joinAccessible({name->text(), m_open[size_t(i)]->text()}));
        open->addWidget(name);
        open->addWidget(m_open[size_t(i)]);
        open->addSpacing(24);
    }
    open->addStretch();
    outer->addLayout(open);
    outer->addStretch();
    return frame;
}

QWidget *FrmMixer::buildExtendedTab()
{
    QFrame *frame = m_tabFrames[TabExtended];
    frame->setFont(appearanceFont(T::tabFont(TabExtended)));
    auto *outer = new QHBoxLayout(frame);
    outer->setSpacing(10);
    auto *left = new QVBoxLayout;
    left->setSpacing(10);
    outer->addLayout(left);
    int labelIndex = 100;

    // One group: rows of label, entry and unit, then its two buttons.
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
    auto entryRow = [&](int textId, int field, int reg, int unitId = 0, bool debugOnly = false,
                        std::vector<QWidget *> *governed = nullptr) {
        ValueEntry *e = m_params[size_t(field)];
        return Row{textId, e, unitId, debugOnly, governed, extendedRegisterKey(reg),
                   [scale = e->scale()](qint32 v) { return displayCode(scale, v); }};
    };
    auto onOff = [](qint32 v) { return str(v == 1 ? T::On : T::Off); };
    auto makeGroup = [&](int n, int toMixer, int init, const std::vector<Row> &rows) {
        QFrame *box = groupFrame(frame, QStringLiteral("FrameExt_%1").arg(n));
        // The tab's three groups have no heading: their number tells them apart.
        const QString groupName = joinAccessible({str(T::ExtendedData), QString::number(n + 1)});
        auto *column = new QVBoxLayout(box);
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(8);
        column->addLayout(grid);
        for (int r = 0; r < int(rows.size()); ++r) {
            const Row &row = rows[size_t(r)];
            auto *l = new QLabel(labelText(str(row.textId)), box);
            l->setObjectName(QStringLiteral("LblMonly_%1").arg(labelIndex++));
            paint(l, 0, T::tabLabelFore(TabExtended));
            grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignVCenter);
            nameAfter(l, row.content, groupName);
            // The row's cell hosts the mark of the register the row shows,
            // at its right end.
            auto *cellWidget = new QWidget(box);
            auto *cell = new QHBoxLayout(cellWidget);
            cell->setContentsMargins(0, 0, 0, 0);
            cell->setSpacing(6);
            cell->addWidget(row.content);
            std::vector<QWidget *> cells{l, row.content};
            if (row.unitId) {
                auto *u = new QLabel(str(row.unitId), box);
                u->setObjectName(QStringLiteral("LblMonly_%1").arg(labelIndex++));
                cell->addWidget(u);
                cells.push_back(u);
            }
            cell->addStretch();
            cell->addSpacing(markRoom(cellWidget));
            grid->addWidget(cellWidget, r, 1);
            cells.push_back(cellWidget);
            if (row.markKey)
                m_marks->add(row.markKey, cellWidget, joinAccessible({groupName, l->text()}),
                             row.shown, markedControls(row.content));
            if (row.debugOnly)
                m_debugRows.insert(m_debugRows.end(), cells.begin(), cells.end());
            if (row.governed)
                row.governed->insert(row.governed->end(), cells.begin(), cells.end());
        }
        grid->setColumnStretch(1, 1);
        auto *buttons = new QHBoxLayout;
        buttons->setContentsMargins(0, 8, 0, 0);
        buttons->addStretch();
        m_toMixer[size_t(toMixer)] = new QPushButton(str(T::Transfer), box);
        m_toMixer[size_t(toMixer)]->setObjectName(QStringLiteral("CmdMixer_%1").arg(toMixer));
        m_init[size_t(init)] = new QPushButton(str(T::Initialise), box);
        m_init[size_t(init)]->setObjectName(QStringLiteral("CmdInit_%1").arg(init));
        for (QPushButton *b : {m_toMixer[size_t(toMixer)], m_init[size_t(init)]}) {
            b->setAccessibleName(joinAccessible({groupName, b->text()}));
            buttons->addWidget(b);
        }
        column->addLayout(buttons);
        return box;
    };

    m_params[FieldOutPeak] = makeKeyEntry(Scale::Tenths, 91, FieldOutPeak);
    m_params[FieldThresholdK] = makeKeyEntry(Scale::Hundredths, 89, FieldThresholdK);
    m_params[FieldMuteK] = makeKeyEntry(Scale::Tenths, 90, FieldMuteK);
    m_params[FieldThresholdMin] = makeKeyEntry(Scale::Count, 88, FieldThresholdMin);
    m_params[FieldThresholdMax] = makeKeyEntry(Scale::Count, 87, FieldThresholdMax);
    m_params[FieldNoiseReference] = makeEntry(Scale::Count, 0, NoiseEntryMax, FieldNoiseReference);
    m_params[FieldNoiseThreshold] = makeEntry(Scale::Count, 0, NoiseEntryMax, FieldNoiseThreshold);
    m_params[FieldSilentTime] = makeKeyEntry(Scale::Twentieths, 101, FieldSilentTime);
    m_params[FieldHoldTime2] = makeKeyEntry(Scale::Twentieths, 102, FieldHoldTime2);
    m_params[FieldThresholdK2] = makeKeyEntry(Scale::Count, 103, FieldThresholdK2);

    m_extendedGroups[0] = makeGroup(0, 0, 0,
                                    {entryRow(T::ExtendedLabelFirst, FieldMuteK, 4, T::Decibel),
                                     entryRow(T::ExtendedLabelFirst + 1, FieldThresholdK, 3),
                                     entryRow(T::ExtendedLabelFirst + 2, FieldOutPeak, 5, T::Decibel)});
    m_extendedGroups[1] = makeGroup(1, 1, 1,
                                    {entryRow(T::ThresholdMaxLabel, FieldThresholdMax, 1),
                                     entryRow(T::ThresholdMinLabel, FieldThresholdMin, 2)});
    auto [noiseBox, noise] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("ExtParam"), 0, false);
    auto [headBox, head] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("ExtParam"), 10, false);
    m_noise = noise;
    m_headLack = head;
    m_extendedGroups[2] = makeGroup(
        2, 3, 6,
        {Row{T::NoiseLabelFirst, noiseBox, 0, false, nullptr, extendedRegisterKey(11), onOff},
         entryRow(T::NoiseLabelFirst + 1, FieldNoiseReference, 12, 0, false, &m_noiseFields),
         entryRow(T::NoiseLabelFirst + 2, FieldNoiseThreshold, 13, 0, false, &m_noiseFields),
         Row{T::NoiseLabelFirst + 3, headBox, 0, false, nullptr, extendedRegisterKey(14), onOff},
         entryRow(T::NoiseLabelFirst + 4, FieldSilentTime, 15, T::Seconds, true, &m_headLackFields),
         entryRow(T::NoiseLabelFirst + 5, FieldHoldTime2, 16, T::Seconds),
         entryRow(T::NoiseLabelFirst + 6, FieldThresholdK2, 18, 0, true)});
    left->addWidget(m_extendedGroups[0]);
    left->addWidget(m_extendedGroups[1]);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(m_extendedGroups[2]);
    right->addStretch();
    outer->addLayout(right);
    outer->addStretch();
    return frame;
}

QWidget *FrmMixer::buildDefaultsTab()
{
    QFrame *frame = m_tabFrames[TabDefaults];
    frame->setFont(appearanceFont(T::tabFont(TabDefaults)));
    auto *outer = new QVBoxLayout(frame);
    auto *heading = new QLabel(str(T::InitialValues), frame);
    heading->setObjectName(QStringLiteral("LblInitialValues"));
    heading->setContentsMargins(10, 4, 10, 4);
    paint(heading, T::tabHeadingBack(TabDefaults), T::tabHeadingFore(TabDefaults));

    m_defaultsGroup = groupFrame(frame, QStringLiteral("FrameInit"));
    auto *column = new QVBoxLayout(m_defaultsGroup);
    column->setContentsMargins(0, 0, 0, 8);
    column->addWidget(heading);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 6, 12, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    column->addLayout(grid);

    auto [priorityBox, priority] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("OpnInit"), 0, false);
    auto [muteBox, mute] = optionBox(captionsOf(3, [](int i) { return str(T::MuteAttFirst + i); }),
                                     QStringLiteral("OpnInit"), 10, false);
    auto [actionBox, action] =
        optionBox({str(T::Auto), str(T::Manual)}, QStringLiteral("OpnInit"), 20, false);
    m_priorityDef = priority;
    m_muteAttDef = mute;
    m_actionDef = action;
    for (int i = 0; i < 2; ++i)
        m_params2[size_t(i)] = makeKeyEntry(Scale::Count, 93 + i, i, QStringLiteral("UpDwParam2"));
    const std::array<QWidget *, 5> contents{priorityBox, m_params2[0], m_params2[1], muteBox, actionBox};
    auto count = [](qint32 v) { return QString::number(v); };
    const std::array<std::function<QString(qint32)>, 5> shown{
        [](qint32 v) { return str(v == 1 ? T::On : T::Off); }, count, count,
        [](qint32 v) { return v >= 0 && v < 3 ? str(T::MuteAttFirst + v) : QString::number(v); },
        [](qint32 v) { return str(v == 1 ? T::Manual : T::Auto); }};
    constexpr int FirstDefaultRegister = 6; // PriorityDef .. ThresholdActDef: registers 6..10
    for (int r = 0; r < int(contents.size()); ++r) {
        auto *l = new QLabel(joinWords(str(T::DefaultLabelFirst + r), str(T::DefaultSuffix)), m_defaultsGroup);
        l->setObjectName(QStringLiteral("LblMonly_%1").arg(300 + r));
        paint(l, 0, T::tabLabelFore(TabDefaults));
        grid->addWidget(l, r, 0, Qt::AlignLeft | Qt::AlignVCenter);
        nameAfter(l, contents[size_t(r)]);
        QWidget *cell = withMarkRoom(contents[size_t(r)]);
        grid->addWidget(cell, r, 1, Qt::AlignLeft | Qt::AlignVCenter);
        m_marks->add(extendedRegisterKey(FirstDefaultRegister + r), cell, l->text(), shown[size_t(r)],
                     markedControls(contents[size_t(r)]));
    }
    grid->setColumnStretch(2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 10, 12, 0);
    buttons->addStretch();
    m_toMixer[2] = new QPushButton(str(T::Transfer), m_defaultsGroup);
    m_toMixer[2]->setObjectName(QStringLiteral("CmdMixer_2"));
    m_init[2] = new QPushButton(str(T::Initialise), m_defaultsGroup);
    m_init[2]->setObjectName(QStringLiteral("CmdInit_2"));
    for (QPushButton *b : {m_toMixer[2], m_init[2]}) {
        b->setAccessibleName(joinAccessible({heading->text(), b->text()}));
        buttons->addWidget(b);
    }
    column->addLayout(buttons);

    auto *row = new QHBoxLayout;
    row->addWidget(m_defaultsGroup);
    row->addStretch();
    outer->addLayout(row);
    outer->addStretch();
    return frame;
}
