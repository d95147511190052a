#include "entities/arrowhead_blocks.h"

#include <algorithm>
#include <array>
#include <new>
#include <numbers>
#include <type_traits>
#include <variant>

#include "database/block.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/solid.h"

namespace {

constexpr double kTan15 = 2.0 - std::numbers::sqrt3;
constexpr double kTan30 = std::numbers::inv_sqrt3;
constexpr double kSixth = 1.0 / 6.0;
// The tick's width is kept as files of other programs store it: the
// single-precision value widened.
constexpr double kTickWidth = static_cast<double>(0.15f);

struct Line {
  FcPoint2d from;
  FcPoint2d to;
};
struct Circle {
  FcPoint2d centre;
  double radius;
};
struct Arc {
  FcPoint2d centre;
  double radius;
  double fromDegrees;
  double toDegrees;
};
// Two vertices of one width and bulge; a closed pair with bulge 1 is a
// filled disc.
struct Polyline {
  FcPoint2d first;
  FcPoint2d second;
  double width;
  double bulge;
  bool closed;
};
struct Solid {
  FcPoint2d corners[4];
};
using ArrowPart = std::variant<Line, Circle, Arc, Polyline, Solid>;

constexpr ArrowPart kClosedBlank[] = {
    Line{{0, 0}, {-1, kSixth}},
    Line{{0, 0}, {-1, -kSixth}},
    Line{{-1, -kSixth}, {-1, kSixth}},
};
constexpr ArrowPart kClosed[] = {
    Line{{0, 0}, {-1, kSixth}},
    Line{{0, 0}, {-1, -kSixth}},
    Line{{-1, -kSixth}, {-1, kSixth}},
    Line{{0, 0}, {-1, 0}},
};
constexpr ArrowPart kDot[] = {
    Line{{-0.5, 0}, {-1, 0}},
    Polyline{{-0.25, 0}, {0.25, 0}, 0.5, 1.0, true},
};
constexpr ArrowPart kArchTick[] = {
    Polyline{{-0.5, -0.5}, {0.5, 0.5}, kTickWidth, 0.0, false},
};
constexpr ArrowPart kOblique[] = {
    Line{{-0.5, -0.5}, {0.5, 0.5}},
};
constexpr ArrowPart kOpen[] = {
    Line{{0, 0}, {-1, kSixth}},
    Line{{0, 0}, {-1, -kSixth}},
    Line{{0, 0}, {-1, 0}},
};
constexpr ArrowPart kOrigin[] = {
    Line{{0, 0}, {-1, 0}},
    Circle{{0, 0}, 0.5},
};
constexpr ArrowPart kOrigin2[] = {
    Line{{-0.5, 0}, {-1, 0}},
    Circle{{0, 0}, 0.5},
    Circle{{0, 0}, 0.25},
};
constexpr ArrowPart kOpen90[] = {
    Line{{0, 0}, {-1, 0}},
    Line{{-0.5, -0.5}, {0, 0}},
    Line{{-0.5, 0.5}, {0, 0}},
};
constexpr ArrowPart kOpen30[] = {
    Line{{0, 0}, {-1, 0}},
    Line{{-1, -kTan15}, {0, 0}},
    Line{{-1, kTan15}, {0, 0}},
};
constexpr ArrowPart kDotSmall[] = {
    Polyline{{-0.0625, 0}, {0.0625, 0}, 0.125, 1.0, true},
};
constexpr ArrowPart kDotBlank[] = {
    Line{{-0.5, 0}, {-1, 0}},
    Circle{{0, 0}, 0.5},
};
constexpr ArrowPart kSmall[] = {
    Circle{{0, 0}, 0.25},
};
constexpr ArrowPart kBoxBlank[] = {
    Line{{-0.5, 0}, {-1, 0}},       Line{{-0.5, 0.5}, {-0.5, -0.5}}, Line{{-0.5, -0.5}, {0.5, -0.5}},
    Line{{0.5, -0.5}, {0.5, 0.5}}, Line{{0.5, 0.5}, {-0.5, 0.5}},
};
constexpr ArrowPart kBoxFilled[] = {
    Line{{-0.5, 0}, {-1, 0}},
    Solid{{{-0.5, 0.5}, {0.5, 0.5}, {-0.5, -0.5}, {0.5, -0.5}}},
};
constexpr ArrowPart kDatumBlank[] = {
    Line{{0, kTan30}, {-1, 0}},
    Line{{0, -kTan30}, {-1, 0}},
    Line{{0, -kTan30}, {0, kTan30}},
};
constexpr ArrowPart kDatumFilled[] = {
    Solid{{{0, kTan30}, {-1, 0}, {0, -kTan30}, {0, -kTan30}}},
};
constexpr double kIntegralRadius = 0.45416666666666666;
constexpr ArrowPart kIntegral[] = {
    Arc{{-0.44488802, 0.09133463}, kIntegralRadius, 282.0, 348.0},
    Arc{{0.44488802, -0.09133463}, kIntegralRadius, 102.0, 168.0},
};

struct ArrowShape {
  std::string_view name;
  std::span<const ArrowPart> parts;
};

constexpr std::array<ArrowShape, 18> kShapes = {{
    {"_ClosedBlank", kClosedBlank}, {"_Closed", kClosed},       {"_Dot", kDot},
    {"_ArchTick", kArchTick},       {"_Oblique", kOblique},     {"_Open", kOpen},
    {"_Origin", kOrigin},           {"_Origin2", kOrigin2},     {"_Open90", kOpen90},
    {"_Open30", kOpen30},           {"_DotSmall", kDotSmall},   {"_DotBlank", kDotBlank},
    {"_Small", kSmall},             {"_BoxBlank", kBoxBlank},   {"_BoxFilled", kBoxFilled},
    {"_DatumBlank", kDatumBlank},   {"_DatumFilled", kDatumFilled}, {"_Integral", kIntegral},
}};

constexpr std::array<std::string_view, kShapes.size()> kNames = [] {
  std::array<std::string_view, kShapes.size()> names{};
  for (std::size_t i = 0; i < kShapes.size(); ++i) names[i] = kShapes[i].name;
  return names;
}();

FcEntity* MakePart(const Line& part) {
  auto* line = new (std::nothrow) FcLine;
  if (line == nullptr) return nullptr;
  line->SetStartPoint(part.from);
  line->SetEndPoint(part.to);
  return line;
}

FcEntity* MakePart(const Circle& part) {
  auto* circle = new (std::nothrow) FcCircle;
  if (circle == nullptr) return nullptr;
  circle->SetCenter(part.centre);
  circle->SetRadius(part.radius);
  return circle;
}

FcEntity* MakePart(const Arc& part) {
  auto* arc = new (std::nothrow) FcArc;
  if (arc == nullptr) return nullptr;
  arc->SetCenter(part.centre);
  arc->SetRadius(part.radius);
  arc->SetStartAngle(part.fromDegrees * std::numbers::pi / 180.0);
  arc->SetEndAngle(part.toDegrees * std::numbers::pi / 180.0);
  return arc;
}

FcEntity* MakePart(const Polyline& part) {
  auto* polyline = new (std::nothrow) FcPolyline;
  if (polyline == nullptr) return nullptr;
  polyline->AppendVertex(part.first, part.width, part.width, part.bulge);
  polyline->AppendVertex(part.second, part.width, part.width, part.bulge);
  polyline->SetClosed(part.closed);
  return polyline;
}

FcEntity* MakePart(const Solid& part) {
  auto* solid = new (std::nothrow) FcSolid;
  if (solid == nullptr) return nullptr;
  for (int i = 0; i < 4; ++i) solid->SetCorner(i, part.corners[i]);
  return solid;
}

FcBlock* BuildShape(FcGraph& graph, const ArrowShape& shape) {
  FcBlockList& blocks = graph.GetBlockList();
  if (FcBlock* existing = blocks.FindByName(shape.name)) return existing;
  FcBlock* block = blocks.AddNew();
  if (block == nullptr) return nullptr;
  block->SetName(shape.name);
  for (const ArrowPart& part : shape.parts) {
    FcEntity* entity = std::visit([](const auto& each) { return MakePart(each); }, part);
    if (entity == nullptr) continue;
    entity->SetColor(kColorByBlock);
    // The layer lists its members by handle: the handle comes first.
    graph.TakeHandle(*entity);
    if (graph.GetCurrentLayer() != nullptr) entity->SetLayer(graph.GetCurrentLayer());
    block->AddEntity(entity);
  }
  return block;
}

FcBlock* BuildNamed(FcGraph& graph, std::string_view name) {
  const auto shape = std::find_if(kShapes.begin(), kShapes.end(),
                                  [name](const ArrowShape& each) { return EqualsNoCase(each.name, name); });
  return shape != kShapes.end() ? BuildShape(graph, *shape) : nullptr;
}

}  // namespace

