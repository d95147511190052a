#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/object_registrations.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "database/mline_style.h"
#include "database/object_record_parts.h"
#include "tests/support/dictionary_test_support.h"

namespace {

using GroupList = std::vector<std::pair<int, std::string>>;

GroupList Join(std::initializer_list<GroupList> parts) {
  GroupList joined;
  for (const GroupList& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

std::string Elements(const FcMLineStyle& style) {
  std::string text;
  for (int i = 0; i < style.GetElementCount(); ++i) {
    const FcMLineElement& e = style.GetElement(i);
    text += std::to_string(e.offset) + "/" + std::to_string(e.colour) + "/" + std::to_string(e.linetype) + " ";
  }
  return text;
}

const GroupList kHead = {{5, "2C"}, {100, "AcDbMlineStyle"}};

class MLineStyleTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectFactories();
    graph.GetOrCreateLinetype("DASHED");
    dashedIndex = graph.GetLinetypeList().GetCount() - 1;
    styles.SetHandle(0x17);
    standard = new FcMLineStyle;
    standard->SetHandle(0x18);
    standard->SetStandard();
    styles.SetAt("STANDARD", standard);
  }

  FcGraph graph;
  int dashedIndex = 0;
  FcDictionary styles;
  FcMLineStyle* standard = nullptr;
};

TEST_F(MLineStyleTest, StandardStyleInDxf) {
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  ASSERT_EQ(standard->WriteDxf(filer), kFcStatusOk);
  EXPECT_EQ(Contents(filer), Groups({{0, "MLINESTYLE"},
                                     {5, "18"},
                                     {330, "17"},
                                     {102, "{ACAD_REACTORS"},
                                     {330, "17"},
                                     {102, "}"},
                                     {100, "AcDbMlineStyle"},
                                     {2, "STANDARD"},
                                     {70, "0"},
                                     {3, ""},
                                     {62, "256"},
                                     {51, "90.0"},
                                     {52, "90.0"},
                                     {71, "2"},
                                     {49, "0.5"},
                                     {62, "256"},
                                     {6, "BYLAYER"},
                                     {49, "-0.5"},
                                     {62, "256"},
                                     {6, "BYLAYER"}}));
}

TEST_F(MLineStyleTest, ElementsSurviveDxfAndDwg) {
  standard->AddElement(3, static_cast<std::int16_t>(dashedIndex), 1.25);
  standard->SetDescription("three lines");
  standard->fillColour = 5;
  standard->startAngle = 0.5;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    FcDictionary read;
    ASSERT_TRUE(DxfRoundTrip(styles, kind, graph, read));
    const auto* style = dynamic_cast<const FcMLineStyle*>(read.GetAt("standard"));
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(Elements(*style), Elements(*standard));
    EXPECT_EQ(style->GetDescription(), "three lines");
    EXPECT_EQ(style->fillColour, 5);
    EXPECT_NEAR(style->startAngle, 0.5, 1e-12);
  }

  FcFilerDwg filer;
  FcDictionary read;
  ASSERT_EQ(DwgRoundTrip(styles, graph, filer, read), kFcStatusOk);
  const auto* style = dynamic_cast<const FcMLineStyle*>(read.GetAt("STANDARD"));
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(Elements(*style), Elements(*standard));
  EXPECT_EQ(style->name, "STANDARD");
  EXPECT_EQ(style->startAngle, 0.5);
}

