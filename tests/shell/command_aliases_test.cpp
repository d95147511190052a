#include "shell/command_aliases.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

Pieces QueueContents(const CommandQueue& queue) { return Pieces(queue.begin(), queue.end()); }

class AliasFileTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }

  std::string Write(const std::string& contents) {
    std::ofstream(path_, std::ios::binary) << contents;
    return path_.string();
  }

  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("cmdalias_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
};

TEST_F(AliasFileTest, ReadsAliasLinesAndSkipsTheRest) {
  AliasTable table;
  LoadAliasFile(table, Write("; comment\r\n"
                             "  L=Line  \r\n"
                             "\r\n"
                             "   \t \n"
                             "=Zoom\n"
                             "NoEqualsSign\n"
                             "   ; indented comment\n"
                             "ZE=Zoom E\n"
                             "ZZ = Zoom\n"
                             "Q=a=b"));
  std::vector<std::pair<std::string, std::string>> got;
  for (const AliasEntry& entry : table.entries) got.emplace_back(entry.alias, entry.expansion);
  std::vector<std::pair<std::string, std::string>> want = {
      {"L", "Line"}, {"ZE", "Zoom E"}, {"ZZ ", " Zoom"}, {"Q", "a=b"}};
  EXPECT_EQ(got, want);
}

TEST_F(AliasFileTest, MissingFileEmptiesTheTable) {
  AliasTable table;
  AddAlias(table, "Line", "L");
  LoadAliasFile(table, (std::filesystem::temp_directory_path() / "no_such_dir_xyz" / "CmdAlias.txt").string());
  EXPECT_TRUE(table.entries.empty());
}

TEST_F(AliasFileTest, LongTextsAreCut) {
  AliasTable table;
  LoadAliasFile(table, Write(std::string(600, 'A') + "=" + std::string(700, 'b') + "\n"));
  ASSERT_EQ(table.entries.size(), 1u);
  EXPECT_EQ(table.entries[0].alias.size(), kMaxAliasText);
  EXPECT_EQ(table.entries[0].expansion.size(), kMaxAliasText);
}

struct ExpandCase {
  const char* typed;
  Pieces queueBefore;
  bool multiple;
  Pieces queueAfter;
};

TEST(ExpandAliasTest, RewritesNamesIntoQueuedPieces) {
  AliasTable table;
  AddAlias(table, "Line", "L");
  AddAlias(table, "Zoom E", "ZE");
  AddAlias(table, "Xyz", "Line");
  AddAlias(table, "", "EMPTY");
  AddAlias(table, "Circle", "l");  // a later entry of the same name is never reached
  const ExpandCase cases[] = {
      {"l", {}, false, {"Line"}},
      {"L", {"next"}, false, {"Line", "next"}},
      {"ze", {"next"}, true, {"Zoom", "E", "next"}},
      {"_L", {}, false, {"L"}},
      {"_Line", {}, false, {"Line"}},
      {"Line", {}, false, {"Xyz"}},
      {"Arc", {}, false, {"Arc"}},
      {"empty", {"next"}, true, {"next"}},
      {"\"a b\"", {}, false, {"a b"}},
  };
  for (const ExpandCase& c : cases) {
    CommandQueue queue(c.queueBefore.begin(), c.queueBefore.end());
    EXPECT_EQ(ExpandAlias(c.typed, table, queue), c.multiple) << c.typed;
    EXPECT_EQ(QueueContents(queue), c.queueAfter) << c.typed;
  }
}

struct MacroCase {
  const char* macro;
  Pieces queueBefore;
  Pieces queueAfter;
};

TEST(SplitMacroTest, CutsPiecesAndHandlesCancelMarks) {
  const MacroCase cases[] = {
      {"^C^C_Line 0,0 10,10", {"old"}, {"^C", "^C", "_Line", "0,0", "10,10"}},
      {"^c_Erase", {"old"}, {"^C", "_Erase"}},
      {"Line 0,0", {"old"}, {"Line", "0,0", "old"}},
      {"  Line    0,0  ", {}, {"Line", "0,0"}},
      {"Text \"a b\" c", {}, {"Text", "a b", "c"}},
      {"say \\\"x\\\"", {}, {"say", "\"x\""}},
      {"a\\b \\", {}, {"a\\b", "\\"}},
      {"\"\" x", {}, {"x"}},
      {"^", {"old"}, {"^", "old"}},
      {"^C", {"old"}, {"^C"}},
      {"", {"old"}, {"old"}},
  };
  for (const MacroCase& c : cases) {
    CommandQueue queue(c.queueBefore.begin(), c.queueBefore.end());
    SplitMacro(c.macro, queue);
    EXPECT_EQ(QueueContents(queue), c.queueAfter) << c.macro;
  }
}

}  // namespace
