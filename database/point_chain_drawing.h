#pragma once

#include <vector>

#include "core/handle.h"
#include "database/draw_sink.h"
#include "fonts/point_chain.h"

// Draws one glyph node: always with continuous lines, in the node's colour
// when it has one. Filled rings become one filled primitive with holes,
// strokes one polyline per contour; points after the last closed contour
// are not drawn.
void DrawPointChain(FcDrawSink& sink, const PointChain& node, FcHandle handle, int subIndex = 0);

// Draws the glyph nodes of one text in order, as DrawPointChain draws each;
// the strokes of consecutive nodes in the current colour go to the sink as
// one set, so that a text is not a primitive per stroke.
void DrawPointChains(FcDrawSink& sink, const std::vector<PointChain>& nodes, FcHandle handle, int subIndex = 0);
