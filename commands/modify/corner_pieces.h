#pragma once

#include <memory>

#include "core/corner_fillets.h"
#include "core/point2d.h"

class FcArc;
class FcEntity;
class FcEntSetsUndoItem;
class FcGraph;
class FcLine;

// The arc or line that rounds or cuts a corner between the edges a and b,
// not yet in the drawing. It takes a's layer, colour, linetype and
// linetype scale where b has the same, else the drawing's current ones
// (CECOLOR, LTSCALE). Null, after the history line, when it cannot be made.
FcArc* FilletArcBuild(const FcEntity& a, const FcEntity& b, FcGraph& graph, const FcPoint2d& centre, double radius,
                      double startAngle, double endAngle);
FcLine* ChamferLineBuild(const FcEntity& a, const FcEntity& b, const FcPoint2d& start, const FcPoint2d& end,
                         FcGraph& graph);

// Puts a built piece into the drawing, recorded as created, and draws it.
void AddCornerPiece(FcGraph& graph, FcEntSetsUndoItem& item, FcEntity* piece);

// The fillet arc of the current radius (FILLETRAD) at the place, added as a
// piece between a and b; nothing at radius 0.
void AddFilletArc(FcGraph& graph, FcEntSetsUndoItem& item, const FcEntity& a, const FcEntity& b,
                  const FilletArcPlace& place);

// The chamfer line from start to end, added as a piece between a and b;
// nothing when the two points coincide.
void AddChamferLine(FcGraph& graph, FcEntSetsUndoItem& item, const FcEntity& a, const FcEntity& b,
                    const FcPoint2d& start, const FcPoint2d& end);

// The one undo step of a fillet or chamfer run: on the undo list, with the
// view refreshed, when the run recorded something; else dropped.
class CornerUndoStep {
 public:
  CornerUndoStep(FcGraph& graph, const char* name);
  ~CornerUndoStep();
  CornerUndoStep(const CornerUndoStep&) = delete;
  CornerUndoStep& operator=(const CornerUndoStep&) = delete;

  FcEntSetsUndoItem& Item() { return *item_; }

 private:
  FcGraph& graph_;
  std::unique_ptr<FcEntSetsUndoItem> item_;
};
