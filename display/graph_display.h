#pragma once

#include <memory>
#include <string>
#include <vector>

#include "database/graph_view.h"
#include "display/display_surface.h"

// A drawing's view: its display list, regenerated from the current space,
// and the passes that print and export it.
class FcGraphDisplay : public FcGraphView {
 public:
  explicit FcGraphDisplay(FcGraph& graph);

  void DrawEntity(FcEntity* entity) override;
  void DrawEntities(const FcEntitySets* entities) override;
  void RemoveFromDisplay(FcEntity* entity) override;
  void HighlightEntities(bool highlight, const FcEntitySets* entities) override;
  void Regen() override;
  // Regenerates when the zoom has gone too far since the last regen, else
  // redraws the list and has the view repaint.
  void Redraw() override;
  // Shows and hides groups after layers were switched on or off.
  void UpdateLayerDisplay() override;
  void RegenToSurface(FcDisplaySurface& surface) override;
  bool PrintWindow(FcDeviceContext* printer, int deviceWidth, int deviceHeight, int offsetX, int offsetY,
                   int quarterTurns, int colorMode, const FcPoint2d& corner1, const FcPoint2d& corner2,
                   double pixelsPerUnit, int printerPixelsPerInch) override;
  bool ExportWindow(const FcPoint2d& corner1, const FcPoint2d& corner2, std::unique_ptr<FcDisplayDevice>&& device,
                    int deviceWidth, int deviceHeight, const std::string& fileName) override;

  std::vector<FcHandle> CollectInsideWindow(const FcPoint2d& min, const FcPoint2d& max) override;
  std::vector<FcHandle> CollectCrossingWindow(const FcPoint2d& min, const FcPoint2d& max) override;
  std::vector<FcHandle> CollectOnScreen() override;
  bool PickOnScreen(const FcPoint2d& min, const FcPoint2d& max, FcHandle& entityHandle, FcHandle& primitiveHandle,
                    int& partTag) override;

  double PixelsToWorld(int pixels) const override;
  int GetDeviceWidth() const override;
  bool GetViewWindow(FcViewWindow& window) const override;
  void SetViewWindow(const FcViewWindow& window) override;
  FcDisplaySurface* GetSurface() const override { return const_cast<FcDisplaySurface*>(&surface_); }

 private:
  FcGraph& graph_;
  FcDisplaySurface surface_;
};

// Exports the current space into the surface's device as ExportWindow
// does, but regenerated and drawn part by part, partEntities entities at a
// time, so that the list never holds the whole drawing; false, with
// nothing done, when the drawing has no more entities than one part or its
// list cannot be cut so (a draw-order table, entities out of handle order,
// an entity that draws into other entities' groups).
bool ExportCurrentSpaceInParts(const FcGraph& graph, FcDisplaySurface& surface, const std::string& fileName,
                               int partEntities);

// Gives every drawing made from now on its display list. The program calls
// it once at start-up, before the first drawing is made.
void InstallGraphDisplay();
