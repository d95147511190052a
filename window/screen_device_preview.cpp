#include "window/screen_device_preview.h"

#include "database/graph.h"
#include "imaging/dib.h"
#include "display/display_surface.h"
#include "window/screen_device.h"

bool RenderDrawingPreview(FcGraph& graph, std::vector<std::uint8_t>& dib) {
  CDib picture;
  FcDisplaySurface* shown = graph.GetDisplaySurface();
  if (shown != nullptr && shown->GetDevice() != nullptr) {
    shown->RenderPreview(kDrawingPreviewWidth, picture, kDrawingPreviewHeight);
  } else {
    FcDisplaySurface surface(&graph);
    surface.SetDevice(MakeScreenDevice());
    surface.Resize(kDrawingPreviewWidth, kDrawingPreviewHeight);
    graph.RegenToSurface(surface);
    surface.ZoomExtents();
    surface.RenderPreview(kDrawingPreviewWidth, picture, kDrawingPreviewHeight);
  }
  if (picture.IsEmpty() || !picture.ConvertBitCount(8)) return false;
  dib = picture.GetMemory();
  return true;
}
