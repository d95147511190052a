#include "shell/menu_model.h"

#include <algorithm>

#include "database/object.h"

FcMenuItem& FcMenuItem::AddChild() {
  kind = MenuItemKind::kPopup;
  children.push_back(std::make_unique<FcMenuItem>());
  children.back()->parent = this;
  return *children.back();
}

void FcMenuItem::ClearChildren() {
  children.clear();
  command_id = 0;
  first_id = 0;
  last_id = 0;
}

const FcMenuItem* FcMenuItem::FindCommandByName(std::string_view name) const {
  if (kind == MenuItemKind::kCommand && EqualsNoCase(id_name, name)) return this;
  for (const auto& child : children)
    if (const FcMenuItem* found = child->FindCommandByName(name)) return found;
  return nullptr;
}

bool FcMenuItem::SameContent(const FcMenuItem& other) const {
  if (kind != other.kind || id_name != other.id_name || popup_name != other.popup_name || label != other.label ||
      macro != other.macro || children.size() != other.children.size())
    return false;
  for (std::size_t i = 0; i < children.size(); ++i)
    if (!children[i]->SameContent(*other.children[i])) return false;
  return true;
}

void FcInterface::Clear() {
  root.ClearChildren();
  toolbars.clear();
  help_strings.clear();
  accelerators.clear();
}

namespace {

const FcMenuItem* FindItemById(const FcMenuItem& item, int id) {
  if (item.kind == MenuItemKind::kCommand) return item.command_id == id && id != 0 ? &item : nullptr;
  if (item.kind != MenuItemKind::kPopup || id < item.first_id || id > item.last_id) return nullptr;
  for (const auto& child : item.children)
    if (const FcMenuItem* found = FindItemById(*child, id)) return found;
  return nullptr;
}

const FcToolBtn* FindButtonById(const std::vector<FcToolItem>& toolbars, int id) {
  for (const FcToolItem& toolbar : toolbars) {
    if (id < toolbar.first_id || id > toolbar.last_id) continue;
    for (const FcToolBtn& button : toolbar.buttons)
      if (button.kind == ToolButtonKind::kButton && button.command_id == id) return &button;
  }
  return nullptr;
}

}  // namespace

bool FcInterface::GetCommandMacro(int id, std::string* macro) const {
  if (const FcMenuItem* item = FindItemById(root, id)) {
    *macro = item->macro;
    return true;
  }
  if (const FcToolBtn* button = FindButtonById(toolbars, id)) {
    *macro = button->macro;
    return true;
  }
  return false;
}

bool FcInterface::GetAccelMacro(bool control, bool shift, std::uint16_t key, std::string* macro) const {
  for (const FcAccelerator& accelerator : accelerators) {
    if (accelerator.control != control || accelerator.shift != shift || accelerator.key != key ||
        accelerator.macro.empty())
      continue;
    *macro = accelerator.macro;
    return true;
  }
  return false;
}

bool FcInterface::GetHelpString(int id, std::string* text) const {
  for (const FcHelpStr& help : help_strings) {
    if (std::find(help.ids.rbegin(), help.ids.rend(), id) == help.ids.rend()) continue;
    *text = help.text;
    return true;
  }
  return false;
}

bool FcInterface::FindButton(int id, std::string* label) const {
  const FcToolBtn* button = FindButtonById(toolbars, id);
  if (!button) return false;
  *label = button->label;
  return true;
}

bool FcInterface::SameContent(const FcInterface& other) const {
  return group_name == other.group_name && root.SameContent(other.root) && toolbars == other.toolbars &&
         help_strings == other.help_strings && accelerators == other.accelerators;
}
