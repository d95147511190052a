#pragma once

class FcArc;
class FcEntSetsUndoItem;
class FcGraph;
class FcLine;
class FcPolyline;

// How a Lengthen run changes what the user picks.
enum class LengthenMode { kNone = 0, kDelta = 1, kPercent = 2, kTotal = 3, kDynamic = 4 };

// The mode with the drawing's Lengthen values; byAngle when the last Delta
// or Total entry was an angle.
struct LengthenSettings {
  LengthenMode mode = LengthenMode::kNone;
  bool byAngle = false;
  double delta = 0.0;
  double deltaAngle = 0.0;
  double percent = 100.0;
  double total = 1.0;
  double totalAngle = 1.0;
};

// Each applies the mode to one object whose start or other end moves: the
// mode kNone reports the length, the others record the object as changed
// in the item, change it and redraw it, or say why they cannot. Lines and
// arcs answer false when the user cancelled their point, which ends the
// command.
bool LengthenLine(FcGraph& graph, FcLine& line, bool startMoves, const LengthenSettings& settings,
                  FcEntSetsUndoItem& item);
bool LengthenArc(FcGraph& graph, FcArc& arc, bool startMoves, const LengthenSettings& settings,
                 FcEntSetsUndoItem& item);
void LengthenPolyline(FcGraph& graph, FcPolyline& polyline, bool startMoves, const LengthenSettings& settings,
                      FcEntSetsUndoItem& item);