TEST_F(MLineStyleTest, DxfReadingCases) {
  struct Case {
    const char* name;
    GroupList groups;
    int status;
    std::string elements;
    int fillColour;
  };
  const std::string dashed = std::to_string(dashedIndex);
  const Case cases[] = {
      {"62 before 71 is the fill colour",
       Join({kHead, {{2, "S"}, {62, "3"}, {71, "1"}, {49, "0.5"}, {62, "4"}, {6, "DASHED"}, {0, "X"}}}), 0,
       "0.500000/4/" + dashed + " ", 3},
      {"elements follow in order with new ones starting by layer",
       Join({kHead, {{2, "S"}, {71, "2"}, {49, "1.0"}, {62, "1"}, {6, "dashed"}, {49, "-1.0"}, {100, "X"}}}), 0,
       "1.000000/1/" + dashed + " -1.000000/256/32767 ", 256},
      {"unknown linetype reads as by layer", Join({kHead, {{2, "S"}, {71, "1"}, {6, "NOSUCH"}, {0, "X"}}}), 0,
       "0.000000/0/32767 ", 256},
      {"second name", Join({kHead, {{2, "S"}, {2, "T"}, {0, "X"}}}), 2, "", 256},
      {"offset before a count", Join({kHead, {{2, "S"}, {49, "1.0"}, {0, "X"}}}), 2, "", 256},
      {"linetype before a count", Join({kHead, {{2, "S"}, {71, "0"}, {6, "DASHED"}, {0, "X"}}}), 2, "", 256},
      {"no name", Join({kHead, {{70, "0"}, {0, "X"}}}), 1, "", 256},
      {"empty name", Join({kHead, {{2, ""}, {0, "X"}}}), 1, "", 256},
      {"wrong marker", {{5, "2C"}, {100, "AcDbMline"}, {2, "S"}, {0, "X"}}, 1, "", 256},
      {"count beyond the file", Join({kHead, {{2, "S"}, {71, "1000000"}, {49, "1.0"}, {0, "X"}}}), 3, "", 256},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    FcMLineStyle read;
    EXPECT_EQ(read.ReadDxf(filer), c.status);
    if (c.status != kFcStatusOk) continue;
    EXPECT_EQ(Elements(read), c.elements);
    EXPECT_EQ(read.fillColour, c.fillColour);
  }

  // An element whose linetype is not in the table is written back by layer.
  FcFiler filer;
  StartReading(filer, Groups(cases[2].groups), FcFileKind::kAsciiDxf, &graph);
  FcMLineStyle read;
  ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
  FcFiler writer;
  StartMemory(writer, FcFileKind::kAsciiDxf, &graph);
  read.WriteDxf(writer);
  EXPECT_NE(Contents(writer).find(Groups({{6, "BYLAYER"}})), std::string::npos);
}

// Writes its record with a count byte that may claim other than the one
// element that follows.
class ClaimingStyle : public FcMLineStyle {
 public:
  explicit ClaimingStyle(std::uint8_t claimed) : claimed_(claimed) {}

  int WriteDwg(FcFilerDwg& filer) override {
    BeginDwgObject(filer);
    filer.WriteBitLong(1);
    filer.WriteText("CLAIM");
    filer.WriteText("");
    filer.WriteBitShort(0);
    filer.WriteBitShort(256);
    filer.WriteBitDouble(kHalfPi);
    filer.WriteBitDouble(kHalfPi);
    filer.WriteRawByte(claimed_);
    filer.WriteBitDouble(0.0);
    filer.WriteBitShort(0);
    filer.WriteBitShort(0);
    WriteDwgOwnerHandles(*this, filer, FcDictionary::kRelativeOwnerCode);
    EndDwgObject(filer);
    return kFcStatusOk;
  }

 private:
  std::uint8_t claimed_;
};

// The DWG record counts elements in one signed byte: a style of more keeps
// its first 127, and a count the record cannot hold fails the read.
TEST_F(MLineStyleTest, DwgElementCountIsBounded) {
  for (int i = 0; i < 200; ++i) standard->AddElement(1, 2, i);
  FcFilerDwg filer;
  WriteDwgRecords(filer, graph, *standard);
  FcMLineStyle read;
  read.SetHandle(0x18);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(read.GetElementCount(), FcMLineStyle::kMaxDwgElements);

  const std::pair<std::uint8_t, int> claims[] = {{1, 0}, {2, 2}, {100, 2}, {0x80, 2}};
  for (const auto& [claimed, status] : claims) {
    SCOPED_TRACE(claimed);
    ClaimingStyle written(claimed);
    written.SetHandle(0x19);
    FcFilerDwg claimingFiler;
    WriteDwgRecords(claimingFiler, graph, written);
    FcMLineStyle claimedRead;
    claimedRead.SetHandle(0x19);
    EXPECT_EQ(claimedRead.ReadDwg(claimingFiler), status);
    EXPECT_LE(claimedRead.GetElementCount(), 2);
  }
}

}  // namespace
