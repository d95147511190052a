#include "platform/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(TempFiles, CreatesUniqueFilesAndRemovesThem) {
  TempDir dir;
  for (const std::string& folder : {dir.path(), dir.path().substr(0, dir.path().size() - 1), std::string()}) {
    std::string first = CreateTempFile("kovra_undo", folder);
    std::string second = CreateTempFile("kovra_undo", folder);
    ASSERT_FALSE(first.empty()) << folder;
    EXPECT_NE(first, second);
    EXPECT_TRUE(FileExists(first));
    EXPECT_TRUE(std::filesystem::path(first).filename().string().starts_with("kovra_undo"));
    std::string expected_folder = folder.empty() ? std::filesystem::temp_directory_path().string() : dir.path();
    EXPECT_TRUE(first.starts_with(expected_folder)) << first;
    EXPECT_TRUE(RemoveTempFile(first));
    EXPECT_TRUE(RemoveTempFile(second));
    EXPECT_FALSE(FileExists(first));
    EXPECT_FALSE(RemoveTempFile(first));
  }
}

TEST(TempFiles, MissingFolderGivesNoFile) {
  TempDir dir;
  EXPECT_EQ(CreateTempFile("x", dir.path() + "missing/"), "");
  EXPECT_FALSE(RemoveTempFile(""));
}

}  // namespace
