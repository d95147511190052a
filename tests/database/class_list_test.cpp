#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/class_list.h"
#include "database/object_factory.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

std::vector<std::string> Names(const FcClassList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.GetCount(); ++i) {
    const FcClassRec* record = list.GetAt(i);
    names.push_back(record == nullptr ? "-" : std::to_string(record->classNumber) + " " + record->recordName);
  }
  return names;
}

TEST(ClassListTest, TheNineDefaultClassesTakeTypesFrom500) {
  FcClassList list;
  list.AddMissingDefaults();
  EXPECT_EQ(Names(list), (std::vector<std::string>{"0 ACDBDICTIONARYWDFLT", "1 ACDBPLACEHOLDER", "2 LAYOUT",
                                                   "3 IMAGEDEF", "4 IMAGEDEF_REACTOR", "5 IMAGE",
                                                   "6 RASTERVARIABLES", "7 SORTENTSTABLE", "8 DICTIONARYVAR"}));
  EXPECT_EQ(GetCustomClassType(list, "layout"), 502);
  EXPECT_EQ(GetCustomClassType(list, "IMAGE"), 505);
  EXPECT_EQ(GetCustomClassType(list, "LINE"), 0);
  EXPECT_EQ(list.GetAt(5)->proxyFlags, 127);
  EXPECT_EQ(list.GetAt(5)->isAnEntity, 1);

  // A read list lacking some defaults gets them appended at new indices.
  FcClassList partial;
  partial.Add("IMAGE", "AcDbRasterImage", "ISM", 127, 0, 1);
  partial.AddMissingDefaults();
  EXPECT_EQ(partial.GetCount(), 9);
  EXPECT_EQ(partial.IndexOf("IMAGE"), 0);
  EXPECT_EQ(partial.IndexOf("ACDBDICTIONARYWDFLT"), 1);
}

TEST(ClassListTest, DxfSectionRoundTripInBothForms) {
  FcClassList empty;
  FcFiler none;
  StartMemory(none, FcFileKind::kAsciiDxf, nullptr);
  empty.WriteDxf(none);
  EXPECT_EQ(Contents(none), "");

  FcClassList list;
  list.AddMissingDefaults();
  FcFiler ascii;
  StartMemory(ascii, FcFileKind::kAsciiDxf, nullptr);
  list.WriteDxf(ascii);
  const std::string head = Groups({{0, "SECTION"}, {2, "CLASSES"}, {0, "CLASS"}, {1, "ACDBDICTIONARYWDFLT"},
                                   {2, "AcDbDictionaryWithDefault"}, {3, "AutoCAD 2000"}, {90, "0"},
                                   {280, "0"}, {281, "0"}, {0, "CLASS"}});
  EXPECT_EQ(Contents(ascii).substr(0, head.size()), head);

  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcFiler filer;
    StartMemory(filer, kind, nullptr);
    list.WriteDxf(filer);
    filer.Seek(0, FcSeekOrigin::kBegin);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    ASSERT_TRUE(filer.ReadGroup(group));
    FcClassList read;
    read.Add("STALE", "AcDbStale", "X", 0, 0, 0);
    ASSERT_EQ(read.ReadDxf(filer), 0);
    EXPECT_EQ(Names(read), Names(list));
    EXPECT_EQ(read.GetAt(4)->proxyFlags, 1);
    EXPECT_EQ(read.GetAt(5)->isAnEntity, 1);
  }
}

