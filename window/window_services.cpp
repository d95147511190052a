#include "window/window_services.h"

#include <mutex>

#include "commands/dialogs/select_condition_dlg.h"
#include "dialogs/dim_style_sample.h"
#include "dialogs/image_painter.h"
#include "display/dim_style_preview.h"
#include "display/display_surface.h"
#include "display/print_pass.h"
#include "entities/dimension_arrow_choice.h"
#include "files/drawing_services.h"
#include "files/dwg_file.h"
#include "window/image_context.h"
#include "window/screen_device.h"
#include "window/screen_device_preview.h"

namespace {

void PaintDimStyleSample(QPainter& painter, FcGraph& graph, const FcDimVars& vars, int width, int height) {
  // A built-in arrow chosen in the sheet gets its block now, so that the
  // sample shows it; accepting the sheet would make it anyway.
  for (const FcFixedText* arrow : {&vars.dimblk, &vars.dimblk1, &vars.dimblk2, &vars.dimldrblk})
    PrepareDimArrow(graph, arrow->str());
  FcDisplaySurface surface(&graph);
  surface.SetDevice(MakeScreenDevice());
  if (!DrawDimStylePreviewOf(graph, surface, vars, width, height)) return;
  FcDeviceContext context(painter);
  surface.GetDevice()->Present(&context, 0, 0, &graph, &surface, 0);
}

}  // namespace

void InstallWindowServices() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    InstallDrawingServices();
    SetDwgPreviewRenderer(RenderDrawingPreview);
    SetPrintDeviceFactory(MakeScreenDevice);
    SetImagePainter(PaintThroughContext);
    InstallSelectConditionDialog();
    SetDimSamplePainter(PaintDimStyleSample);
  });
}
