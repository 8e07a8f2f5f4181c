#include "editor/ui/defaultstab.h"

#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/markbadge.h"
#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"
#include "mixer/extendedregisters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace T = EditorText;

DefaultsTab::DefaultsTab(EditorTabContext context) : m_ctx(std::move(context))
{
    setObjectName(QStringLiteral("Frame_%1").arg(TabDefaults));
    paint(this, T::tabBack(TabDefaults), 0);
    setFont(appearanceFont(T::tabFont(TabDefaults)));
    auto *outer = new QVBoxLayout(this);
    auto *heading = new QLabel(str(T::InitialValues), this);
    heading->setObjectName(QStringLiteral("LblInitialValues"));
    heading->setContentsMargins(10, 4, 10, 4);
    paint(heading, T::tabHeadingBack(TabDefaults), T::tabHeadingFore(TabDefaults));

    m_defaultsGroup = groupFrame(this, QStringLiteral("FrameInit"));
    auto *column = new QVBoxLayout(m_defaultsGroup);
    column->setContentsMargins(0, 0, 0, 8);
    column->addWidget(heading);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 6, 12, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    column->addLayout(grid);
    buildRows(grid);
    column->addLayout(buildButtons(heading));

    auto *row = new QHBoxLayout;
    row->addWidget(m_defaultsGroup);
    row->addStretch();
    outer->addLayout(row);
    outer->addStretch();

    load();
    for (ValueEntry *e : m_params2)
        connect(e, &ValueEntry::codeChanged, this, &DefaultsTab::tightenDefaultRanges);
    connect(m_init, &QPushButton::clicked, this, [this] { emit initialiseAsked(cmdInitCode(DefaultsGroup)); });
    connect(m_toMixer, &QPushButton::clicked, this, [this] { emit writeAsked(DefaultsGroup); });
}

void DefaultsTab::buildRows(QGridLayout *grid)
{
    auto [priorityBox, priority] = optionBox({str(T::Off), str(T::On)}, QStringLiteral("OpnInit"), 0, false);
    auto [muteBox, mute] = optionBox(captionsOf(3, [](int i) { return str(T::MuteAttFirst + i); }),
                                     QStringLiteral("OpnInit"), 10, false);
    auto [actionBox, action] =
        optionBox({str(T::Auto), str(T::Manual)}, QStringLiteral("OpnInit"), 20, false);
    m_priorityDef = priority;
    m_muteAttDef = mute;
    m_actionDef = action;
    for (int i = 0; i < 2; ++i)
        m_params2[size_t(i)] = makeKeyEntry(m_ctx.dialogs, Scale::Count, 93 + i, i, QStringLiteral("UpDwParam2"));
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
        m_ctx.marks.add(extendedRegisterKey(FirstDefaultRegister + r), cell, l->text(), shown[size_t(r)],
                        markedControls(contents[size_t(r)]));
    }
    grid->setColumnStretch(2, 1);
}

QHBoxLayout *DefaultsTab::buildButtons(QLabel *heading)
{
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 10, 12, 0);
    buttons->addStretch();
    m_toMixer = new QPushButton(str(T::Transfer), m_defaultsGroup);
    m_toMixer->setObjectName(QStringLiteral("CmdMixer_%1").arg(DefaultsGroup));
    m_init = new QPushButton(str(T::Initialise), m_defaultsGroup);
    m_init->setObjectName(QStringLiteral("CmdInit_%1").arg(DefaultsGroup));
    for (QPushButton *b : {m_toMixer, m_init}) {
        b->setAccessibleName(joinAccessible({heading->text(), b->text()}));
        buttons->addWidget(b);
    }
    return buttons;
}

QRadioButton *DefaultsTab::OpnInit(int index) const
{
    const std::array<OptionGroup *, 3> groups{m_priorityDef, m_muteAttDef, m_actionDef};
    const int g = index / 10;
    return index >= 0 && g < 3 ? groups[size_t(g)]->button(index % 10) : nullptr;
}

void DefaultsTab::tightenDefaultRanges()
{
    if (!m_loadingEntries)
        keepOrdered(m_params2[1], m_params2[0]);
}

void DefaultsTab::load()
{
    const ExtendedRecord &x = m_ctx.env.mixers.ExtendedData[size_t(m_ctx.mixer)];
    m_priorityDef->select(x.PriorityDef);
    m_muteAttDef->select(x.MuteAttDef);
    m_actionDef->select(x.ThresholdActDef);
    m_loadingEntries = true;
    m_params2[0]->setRange(0, WordMax);
    m_params2[1]->setRange(0, WordMax);
    m_params2[0]->setCode(x.ThresholdMaxDef);
    m_params2[1]->setCode(x.ThresholdMinDef);
    m_loadingEntries = false;
    tightenDefaultRanges();
}

void DefaultsTab::fill(ExtendedEntries &e) const
{
    ExtendedRecord &v = e.values;
    v.ThresholdMaxDef = qint16(m_params2[0]->code());
    v.ThresholdMinDef = qint16(m_params2[1]->code());
    keepChoice(m_priorityDef, v.PriorityDef);
    keepChoice(m_muteAttDef, v.MuteAttDef);
    keepChoice(m_actionDef, v.ThresholdActDef);
}

void DefaultsTab::applyRules(const EnableRules &rules)
{
    m_defaultsGroup->setEnabled(rules.extended);
}
