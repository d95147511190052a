#include "platform/folder_picker.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

// Removes the picker a test installed.
struct PickerScope {
  ~PickerScope() { SetFolderPicker({}); }
};

TEST(FolderPicker, StartsAtAnExistingFolderAndHandsBackTheChoice) {
  TempDir dir;
  const std::string folder = dir.path() + "plans";
  const std::string file = dir.Write("notes.txt");
  dir.Write("plans/keep.txt");
  PickerScope scope;
  std::string shownTitle;
  std::string shownStart;
  std::optional<std::string> answer;
  SetFolderPicker([&](const std::string& title, const std::string& start) {
    shownTitle = title;
    shownStart = start;
    return answer;
  });

  struct Case {
    const char* name;
    std::string start;
    std::optional<std::string> answer;
    std::string expectedStart;
    bool chosen;
  };
  const Case cases[] = {
      {"folder, picked", folder, dir.path(), folder, true},
      {"file is no start", file, folder, "", true},
      {"missing start", dir.path() + "gone", folder, "", true},
      {"cancelled", folder, std::nullopt, folder, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answer = c.answer;
    std::string path = c.start;
    EXPECT_EQ(BrowseForFolder("Select support path", path), c.chosen);
    EXPECT_EQ(shownTitle, "Select support path");
    EXPECT_EQ(shownStart, c.expectedStart);
    EXPECT_EQ(path, c.chosen ? *c.answer : c.expectedStart);
  }
}

TEST(FolderPicker, WithoutAPickerNothingIsChosen) {
  TempDir dir;
  std::string path = dir.path();
  EXPECT_FALSE(BrowseForFolder("Select support path", path));
  EXPECT_EQ(path, dir.path());
}

}  // namespace
