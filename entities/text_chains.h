#pragma once

#include <vector>

#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "fonts/point_chain.h"

class FcEntity;
class FcEntitySets;

// What the text entities do with the glyph chains they lay out.

// The smallest and largest coordinates over the chains from first up to,
// not including, last; false when none of them has a point.
bool ChainExtents(const std::vector<PointChain>& chains, std::size_t first, std::size_t last, FcPoint2d& min,
                  FcPoint2d& max);
void TransformChains(std::vector<PointChain>& chains, std::size_t first, std::size_t last, const FcMatrix2d& m);
// One open polyline per contour, with the entity's linetype, linetype
// scale, colour and layer, added to the set.
void ExplodeTextChains(const std::vector<PointChain>& chains, const FcEntity& source, FcEntitySets& target);
// A chain of one stroke from a to b.
PointChain StrokeChain(const FcPoint2d& a, const FcPoint2d& b);

// Glyphs raised or lowered by the script codes are drawn this much smaller.
constexpr double kTextScriptScale = 0.618;

// An overline or underline being drawn: where it began.
struct TextDecoration {
  bool on = false;
  double startX = 0.0;
};

// Starts the line at x, or ends it there with a stroke at height y.
void ToggleDecoration(TextDecoration& decoration, double x, double y, std::vector<PointChain>& chains);
