#pragma once

#include <string>

#include "core/point2d.h"
#include "fonts/point_chain.h"

// The measures of one glyph in the units of the requested height.
struct TrueTypeGlyphMetrics {
  // Width and height of the smallest box around the outline.
  FcPoint2d blackBox;
  // The top-left corner of that box from the glyph origin on the baseline.
  FcPoint2d glyphOrigin;
  // How far the pen moves after the glyph.
  FcPoint2d cellAdvance;
};

// The outline of one character of a TrueType face as filled rings, the
// curves flattened, at a cell height (ascent plus descent) of `height`.
// The code is a character of the character set (a byte, or lead * 256 +
// trail in a double-byte set; a larger code outside such a set is taken as
// Unicode); 1, 2 and 3 are the degree, plus-minus and diameter signs. A
// face the machine lacks is replaced by a metric-compatible or the default
// family, so some face always answers. False, with the chain emptied, when
// the face has no outline for the character (a space, a control code).
// Safe to call from any thread; outlines are cached.
bool GetTrueTypeOutline(bool bold, int code, const std::string& faceName, double height, bool italic,
                        bool underline, bool strikeOut, int charset, TrueTypeGlyphMetrics* metrics,
                        PointChain* chain);

// Flattens the quadratic curve from start through control to end into the
// chain in 8 steps; a point equal to the one before it is not added.
// Returns the last point, the start of the next segment.
FcPoint2d AddQuadraticSplinePoints(PointChain& chain, const FcPoint2d& start, const FcPoint2d& control,
                                   const FcPoint2d& end);
// The same for a cubic curve with two control points.
FcPoint2d AddCubicSplinePoints(PointChain& chain, const FcPoint2d& start, const FcPoint2d& control1,
                               const FcPoint2d& control2, const FcPoint2d& end);
