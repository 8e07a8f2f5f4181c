// FrmMixer by keyboard: Ctrl+W or Escape closes the window, and the
// context-menu key or Shift+F10 on a control of a strip's row or of one of
// the system tab's four fields shows that value across the mixers, as a
// double-click on the row's or field's label does.

#include "editor/ui/frmmixer.h"

#include "editor/ui/optiongroup.h"
#include "editor/valueentry.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QRadioButton>

namespace {
constexpr int FirstFieldItem = 8; // Label1(0..3): grid items 8..11
} // namespace

void FrmMixer::setUpKeys()
{
    auto *close = new QAction(this);
    close->setObjectName(QStringLiteral("CloseWindow"));
    close->setShortcuts(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    auto add = [this](QWidget *control, int item) {
        m_gridItems[control] = item;
        control->installEventFilter(this);
    };
    auto addGroup = [&](const OptionGroup *group, int item) {
        for (int c = 0; c < group->count(); ++c)
            add(group->button(c), item);
    };
    for (int item = 0; item < int(StripRows.size()); ++item)
        for (int ch = 0; ch < ChannelCount; ++ch) {
            const int row = StripRows[size_t(item)];
            if (row < 0)
                add(m_gains[size_t(ch)], item);
            else
                addGroup(m_strips[size_t(ch)]->rows[size_t(row)], item);
        }
    addGroup(m_groups[GroupOutputLevel], FirstFieldItem);
    add(m_params[FieldOutputGain], FirstFieldItem + 1);
    add(m_params[FieldThreshold], FirstFieldItem + 2);
    addGroup(m_groups[GroupMuteChange], FirstFieldItem + 3);
    addGroup(m_muteAtt, FirstFieldItem + 3);
}

int FrmMixer::gridItemAsked(QObject *watched, QEvent *event) const
{
    bool asked = false;
    if (event->type() == QEvent::ContextMenu)
        asked = static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard;
    else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        asked = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    }
    if (!asked)
        return -1;
    const auto it = m_gridItems.find(watched);
    return it == m_gridItems.end() ? -1 : it->second;
}

void FrmMixer::showGrid(int item)
{
    m_ctx.env.editor.GridItem = qint16(item);
    if (m_ctx.showParameterGrid)
        m_ctx.showParameterGrid(item);
}

void FrmMixer::keyPressEvent(QKeyEvent *event)
{
    // Escape reaches the window when no control took it: an entry box
    // takes it first to take back what was typed.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
