#include <gtest/gtest.h>

#include <string>

#include "core/paths.h"
#include "core/prepend_char.h"

TEST(PathsTest, SplitsIntoDirectoryTitleAndExtension) {
  struct Case {
    const char* path;
    const char* directory;
    const char* title;
    const char* extension;
  };
  const Case cases[] = {
      {"/home/ann/plans/site.dwg", "/home/ann/plans/", "site", ".dwg"},
      {"C:\\dir\\file.dwg", "C:/dir/", "file", ".dwg"},
      {"archive.tar.gz", "", "archive.tar", ".gz"},
      {"/usr/share/README", "/usr/share/", "README", ""},
      {"/usr/share/", "/usr/share/", "", ""},
      {"/home/ann/.kovra", "/home/ann/", ".kovra", ""},
      {"/a.b/file", "/a.b/", "file", ""},
      {"name.", "", "name", "."},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathDirectory(c.path), c.directory) << c.path;
    EXPECT_EQ(PathFileTitle(c.path), c.title) << c.path;
    EXPECT_EQ(PathExtension(c.path), c.extension) << c.path;
    EXPECT_EQ(PathFileName(c.path), std::string(c.title) + c.extension) << c.path;
  }
}

TEST(PathsTest, PathWithoutExtensionAppendsTheGivenText) {
  EXPECT_EQ(PathWithoutExtension("C:\\dir\\file.dwg", ".bak"), "C:/dir/file.bak");
  EXPECT_EQ(PathWithoutExtension("/menus/kovra.mnu", ".mnp"), "/menus/kovra.mnp");
  EXPECT_EQ(PathWithoutExtension("/fonts/face.ttf", ""), "/fonts/face");
  EXPECT_EQ(PathWithoutExtension("noext", ".ttc"), "noext.ttc");
}

TEST(PathsTest, PrependChar) {
  EXPECT_EQ(PrependChar('*', "LINE"), "*LINE");
  EXPECT_EQ(PrependChar('_', ""), "_");
}
