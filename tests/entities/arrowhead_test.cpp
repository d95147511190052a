#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/arc.h"
#include "entities/arrowhead_blocks.h"
#include "entities/dim_linear.h"
#include "entities/dimension_arrowheads.h"
#include "entities/dimension_text.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "entities/mtext.h"
#include "entities/polyline.h"
#include "entities/solid.h"
#include "files/object_registrations.h"
#include "tests/support/drawn_primitives.h"
#include "tests/support/point_expect.h"

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", std::fabs(value) < 5e-7 ? 0.0 : value);
  return text;
}

std::string Point(const FcPoint2d& p) { return Number(p.x) + "," + Number(p.y); }

// One entity of an arrow block as the table below writes it.
std::string Describe(const FcEntity& entity) {
  if (const auto* line = dynamic_cast<const FcLine*>(&entity)) {
    return "LINE " + Point(line->GetStartPoint()) + " " + Point(line->GetEndPoint());
  }
  if (const auto* arc = dynamic_cast<const FcArc*>(&entity)) {
    return "ARC " + Point(arc->GetCenter()) + " r" + Number(arc->GetRadius()) + " " +
           Number(arc->GetStartAngle() * 180.0 / kPi) + "-" + Number(arc->GetEndAngle() * 180.0 / kPi);
  }
  if (const auto* circle = dynamic_cast<const FcCircle*>(&entity)) {
    return "CIRCLE " + Point(circle->GetCenter()) + " r" + Number(circle->GetRadius());
  }
  if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity)) {
    std::string text = polyline->IsClosed() ? "PLINE closed" : "PLINE open";
    for (int i = 0; i < polyline->GetVertexCount(); ++i) {
      const PolylineVertex& v = *polyline->GetVertex(i);
      text += " " + Point({v.x, v.y}) + " w" + Number(v.startWidth) + "/" + Number(v.endWidth) + " b" +
              Number(v.bulge);
    }
    return text;
  }
  if (const auto* solid = dynamic_cast<const FcSolid*>(&entity)) {
    std::string text = "SOLID";
    for (int i = 0; i < 4; ++i) text += " " + Point(solid->GetCorner(i));
    return text;
  }
  return "other";
}

std::string DescribeBlock(const FcBlock& block) {
  std::string text;
  for (const FcEntity* entity : block.GetEntities()) text += (text.empty() ? "" : "; ") + Describe(*entity);
  return text;
}

int TimesListed(const FcLayer& layer, FcHandle handle) {
  int times = 0;
  const CDataArray<FcHandle>& handles = layer.GetEntityHandles();
  for (int i = 0; i < handles.count; ++i) times += handles.items[i] == handle ? 1 : 0;
  return times;
}

std::string Upper(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

class ArrowheadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }

  FcDimStyle& Style() { return *graph_.GetCurrentDimStyle(); }
  FcBlockList& Blocks() { return graph_.GetBlockList(); }
  // Deletes an arrow that was made but never added.
  void Discard(FcEntity* arrow) {
    if (arrow != nullptr) graph_.GetCurrentLayer()->RemoveEntityHandle(arrow);
    delete arrow;
  }

  FcGraph graph_;
};