TEST(ClassListTest, DxfSectionReadRules) {
  using G = std::vector<std::pair<int, std::string>>;
  auto record = [](const std::string& name, const std::string& cls) {
    return G{{0, "CLASS"}, {1, name}, {2, cls}, {3, "app"}, {90, "0"}, {280, "0"}, {281, "0"}};
  };
  auto join = [](std::initializer_list<G> parts) {
    G all;
    for (const G& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const G end = {{0, "ENDSEC"}};
  struct Case {
    const char* name;
    G groups;
    int result;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"duplicate record name keeps the first",
       join({record("LAYOUT", "AcDbLayout"), record("layout", "AcDbOther"), record("X", "AcDbX"), end}), 0,
       {"0 LAYOUT", "1 X"}},
      {"duplicate class name keeps the first",
       join({record("A", "AcDbSame"), record("B", "acdbsame"), end}), 0, {"0 A"}},
      {"missing group", join({G{{0, "CLASS"}, {1, "A"}, {2, "B"}, {3, "C"}, {90, "0"}, {280, "0"}}, end}), 2, {}},
      {"repeated group",
       join({G{{0, "CLASS"}, {1, "A"}, {1, "A"}, {2, "B"}, {3, "C"}, {90, "0"}, {280, "0"}, {281, "0"}}, end}), 2,
       {}},
      {"group other than 0 where a record starts", join({G{{5, "1"}}, record("A", "B"), end}), 2, {}},
      {"other record name", join({record("A", "B"), G{{0, "TABLE"}}}), 2, {}},
      {"record cut short", record("A", "B"), 2, {}},
      {"empty section", {}, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, nullptr);
    FcClassList list;
    EXPECT_EQ(list.ReadDxf(filer), c.result);
    if (c.result == 0) {
      EXPECT_EQ(Names(list), c.names);
    }
  }
}

class ClassListDwgTest : public testing::Test {
 protected:
  // The section as the writer puts it, one lead byte in front so that the
  // section does not start the file.
  std::string Written(const FcClassList& list) {
    FcFilerDwg filer;
    StartMemory(filer, FcFileKind::kDwg, nullptr);
    filer.WriteRawByte(0);
    list.WriteDwg(filer, locator);
    return Contents(filer);
  }
  int Read(const std::string& bytes, FcClassList& list) {
    FcFilerDwg filer;
    StartReading(filer, bytes, FcFileKind::kDwg, nullptr);
    return list.ReadDwg(filer, locator);
  }
  DwgSectionLocator locator;
};

TEST_F(ClassListDwgTest, SectionRoundTrip) {
  FcClassList list;
  list.AddMissingDefaults();
  const std::string bytes = Written(list);
  EXPECT_EQ(locator.address, 1);
  EXPECT_EQ(locator.size, static_cast<std::int32_t>(bytes.size()) - 1);
  FcClassList read;
  ASSERT_EQ(Read(bytes, read), 0);
  EXPECT_EQ(Names(read), Names(list));
  for (int i = 0; i < read.GetCount(); ++i) {
    EXPECT_EQ(read.GetAt(i)->isAnEntity, i == 5 ? 1 : 0);
    EXPECT_EQ(read.GetAt(i)->proxyFlags, list.GetAt(i)->proxyFlags);
    EXPECT_EQ(read.GetAt(i)->applicationName, list.GetAt(i)->applicationName);
  }

  std::string damaged = bytes;
  damaged[40] ^= 0x01;
  FcClassList refused;
  EXPECT_EQ(Read(damaged, refused), 2);
  locator.address = 2;
  EXPECT_EQ(Read(bytes, refused), 2);
}

// Records numbered 500 and 502: slot 1 stays empty and is skipped by
// lookups; numbers below 500 and numbers used twice are refused.
TEST_F(ClassListDwgTest, ClassNumbersDecideTheSlots) {
  struct Case {
    const char* name;
    std::vector<int> numbers;
    int result;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"gap", {500, 502}, 0, {"0 C0", "-", "2 C1"}},
      {"number used twice", {501, 501}, 2, {}},
      {"number below 500", {499}, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The writer takes each record's number as it stands, so renumbering
    // the records gives a file with the numbers wanted.
    FcClassList written;
    for (std::size_t i = 0; i < c.numbers.size(); ++i) {
      written.Add("C" + std::to_string(i), "AcDbC" + std::to_string(i), "app", 0, 0, 0);
      const_cast<FcClassRec*>(written.GetAt(static_cast<int>(i)))->classNumber =
          static_cast<std::int16_t>(c.numbers[i] - kFirstCustomDwgType);
    }
    const std::string bytes = Written(written);
    FcClassList read;
    EXPECT_EQ(Read(bytes, read), c.result);
    if (c.result == 0) {
      EXPECT_EQ(Names(read), c.names);
      EXPECT_EQ(read.IndexOf("C1"), 2);
      FcClassList closed;
      closed.CopyFrom(read);
      EXPECT_EQ(Names(closed), (std::vector<std::string>{"0 C0", "1 C1"}));
    }
  }
}

}  // namespace
