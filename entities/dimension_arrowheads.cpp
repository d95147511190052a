#include "entities/dimension_arrowheads.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <span>
#include <string_view>

#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/solid.h"

namespace {

constexpr std::array<std::string_view, 6> kTickArrows = {"_ArchTick", "_Oblique", "_DotSmall",
                                                         "_Small",    "_Integral", "_None"};

bool IsOneOf(std::string_view name, std::span<const std::string_view> names) {
  return std::any_of(names.begin(), names.end(), [name](std::string_view each) { return EqualsNoCase(name, each); });
}

bool ExtendsDimLine(std::string_view name) { return EqualsNoCase(name, "_Dot") || IsOneOf(name, kTickArrows); }

}  // namespace

std::string DimArrowName(const FcDimStyle& style, int end) {
  if (end == 0) return style.dimldrblk.str();
  if (style.dimsah == 0) return style.dimblk.str();
  return end == 1 ? style.dimblk1.str() : style.dimblk2.str();
}

double GetDimLineExtension(const FcDimStyle& style, int end) {
  if (!ExtendsDimLine(DimArrowName(style, end))) return -10.0;
  const double extension = std::fabs(style.dimdle * style.dimscale);
  return std::isfinite(extension) ? extension : 0.0;
}

bool IsTickArrow(const FcDimStyle& style, int end) { return IsOneOf(DimArrowName(style, end), kTickArrows); }

FcEntity* MakeArrowhead(FcGraph& graph, const FcDimStyle& style, int end, const FcPoint2d& tip, double angle,
                        double size) {
  if (EqualsNoCase(DimArrowName(style, end), "_None")) return nullptr;
  auto* solid = new (std::nothrow) FcSolid;
  if (solid == nullptr) return nullptr;
  const FcPoint2d base{tip.x + size * std::cos(angle + kPi), tip.y + size * std::sin(angle + kPi)};
  const double half = size / 6.0;
  solid->SetCorner(0, {base.x + half * std::cos(angle + kHalfPi), base.y + half * std::sin(angle + kHalfPi)});
  solid->SetCorner(1, {base.x + half * std::cos(angle - kHalfPi), base.y + half * std::sin(angle - kHalfPi)});
  solid->SetCorner(2, tip);
  solid->SetCorner(3, tip);
  if (style.dimclrd >= 0 && style.dimclrd <= 256) solid->SetColor(style.dimclrd);
  solid->SetLinetype(LinetypeByBlock());
  // The handle first: the layer lists its members by handle.
  graph.TakeHandle(*solid);
  if (graph.GetCurrentLayer() != nullptr) solid->SetLayer(graph.GetCurrentLayer());
  return solid;
}
