#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/text_style.h"
#include "entities/geom_segment_ops.h"
#include "entities/text.h"
#include "tests/support/entity_record_support.h"

namespace {

class TextRecordTest : public ::testing::Test {
 protected:
  TextRecordTest() {
    notes = graph.FindOrCreateTextStyle("Notes");
    graph.TakeHandle(*notes);
    GiveCommonProperties(text, graph);
    text.SetText("Room 12 %%d");
    text.SetStyle(notes);
    text.SetInsertionPoint({1.5, -2.25});
    text.SetAlignmentPoint({9.0, -2.25});
    text.SetHeight(2.5);
    text.SetWidthFactor(0.75);
    text.SetRotation(kPi / 6.0);
    text.SetObliqueAngle(kPi / 12.0);
    text.SetGenerationFlags(FcText::kBackward);
    text.SetHorizontalJustification(kTextRight);
    text.SetVerticalJustification(kTextTop);
  }

  void ExpectSameText(const FcText& read) {
    ExpectSameCommonProperties(read, text);
    EXPECT_EQ(read.GetText(), text.GetText());
    EXPECT_EQ(read.GetStyleName(), "Notes");
    EXPECT_EQ(read.GetStyleHandle(), notes->GetHandle());
    ExpectPointNear(read.GetInsertionPoint(), text.GetInsertionPoint(), 1e-12);
    ExpectPointNear(read.GetAlignmentPoint(), text.GetAlignmentPoint(), 1e-12);
    EXPECT_DOUBLE_EQ(read.GetHeight(), 2.5);
    EXPECT_DOUBLE_EQ(read.GetWidthFactor(), 0.75);
    EXPECT_NEAR(read.GetRotation(), kPi / 6.0, 1e-12);
    EXPECT_NEAR(read.GetObliqueAngle(), kPi / 12.0, 1e-12);
    EXPECT_EQ(read.GetGenerationFlags(), FcText::kBackward);
    EXPECT_EQ(read.GetHorizontalJustification(), kTextRight);
    EXPECT_EQ(read.GetVerticalJustification(), kTextTop);
  }

  FcGraph graph;
  FcTextStyle* notes = nullptr;
  FcText text;
};

TEST_F(TextRecordTest, DxfRoundTripInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string written;
    const std::unique_ptr<FcText> read = DxfRoundTrip(text, kind, graph, &written);
    ASSERT_NE(read, nullptr);
    ExpectSameText(*read);
    if (kind != FcFileKind::kAsciiDxf) continue;
    EXPECT_NE(written.find(Groups({{7, "Notes"}, {71, "2"}, {72, "2"}})), std::string::npos);
    // The vertical justification stands in the repeated subclass.
    EXPECT_NE(written.find(Groups({{100, "AcDbText"}, {73, "3"}, {0, "EOF"}})), std::string::npos);
  }
}

// Defaults are left out of both forms: no width factor, angles, flags or
// alignment point in DXF; the data flags say so in DWG.
TEST_F(TextRecordTest, DefaultsAreLeftOut) {
  FcText plain;
  plain.SetText("a");
  plain.SetInsertionPoint({1, 2});
  std::string written;
  ASSERT_NE(DxfRoundTrip(plain, FcFileKind::kAsciiDxf, graph, &written), nullptr);
  for (const int code : {41, 50, 51, 71, 72, 73, 11}) {
    EXPECT_EQ(written.find("\r\n" + std::to_string(code) + "\r\n"), std::string::npos) << code;
  }
  EXPECT_NE(written.find(Groups({{7, "standard"}, {100, "AcDbText"}, {0, "EOF"}})), std::string::npos);

  struct Case {
    const char* name;
    void (*change)(FcText&);
    unsigned flags;
  };
  const Case cases[] = {
      {"all defaults", [](FcText&) {}, 0xFF},
      {"width factor", [](FcText& t) { t.SetWidthFactor(2.0); }, 0xEF},
      {"rotation", [](FcText& t) { t.SetRotation(1.0); }, 0xF7},
      {"centered", [](FcText& t) { t.SetHorizontalJustification(kTextCenter); }, 0xBD},
      {"top", [](FcText& t) { t.SetVerticalJustification(kTextTop); }, 0x7D},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcText changed;
    c.change(changed);
    const std::vector<char> bits = DwgBits([&](FcFilerDwg& filer) { changed.WriteDwgData(filer); });
    ASSERT_FALSE(bits.empty());
    EXPECT_EQ(static_cast<unsigned char>(bits[0]), c.flags);
  }
}

