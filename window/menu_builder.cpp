#include "window/menu_builder.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <set>

#include "platform/program_settings.h"
#include "shell/menu_command_ids.h"
#include "window/menu_icons.h"

namespace {

QString Text(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

class MenuBuild {
 public:
  MenuBuild(QMainWindow& window, const FcInterface& menus, const MenuCommandRunner& run)
      : window_(window), menus_(menus), run_(run) {}

  // Items of a fixed id are the window's own commands, whatever macro the
  // file gives them.
  void Connect(QAction* action, int id, const std::string& id_name, const std::string& macro) {
    action->setData(id);
    std::string help;
    if (menus_.GetHelpString(id, &help)) action->setStatusTip(Text(help));
    if (macro.empty() || FixedMenuCommandId(id_name) != 0) return;
    MenuCommandRunner run = run_;
    QObject::connect(action, &QAction::triggered, action, [run, macro] { run(macro); });
  }

  void AppendItem(QMenu& menu, const FcMenuItem& item) {
    switch (item.kind) {
      case MenuItemKind::kPopup: {
        QMenu* submenu = menu.addMenu(item.label.empty() ? QStringLiteral("KOVRA") : Text(item.label));
        for (const auto& child : item.children) AppendItem(*submenu, *child);
        return;
      }
      case MenuItemKind::kCommand:
        Connect(menu.addAction(Text(item.label)), item.command_id, item.id_name, item.macro);
        return;
      case MenuItemKind::kRecentFiles: {
        QAction* slot = menu.addAction(QString());
        slot->setObjectName(QStringLiteral("recentFiles"));
        slot->setData(kRecentFilesCommandId);
        slot->setVisible(false);
        return;
      }
      case MenuItemKind::kSeparator:
        menu.addSeparator();
        return;
    }
  }

  QMenu* AddTopMenu(const FcMenuItem& item) {
    QMenu* menu = window_.menuBar()->addMenu(item.label.empty() ? QStringLiteral("KOVRA") : Text(item.label));
    menu->setObjectName(Text(item.popup_name));
    for (const auto& child : item.children) AppendItem(*menu, *child);
    return menu;
  }

  QToolBar* AddToolBar(const FcToolItem& toolbar, bool large_buttons, const QString& menu_folder) {
    auto* bar = new QToolBar(Text(toolbar.title), &window_);
    bar->setObjectName(Text(toolbar.section_name));
    QSize image_size = large_buttons ? QSize(24, 22) : QSize(16, 15);
    bar->setIconSize(image_size);
    for (const FcToolBtn& button : toolbar.buttons) {
      if (button.kind == ToolButtonKind::kSeparator) {
        bar->addSeparator();
        continue;
      }
      const std::string& bitmap = large_buttons ? button.large_bitmap : button.small_bitmap;
      QAction* action = bar->addAction(MenuButtonIcon(Text(bitmap), Text(button.label), image_size, menu_folder),
                                       Text(button.label));
      action->setToolTip(Text(button.label));
      Connect(action, button.command_id, button.id_name, button.macro);
    }
    window_.addToolBar(DockArea(toolbar.dock), bar);
    bar->setVisible(toolbar.shown);
    return bar;
  }

  QAction* AddShortcut(const FcAccelerator& accelerator) {
    auto* action = new QAction(&window_);
    action->setShortcut(AcceleratorKeys(accelerator));
    action->setShortcutContext(Qt::WindowShortcut);
    Connect(action, 0, {}, accelerator.macro);
    window_.addAction(action);
    return action;
  }

 private:
  // Qt cannot float a toolbar from code; a floating one starts at the top.
  static Qt::ToolBarArea DockArea(std::int32_t dock) {
    switch (static_cast<ToolBarDock>(dock)) {
      case ToolBarDock::kFloating:
      case ToolBarDock::kTop:
        return Qt::TopToolBarArea;
      case ToolBarDock::kLeft:
        return Qt::LeftToolBarArea;
      case ToolBarDock::kRight:
        return Qt::RightToolBarArea;
      default:
        return Qt::BottomToolBarArea;
    }
  }

  QMainWindow& window_;
  const FcInterface& menus_;
  const MenuCommandRunner& run_;
};

Qt::Key QtKey(std::uint16_t key) {
  if (key >= kKeyF1 && key <= kKeyF1 + 11) return static_cast<Qt::Key>(Qt::Key_F1 + (key - kKeyF1));
  if (key >= kKeyNumpad0 && key <= kKeyNumpad0 + 9) return static_cast<Qt::Key>(Qt::Key_0 + (key - kKeyNumpad0));
  switch (key) {
    case kKeyBack: return Qt::Key_Backspace;
    case kKeyEscape: return Qt::Key_Escape;
    case kKeyLeft: return Qt::Key_Left;
    case kKeyUp: return Qt::Key_Up;
    case kKeyRight: return Qt::Key_Right;
    case kKeyDown: return Qt::Key_Down;
    case kKeyInsert: return Qt::Key_Insert;
    case kKeyDelete: return Qt::Key_Delete;
    default: break;
  }
  // Printable characters share their codes with Qt's keys.
  return key > ' ' && key <= '~' ? static_cast<Qt::Key>(key) : Qt::Key_unknown;
}

}  // namespace

QKeySequence AcceleratorKeys(const FcAccelerator& accelerator) {
  Qt::Key key = QtKey(accelerator.key);
  if (key == Qt::Key_unknown) return {};
  Qt::KeyboardModifiers modifiers;
  if (accelerator.control) modifiers |= Qt::ControlModifier;
  if (accelerator.shift) modifiers |= Qt::ShiftModifier;
  if (accelerator.key >= kKeyNumpad0 && accelerator.key <= kKeyNumpad0 + 9) modifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(modifiers, key));
}

BuiltMenus BuildMenus(QMainWindow& window, FcInterface& menus, bool large_buttons, const MenuCommandRunner& run) {
  AssignMenuCommandIds(menus, kFirstMenuCommandId);
  BuiltMenus built;
  MenuBuild build(window, menus, run);
  for (const auto& top : menus.root.children) {
    if (top->kind == MenuItemKind::kPopup) {
      built.menus.append(build.AddTopMenu(*top));
    } else if (top->kind == MenuItemKind::kCommand) {
      // An item after a menu closed all its levels stands on the bar itself.
      QAction* action = window.menuBar()->addAction(Text(top->label));
      build.Connect(action, top->command_id, top->id_name, top->macro);
    }
  }
  QString menu_folder = QFileInfo(Text(menus.path)).absolutePath();
  for (const FcToolItem& toolbar : menus.toolbars)
    if (!toolbar.buttons.empty()) built.toolbars.append(build.AddToolBar(toolbar, large_buttons, menu_folder));
  // The first accelerator of a key combination answers it; a second one
  // would make Qt refuse both as ambiguous.
  std::set<int> taken;
  for (const FcAccelerator& accelerator : menus.accelerators) {
    QKeySequence keys = AcceleratorKeys(accelerator);
    if (keys.isEmpty() || !taken.insert(keys[0].toCombined()).second) continue;
    built.shortcuts.append(build.AddShortcut(accelerator));
  }
  return built;
}

void RemoveMenus(QMainWindow& window, BuiltMenus& built) {
  window.menuBar()->clear();
  qDeleteAll(built.menus);
  for (QToolBar* toolbar : built.toolbars) {
    window.removeToolBar(toolbar);
    delete toolbar;
  }
  for (QAction* action : built.shortcuts) {
    window.removeAction(action);
    delete action;
  }
  built = {};
}
