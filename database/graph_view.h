#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/handle.h"
#include "core/point2d.h"

class FcDeviceContext;
class FcDisplayDevice;
class FcDisplaySurface;
class FcEntity;
class FcEntitySets;
class FcGraph;
struct FcViewWindow;

// What a drawing asks of its display list: the drawing keeps the names of
// its display operations and hands the work to the view the display code
// makes for it. Without a view (a drawing used headless) they do nothing.
class FcGraphView {
 public:
  virtual ~FcGraphView() = default;

  virtual void DrawEntity(FcEntity* entity) = 0;
  virtual void DrawEntities(const FcEntitySets* entities) = 0;
  virtual void RemoveFromDisplay(FcEntity* entity) = 0;
  virtual void HighlightEntities(bool highlight, const FcEntitySets* entities) = 0;
  virtual void Regen() = 0;
  virtual void Redraw() = 0;
  virtual void UpdateLayerDisplay() = 0;
  virtual void RegenToSurface(FcDisplaySurface& surface) = 0;
  virtual bool PrintWindow(FcDeviceContext* printer, int deviceWidth, int deviceHeight, int offsetX, int offsetY,
                           int quarterTurns, int colorMode, const FcPoint2d& corner1, const FcPoint2d& corner2,
                           double pixelsPerUnit, int printerPixelsPerInch) = 0;
  virtual bool ExportWindow(const FcPoint2d& corner1, const FcPoint2d& corner2,
                            std::unique_ptr<FcDisplayDevice>&& device, int deviceWidth, int deviceHeight,
                            const std::string& fileName) = 0;

  // The handles of the entities whose primitives lie inside, or inside or
  // across, the box from min to max, and of those drawn on screen.
  virtual std::vector<FcHandle> CollectInsideWindow(const FcPoint2d& min, const FcPoint2d& max) = 0;
  virtual std::vector<FcHandle> CollectCrossingWindow(const FcPoint2d& min, const FcPoint2d& max) = 0;
  virtual std::vector<FcHandle> CollectOnScreen() = 0;
  // The entity, primitive and part under the box; false when none.
  virtual bool PickOnScreen(const FcPoint2d& min, const FcPoint2d& max, FcHandle& entityHandle,
                            FcHandle& primitiveHandle, int& partTag) = 0;

  // The world length of a number of screen pixels, 0 without a view.
  virtual double PixelsToWorld(int pixels) const = 0;
  // The width of the device rectangle in pixels.
  virtual int GetDeviceWidth() const = 0;
  // The view window in world coordinates; false when there is none.
  virtual bool GetViewWindow(FcViewWindow& window) const = 0;
  // Sets it, widened to the device's proportions.
  virtual void SetViewWindow(const FcViewWindow& window) = 0;

  // The display list itself, for the code above the drawing that draws,
  // paints and prints it.
  virtual FcDisplaySurface* GetSurface() const = 0;
};

// Makes the view of each new drawing. The display code installs it once at
// start-up; until then drawings have no view.
using FcGraphViewFactory = std::function<std::unique_ptr<FcGraphView>(FcGraph& graph)>;
void SetGraphViewFactory(FcGraphViewFactory factory);
std::unique_ptr<FcGraphView> MakeGraphView(FcGraph& graph);
