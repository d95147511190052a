#include <string>
#include <vector>

#include "database/linetype.h"
#include "platform/program_settings.h"
#include "tests/support/command_script.h"
#include "tests/support/program_settings_guard.h"

namespace {

constexpr const char* kOptions = "Input options[?/Create/Load/Set]";

class LinetypePromptTest : public CommandScriptTest {
 protected:
  // The drawing's linetype of that name, copied; none when it has none.
  std::unique_ptr<FcLineType> Linetype(const std::string& name) {
    return script_.OnWindowThread([&]() -> std::unique_ptr<FcLineType> {
      const FcLineType* found = script_.Drawing().GetLinetypeList().FindByName(name);
      if (found == nullptr) return nullptr;
      auto copy = std::make_unique<FcLineType>();
      copy->CopyFrom(*found);
      return copy;
    });
  }
  std::string CurrentLinetype() {
    return script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().celtype.str(); });
  }
  std::vector<std::string> Prompts() { return script_.Frame().Prompts(); }

  ProgramSettingsGuard keep_;
};

TEST_F(LinetypePromptTest, CreateAsksAgainForATakenNameAndBuildsThePatternInMillimetres) {
  ASSERT_TRUE(script_.Run({"-Linetype", "c", "CONTINUOUS", "Dash1", "Short dashes", "0.5,-0.25", ""}));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{kOptions, "Input linetype name", "Input linetype name",
                                                 "Input Descriptive text", " A,", kOptions}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{"There is the same name linetype! Please input again.",
                                                 "Input linetype pattern text(at next line)",
                                                 "Linetype : Dash1 Create successfully!"}));
  const std::unique_ptr<FcLineType> created = Linetype("dash1");
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetDescription(), "Short dashes");
  ASSERT_EQ(created->GetElementCount(), 2);
  EXPECT_DOUBLE_EQ(created->GetElement(0), 12.7);
  EXPECT_DOUBLE_EQ(created->GetElement(1), -6.35);
  EXPECT_NE(created->GetHandle(), 0u);
  EXPECT_EQ(CurrentLinetype(), "ByLayer");

  // The step has no name: Undo and Redo say nothing.
  script_.Printed().Clear();
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Linetype("Dash1"), nullptr);
  ASSERT_TRUE(script_.Run({"redo"}));
  const std::unique_ptr<FcLineType> again = Linetype("Dash1");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetHandle(), created->GetHandle());
  for (const std::string& line : Printed()) EXPECT_EQ(line.find("Undo"), std::string::npos) << line;
}

TEST_F(LinetypePromptTest, CreateRefusesBadPatternsAndKeepsNothing) {
  for (const char* pattern : {"[\"A\",STANDARD],-.25", "-0.5,-0.25", "0.5,dash", "0.5,0.25"}) {
    script_.Printed().Clear();
    ASSERT_TRUE(script_.Run({"-Linetype", "Create", "Bad", "", pattern, kEsc})) << pattern;
    EXPECT_EQ(Prompts().back(), kOptions) << pattern;
    EXPECT_EQ(LastPrinted(), "Error pattern text!") << pattern;
    EXPECT_EQ(Linetype("Bad"), nullptr) << pattern;
  }
  // Enter gives no name, and a linetype without one would spoil the table.
  const std::size_t count = script_.OnWindowThread([this] { return script_.Drawing().GetLinetypeList().GetCount(); });
  ASSERT_TRUE(script_.Run({"-Linetype", "Create", "", kEsc}));
  EXPECT_EQ(Prompts().back(), kOptions);
  EXPECT_EQ(script_.OnWindowThread([this] { return script_.Drawing().GetLinetypeList().GetCount(); }), count);
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(LinetypePromptTest, SetTakesShortMarkerNamesAndRefusesUnknownOnes) {
  ASSERT_TRUE(script_.Run({"-Linetype", "s", "continuous", "s", "byb", "s", "Nosuch", ""}));
  EXPECT_EQ(Prompts()[1], "Input current linetype name[?/BYLayer/BYBlock]<ByLayer>");
  EXPECT_EQ(Prompts()[3], "Input current linetype name[?/BYLayer/BYBlock]<Continuous>");
  EXPECT_EQ(Printed(), std::vector<std::string>{"There isn't the linetype named : Nosuch"});
  EXPECT_EQ(CurrentLinetype(), "ByBlock");
  ASSERT_EQ(UndoNames().size(), 2u);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(CurrentLinetype(), "Continuous");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(CurrentLinetype(), "ByLayer");
  ASSERT_TRUE(script_.Run({"redo"}));
  EXPECT_EQ(CurrentLinetype(), "Continuous");

  script_.Printed().Clear();
  ASSERT_TRUE(script_.Run({"-Linetype", "Set", "BYL", "Set", "?", kEsc}));
  EXPECT_EQ(CurrentLinetype(), "ByLayer");
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           " linetype\t\tDescriptive",
                           "--------------------------------------------------------------------",
                           " ByLayer\t\t",
                           " ByBlock\t\t",
                           " Continuous\t\tSolid Line",
                       }));
}

TEST_F(LinetypePromptTest, ListsTheProgramsLinetypeFileOrSaysItIsMissing) {
  GetProgramSettings().program_directory = std::string(KOVRA_SOURCE_DIR) + "/";
  ASSERT_TRUE(script_.Run({"-Linetype", "?", "Load", ""}));
  const std::vector<std::string> lines = Printed();
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[0], " linetype\t\tDescriptive");
  EXPECT_EQ(lines[2], " BORDER\t\tBorder __ __ . __ __ . __ __ . __ __ . __ __ .");
  EXPECT_EQ(lines.back(), "Please use command \"linetype\" to load.");

  script_.Printed().Clear();
  GetProgramSettings().program_directory = std::string(KOVRA_SOURCE_DIR) + "/no such folder/";
  ASSERT_TRUE(script_.Run({"-Linetype", "?", kEsc}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"Can't find linetype file: kovra.lin"});
  EXPECT_EQ(Prompts().back(), kOptions);
}

}  // namespace
