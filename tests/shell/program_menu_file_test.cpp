#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_aliases.h"
#include "shell/command_registry.h"
#include "shell/menu_command_ids.h"
#include "shell/menu_text_reader.h"
#include "tests/support/program_commands_scope.h"

namespace {

// The command a macro starts: after its cancels, the first piece without
// the "_" (no alias) and "'" (transparent) prefixes.
std::string CommandOf(const std::string& macro) {
  CommandQueue queue;
  SplitMacro(macro, queue);
  while (!queue.empty() && queue.front() == "^C") queue.pop_front();
  if (queue.empty()) return {};
  std::string name = queue.front();
  while (!name.empty() && (name.front() == '_' || name.front() == '\'')) name.erase(0, 1);
  return name;
}

void CollectMacros(const FcMenuItem& item, std::vector<std::string>& macros, int& items_without_macro) {
  if (item.kind == MenuItemKind::kCommand) {
    if (item.macro.empty() && FixedMenuCommandId(item.id_name) == 0) ++items_without_macro;
    if (!item.macro.empty()) macros.push_back(item.macro);
  }
  for (const auto& child : item.children) CollectMacros(*child, macros, items_without_macro);
}

TEST(ProgramMenuFile, ParsesCleanlyAndRunsOnlyKnownCommands) {
  ProgramCommandsScope commands;
  FcInterface menus;
  MenuReadResult read = ReadMenuFile(menus, KOVRA_SOURCE_DIR "/Support/kovra.mnu");
  ASSERT_TRUE(read.opened);
  EXPECT_EQ(read.message, "");

  std::vector<std::string> top;
  for (const auto& menu : menus.root.children) top.push_back(menu->popup_name);
  EXPECT_EQ(top, (std::vector<std::string>{"FILE", "EDIT", "VIEW", "DRAW", "DIMENSION", "MODIFY", "FORMAT", "TOOLS",
                                           "WINDOW", "HELP"}));

  std::vector<std::string> macros;
  int items_without_macro = 0;
  CollectMacros(menus.root, macros, items_without_macro);
  EXPECT_EQ(items_without_macro, 0) << "an item runs a command or is one the window handles";
  for (const FcToolItem& toolbar : menus.toolbars)
    for (const FcToolBtn& button : toolbar.buttons)
      if (button.kind == ToolButtonKind::kButton) macros.push_back(button.macro);
  for (const FcAccelerator& accelerator : menus.accelerators) macros.push_back(accelerator.macro);

  for (const std::string& macro : macros) {
    std::string name = CommandOf(macro);
    EXPECT_TRUE(FindCommand(ApplicationCommands(), name) || FindCommand(DrawingCommands(), name))
        << "no command " << name << " for " << macro;
  }
  EXPECT_GE(menus.toolbars.size(), 4u);
  EXPECT_FALSE(menus.help_strings.empty());
  EXPECT_FALSE(menus.accelerators.empty());
}

}  // namespace