TEST_F(TextRecordTest, DwgRecordRoundTrip) {
  const std::unique_ptr<FcText> read = DwgRoundTrip(text, graph);
  ASSERT_NE(read, nullptr);
  ExpectSameText(*read);
}

// A plain record gives its groups in both subclasses; an attribute's
// subclass that follows is left to the attribute.
TEST_F(TextRecordTest, DxfReaderStopsBeforeAnotherSubclass) {
  const std::vector<std::pair<int, std::string>> head = {
      {5, "2A"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"}, {10, "3"}, {20, "4"}, {40, "1.5"}, {1, "tag"},
      {7, "NOTES"}, {72, "260"}};
  FcText plain;
  std::vector<std::pair<int, std::string>> groups = head;
  groups.insert(groups.end(), {{100, "AcDbText"}, {73, "2"}, {0, "EOF"}});
  ASSERT_EQ(ReadFromGroups(plain, groups, graph), kFcStatusOk);
  EXPECT_EQ(plain.GetText(), "tag");
  EXPECT_EQ(plain.GetStyleHandle(), notes->GetHandle());
  // The low byte of 260.
  EXPECT_EQ(plain.GetHorizontalJustification(), 4);
  EXPECT_EQ(plain.GetVerticalJustification(), 2);

  FcText attribute;
  groups = head;
  groups.insert(groups.end(), {{100, "AcDbAttribute"}, {2, "TAG"}, {0, "EOF"}});
  FcFiler filer;
  StartReading(filer, Groups(groups), FcFileKind::kAsciiDxf, &graph);
  ASSERT_EQ(attribute.ReadDxf(filer), kFcStatusOk);
  FcResBuf next;
  ASSERT_TRUE(filer.ReadGroup(next));
  EXPECT_EQ(next.type, 100);
  EXPECT_EQ(attribute.GetVerticalJustification(), 0);
}

TEST(TextTest, GripsAndSnapFollowThePlacement) {
  struct Case {
    std::int16_t horizontal;
    std::int16_t vertical;
    std::vector<FcPoint2d> grips;
  };
  const FcPoint2d insertion{1, 1};
  const FcPoint2d alignment{5, 1};
  const Case cases[] = {
      {kTextLeft, kTextBaseline, {insertion}},     {kTextAligned, kTextBaseline, {insertion, alignment}},
      {kTextFit, kTextBaseline, {insertion, alignment}}, {kTextCenter, kTextBaseline, {alignment}},
      {kTextLeft, kTextTop, {alignment}},          {kTextMiddle, kTextBaseline, {alignment}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.horizontal) + "/" + std::to_string(c.vertical));
    FcText text;
    text.SetInsertionPoint(insertion);
    text.SetAlignmentPoint(alignment);
    text.SetHorizontalJustification(c.horizontal);
    text.SetVerticalJustification(c.vertical);
    const std::vector<FcPoint2d> grips = GripsOf(text);
    ASSERT_EQ(grips.size(), c.grips.size());
    for (std::size_t i = 0; i < grips.size(); ++i) ExpectPointNear(grips[i], c.grips[i], 1e-12);
    GeomSegmentList snaps;
    text.GetSnapSegments(0, {}, 0, FcMatrix2d{}, snaps);
    ASSERT_EQ(snaps.size(), 1u);
    EXPECT_EQ(snaps[0]->snapModes, kOsnapInsert);
    ExpectPointNear(snaps[0]->point, c.grips[0], 1e-12);
  }
}

