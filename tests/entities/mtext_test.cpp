#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/text_style.h"
#include "entities/geom_segment_ops.h"
#include "entities/mtext.h"
#include "tests/support/entity_record_support.h"

namespace {

using GroupList = std::vector<std::pair<int, std::string>>;

const GroupList kHead = {{5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbMText"}};

GroupList WithHead(const GroupList& own) {
  GroupList groups = kHead;
  groups.insert(groups.end(), own.begin(), own.end());
  groups.push_back({0, "EOF"});
  return groups;
}

class MTextRecordTest : public ::testing::Test {
 protected:
  MTextRecordTest() {
    notes = graph.FindOrCreateTextStyle("Notes");
    graph.TakeHandle(*notes);
    GiveCommonProperties(text, graph);
    text.SetStyle(notes);
    text.SetContents("Line one\\PLine {\\H2x;two}");
    text.SetInsertionPoint({1.5, -2.25});
    text.SetXDirection({0, 2});
    text.SetHeight(3.5);
    text.SetReferenceWidth(40.0);
    text.SetAttachment(kMTextMiddleCenter);
    text.SetLineSpacingStyle(2);
    text.SetLineSpacingFactor(1.5);
  }

  void ExpectSameMText(const FcMText& read) {
    ExpectSameCommonProperties(read, text);
    EXPECT_EQ(read.GetContents(), text.GetContents());
    EXPECT_EQ(read.GetStyleHandle(), notes->GetHandle());
    ExpectPointNear(read.GetInsertionPoint(), {1.5, -2.25}, 1e-12);
    ExpectPointNear(read.GetXDirection(), {0, 1}, 1e-12);
    EXPECT_DOUBLE_EQ(read.GetHeight(), 3.5);
    EXPECT_DOUBLE_EQ(read.GetReferenceWidth(), 40.0);
    EXPECT_EQ(read.GetAttachment(), kMTextMiddleCenter);
    EXPECT_EQ(read.GetLineSpacingStyle(), 2);
    EXPECT_DOUBLE_EQ(read.GetLineSpacingFactor(), 1.5);
  }

  FcGraph graph;
  FcTextStyle* notes = nullptr;
  FcMText text;
};

TEST_F(MTextRecordTest, DxfAndDwgRoundTrips) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::unique_ptr<FcMText> read = DxfRoundTrip(text, kind, graph);
    ASSERT_NE(read, nullptr);
    ExpectSameMText(*read);
  }
  text.SetLaidOutSize(12.0, 7.0);
  const std::unique_ptr<FcMText> read = DwgRoundTrip(text, graph);
  ASSERT_NE(read, nullptr);
  ExpectSameMText(*read);
  EXPECT_DOUBLE_EQ(read->GetLaidOutWidth(), 12.0);
  EXPECT_DOUBLE_EQ(read->GetLaidOutHeight(), 7.0);
}

// Long contents go out as groups 3 of 250 characters and a last group 1;
// a double-byte character is never cut between two groups.
TEST_F(MTextRecordTest, LongContentsAreSplitIntoGroups) {
  struct Case {
    const char* name;
    int codePage;
    std::string contents;
    std::vector<std::size_t> pieces;
  };
  std::string doubleByte(249, 'a');
  for (int i = 0; i < 3; ++i) doubleByte += "\x82\xA0";
  const Case cases[] = {
      {"250 characters", 1252, std::string(250, 'x'), {250}},
      {"251 characters", 1252, std::string(250, 'x') + "y", {250, 1}},
      {"501 characters", 1252, std::string(501, 'z'), {250, 250, 1}},
      {"double-byte character at the cut", 932, doubleByte, {249, 6}},
      {"empty", 1252, "", {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    graph.GetSysVars().dwgcodepage = c.codePage;
    text.SetContents(c.contents);
    std::string written;
    const std::unique_ptr<FcMText> read = DxfRoundTrip(text, FcFileKind::kAsciiDxf, graph, &written);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetContents(), c.contents);
    GroupList expected;
    std::size_t at = 0;
    for (std::size_t i = 0; i < c.pieces.size(); ++i) {
      expected.push_back({i + 1 < c.pieces.size() ? 3 : 1, c.contents.substr(at, c.pieces[i])});
      at += c.pieces[i];
    }
    expected.push_back({0, "EOF"});
    EXPECT_NE(written.find(Groups(expected)), std::string::npos);
  }
}

TEST_F(MTextRecordTest, DirectionFromGroup11OrAngle) {
  struct Case {
    const char* name;
    GroupList groups;
    FcPoint2d direction;
  };
  const Case cases[] = {
      {"angle alone", {{50, "90"}}, {0, 1}},
      {"direction before the angle wins", {{11, "0"}, {21, "-3"}, {50, "90"}}, {0, -1}},
      {"direction after the angle wins", {{50, "90"}, {11, "-2"}, {21, "0"}}, {-1, 0}},
      {"zero direction", {{11, "0"}, {21, "0"}}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcMText read;
    ASSERT_EQ(ReadFromGroups(read, WithHead(c.groups), graph), kFcStatusOk);
    ExpectPointNear(read.GetXDirection(), c.direction, 1e-12);
  }
  FcMText missing;
  EXPECT_EQ(ReadFromGroups(missing, WithHead({{7, "Nowhere"}, {1, "x"}}), graph), kFcStatusOk);
  missing.SetLayer(graph.GetCurrentLayer());
  EXPECT_EQ(missing.GetStyle(), graph.GetCurrentTextStyle());
  FcMText noMarker;
  EXPECT_EQ(ReadFromGroups(noMarker, {{5, "2B"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"}, {0, "EOF"}}, graph),
            kFcStatusEnd);
}

TEST(MTextTest, GripsByAttachment) {
  struct Case {
    std::uint8_t attachment;
    std::vector<FcPoint2d> corners;
  };
  // Width 10, laid-out height 4, insertion at the origin.
  const Case cases[] = {
      {kMTextTopLeft, {{0, -4}, {10, 0}, {10, -4}}},
      {kMTextTopCenter, {{-5, 0}, {-5, -4}, {5, 0}, {5, -4}}},
      {kMTextMiddleCenter, {{-5, -2}, {-5, 2}, {5, 2}, {5, -2}}},
      {kMTextBottomRight, {{-10, 0}, {-10, 4}, {0, 4}}},
      {0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.attachment));
    FcMText text;
    text.SetAttachment(c.attachment);
    text.SetReferenceWidth(10.0);
    text.SetLaidOutSize(8.0, 4.0);
    const std::vector<FcPoint2d> grips = GripsOf(text);
    ASSERT_EQ(grips.size(), c.corners.size() + 1);
    ExpectPointNear(grips[0], {0, 0}, 1e-12);
    for (std::size_t i = 0; i < c.corners.size(); ++i) ExpectPointNear(grips[i + 1], c.corners[i], 1e-12);
  }
}

TEST(MTextTest, CornerGripsChangeOnlyTheWidth) {
  FcMText text;
  text.SetReferenceWidth(10.0);
  text.SetLaidOutSize(8.0, 4.0);
  text.SetXDirection({0, 1});
  // The right-top corner of a top-left text, turned to (0, 10), dragged 5
  // further along the text.
  text.MoveGripPoints(Indices({2}), {0, 5});
  EXPECT_DOUBLE_EQ(text.GetReferenceWidth(), 15.0);
  ExpectPointNear(text.GetInsertionPoint(), {0, 0}, 1e-12);
  // The corner on the left edge gives no width.
  text.MoveGripPoints(Indices({1}), {3, 3});
  EXPECT_DOUBLE_EQ(text.GetReferenceWidth(), 15.0);
  text.MoveGripPoints(Indices({0, 2}), {1, 2});
  ExpectPointNear(text.GetInsertionPoint(), {1, 2}, 1e-12);
  EXPECT_DOUBLE_EQ(text.GetReferenceWidth(), 15.0);
}

TEST(MTextTest, SettersKeepTheirRanges) {
  FcMText text;
  text.SetReferenceWidth(0.0);
  EXPECT_DOUBLE_EQ(text.GetReferenceWidth(), 0.0);
  text.SetReferenceWidth(5.0);
  text.SetReferenceWidth(0.0);
  EXPECT_DOUBLE_EQ(text.GetReferenceWidth(), 5.0);
  text.SetHeight(0.0);
  EXPECT_DOUBLE_EQ(text.GetHeight(), 0.0);
  text.SetHeight(-1.0);
  EXPECT_DOUBLE_EQ(text.GetHeight(), 0.0);
  text.SetLineSpacingFactor(4.0);
  EXPECT_DOUBLE_EQ(text.GetLineSpacingFactor(), 4.0);
  text.SetLineSpacingFactor(4.01);
  EXPECT_DOUBLE_EQ(text.GetLineSpacingFactor(), 4.0);
  text.SetContents(nullptr);
  EXPECT_EQ(text.GetContents(), "");
}

TEST(MTextTest, TransformAndRotationAsTheUserReadsIt) {
  FcGraph graph;
  FcMText text;
  text.SetLayer(graph.GetCurrentLayer());
  text.SetInsertionPoint({1, 0});
  text.SetHeight(2.0);
  text.SetReferenceWidth(10.0);
  FcMatrix2d turn;
  RotationMatrix(0, 0, kHalfPi, turn);
  FcMatrix2d stretch;
  ScaleMatrix(3, 2, stretch);
  MultiplyMatrix(turn, stretch);
  text.Transform(turn);
  ExpectPointNear(text.GetXDirection(), {0, 1}, 1e-12);
  EXPECT_NEAR(text.GetDirectionAngle(), kHalfPi, 1e-12);
  // The list angle counts from ANGBASE and clockwise with ANGDIR; the text
  // itself stays where it is.
  graph.GetSysVars().angbase = kHalfPi / 3.0;
  graph.GetSysVars().angdir = 1;
  EXPECT_NEAR(text.GetRotationAngle(), kTwoPi - kHalfPi * 2.0 / 3.0, 1e-12);
  EXPECT_NEAR(text.GetDirectionAngle(), kHalfPi, 1e-12);

  RecordingFrameLink link;
  SetFrameLink(&link);
  graph.GetSysVars().angbase = 0.0;
  graph.GetSysVars().angdir = 0;
  text.SetAttachment(kMTextBottomCenter);
  text.SetContents("a\\Pb");
  text.List();
  SetFrameLink(nullptr);
  const std::vector<std::string> lines = link.HistoryLines();
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 7, lines.end()),
            (std::vector<std::string>{"  Style = standard", "  Location X= 0.0000    Y= 2.0000", "  Width\t20.0000",
                                      "  Height\t6.0000", "  Rotation\t90.0000", "  Attachment point\tBottom center",
                                      "  Text\ta\\Pb"}));
}

}  // namespace
