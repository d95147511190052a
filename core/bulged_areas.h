#pragma once

#include <span>
#include <vector>

#include "core/outline_loops.h"
#include "core/polyline_vertex.h"

// Areas of closed polylines whose segments may be arcs (bulges). The last
// vertex joins the first.

// Area of a closed polyline that may cross itself: the sum of the areas of
// the simple loops it is cut into. 0 for fewer than 2 vertices.
double PolylineArea(std::span<const PolylineVertex> vertices);

// Cuts the outline at the crossings of its lines and arcs, recursively, and
// appends the simple loops to loops. The vertices made at crossings carry
// the bulges of the arc pieces that leave them.
void SplitBulgedLoopAtCrossings(std::span<const PolylineVertex> vertices,
                                LoopList<PolylineVertex>& loops);

// Area of one simple bulged loop: its chord polygon plus or minus the
// circular segment of every arc. 0 for fewer than 2 vertices.
double BulgedLoopArea(std::span<const PolylineVertex> vertices);

// Halves every arc whose chord crosses another edge until no chord does, so
// that the chord polygon of a simple loop is simple too. Straight edges are
// never split.
void PrepareBulgedLoop(std::vector<PolylineVertex>& vertices);