TEST(TextTest, FitGripsTurnTheTextAndOthersMoveIt) {
  FcText fit;
  fit.SetHorizontalJustification(kTextFit);
  fit.SetInsertionPoint({0, 0});
  fit.SetAlignmentPoint({4, 0});
  fit.MoveGripPoints(Indices({1}), {-4, 4});
  ExpectPointNear(fit.GetAlignmentPoint(), {0, 4}, 1e-12);
  EXPECT_NEAR(fit.GetRotation(), kHalfPi, 1e-12);

  FcText centred;
  centred.SetHorizontalJustification(kTextCenter);
  centred.SetInsertionPoint({0, 0});
  centred.SetAlignmentPoint({4, 0});
  centred.MoveGripPoints(Indices({0}), {1, 2});
  ExpectPointNear(centred.GetInsertionPoint(), {1, 2}, 1e-12);
  ExpectPointNear(centred.GetAlignmentPoint(), {5, 2}, 1e-12);
}

TEST(TextTest, TransformScalesTurnsAndMirrors) {
  FcGraph graph;
  FcText text;
  text.SetLayer(graph.GetCurrentLayer());
  text.SetInsertionPoint({1, 0});
  text.SetHeight(2.0);
  FcMatrix2d turn;
  RotationMatrix(0, 0, kHalfPi, turn);
  FcMatrix2d scale;
  ScaleMatrix(3, 3, scale);
  MultiplyMatrix(turn, scale);
  text.Transform(turn);
  ExpectPointNear(text.GetInsertionPoint(), {0, 3}, 1e-12);
  EXPECT_NEAR(text.GetHeight(), 6.0, 1e-12);
  EXPECT_NEAR(text.GetRotation(), kHalfPi, 1e-12);

  // A mirror about a slanted line is a mirror too; MIRRTEXT on turns the
  // text upside down, and a second mirror back.
  graph.GetSysVars().mirrtext = 1;
  FcMatrix2d mirror;
  MirrorMatrix(0, 0, 1, 1, mirror);
  text.Transform(mirror);
  EXPECT_EQ(text.GetGenerationFlags(), FcText::kUpsideDown);
  text.Transform(mirror);
  EXPECT_EQ(text.GetGenerationFlags(), 0);
}

TEST(TextTest, SettersRefuseWhatCannotBeDrawn) {
  FcText text;
  EXPECT_DOUBLE_EQ(text.GetHeight(), 0.20000000298023224);
  text.SetHeight(0.0);
  text.SetWidthFactor(-1.0);
  EXPECT_DOUBLE_EQ(text.GetHeight(), 0.20000000298023224);
  EXPECT_DOUBLE_EQ(text.GetWidthFactor(), 1.0);
  text.SetText(std::string(5000, 'x'));
  EXPECT_EQ(text.GetText().size(), FcText::kMaxText);
}

TEST(TextTest, ListShowsPlacementAndStyle) {
  RecordingFrameLink link;
  SetFrameLink(&link);
  FcGraph graph;
  FcText text;
  text.SetLayer(graph.GetCurrentLayer());
  text.SetText("Hello");
  text.SetInsertionPoint({1, 2});
  text.SetAlignmentPoint({3, 2});
  text.SetHorizontalJustification(kTextFit);
  text.SetHeight(2.5);
  text.SetRotation(kHalfPi);
  text.SetGenerationFlags(FcText::kBackward | FcText::kUpsideDown);
  text.List();
  SetFrameLink(nullptr);
  const std::vector<std::string> lines = link.HistoryLines();
  const std::vector<std::string> own(lines.end() - 10, lines.end());
  EXPECT_EQ(own, (std::vector<std::string>{"  Style = standard", "  Font file = txt.shx",
                                           "  Start point  X= 1.0000    Y= 2.0000",
                                           "  align point  X= 3.0000    Y= 2.0000", "  Height\t2.5000",
                                           "  Text\tHello", "  Rotate angle\t90.0000", "  Width factor\t1.0000",
                                           "  Oblique angle\t0.0000", "  Generate\tBackward\tUpsidedown"}));
}

}  // namespace