// Every block as it is built: its entities in order, each with colour
// ByBlock, on the layer current at the time, with a handle of its own that
// its layer lists. Names are matched in any case; the block keeps the
// spelling of the table.
TEST_F(ArrowheadTest, EachNameBuildsItsUnitBlock) {
  struct Case {
    const char* name;
    FcBlock* (*builder)(FcGraph&);
    const char* entities;
  };
  const Case cases[] = {
      {"_ClosedBlank", BuildClosedBlankArrow, "LINE 0,0 -1,0.166667; LINE 0,0 -1,-0.166667; LINE -1,-0.166667 -1,0.166667"},
      {"_Closed", BuildClosedArrow,
       "LINE 0,0 -1,0.166667; LINE 0,0 -1,-0.166667; LINE -1,-0.166667 -1,0.166667; LINE 0,0 -1,0"},
      {"_Dot", BuildDotArrow, "LINE -0.5,0 -1,0; PLINE closed -0.25,0 w0.5/0.5 b1 0.25,0 w0.5/0.5 b1"},
      {"_ArchTick", BuildArchTickArrow, "PLINE open -0.5,-0.5 w0.15/0.15 b0 0.5,0.5 w0.15/0.15 b0"},
      {"_Oblique", BuildObliqueArrow, "LINE -0.5,-0.5 0.5,0.5"},
      {"_Open", BuildOpenArrow, "LINE 0,0 -1,0.166667; LINE 0,0 -1,-0.166667; LINE 0,0 -1,0"},
      {"_Origin", BuildOriginArrow, "LINE 0,0 -1,0; CIRCLE 0,0 r0.5"},
      {"_Origin2", BuildOrigin2Arrow, "LINE -0.5,0 -1,0; CIRCLE 0,0 r0.5; CIRCLE 0,0 r0.25"},
      {"_Open90", BuildOpen90Arrow, "LINE 0,0 -1,0; LINE -0.5,-0.5 0,0; LINE -0.5,0.5 0,0"},
      {"_Open30", BuildOpen30Arrow, "LINE 0,0 -1,0; LINE -1,-0.267949 0,0; LINE -1,0.267949 0,0"},
      {"_DotSmall", BuildDotSmallArrow, "PLINE closed -0.0625,0 w0.125/0.125 b1 0.0625,0 w0.125/0.125 b1"},
      {"_DotBlank", BuildDotBlankArrow, "LINE -0.5,0 -1,0; CIRCLE 0,0 r0.5"},
      {"_Small", BuildSmallArrow, "CIRCLE 0,0 r0.25"},
      {"_BoxBlank", BuildBoxBlankArrow,
       "LINE -0.5,0 -1,0; LINE -0.5,0.5 -0.5,-0.5; LINE -0.5,-0.5 0.5,-0.5; LINE 0.5,-0.5 0.5,0.5; "
       "LINE 0.5,0.5 -0.5,0.5"},
      {"_BoxFilled", BuildBoxFilledArrow, "LINE -0.5,0 -1,0; SOLID -0.5,0.5 0.5,0.5 -0.5,-0.5 0.5,-0.5"},
      {"_DatumBlank", BuildDatumBlankArrow, "LINE 0,0.57735 -1,0; LINE 0,-0.57735 -1,0; LINE 0,-0.57735 0,0.57735"},
      {"_DatumFilled", BuildDatumFilledArrow, "SOLID 0,0.57735 -1,0 0,-0.57735 0,-0.57735"},
      {"_Integral", BuildIntegralArrow,
       "ARC -0.444888,0.0913346 r0.454167 282-348; ARC 0.444888,-0.0913346 r0.454167 102-168"},
  };
  ASSERT_EQ(DimArrowheadNames().size(), std::size(cases));
  FcLayer* layer = graph_.FindOrCreateLayer("Arrows");
  graph_.SetCurrentLayer("Arrows");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DimArrowheadNames()[i], c.name);
    FcGraph other;
    for (FcBlock* block : {c.builder(other), CreateArrowheadBlock(graph_, Upper(c.name))}) {
      ASSERT_NE(block, nullptr);
      EXPECT_EQ(block->GetName(), c.name);
      EXPECT_EQ(DescribeBlock(*block), c.entities);
      EXPECT_EQ(block->GetBasePoint(), FcPoint2d{});
    }
    const FcBlock& built = *Blocks().FindByName(c.name);
    for (const FcEntity* entity : built.GetEntities()) {
      EXPECT_EQ(entity->GetColor(), kColorByBlock);
      EXPECT_EQ(entity->GetLayer(), layer);
      EXPECT_EQ(entity->GetBlock(), &built);
      ASSERT_NE(entity->GetHandle(), 0u);
      EXPECT_EQ(TimesListed(*layer, entity->GetHandle()), 1);
    }
  }
  EXPECT_EQ(TimesListed(*layer, 0), 0);
  // The tick keeps the width of the single-precision value other files hold.
  const auto* tick = dynamic_cast<const FcPolyline*>(Blocks().FindByName("_ArchTick")->GetEntities().GetAt(0));
  ASSERT_NE(tick, nullptr);
  EXPECT_EQ(tick->GetVertex(0)->startWidth, 0.15000000596046448);
}

