#pragma once

#include "resources/command_ids.h"
#include "resources/icons.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <vector>

namespace resources {

// One command of the menus, accelerators and toolbar.
struct CommandInfo {
    int id = 0;
    QString menuText;         // with its '&' mnemonic and "\t" key hint; empty for toolbar-only commands
    QString prompt;           // status bar text while highlighted
    QString tooltip;          // toolbar tooltip
    QList<QKeySequence> keys; // accelerator keys, in table order
    IconKind icon = IconKind::None;
};

// Every command, in identifier order.
const std::vector<CommandInfo> &Commands();
// Null when the id is unknown.
const CommandInfo *FindCommand(int id);

struct MenuInfo {
    QString title;
    std::vector<int> items; // cmd::ID_SEPARATOR for a separator, a negative marker for a submenu
};
const std::vector<MenuInfo> &MainMenu();
// The submenu that a marker such as cmd::ID_REGION_MENU stands for; null for any other id.
const MenuInfo *Submenu(int marker);

// Toolbar buttons from left to right, cmd::ID_SEPARATOR for a separator.
const std::vector<int> &ToolBarButtons();

// The message pane text when nothing is highlighted.
QString IdlePrompt();

struct IndicatorInfo {
    int id = 0;
    QString text;
};
// Status bar indicator panes 1 to 6, left to right.
const std::vector<IndicatorInfo> &Indicators();

} // namespace resources
