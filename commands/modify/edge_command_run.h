#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "commands/modify/entity_pieces.h"
#include "core/point2d.h"

class FcEntity;
class FcEntSetsUndoItem;
class FcExtendEdgeList;
class FcGraph;

// The frame Trim and Extend share: the user selects boundary edges, then
// picks objects one at a time, and may switch the edge mode between
// "Extend" (edges count as their whole lines and circles) and "No extend".

// The edge mode of both commands: 1 "Extend", 0 "No extend". It lasts
// until the program ends and starts at "No extend".
std::int16_t& ExtendEdgeMode();

// What a command's per-kind operation works with for one pick.
struct EdgePick {
  FcGraph& graph;
  const FcExtendEdgeList& edges;
  bool extendEdges;
  // The run's undo item: entities are recorded before they change.
  FcEntSetsUndoItem& undo;
  // The pick point in world coordinates.
  FcPoint2d point;
  // The picked segment of a polyline.
  int segment = 0;
};

using EdgePickHandler = std::function<void(FcEntity& picked, const EdgePick& pick)>;

// Runs the whole command: selection, edge list, pick loop with the "Edge"
// keyword, one undo step under undoName for the run. Answers kStatusDone.
int RunEdgeCommand(std::string_view undoName, std::string_view pickPrompt, const EdgePickHandler& handler);
