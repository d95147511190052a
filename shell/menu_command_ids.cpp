#include "shell/menu_command_ids.h"

#include "database/object.h"

namespace {

struct FixedId {
  std::string_view id_name;
  int id;
};

constexpr FixedId kFixedIds[] = {
    {"ID_WINDOW_CASCADE", 57650}, {"ID_WINDOW_TILE_HORZ", 57651}, {"ID_WINDOW_TILE_VERT", 57652},
    {"ID_WINDOW_ARRANGE", 57649}, {"ID_MRU", kRecentFilesCommandId}, {"ID_EDIT_OPTIONS", 32778},
    {"ID_HELP_INDEX", 57666},     {"ID_APP_ABOUT", 57664},          {"ID_HELP_HOMEPAGE", 32784},
};

int NextId(std::string_view id_name, int& counter) {
  int fixed = FixedMenuCommandId(id_name);
  return fixed != 0 ? fixed : counter++;
}

void NumberItem(FcMenuItem& item, int& counter) {
  switch (item.kind) {
    case MenuItemKind::kCommand:
      item.command_id = NextId(item.id_name, counter);
      return;
    case MenuItemKind::kPopup:
      item.first_id = counter;
      for (auto& child : item.children) NumberItem(*child, counter);
      item.last_id = counter - 1;
      return;
    case MenuItemKind::kRecentFiles:
    case MenuItemKind::kSeparator:
      item.command_id = 0;
      return;
  }
}

void CollectIds(const FcMenuItem& item, std::string_view id_name, std::vector<int>& ids) {
  if (item.kind == MenuItemKind::kCommand && item.command_id != 0 && EqualsNoCase(item.id_name, id_name))
    ids.push_back(item.command_id);
  for (const auto& child : item.children) CollectIds(*child, id_name, ids);
}

}  // namespace

int FixedMenuCommandId(std::string_view id_name) {
  for (const FixedId& fixed : kFixedIds)
    if (EqualsNoCase(fixed.id_name, id_name)) return fixed.id;
  return 0;
}

int AssignMenuCommandIds(FcInterface& menus, int first_id) {
  int counter = first_id;
  // The root is numbered like a popup even when the file has no menus.
  menus.root.first_id = counter;
  for (auto& child : menus.root.children) NumberItem(*child, counter);
  menus.root.last_id = counter - 1;
  for (FcToolItem& toolbar : menus.toolbars) {
    toolbar.control_bar_id = 0;
    toolbar.first_id = toolbar.last_id = 0;
    if (toolbar.buttons.empty()) continue;
    toolbar.control_bar_id = counter++;
    toolbar.first_id = counter;
    for (FcToolBtn& button : toolbar.buttons)
      button.command_id = button.kind == ToolButtonKind::kButton ? NextId(button.id_name, counter) : 0;
    toolbar.last_id = counter - 1;
  }
  for (FcHelpStr& help : menus.help_strings) {
    help.ids.clear();
    CollectIds(menus.root, help.id_name, help.ids);
    for (const FcToolItem& toolbar : menus.toolbars)
      for (const FcToolBtn& button : toolbar.buttons)
        if (button.command_id != 0 && EqualsNoCase(button.id_name, help.id_name)) help.ids.push_back(button.command_id);
  }
  return counter;
}
