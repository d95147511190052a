#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/point2d.h"

class FcDrawSink;
class FcEntitySets;
class FcGraph;
class FcMText;

// The format in force at one point of a multiline text's contents; "{"
// saves it and "}" brings it back.
struct MTextFormatState {
  static constexpr std::size_t kMaxFontName = 127;

  // Empty: the entity's style.
  std::string fontName;
  // "\F" names a shape-font file, "\f" a TrueType face.
  bool fontIsShapeFile = false;
  bool bold = false;
  bool italic = false;
  // Kept, nothing is drawn for them.
  bool underline = false;
  bool overline = false;
  // 0 bottom, 1 centre, 2 top of the line's height.
  std::int16_t verticalAlignment = 1;
  std::int16_t colour = 256;
  double height = 0.0;
  double widthFactor = 1.0;
  double obliqueAngle = 0.0;
  // Kept, the layout does not use it.
  double tracking = 1.0;
};

// The most "{" groups saved at once; a deeper "{" saves nothing.
inline constexpr int kMTextMaxNesting = 8;

// What one call of the layout does with the laid-out text: draws it on a
// sink, explodes it into polylines, or only measures it.
struct MTextRenderRequest {
  FcDrawSink* sink = nullptr;
  // Measuring when set: the four corners of the placed text, and the same
  // box grown outward by the margin.
  std::array<FcPoint2d, 4>* box = nullptr;
  std::array<FcPoint2d, 4>* grownBox = nullptr;
  double margin = 0.0;
  FcEntitySets* explodeSet = nullptr;
  // The drawing of a text that no drawing holds yet (a dimension's text
  // measured before its block is built): its style is looked up there.
  // Null: the drawing that holds the text.
  FcGraph* graph = nullptr;
};

// Lays the contents out: format codes, wrapping at the reference width,
// paragraphs, stacked fractions, line alignment, placement by the
// attachment point and the turn of the x-direction. Leaves the laid-out
// size in the entity. An empty text does nothing, boxes included.
void RenderMText(FcMText& text, const MTextRenderRequest& request);
