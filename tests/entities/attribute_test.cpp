#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "database/block.h"
#include "entities/attribute.h"
#include "tests/support/curve_sink.h"
#include "tests/support/entity_record_support.h"
#include "tests/support/line_drawing.h"

namespace {

using AttributeTest = LineDrawingTest;

template <typename Entity>
void FillAttribute(Entity& entity, FcGraph& graph) {
  graph.TakeHandle(entity);
  entity.SetLayer(graph.GetCurrentLayer());
  entity.SetText("A-101");
  entity.SetTag("ROOM");
  entity.SetFlags(kAttributeInvisible | kAttributeVerify);
  entity.SetInsertionPoint({2, 3});
  entity.SetHeight(2.5);
  entity.SetVerticalJustification(kTextTop);
  entity.SetHorizontalJustification(kTextRight);
  entity.SetAlignmentPoint({8, 3});
}

// The entity written in the file form and read back; DWG for kDwg.
template <typename Entity>
std::unique_ptr<Entity> RoundTrip(Entity& entity, FcFileKind kind, FcGraph& graph, std::string* written) {
  if (kind == FcFileKind::kDwg) return DwgRoundTrip(entity, graph);
  return DxfRoundTrip(entity, kind, graph, written);
}

TEST_F(AttributeTest, RecordsOfEveryFileFormKeepTagValueFlagsAndPrompt) {
  FcAttribute attribute;
  FillAttribute(attribute, graph);
  FcAttributeDef definition;
  FillAttribute(definition, graph);
  definition.SetFlags(kAttributeConstant | kAttributePreset);
  definition.SetPrompt("Room number");
  for (FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf, FcFileKind::kDwg}) {
    SCOPED_TRACE(static_cast<int>(kind));
    std::string written;
    std::unique_ptr<FcAttribute> readAttribute = RoundTrip(attribute, kind, graph, &written);
    ASSERT_NE(readAttribute, nullptr);
    EXPECT_EQ(readAttribute->GetTag(), "ROOM");
    EXPECT_EQ(readAttribute->GetText(), "A-101");
    EXPECT_EQ(readAttribute->GetFlags(), kAttributeInvisible | kAttributeVerify);
    EXPECT_EQ(readAttribute->GetVerticalJustification(), kTextTop);
    EXPECT_TRUE(readAttribute->IsSubEntity());
    std::unique_ptr<FcAttributeDef> readDefinition = RoundTrip(definition, kind, graph, nullptr);
    ASSERT_NE(readDefinition, nullptr);
    EXPECT_EQ(readDefinition->GetPrompt(), "Room number");
    EXPECT_EQ(readDefinition->GetTag(), "ROOM");
    EXPECT_EQ(readDefinition->GetText(), "A-101");
    EXPECT_EQ(readDefinition->GetFlags(), kAttributeConstant | kAttributePreset);
    EXPECT_FALSE(readDefinition->IsSubEntity());
    if (kind == FcFileKind::kAsciiDxf) {
      EXPECT_NE(written.find(Groups({{100, "AcDbAttribute"}, {2, "ROOM"}, {70, "5"}, {74, "3"}})), std::string::npos);
    }
  }
}

// Quick text draws one box for any shown text, whatever fonts there are.
bool DrawsSomething(FcEntity& entity, FcGraph& graph) {
  graph.GetSysVars().qtextmode = 1;
  CurveSink sink(&graph, 0.0);
  entity.Draw(&sink);
  return !sink.polylines.empty();
}

TEST_F(AttributeTest, AttmodeDecidesWhetherTheInvisibleFlagHides) {
  struct Case {
    int attmode;
    std::int16_t flags;
    bool drawn;
  };
  const Case cases[] = {{0, 0, false}, {0, kAttributeInvisible, false}, {1, 0, true},
                        {1, kAttributeInvisible, false}, {2, 0, true}, {2, kAttributeInvisible, true},
                        {1, kAttributeInvisible | kAttributeVerify, false}, {1, kAttributeConstant, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.attmode) + " " + std::to_string(c.flags));
    FcAttribute attribute;
    FillAttribute(attribute, graph);
    attribute.SetFlags(c.flags);
    graph.GetSysVars().attmode = c.attmode;
    EXPECT_EQ(DrawsSomething(attribute, graph), c.drawn);
  }
}

TEST_F(AttributeTest, ADefinitionShowsItsTagOnlyInTheCurrentSpace) {
  FcBlock* block = graph.GetBlockList().AddNew();
  block->SetName("TAGGED");
  auto* inside = new FcAttributeDef;
  inside->SetTag("ROOM");
  inside->SetText("default");
  graph.TakeHandle(*inside);
  inside->SetLayer(graph.GetCurrentLayer());
  block->AddEntity(inside);
  auto* outside = new FcAttributeDef;
  outside->SetTag("ROOM");
  graph.AddEntity(outside, false);
  EXPECT_FALSE(DrawsSomething(*inside, graph));
  EXPECT_TRUE(DrawsSomething(*outside, graph));
  EXPECT_EQ(outside->GetDrawText(), "ROOM");
}

// The listing's lines from the height to the generation flags.
std::vector<std::string> ListedMiddle(FcEntity& entity, RecordingFrameLink& frame) {
  frame.Clear();
  entity.List();
  const std::vector<std::string> lines = frame.HistoryLines();
  const auto height = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("  Height", 0) == 0;
  });
  const auto generate = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("  Generate", 0) == 0;
  });
  if (height == lines.end() || generate == lines.end() || generate < height) return {};
  return {height + 1, generate};
}

TEST_F(AttributeTest, ListShowsValueTagAndFlagsInPlaceOfTheText) {
  FcAttribute attribute;
  FillAttribute(attribute, graph);
  EXPECT_EQ(ListedMiddle(attribute, frame),
            (std::vector<std::string>{"  value\tA-101", "  tag\tROOM", "  Rotate angle\t0.0000",
                                      "  Width factor\t1.0000", "  Oblique angle\t0.0000",
                                      "  flags\t Invisible Verify"}));
  FcAttributeDef definition;
  FillAttribute(definition, graph);
  definition.SetPrompt("Room number");
  const std::vector<std::string> listed = ListedMiddle(definition, frame);
  ASSERT_GE(listed.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(listed.begin(), listed.begin() + 3),
            (std::vector<std::string>{"  default\tA-101", "  prompt\tRoom number", "  tag\tROOM"}));

  struct Case {
    std::int16_t flags;
    const char* text;
  };
  const Case cases[] = {{0, "  flags\t Normal"},
                        {14, "  flags\t constant"},
                        {5, "  flags\t Invisible Verify"},
                        {12, "  flags\t Verify Preset"}};
  for (const Case& c : cases) {
    attribute.SetFlags(c.flags);
    const std::vector<std::string> lines = ListedMiddle(attribute, frame);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), c.text);
  }
}

TEST_F(AttributeTest, ExplodingAnAttributeSucceedsWithNothing) {
  FcAttribute attribute;
  FcEntitySets out(4);
  EXPECT_TRUE(attribute.Explode(out));
  EXPECT_EQ(out.GetCount(), 0);
}

}  // namespace
