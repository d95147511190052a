#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>
#include <string>

#include "shell/menu_model.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// Runs the command text of a menu item, toolbar button or shortcut; the
// window routes it to the current drawing's command line.
using MenuCommandRunner = std::function<void(const std::string& macro)>;

// What one build added to a window, so that a reloaded menu file can take
// it away again.
struct BuiltMenus {
  QList<QMenu*> menus;
  QList<QToolBar*> toolbars;
  QList<QAction*> shortcuts;
};

// Numbers the model from the first menu command id, then fills the window's
// menu bar, adds a toolbar for every toolbar that has buttons and one
// window-wide action per accelerator. Every action carries its command id
// as data, its help string as status tip, and hands its macro to run when
// triggered. Actions without a macro (the window's own commands, such as
// tiling, and the recent-files slot, object name "recentFiles") only carry
// their id, for the window to connect.
BuiltMenus BuildMenus(QMainWindow& window, FcInterface& menus, bool large_buttons, const MenuCommandRunner& run);

// Takes away what BuildMenus added.
void RemoveMenus(QMainWindow& window, BuiltMenus& built);

// The key combination of an accelerator; empty for a key Qt has no name for.
QKeySequence AcceleratorKeys(const FcAccelerator& accelerator);