// A block is built once: a second request, or a block of that name the
// drawing already has (changed by the user or brought by a file), is kept
// as it is. Names that are not arrow blocks build nothing.
TEST_F(ArrowheadTest, BlocksAreBuiltOnceAndOnlyForTheirNames) {
  FcBlock* dot = CreateArrowheadBlock(graph_, "_Dot");
  ASSERT_NE(dot, nullptr);
  const int blocks = Blocks().GetBlockCount();
  EXPECT_EQ(BuildDotArrow(graph_), dot);
  EXPECT_EQ(CreateArrowheadBlock(graph_, "_dot"), dot);
  EXPECT_EQ(Blocks().GetBlockCount(), blocks);
  EXPECT_EQ(dot->GetEntities().GetCount(), 2);

  FcBlock* own = Blocks().AddNew();
  own->SetName("_OPEN");
  EXPECT_EQ(CreateArrowheadBlock(graph_, "_Open"), own);
  EXPECT_EQ(own->GetEntities().GetCount(), 0);

  for (const char* name : {"", "_None", "_ClosedFilled", ".", "MyArrow", "_Dot2"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CreateArrowheadBlock(graph_, name), nullptr);
  }
  EXPECT_EQ(Blocks().GetBlockCount(), blocks + 1);
}

// The built-in arrow of the example: size 2.5 pointing along +x from
// (10, 0), also when DIMASZ and DIMSCALE make the size between them.
TEST_F(ArrowheadTest, BuiltInArrowIsAFilledTriangle) {
  Style().dimasz = 1.25;
  Style().dimscale = 2.0;
  Style().dimclrd = 3;
  FcEntity* arrow = MakeArrowhead(graph_, Style(), 1, ArrowheadKind::kDimension, {10, 0}, 0.0);
  auto* solid = dynamic_cast<FcSolid*>(arrow);
  ASSERT_NE(solid, nullptr);
  ExpectPointNear(solid->GetCorner(0), {7.5, 2.5 / 6.0}, 1e-12);
  ExpectPointNear(solid->GetCorner(1), {7.5, -2.5 / 6.0}, 1e-12);
  ExpectPointEq(solid->GetCorner(2), {10, 0});
  ExpectPointEq(solid->GetCorner(3), {10, 0});
  EXPECT_EQ(solid->GetColor(), 3);
  EXPECT_EQ(solid->GetLinetype(), LinetypeByBlock());
  EXPECT_EQ(solid->GetLayer(), graph_.GetCurrentLayer());
  ASSERT_NE(solid->GetHandle(), 0u);
  EXPECT_EQ(TimesListed(*graph_.GetCurrentLayer(), solid->GetHandle()), 1);
  Discard(solid);
}

