#pragma once

// The panel window's commands as data: each with its menu name, toolbar key,
// caption and tooltip, and the rules that enable them in the design and
// execution states; the window title; the link-count watch's judgement.

#include "settings/panelmodel.h"

#include <QString>

#include <array>

enum class PanelCommand : int {
    Load, Save, NewSave, Close, Quit,                 // ﾌｧｲﾙ
    New, Execution, Stop, Table, Init,                // ﾎﾞﾀﾝ
    Image, Color, Grid, GridPro, Circle, Rect, Line, Arc, Clear, // 背景設定
};
constexpr int PanelCommandCount = int(PanelCommand::Clear) + 1;

struct PanelCommandInfo
{
    PanelCommand command;
    const char *menuName;   // menu item object name
    const char *toolKey;    // toolbar key; empty when the command has no button
    int captionId;          // string id of the menu caption
    int tipId;              // string id of the tooltip; 0 for none
};

// Every command, in menu order.
const std::array<PanelCommandInfo, PanelCommandCount> &panelCommands();
const PanelCommandInfo &panelCommand(PanelCommand command);

using PanelCommandEnabling = std::array<bool, PanelCommandCount>;

// Which commands are offered. The file, grid, figure, clear and new-button
// commands belong to the design state (new buttons also below the button
// limit, figures below ten of their kind); 実行 only in the design state and
// 停止 only in the execution state; the button table needs a linked mixer and
// is not offered twice; image, colour and quit are always there.
PanelCommandEnabling panelCommandEnabling(const PanelState &panel, const PanelContext &context);

// "<file> - ZK-VR340a [デザイン]" or "... [実行]"; "(無題)" without a file.
QString panelTitle(const QString &fileName, bool executing);

// The link-count watch compares the link count with the panel's mixer count.
enum class LinkCountChange { Same, Rose, Fell };
LinkCountChange linkCountChange(const PanelContext &context, int FileMixerCount);
