#include "shell/menu_compiled_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/program_settings.h"
#include "shell/menu_file_loading.h"
#include "shell/menu_text_reader.h"
#include "tests/support/menu_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class CompiledMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ReadMenuText(sample_, kSampleMenuText, "sample.mnu").message, ""); }

  TempDir dir_;
  FcInterface sample_;
  std::string compiled_ = dir_.path() + "sample.mnp";
};

TEST_F(CompiledMenuTest, ReadsBackWhatWasWritten) {
  ASSERT_TRUE(WriteCompiledMenu(sample_, compiled_));
  FcInterface read;
  EXPECT_EQ(ReadCompiledMenu(read, compiled_), "");
  EXPECT_TRUE(read.SameContent(sample_));
  EXPECT_TRUE(read.loaded_from_compiled);
  EXPECT_EQ(read.path, compiled_);

  // Written again, the lists keep their order: lookups of the same keys
  // must not change from one start to the next.
  std::string again = dir_.path() + "again.mnp";
  ASSERT_TRUE(WriteCompiledMenu(read, again));
  EXPECT_EQ(ReadBytes(again), ReadBytes(compiled_));
  EXPECT_FALSE(std::filesystem::exists(compiled_ + ".part"));
}

TEST_F(CompiledMenuTest, SlotsAndSeparatorsAreOnlyTheirKind) {
  FcInterface menus;
  FcMenuItem& menu = menus.root.AddChild();
  menu.AddChild().kind = MenuItemKind::kSeparator;
  menu.AddChild().kind = MenuItemKind::kRecentFiles;
  ASSERT_TRUE(WriteCompiledMenu(menus, compiled_));
  // magic, group, root (kind, three empty strings, count), menu (kind, three
  // empty strings, count, two kinds), three counts
  EXPECT_EQ(ReadBytes(compiled_).size(), 20u + 1 + (4 + 3 + 4) + (4 + 3 + 4 + 4 + 4) + 12);
}

TEST_F(CompiledMenuTest, EveryCutOfTheFileIsRefusedWithItsOffset) {
  ASSERT_TRUE(WriteCompiledMenu(sample_, compiled_));
  std::string bytes = ReadBytes(compiled_);
  std::string cut_path = dir_.path() + "cut.mnp";
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    WriteBytes(cut_path, bytes.substr(0, size));
    FcInterface read;
    std::string message = ReadCompiledMenu(read, cut_path);
    ASSERT_EQ(message.rfind(cut_path + ", byte ", 0), 0u) << "cut at " << size << ": " << message;
  }
}

TEST_F(CompiledMenuTest, ForgedValuesAreRefused) {
  ASSERT_TRUE(WriteCompiledMenu(sample_, compiled_));
  const std::string bytes = ReadBytes(compiled_);
  std::size_t root_kind = std::string(kCompiledMenuMagic).size() + 1 + sample_.group_name.size() + 1;
  std::size_t root_count = root_kind + 4 + 3;
  struct Case {
    const char* name;
    std::size_t at;
    std::string value;
    const char* reason;
  };
  const Case cases[] = {
      {"magic of another case", 0, "k", "not a compiled menu file"},
      {"unknown item kind", root_kind, std::string("\x07\0\0\0", 4), "unknown menu item kind"},
      {"huge child count", root_count, std::string("\xff\xff\xff\x7f", 4), "a count is larger than the file holds"},
      {"negative child count", root_count, std::string("\xfe\xff\xff\xff", 4), "a count is larger than the file holds"},
  };
  for (const Case& c : cases) {
    std::string forged = bytes;
    forged.replace(c.at, c.value.size(), c.value);
    WriteBytes(compiled_, forged);
    FcInterface read;
    std::string message = ReadCompiledMenu(read, compiled_);
    EXPECT_NE(message.find(c.reason), std::string::npos) << c.name << ": " << message;
  }
  WriteBytes(compiled_, bytes + "x");
  FcInterface read;
  EXPECT_NE(ReadCompiledMenu(read, compiled_).find("bytes follow"), std::string::npos);
}

TEST_F(CompiledMenuTest, DeepNestingIsRefusedWithoutRecursingOn) {
  // A forged chain of popups, each with one child, deeper than any menu.
  std::string bytes = std::string(kCompiledMenuMagic) + '\0' + '\0';
  for (int i = 0; i < 100000; ++i) bytes += std::string("\x02\0\0\0\0\0\0\x01\0\0\0", 11);
  WriteBytes(compiled_, bytes);
  FcInterface read;
  EXPECT_NE(ReadCompiledMenu(read, compiled_).find("submenus nest too deep"), std::string::npos);
}