// Which name draws which arrow: DIMBLK while DIMSAH is off, DIMBLK1 or
// DIMBLK2 by end while it is on, DIMLDRBLK for a leader whatever DIMSAH
// says. A bound block gives a reference at the tip, turned to the angle and
// scaled by the arrow size; the empty name gives the built-in arrow.
TEST_F(ArrowheadTest, TheStyleChoosesTheArrowOfEachEndAndOfLeaders) {
  for (const char* name : {"_Dot", "_Open", "_Small", "_Origin"}) CreateArrowheadBlock(graph_, name);
  FcBlock* user = Blocks().AddNew();
  user->SetName("Flag");
  FcDimStyle& style = Style();
  style.dimasz = 0.25;
  style.dimscale = 4.0;
  style.SetDimblk("_Dot");
  style.SetDimblk1("_Open");
  style.SetDimblk2("Flag");
  style.SetDimldrblk("_origin");
  EXPECT_EQ(style.dimldrblk, "_Origin");
  struct Case {
    int dimsah;
    int which;
    ArrowheadKind kind;
    const char* block;
  };
  const Case cases[] = {
      {0, 1, ArrowheadKind::kDimension, "_Dot"},   {0, 2, ArrowheadKind::kDimension, "_Dot"},
      {1, 1, ArrowheadKind::kDimension, "_Open"},  {1, 2, ArrowheadKind::kDimension, "Flag"},
      {0, 0, ArrowheadKind::kLeader, "_Origin"},   {1, 0, ArrowheadKind::kLeader, "_Origin"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dimsah) + " " + std::to_string(c.which) + " " + c.block);
    style.dimsah = static_cast<std::uint8_t>(c.dimsah);
    FcEntity* arrow = MakeArrowhead(graph_, style, c.which, c.kind, {3, 4}, 0.5);
    auto* insert = dynamic_cast<FcInsert*>(arrow);
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->GetBlockRecord(), Blocks().FindByName(c.block));
    ExpectPointEq(insert->GetInsertionPoint(), {3, 4});
    EXPECT_DOUBLE_EQ(insert->GetRotation(), 0.5);
    EXPECT_DOUBLE_EQ(insert->GetXScale(), 1.0);
    EXPECT_DOUBLE_EQ(insert->GetYScale(), 1.0);
    EXPECT_EQ(insert->GetLinetype(), LinetypeByBlock());
    EXPECT_EQ(insert->GetColor(), kColorByBlock);
    Discard(insert);
  }
  style.dimsah = 1;
  style.SetDimblk1("");
  style.SetDimldrblk("");
  for (const ArrowheadKind kind : {ArrowheadKind::kDimension, ArrowheadKind::kLeader}) {
    FcEntity* arrow = MakeArrowhead(graph_, style, 1, kind, {3, 4}, 0.5);
    EXPECT_NE(dynamic_cast<FcSolid*>(arrow), nullptr);
    Discard(arrow);
  }
}

