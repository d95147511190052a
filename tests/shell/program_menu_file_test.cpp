#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "commands/command_families.h"
#include "core/resbuf.h"
#include "database/object.h"
#include "shell/command_aliases.h"
#include "shell/command_registry.h"
#include "shell/keyword_list.h"
#include "shell/menu_command_ids.h"
#include "shell/menu_macro.h"
#include "shell/menu_text_reader.h"
#include "shell/testing/scripted_view.h"
#include "tests/support/program_commands_scope.h"

namespace {

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
    std::string name = MacroCommandName(macro);
    EXPECT_TRUE(FindCommand(ApplicationCommands(), name) || FindCommand(DrawingCommands(), name))
        << "no command " << name << " for " << macro;
  }
  EXPECT_GE(menus.toolbars.size(), 4u);
  EXPECT_FALSE(menus.help_strings.empty());
  EXPECT_FALSE(menus.accelerators.empty());
}

// Every command of the table can be reached from some menu: nothing the
// program can do is left to those who know its name.
TEST(ProgramMenuFile, EveryCommandOfTheTableIsInAMenu) {
  FcInterface menus;
  ASSERT_TRUE(ReadMenuFile(menus, KOVRA_SOURCE_DIR "/Support/kovra.mnu").opened);
  std::vector<std::string> macros;
  int items_without_macro = 0;
  CollectMacros(menus.root, macros, items_without_macro);
  std::vector<std::string> started;
  for (const std::string& macro : macros) started.push_back(MacroCommandName(macro));
  for (const CommandRow& row : CommandTable()) {
    bool inMenu = false;
    for (const std::string& name : started) inMenu = inMenu || EqualsNoCase(name, row.name);
    EXPECT_TRUE(inMenu) << row.name << " is in no menu";
  }
}

// A word a menu or toolbar macro types after its command answers the
// command's first prompt, so it must be a keyword that prompt offers (a
// word it does not know is an input error, not what the item promises).
TEST(ProgramMenuFile, AWordAfterTheCommandIsAKeywordOfItsFirstPrompt) {
  ProgramCommandsScope commands;
  FcInterface menus;
  ASSERT_TRUE(ReadMenuFile(menus, KOVRA_SOURCE_DIR "/Support/kovra.mnu").opened);
  std::vector<std::string> macros;
  int items_without_macro = 0;
  CollectMacros(menus.root, macros, items_without_macro);
  for (const FcToolItem& toolbar : menus.toolbars)
    for (const FcToolBtn& button : toolbar.buttons) macros.push_back(button.macro);

  ScriptedView script;
  int checked = 0;
  for (const std::string& macro : macros) {
    CommandQueue pieces;
    SplitMacro(macro, pieces);
    std::erase(pieces, "^C");
    if (pieces.size() < 2) continue;
    std::string word = pieces[1];
    if (word.empty() || !(std::isalpha(static_cast<unsigned char>(word[0])) || word[0] == '_')) continue;
    script.Type(pieces[0]);
    ASSERT_TRUE(script.WaitForPromptOrIdle());
    const std::string keywords =
        script.OnWindowThread([&script] { return script.View().GetInputRequest().keywords; });
    EXPECT_TRUE(MatchKeyword(keywords, word)) << macro << " answers \"" << pieces[1] << "\" to " << keywords;
    script.PressEsc();
    ASSERT_TRUE(script.WaitUntilIdle());
    ++checked;
  }
  EXPECT_GT(checked, 0) << "the menus answer some prompt with a word";
}

TEST(MenuMacro, NamesTheCommandItStarts) {
  AliasTable saved = ProgramAliases();
  AddAlias(ProgramAliases(), "Line", "l");
  const struct {
    const char* macro;
    const char* name;
  } cases[] = {
      {"^C^C_new", "new"},        {"^c^c_zoom _w", "zoom"}, {"'_redraw", "redraw"},
      {"^C^Cl", "Line"},          {"_l", "l"},              {"^C^C", ""},
      {"Options more", "Options"},
  };
  for (const auto& entry : cases) EXPECT_EQ(MacroCommandName(entry.macro), entry.name) << entry.macro;
  ProgramAliases() = saved;
}

// Without a drawing only the application list answers.
TEST(MenuMacro, WithoutDrawingOnlyApplicationCommandsRun) {
  ProgramCommandsScope commands;
  EXPECT_EQ(RunMacroWithoutDrawing("^C^C_line"), kCommandNotHandled);
  EXPECT_EQ(RunMacroWithoutDrawing("^C^C"), kCommandNotHandled);
  EXPECT_EQ(RunMacroWithoutDrawing("^C^C_options"), kStatusDone);
}

}  // namespace