class MenuLoadingTest : public CompiledMenuTest {
 protected:
  std::string text_ = dir_.Write("menus.mnu", kSampleMenuText);
  std::string compiled_of_text_ = dir_.path() + "menus.mnp";

  void Age(const std::string& path, int seconds) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(seconds));
  }
};

TEST_F(MenuLoadingTest, TextIsCompiledThenTheNewerCopyServes) {
  FcInterface menus;
  MenuLoadResult first = LoadMenuFile(menus, text_);
  EXPECT_TRUE(first.found);
  EXPECT_FALSE(first.from_compiled);
  ASSERT_TRUE(std::filesystem::exists(compiled_of_text_));

  Age(text_, 60);
  MenuLoadResult second = LoadMenuFile(menus, text_);
  EXPECT_TRUE(second.from_compiled);
  EXPECT_TRUE(menus.SameContent(sample_));

  // The text saved after its copy is read again, and compiled again.
  std::ofstream(text_, std::ios::app) << "***POP3\n**MORE\nID_More [&More]\n";
  Age(compiled_of_text_, 120);
  MenuLoadResult third = LoadMenuFile(menus, text_);
  EXPECT_FALSE(third.from_compiled);
  EXPECT_EQ(menus.root.children.size(), 3u);
  Age(text_, 180);
  FcInterface copy;
  EXPECT_EQ(ReadCompiledMenu(copy, compiled_of_text_), "");
  EXPECT_EQ(copy.root.children.size(), 3u);
}

TEST_F(MenuLoadingTest, FaultyCopyGivesWayToTheText) {
  WriteBytes(compiled_of_text_, std::string(kCompiledMenuMagic) + '\0');
  Age(text_, 60);
  FcInterface menus;
  MenuLoadResult result = LoadMenuFile(menus, text_);
  EXPECT_FALSE(result.from_compiled);
  EXPECT_TRUE(menus.SameContent(sample_));
  EXPECT_NE(result.message.find(compiled_of_text_ + ", byte "), std::string::npos) << result.message;
  FcInterface rewritten;
  EXPECT_EQ(ReadCompiledMenu(rewritten, compiled_of_text_), "");
}

TEST_F(MenuLoadingTest, FaultyTextIsNotCompiledSoItIsReportedAgain) {
  std::string faulty = dir_.Write("faulty.mnu", "***POP1\n**A\nID_A [&A]\n***ACCELERATORS\nID_Q [\"Q\"]\n");
  FcInterface menus;
  MenuLoadResult result = LoadMenuFile(menus, faulty);
  EXPECT_EQ(result.message, faulty + ", line 5: the accelerator line does not parse");
  EXPECT_EQ(menus.root.children.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "faulty.mnp"));
}

// The program's menu file is found where start-up looks for it, and a
// menu file that is nowhere leaves empty menus with the one warning.
TEST_F(MenuLoadingTest, ProgramMenuFileIsLookedForBesideTheProgram) {
  ProgramSettings settings;
  settings.program_directory = dir_.path();
  settings.menu_file_name = "/nowhere/KOVRA.MNU";
  const std::string beside = dir_.Write("Support/kovra.mnu", kSampleMenuText);
  FcInterface menus;
  settings.next_menu_command_id = 40000;
  MenuLoadResult found = LoadProgramMenuFile(menus, settings);
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.message, "");
  EXPECT_EQ(settings.menu_file_name, beside);
  EXPECT_EQ(settings.next_menu_command_id, kFirstMenuCommandId);
  EXPECT_TRUE(menus.SameContent(sample_));

  // A search path entry comes before the program's own folders.
  const std::string searched = dir_.Write("mine/Kovra.mnu", "***POP1\n**ONLY\nID_Only [&Only]\n");
  settings.menu_file_name = "/nowhere/kovra.mnu";
  settings.search_path = dir_.path() + "mine";
  EXPECT_EQ(LocateMenuFile(settings), searched);

  std::filesystem::remove(beside);
  std::filesystem::remove(searched);
  settings.menu_file_name = "/nowhere/kovra.mnu";
  MenuLoadResult missing = LoadProgramMenuFile(menus, settings);
  EXPECT_FALSE(missing.found);
  EXPECT_EQ(missing.message, kMenuFileMissingMessage);
  EXPECT_TRUE(menus.root.children.empty());
  EXPECT_EQ(settings.menu_file_name, "/nowhere/kovra.mnu");
}

}  // namespace