// "_None" in any case draws nothing and lets the dimension line run on, as
// the dots and ticks do; "_Dot" runs on but is no tick. A name whose block
// was never made or has gone draws the built-in arrow.
TEST_F(ArrowheadTest, NoneAndMissingBlocks) {
  FcDimStyle& style = Style();
  style.dimdle = -0.5;
  style.dimscale = 3.0;
  struct Case {
    const char* name;
    bool made;
    double extension;
    bool tick;
  };
  const Case cases[] = {
      {"_none", false, 1.5, true},     {"_NONE", false, 1.5, true},      {"_Dot", true, 1.5, false},
      {"_oblique", true, 1.5, true},   {"_Open", true, -10.0, false},    {"", true, -10.0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A name bound to no block (handle 0), as a style keeps it when the
    // block was never made.
    style.dimblk = c.name;
    style.dimblkHandle = 0;
    FcEntity* arrow = MakeArrowhead(graph_, style, 1, ArrowheadKind::kDimension, {0, 0}, 0.0);
    EXPECT_EQ(arrow != nullptr, c.made);
    EXPECT_TRUE(arrow == nullptr || dynamic_cast<FcSolid*>(arrow) != nullptr);
    Discard(arrow);
    EXPECT_DOUBLE_EQ(GetDimLineExtension(style, 1), c.extension);
    EXPECT_EQ(IsTickArrow(style, 1), c.tick);
  }
  // A block bound and then removed from the drawing.
  CreateArrowheadBlock(graph_, "_Closed");
  style.SetDimblk("_Closed");
  ASSERT_NE(style.dimblkHandle, 0u);
  ASSERT_TRUE(Blocks().RemoveByName("_Closed"));
  FcEntity* arrow = MakeArrowhead(graph_, style, 1, ArrowheadKind::kDimension, {0, 0}, 0.0);
  EXPECT_NE(dynamic_cast<FcSolid*>(arrow), nullptr);
  Discard(arrow);
}

// Sizes from DIMASZ x DIMSCALE: a block is scaled by it, a negative size
// turns the arrow round at its full width, and a size of 0 or one that is
// not finite or absurd gives no reference and a built-in arrow that
// collapses onto its tip, never a coordinate that is not finite.
TEST_F(ArrowheadTest, SizesScaleTheBlockAndStayFinite) {
  CreateArrowheadBlock(graph_, "_Dot");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double dimasz;
    double dimscale;
    bool referenced;
    double xScale;
    double yScale;
  };
  const Case cases[] = {
      {0.18, 1.0, true, 0.18, 0.18}, {2.5, 2.0, true, 5.0, 5.0}, {-2.5, 1.0, true, -2.5, 2.5},
      {0.0, 1.0, false, 0, 0},       {1.0, 0.0, false, 0, 0},    {1e300, 1.0, false, 0, 0},
      {1e200, 1e200, false, 0, 0},   {nan, 1.0, false, 0, 0},
  };
  FcDimStyle& style = Style();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dimasz) + " x " + std::to_string(c.dimscale));
    style.dimasz = c.dimasz;
    style.dimscale = c.dimscale;
    style.SetDimblk("_Dot");
    FcEntity* arrow = MakeArrowhead(graph_, style, 1, ArrowheadKind::kDimension, {1, 2}, 1.0);
    auto* insert = dynamic_cast<FcInsert*>(arrow);
    EXPECT_EQ(insert != nullptr, c.referenced);
    if (insert != nullptr) {
      EXPECT_DOUBLE_EQ(insert->GetXScale(), c.xScale);
      EXPECT_DOUBLE_EQ(insert->GetYScale(), c.yScale);
      Discard(insert);
    }
    style.SetDimblk("");
    auto* solid = dynamic_cast<FcSolid*>(MakeArrowhead(graph_, style, 1, ArrowheadKind::kDimension, {1, 2}, 1.0));
    ASSERT_NE(solid, nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isfinite(solid->GetCorner(i).x + solid->GetCorner(i).y));
    if (!c.referenced) ExpectPointEq(solid->GetCorner(0), {1, 2});
    Discard(solid);
  }
}

class ArrowheadDimensionTest : public ArrowheadTest {
 protected:
  void SetUp() override {
    SetDimTextMeasure([](FcDimText& text) {
      text.width = 0.82;
      text.boxHeight = text.height;
    });
    FcDimStyle& s = Style();
    s.dimscale = 1.0, s.dimasz = 0.5, s.dimgap = 0.09, s.dimtxt = 0.18, s.dimexe = 0.18, s.dimexo = 0.0625;
    s.dimtad = 1, s.dimtix = 0, s.dimjust = 0, s.dimatfit = 3, s.dimdle = 0.25;
  }
  void TearDown() override { SetDimTextMeasure(nullptr); }

  // A dimension of (0, 0)-(10, 0) with its line at y = 5, in the block
  // given or in model space.
  FcDimRotate* AddDimension(FcBlock* owner = nullptr) {
    auto* dimension = new FcDimRotate;
    dimension->SetDefPoint13({0, 0});
    dimension->SetDefPoint14({10, 0});
    dimension->SetDefPoint10({0, 5});
    if (owner == nullptr) {
      graph_.AddEntity(dimension, false);
    } else {
      graph_.TakeHandle(*dimension);
      dimension->SetLayer(graph_.GetCurrentLayer());
      owner->AddEntity(dimension);
    }
    dimension->RebuildBlock();
    return dimension;
  }

  template <typename Kind>
  static std::vector<Kind*> InBlock(const FcDimension& dimension) {
    std::vector<Kind*> found;
    for (FcEntity* entity : dimension.GetDimBlock()->GetEntities()) {
      if (auto* each = dynamic_cast<Kind*>(entity)) found.push_back(each);
    }
    return found;
  }
};

