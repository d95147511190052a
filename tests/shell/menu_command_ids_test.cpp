#include "shell/menu_command_ids.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/menu_text_reader.h"
#include "tests/support/menu_fixture.h"

namespace {

class MenuIdsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ReadMenuText(menus_, kSampleMenuText, "sample.mnu").message, "");
    next_ = AssignMenuCommandIds(menus_, 34500);
  }
  const FcMenuItem& FileItem(std::size_t i) const { return *menus_.root.children[0]->children[i]; }

  FcInterface menus_;
  int next_ = 0;
};

TEST_F(MenuIdsTest, MenusThenToolbarsAreNumberedInOrder) {
  EXPECT_EQ(FileItem(0).command_id, 34500);                // New
  EXPECT_EQ(FileItem(1).command_id, 0);                    // separator
  EXPECT_EQ(FileItem(2).command_id, 0);                    // recent files
  EXPECT_EQ(FileItem(3).children[0]->command_id, 34501);  // Open
  EXPECT_EQ(FileItem(3).children[1]->command_id, 34502);  // Save
  EXPECT_EQ(FileItem(4).command_id, 34503);                // Exit
  const FcMenuItem& edit = *menus_.root.children[1];
  EXPECT_EQ(edit.children[0]->command_id, 34504);
  EXPECT_EQ(edit.children[1]->command_id, 57664) << "the about box has its fixed id and takes none";

  const FcToolItem& main = menus_.toolbars[0];
  EXPECT_EQ(main.control_bar_id, 34505);
  EXPECT_EQ(main.buttons[0].command_id, 34506) << "a button and an item of one name get different ids";
  EXPECT_EQ(main.buttons[1].command_id, 0);
  EXPECT_EQ(main.buttons[2].command_id, 34507);
  EXPECT_EQ(menus_.toolbars[1].control_bar_id, 0) << "a toolbar without buttons takes no id";
  EXPECT_EQ(next_, 34508);
}

TEST_F(MenuIdsTest, LookupsAnswerByIdAndKeys) {
  std::string text;
  EXPECT_TRUE(menus_.GetCommandMacro(34502, &text));
  EXPECT_EQ(text, "^C^C_qsave");
  EXPECT_TRUE(menus_.GetCommandMacro(34507, &text));
  EXPECT_EQ(text, "^C^C_line");
  EXPECT_FALSE(menus_.GetCommandMacro(57664, &text)) << "fixed ids are the window's own";
  EXPECT_FALSE(menus_.GetCommandMacro(34505, &text));

  EXPECT_TRUE(menus_.GetHelpString(34500, &text));
  EXPECT_EQ(text, "Creates a drawing");
  EXPECT_TRUE(menus_.GetHelpString(34506, &text)) << "the help of a name serves its item and its button";
  EXPECT_FALSE(menus_.GetHelpString(34501, &text));

  EXPECT_TRUE(menus_.FindButton(34507, &text));
  EXPECT_EQ(text, "Line");
  EXPECT_FALSE(menus_.FindButton(34500, &text));

  EXPECT_TRUE(menus_.GetAccelMacro(true, false, 'C', &text));
  EXPECT_EQ(text, "^C^C_copyclip");
  EXPECT_FALSE(menus_.GetAccelMacro(true, true, 'C', &text)) << "Ctrl+Shift+C is another combination";
}

}  // namespace