std::span<const std::string_view> DimArrowheadNames() { return kNames; }

FcBlock* CreateArrowheadBlock(FcGraph& graph, std::string_view name) { return BuildNamed(graph, name); }

FcBlock* BuildClosedBlankArrow(FcGraph& graph) { return BuildNamed(graph, "_ClosedBlank"); }
FcBlock* BuildClosedArrow(FcGraph& graph) { return BuildNamed(graph, "_Closed"); }
FcBlock* BuildDotArrow(FcGraph& graph) { return BuildNamed(graph, "_Dot"); }
FcBlock* BuildArchTickArrow(FcGraph& graph) { return BuildNamed(graph, "_ArchTick"); }
FcBlock* BuildObliqueArrow(FcGraph& graph) { return BuildNamed(graph, "_Oblique"); }
FcBlock* BuildOpenArrow(FcGraph& graph) { return BuildNamed(graph, "_Open"); }
FcBlock* BuildOriginArrow(FcGraph& graph) { return BuildNamed(graph, "_Origin"); }
FcBlock* BuildOrigin2Arrow(FcGraph& graph) { return BuildNamed(graph, "_Origin2"); }
FcBlock* BuildOpen90Arrow(FcGraph& graph) { return BuildNamed(graph, "_Open90"); }
FcBlock* BuildOpen30Arrow(FcGraph& graph) { return BuildNamed(graph, "_Open30"); }
FcBlock* BuildDotSmallArrow(FcGraph& graph) { return BuildNamed(graph, "_DotSmall"); }
FcBlock* BuildDotBlankArrow(FcGraph& graph) { return BuildNamed(graph, "_DotBlank"); }
FcBlock* BuildSmallArrow(FcGraph& graph) { return BuildNamed(graph, "_Small"); }
FcBlock* BuildBoxBlankArrow(FcGraph& graph) { return BuildNamed(graph, "_BoxBlank"); }
FcBlock* BuildBoxFilledArrow(FcGraph& graph) { return BuildNamed(graph, "_BoxFilled"); }
FcBlock* BuildDatumBlankArrow(FcGraph& graph) { return BuildNamed(graph, "_DatumBlank"); }
FcBlock* BuildDatumFilledArrow(FcGraph& graph) { return BuildNamed(graph, "_DatumFilled"); }
FcBlock* BuildIntegralArrow(FcGraph& graph) { return BuildNamed(graph, "_Integral"); }