// A rebuilt dimension places its arrows as references to the style's
// blocks, each end its own with DIMSAH on, on the dimension's layer; a tick
// lets the dimension line run on by DIMDLE.
TEST_F(ArrowheadDimensionTest, RebuildPlacesTheStylesArrowBlocks) {
  CreateArrowheadBlock(graph_, "_Dot");
  CreateArrowheadBlock(graph_, "_Oblique");
  FcBlock* user = Blocks().AddNew();
  user->SetName("Flag");
  FcDimStyle& style = Style();
  style.SetDimblk("_Oblique");
  style.SetDimblk1("_Dot");
  style.SetDimblk2("Flag");
  struct Case {
    int dimsah;
    const char* first;
    const char* second;
    double lineFrom;
    double lineTo;
  };
  const Case cases[] = {
      {1, "_Dot", "Flag", -0.25, 9.5},
      {0, "_Oblique", "_Oblique", -0.25, 10.25},
  };
  graph_.SetCurrentLayer(graph_.FindOrCreateLayer("Dims")->GetName());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    style.dimsah = static_cast<std::uint8_t>(c.dimsah);
    FcDimRotate* dimension = AddDimension();
    EXPECT_TRUE(InBlock<FcSolid>(*dimension).empty());
    const std::vector<FcInsert*> arrows = InBlock<FcInsert>(*dimension);
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_EQ(arrows[0]->GetBlockName(), c.first);
    ExpectPointNear(arrows[0]->GetInsertionPoint(), {0, 5}, 1e-12);
    EXPECT_NEAR(std::cos(arrows[0]->GetRotation()), -1.0, 1e-12);
    EXPECT_EQ(arrows[1]->GetBlockName(), c.second);
    ExpectPointNear(arrows[1]->GetInsertionPoint(), {10, 5}, 1e-12);
    EXPECT_NEAR(std::cos(arrows[1]->GetRotation()), 1.0, 1e-12);
    for (const FcInsert* arrow : arrows) {
      EXPECT_DOUBLE_EQ(arrow->GetXScale(), 0.5);
      EXPECT_EQ(arrow->GetLayer(), dimension->GetLayer());
      EXPECT_EQ(TimesListed(*dimension->GetLayer(), arrow->GetHandle()), 1);
    }
    double from = 1e9;
    double to = -1e9;
    for (const FcLine* line : InBlock<FcLine>(*dimension)) {
      if (std::fabs(line->GetStartPoint().y - 5.0) > 1e-9 || std::fabs(line->GetEndPoint().y - 5.0) > 1e-9) continue;
      from = std::min({from, line->GetStartPoint().x, line->GetEndPoint().x});
      to = std::max({to, line->GetStartPoint().x, line->GetEndPoint().x});
    }
    EXPECT_NEAR(from, c.lineFrom, 1e-9);
    EXPECT_NEAR(to, c.lineTo, 1e-9);
  }
  // Rebuilding again leaves no member behind on the layers.
  FcDimRotate* dimension = AddDimension();
  dimension->RebuildBlock();
  dimension->RebuildBlock();
  EXPECT_EQ(TimesListed(*graph_.GetCurrentLayer(), 0), 0);
  EXPECT_EQ(TimesListed(*graph_.GetLayerList().FindByName("Defpoints"), 0), 0);
  EXPECT_EQ(graph_.GetLayerList().FindByName("Defpoints")->GetEntityHandles().count, 3 * 2);
}

// An arrow block that holds the dimension itself would make its block
// contain itself: that arrow is left out, and nothing else is lost.
TEST_F(ArrowheadDimensionTest, AnArrowBlockHoldingTheDimensionIsLeftOut) {
  FcBlock* loop = Blocks().AddNew();
  loop->SetName("Loop");
  Style().SetDimblk("Loop");
  ASSERT_NE(Style().dimblkHandle, 0u);
  const int listed = graph_.GetCurrentLayer()->GetEntityHandles().count;
  FcDimRotate* dimension = AddDimension(loop);
  EXPECT_TRUE(InBlock<FcInsert>(*dimension).empty());
  EXPECT_FALSE(InBlock<FcLine>(*dimension).empty());
  // The dimension, its block's begin and end markers, its lines and its
  // text; no member for the refused arrow.
  const int onLayer = static_cast<int>(InBlock<FcLine>(*dimension).size() + InBlock<FcMText>(*dimension).size());
  EXPECT_EQ(graph_.GetCurrentLayer()->GetEntityHandles().count, listed + 3 + onLayer);
}

