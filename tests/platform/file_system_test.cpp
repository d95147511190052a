#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

TEST(FileSystem, FileAndDirectoryTests) {
  TempDir dir;
  std::string file = dir.Write("a.dwg", "12345");
  std::string folder = dir.MakeDirectory("sub");
  struct Case {
    std::string path;
    bool file;
    bool directory;
  } cases[] = {
      {file, true, false}, {folder, false, true}, {folder + "/", false, true}, {dir.path() + "missing", false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileExists(c.path), c.file) << c.path;
    EXPECT_EQ(DirectoryExists(c.path), c.directory) << c.path;
  }
}

TEST(FileSystem, FileTimeAndSize) {
  TempDir dir;
  std::string file = dir.Write("a.bmp", "12345");
  std::chrono::system_clock::time_point time;
  std::uint64_t size = 0;
  ASSERT_TRUE(GetFileTimeAndSize(file, &time, &size));
  EXPECT_EQ(size, 5u);
  auto age = std::chrono::system_clock::now() - time;
  EXPECT_LT(age, std::chrono::minutes(5));
  EXPECT_GT(age, -std::chrono::minutes(5));
  EXPECT_FALSE(GetFileTimeAndSize(dir.path(), &time, &size));
  EXPECT_FALSE(GetFileTimeAndSize(dir.path() + "missing", &time, &size));
}

TEST(FileSystem, FindFileInPathList) {
  TempDir dir;
  std::string one = dir.MakeDirectory("one");
  std::string two = dir.MakeDirectory("two");
  std::string three = dir.MakeDirectory("three");
  dir.Write("two/kovra.lin");
  dir.Write("two/SIMPLEX.shx");
  dir.Write("three/only.pat");
  dir.Write("two/Support/Kovra.MNU");
  dir.MakeDirectory("one/kovra.pat");  // a directory of that name is not the file
  dir.Write("three/kovra.pat");
  struct Case {
    std::string list;
    std::string name;
    std::string found;  // empty: not found
  } cases[] = {
      {one + ";" + two, "kovra.lin", two + "/kovra.lin"},
      {one + "," + two + "/", "kovra.lin", two + "/kovra.lin"},
      {two, "simplex.SHX", two + "/SIMPLEX.shx"},
      {two, "support/kovra.mnu", two + "/Support/Kovra.MNU"},
      {one + ";" + three, "kovra.pat", three + "/kovra.pat"},
      {one + ";;" + three, "only.pat", ""},  // the search ends at an empty entry
      {";" + three, "only.pat", ""},
      {one + ";" + two, "absent.lin", ""},
      {"", "kovra.lin", ""},
      {two, "", ""},
  };
  for (const Case& c : cases) {
    std::string found = "untouched";
    EXPECT_EQ(FindFileInPathList(c.list, &found, c.name), !c.found.empty()) << c.list << " " << c.name;
    EXPECT_EQ(found, c.found.empty() ? "untouched" : c.found);
  }
}

TEST(FileSystem, FindFilesRecursive) {
  TempDir dir;
  dir.Write("b.DWG");
  dir.Write("a.dwg");
  dir.Write("readme");
  dir.Write("x.txt");
  dir.Write("sub/c.dwg");
  dir.Write("sub/deeper/d.dwg");
  std::filesystem::create_directory_symlink(dir.path(), dir.path() + "sub/loop");  // not followed
  std::string root = dir.path().substr(0, dir.path().size() - 1);                  // without the slash
  struct Case {
    std::string mask;
    bool recurse;
    std::vector<std::string> found;
  } cases[] = {
      {"*.dwg", false, {"a.dwg", "b.DWG"}}, {"*.dwg", true, {"a.dwg", "b.DWG", "sub/c.dwg", "sub/deeper/d.dwg"}},
      {"?.TXT", false, {"x.txt"}},          {"*.*", false, {"a.dwg", "b.DWG", "readme", "x.txt"}},
      {"readme.*", false, {"readme"}},      {"*.bmp", true, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> paths{"kept"};
    FindFilesRecursive(root, c.mask, c.recurse, &paths);
    std::vector<std::string> expected{"kept"};
    for (const std::string& name : c.found) expected.push_back(dir.path() + name);
    EXPECT_EQ(paths, expected) << c.mask;
  }
  std::vector<std::string> none;
  FindFilesRecursive(dir.path() + "missing", "*.*", true, &none);
  EXPECT_TRUE(none.empty());
}

TEST(FileSystem, ReadTextLineSkipsBlankLines) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const char text[] = "\r\n\nfirst line\r\n\r\nsecond\0third\rlast";
  std::fwrite(text, 1, sizeof text - 1, file);
  std::rewind(file);
  for (const char* expected : {"first line", "second", "third", "last", "", ""})
    EXPECT_EQ(ReadTextLine(file), expected);
  std::fclose(file);
}

}  // namespace
