// FrmMixer by keyboard and pointer: Ctrl+W or Escape closes the window; the
// context-menu key or Shift+F10 on a control of a strip's row or of one of
// the system tab's four fields shows that value across the mixers, as a
// double-click on the row's or field's label does; the tab bar's keys and
// wheel and Ctrl+Tab move between the tabs on show only, and judge a typed
// value before its page goes.

#include "editor/ui/frmmixer.h"

#include "editor/ui/channeltab.h"
#include "editor/ui/optiongroup.h"
#include "editor/ui/systemtab.h"
#include "editor/valueentry.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

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
    for (int item = 0; item < int(ChannelTab::StripRows.size()); ++item)
        for (int ch = 0; ch < ChannelCount; ++ch) {
            const int row = ChannelTab::StripRows[size_t(item)];
            if (row < 0)
                add(UpDwInpgain(ch), item);
            else
                addGroup(m_channel->row(ch, row), item);
        }
    addGroup(m_system->group(GroupOutputLevel), FirstFieldItem);
    add(UpDwParam(FieldOutputGain), FirstFieldItem + 1);
    add(UpDwParam(FieldThreshold), FirstFieldItem + 2);
    addGroup(m_system->group(GroupMuteChange), FirstFieldItem + 3);
    addGroup(m_system->muteAtt(), FirstFieldItem + 3);
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

void FrmMixer::stepTab(int step, bool wrap)
{
    const int count = m_tabs->count();
    for (int i = 1; i < count; ++i) {
        int tab = m_tabs->currentIndex() + step * i;
        if (!wrap && (tab < 0 || tab >= count))
            return;
        tab = (tab % count + count) % count;
        if (m_tabs->isTabVisible(tab) && m_tabs->isTabEnabled(tab)) {
            m_tabs->setCurrentIndex(tab);
            return;
        }
    }
}

void FrmMixer::commitFocusedEntry()
{
    for (QWidget *w = QApplication::focusWidget(); w && w != this; w = w->parentWidget())
        if (auto *entry = qobject_cast<ValueEntry *>(w)) {
            if (isAncestorOf(entry))
                entry->commit();
            return;
        }
}

bool FrmMixer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabs->tabBar()) {
        // The tab bar's own arrow keys and wheel would also stop at a hidden
        // tab and open it without its warning: they move between the tabs
        // on show here.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            commitFocusedEntry();
            break;
        case QEvent::Wheel:
            commitFocusedEntry();
            if (m_tabs->tabBar()->style()->styleHint(QStyle::SH_TabBar_AllowWheelScrolling, nullptr,
                                                     m_tabs->tabBar())) {
                const QPoint d = static_cast<QWheelEvent *>(event)->angleDelta();
                const int delta = qAbs(d.x()) > qAbs(d.y()) ? d.x() : d.y();
                if (delta != 0)
                    stepTab(delta > 0 ? -1 : 1, false);
                return true;
            }
            break;
        case QEvent::KeyPress: {
            commitFocusedEntry();
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Left || key == Qt::Key_Right) {
                const bool forward = (key == Qt::Key_Right) != (layoutDirection() == Qt::RightToLeft);
                stepTab(forward ? 1 : -1, false);
                return true;
            }
            break;
        }
        default:
            break;
        }
    } else if (watched == m_tabs && event->type() == QEvent::KeyPress) {
        // A key the page let through to the tab widget: Ctrl+Tab and the like.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            commitFocusedEntry();
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                // The tab widget's own Ctrl+Tab would also stop at a hidden
                // tab and open it without its warning.
                const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
                stepTab(back ? -1 : 1, true);
                return true;
            }
        }
    }
    if (const int item = gridItemAsked(watched, event); item >= 0) {
        showGrid(item);
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        int item = -1;
        for (int r = 0; r < int(ChannelTab::StripRows.size()); ++r)
            if (watched == Lbl1L(r))
                item = r;
        for (int i = 0; i < 4; ++i)
            if (watched == Label1(i))
                item = 8 + i;
        if (item >= 0) {
            showGrid(item);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