// What a dimension shows: its arrow references are drawn through the
// dimension's block where they stand, at their size, in the dimension's
// colour and in its display group, also when the dimension itself is
// drawn through a block reference.
class ArrowheadDisplayTest : public DrawnPrimitivesTest {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
};

TEST_F(ArrowheadDisplayTest, ArrowBlocksDrawWhereTheDimensionPutsThem) {
  SetDimTextMeasure([](FcDimText& text) {
    text.width = 0.82;
    text.boxHeight = text.height;
  });
  CreateArrowheadBlock(graph, "_Dot");
  FcDimStyle& style = *graph.GetCurrentDimStyle();
  style.dimasz = 0.5;
  style.dimtad = 1;
  style.SetDimblk("_Dot");
  auto* dimension = new FcDimRotate;
  dimension->SetDefPoint13({0, 0});
  dimension->SetDefPoint14({10, 0});
  dimension->SetDefPoint10({0, 5});
  graph.AddEntity(dimension, false);
  dimension->SetColor(1);
  dimension->RebuildBlock();
  FcBlock* holder = graph.GetBlockList().AddNew();
  holder->SetName("Holder");
  FcDimension* held = static_cast<FcDimension*>(dimension->Clone());
  graph.TakeHandle(*held);
  held->SetLayer(graph.GetCurrentLayer());
  ASSERT_TRUE(holder->AddEntity(held));
  held->RebuildBlock();
  auto* reference = new FcInsert;
  graph.AddEntity(reference, false);
  reference->SetBlockName("Holder");
  reference->SetInsertionPoint({50, 0});
  reference->SetXScale(2.0);
  reference->SetYScale(2.0);
  graph.Regen();
  SetDimTextMeasure(nullptr);

  struct Case {
    const char* name;
    const FcEntity* entity;
    // The dimension whose handle every primitive carries.
    const FcDimension* owner;
    double scale;
    FcPoint2d at;
  };
  const Case cases[] = {
      {"dimension", dimension, dimension, 1.0, {0, 0}},
      {"dimension in a reference", reference, held, 2.0, {50, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Drawn> drawn = PrimitivesOf(*c.entity);
    ASSERT_FALSE(drawn.empty());
    for (const Drawn& item : drawn) {
      EXPECT_EQ(item.color, 1);
      EXPECT_EQ(item.entity, c.owner->GetHandle());
    }
    // The dots: discs as wide as the arrow size, centred on the ends.
    for (const double along : {0.0, 10.0}) {
      const FcPoint2d end = c.at + c.scale * FcPoint2d{along, 5.0};
      const double reach = 0.3 * c.scale;
      FcPoint2d min{1e9, 1e9};
      FcPoint2d max{-1e9, -1e9};
      for (const Drawn& item : drawn) {
        if (item.min.x < end.x - reach || item.max.x > end.x + reach || item.min.y < end.y - reach ||
            item.max.y > end.y + reach) {
          continue;
        }
        min = {std::min(min.x, item.min.x), std::min(min.y, item.min.y)};
        max = {std::max(max.x, item.max.x), std::max(max.y, item.max.y)};
      }
      ExpectPointNear(min, end - FcPoint2d{0.25, 0.25} * c.scale, 1e-6, "dot at " + Number(along));
      ExpectPointNear(max, end + FcPoint2d{0.25, 0.25} * c.scale, 1e-6, "dot at " + Number(along));
    }
  }
}

}  // namespace
