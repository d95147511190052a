#include "database/entity.h"
#include "database/graph.h"

// The drawing's display operations keep their names here and hand the work
// to the drawing's view.

void FcGraph::DrawEntity(FcEntity* entity) {
  if (entity != nullptr && view_ != nullptr) view_->DrawEntity(entity);
}

void FcGraph::DrawEntities(const FcEntitySets* entities) {
  if (entities != nullptr && view_ != nullptr) view_->DrawEntities(entities);
}

void FcGraph::RedrawEntity(FcEntity* entity) {
  if (entity == nullptr) return;
  RemoveFromDisplay(entity);
  DrawEntity(entity);
}

void FcGraph::RedrawEntities(const FcEntitySets* entities) {
  if (entities == nullptr) return;
  for (FcEntity* entity : *entities) RemoveFromDisplay(entity);
  DrawEntities(entities);
}

void FcGraph::RemoveFromDisplay(FcEntity* entity) {
  if (entity != nullptr && view_ != nullptr) view_->RemoveFromDisplay(entity);
}

void FcGraph::HighlightEntities(bool highlight, const FcEntitySets* entities) {
  if (entities != nullptr && view_ != nullptr) view_->HighlightEntities(highlight, entities);
}

void FcGraph::Regen() {
  if (view_ != nullptr) view_->Regen();
}

void FcGraph::Redraw() {
  if (view_ != nullptr) view_->Redraw();
}

void FcGraph::UpdateLayerDisplay() {
  if (view_ != nullptr) view_->UpdateLayerDisplay();
}

void FcGraph::RegenToSurface(FcDisplaySurface& surface) {
  if (view_ != nullptr) view_->RegenToSurface(surface);
}

bool FcGraph::PrintWindow(FcDeviceContext* printer, int deviceWidth, int deviceHeight, int offsetX, int offsetY,
                          int quarterTurns, int colorMode, const FcPoint2d& corner1, const FcPoint2d& corner2,
                          double pixelsPerUnit, int printerPixelsPerInch) {
  return view_ != nullptr && view_->PrintWindow(printer, deviceWidth, deviceHeight, offsetX, offsetY, quarterTurns,
                                                colorMode, corner1, corner2, pixelsPerUnit, printerPixelsPerInch);
}

bool FcGraph::ExportWindow(const FcPoint2d& corner1, const FcPoint2d& corner2,
                           std::unique_ptr<FcDisplayDevice>&& device, int deviceWidth, int deviceHeight,
                           const std::string& fileName) {
  return view_ != nullptr &&
         view_->ExportWindow(corner1, corner2, std::move(device), deviceWidth, deviceHeight, fileName);
}
