#include "commands/modify/corner_pieces.h"

#include "commands/command_support.h"
#include "core/geometry_basics.h"
#include "database/graph.h"
#include "database/undo_items.h"
#include "entities/arc.h"
#include "entities/line.h"

namespace {

void TakeCornerProperties(FcEntity& piece, const FcEntity& a, const FcEntity& b, FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  piece.SetLayer(a.GetLayer() == b.GetLayer() ? a.GetLayer() : graph.GetCurrentLayer());
  const std::int16_t colour = a.GetColor() == b.GetColor() ? a.GetColor() : vars.cecolor;
  if (colour >= kColorByBlock && colour <= kColorByLayer) piece.SetColor(colour);
  piece.SetLinetype(a.GetLinetype() == b.GetLinetype() ? a.GetLinetype() : graph.GetCurrentLinetype());
  const double scale = a.GetLinetypeScale() == b.GetLinetypeScale() ? a.GetLinetypeScale() : vars.ltscale;
  if (scale > 0.0) piece.SetLinetypeScale(scale);
}

}  // namespace

FcArc* FilletArcBuild(const FcEntity& a, const FcEntity& b, FcGraph& graph, const FcPoint2d& centre, double radius,
                      double startAngle, double endAngle) {
  FcArc* arc = NewEntityOrReport<FcArc>();
  if (arc == nullptr) return nullptr;
  TakeCornerProperties(*arc, a, b, graph);
  arc->SetCenter(centre);
  arc->SetRadius(radius);
  arc->SetStartAngle(startAngle);
  arc->SetEndAngle(endAngle);
  return arc;
}

FcLine* ChamferLineBuild(const FcEntity& a, const FcEntity& b, const FcPoint2d& start, const FcPoint2d& end,
                         FcGraph& graph) {
  FcLine* line = NewEntityOrReport<FcLine>();
  if (line == nullptr) return nullptr;
  TakeCornerProperties(*line, a, b, graph);
  line->SetStartPoint(start);
  line->SetEndPoint(end);
  return line;
}

void AddCornerPiece(FcGraph& graph, FcEntSetsUndoItem& item, FcEntity* piece) {
  if (piece == nullptr) return;
  graph.AddEntityKeepLayer(piece);
  item.Record(kUndoCreated, piece);
  graph.DrawEntity(piece);
}

void AddFilletArc(FcGraph& graph, FcEntSetsUndoItem& item, const FcEntity& a, const FcEntity& b,
                  const FilletArcPlace& place) {
  const double radius = graph.GetSysVars().filletrad;
  if (radius <= 0.0) return;
  AddCornerPiece(graph, item, FilletArcBuild(a, b, graph, place.centre, radius, place.startAngle, place.endAngle));
}

void AddChamferLine(FcGraph& graph, FcEntSetsUndoItem& item, const FcEntity& a, const FcEntity& b,
                    const FcPoint2d& start, const FcPoint2d& end) {
  if (!IsDifferentPoint(start, end)) return;
  AddCornerPiece(graph, item, ChamferLineBuild(a, b, start, end, graph));
}

CornerUndoStep::CornerUndoStep(FcGraph& graph, const char* name)
    : graph_(graph), item_(std::make_unique<FcEntSetsUndoItem>()) {
  item_->SetName(name);
}

CornerUndoStep::~CornerUndoStep() {
  if (!item_->HasRecords()) return;
  AddUndoItem(graph_, item_.release());
  graph_.Redraw();
}
