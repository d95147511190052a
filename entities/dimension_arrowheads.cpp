#include "entities/dimension_arrowheads.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <span>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dimension_geometry.h"
#include "entities/insert.h"
#include "entities/solid.h"

namespace {

constexpr std::array<std::string_view, 6> kTickArrows = {"_ArchTick", "_Oblique", "_DotSmall",
                                                         "_Small",    "_Integral", "_None"};

bool IsOneOf(std::string_view name, std::span<const std::string_view> names) {
  return std::any_of(names.begin(), names.end(), [name](std::string_view each) { return EqualsNoCase(name, each); });
}

struct ArrowChoice {
  const std::string& name;
  FcHandle handle;
};

ArrowChoice ChooseArrow(const FcDimStyle& style, int which, ArrowheadKind kind) {
  if (kind == ArrowheadKind::kLeader) return {style.dimldrblk.str(), style.dimldrblkHandle};
  if (style.dimsah == 0) return {style.dimblk.str(), style.dimblkHandle};
  if (which == 1) return {style.dimblk1.str(), style.dimblk1Handle};
  return {style.dimblk2.str(), style.dimblk2Handle};
}

// Blocks are drawn at unit size: a size of 0 would be a reference of no
// extent, which readers refuse, so none is made. A negative size turns the
// arrow round as it turns the built-in one, keeping its width.
FcEntity* MakeArrowInsert(FcBlock& block, const FcPoint2d& tip, double angle, double size) {
  if (std::fabs(size) <= kTolerance) return nullptr;
  auto* insert = new (std::nothrow) FcInsert;
  if (insert == nullptr) return nullptr;
  insert->SetBlockRecord(&block);
  insert->SetInsertionPoint(tip);
  insert->SetRotation(angle);
  insert->SetXScale(size);
  insert->SetYScale(std::fabs(size));
  return insert;
}

FcEntity* MakeArrowSolid(const FcPoint2d& tip, double angle, double size) {
  auto* solid = new (std::nothrow) FcSolid;
  if (solid == nullptr) return nullptr;
  const FcPoint2d base = tip + size * Dir(angle + kPi);
  const double half = size / 6.0;
  solid->SetCorner(0, base + half * Dir(angle + kHalfPi));
  solid->SetCorner(1, base + half * Dir(angle - kHalfPi));
  solid->SetCorner(2, tip);
  solid->SetCorner(3, tip);
  return solid;
}

}  // namespace

std::string DimArrowName(const FcDimStyle& style, int end) {
  return ChooseArrow(style, end, end == 0 ? ArrowheadKind::kLeader : ArrowheadKind::kDimension).name;
}

bool IsDimLineExtArrowName(std::string_view name) { return EqualsNoCase(name, "_Dot") || IsOneOf(name, kTickArrows); }

double GetDimLineExtension(const FcDimStyle& style, int end) {
  if (!IsDimLineExtArrowName(DimArrowName(style, end))) return -10.0;
  return std::fabs(SaneDimSize(style.dimdle * style.dimscale));
}

bool IsTickArrow(const FcDimStyle& style, int end) { return IsOneOf(DimArrowName(style, end), kTickArrows); }

double ArrowheadSize(const FcDimStyle& style) { return SaneDimSize(style.GetDimAsz() * style.GetDimScale()); }

FcEntity* MakeArrowhead(FcGraph& graph, const FcDimStyle& style, int which, ArrowheadKind kind,
                        const FcPoint2d& tip, double angle) {
  const ArrowChoice choice = ChooseArrow(style, which, kind);
  if (EqualsNoCase(choice.name, "_None")) return nullptr;
  const double size = ArrowheadSize(style);
  FcBlock* block = choice.handle != 0 ? graph.GetBlockList().FindByHandle(choice.handle) : nullptr;
  FcEntity* arrow = block != nullptr ? MakeArrowInsert(*block, tip, angle, size) : MakeArrowSolid(tip, angle, size);
  if (arrow == nullptr) return nullptr;
  if (style.dimclrd >= 0 && style.dimclrd <= kColorByLayer) arrow->SetColor(style.dimclrd);
  arrow->SetLinetype(LinetypeByBlock());
  // The layer lists its members by handle: the handle comes first.
  graph.TakeHandle(*arrow);
  if (graph.GetCurrentLayer() != nullptr) arrow->SetLayer(graph.GetCurrentLayer());
  return arrow;
}
