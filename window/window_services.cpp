#include "window/window_services.h"

#include <mutex>

#include "commands/dialogs/select_condition_dlg.h"
#include "dialogs/image_painter.h"
#include "display/print_pass.h"
#include "files/drawing_services.h"
#include "files/dwg_file.h"
#include "window/image_context.h"
#include "window/screen_device.h"
#include "window/screen_device_preview.h"

void InstallWindowServices() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    InstallDrawingServices();
    SetDwgPreviewRenderer(RenderDrawingPreview);
    SetPrintDeviceFactory(MakeScreenDevice);
    SetImagePainter(PaintThroughContext);
    InstallSelectConditionDialog();
  });
}
