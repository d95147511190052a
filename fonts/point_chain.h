#pragma once

#include <cstdint>
#include <vector>

#include "core/matrix2d.h"
#include "core/point2d.h"

// The outline of one glyph (or of one piece of text decoration) as points
// divided into contours: what the fonts hand to the text engines. Glyph
// units put a font's cap height (the shape font's "above", or the top of a
// TrueType capital "A") at 100, x along the baseline from the glyph origin.
struct PointChain {
  // Closed rings that are filled (TrueType glyphs).
  static constexpr int kFilled = 0;
  // Open polylines drawn as lines (shape-font glyphs, decorations).
  static constexpr int kStrokes = 1;
  // The mode of AddPoint that also closes the contour.
  static constexpr int kCloseContour = 2;

  int kind = kFilled;
  // All points of all contours, contour after contour.
  std::vector<FcPoint2d> points;
  // The number of points of each closed contour, in order.
  std::vector<int> contourSizes;
  // Points added since the last contour was closed; they are not drawn.
  int openCount = 0;
  // -1 draws in the current colour.
  std::int16_t colour = -1;
  // The next node of a text's chain list; not owned.
  PointChain* next = nullptr;

  // No points, no contours, kind filled, colour -1, no next node.
  void Init();
  // Room for n more points, grown in steps of 64 (n + 64 for a larger n),
  // so that emitting a glyph does not allocate per point.
  void Grow(int n);
  // Appends a point; the mode kCloseContour also closes the contour.
  void AddPoint(int mode, double x, double y);
  void CloseContour();
  // Applies the matrix to every point; returns the point count.
  int Transform(const FcMatrix2d& m);
  // Multiplies every coordinate; returns the point count.
  int Scale(double factor);
  // The smallest and largest coordinates; all 0 without points.
  void GetExtents(FcPoint2d& min, FcPoint2d& max) const;
  // Releases the points and contours; kind, colour and next stay.
  void Free();
  // Releases the node's arrays and, when asked, the node itself (allocated
  // with new).
  static void Delete(PointChain* node, bool freeNode);

  int PointCount() const { return static_cast<int>(points.size()); }
  int ContourCount() const { return static_cast<int>(contourSizes.size()); }
  // The room reserved for points.
  int PointCapacity() const { return static_cast<int>(points.capacity()); }
};

// The advance width of the glyph a font lacks.
inline constexpr double kMissingGlyphAdvance = 60.0;

// Replaces the node's contents by a question mark in strokes on the 0..100
// grid: what a character the font lacks draws.
void MakeMissingGlyph(PointChain& node);
