#include "core/pen_widths.h"
#include "database/entity.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "display/progress_steps.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"

namespace {

// Exports of up to this many groups finish too fast to need progress.
constexpr int kExportProgressMinimum = 1000;

}  // namespace

void FcDisplaySurface::DrawXorEntity(FcEntity* entity) {
  if (device_ == nullptr || entity == nullptr) return;
  device_->BeginPaint({}, 0);
  device_->BeginXor();
  // Drawing the previous image again erases it.
  temporaryGroup_.Draw(*this);
  temporaryGroup_.RemoveAll();
  temporaryCollecting = true;
  entity->Draw(this);
  temporaryCollecting = false;
  temporaryGroup_.Draw(*this);
  device_->EndXor();
  device_->EndPaint();
}

bool FcDisplaySurface::DragPreview(FcDragObject* drag, const FcPoint2d& point, int extra) {
  if (device_ == nullptr || drag == nullptr) return false;
  device_->BeginPaint({}, 0);
  device_->BeginXor();
  temporaryGroup_.Draw(*this);
  temporaryGroup_.RemoveAll();
  BeginDraw(0, nullptr);
  // What the drag draws is the preview alone; in the display list it would
  // join (or replace) the groups of the entities it shows.
  temporaryCollecting = true;
  bool result = false;
  if (drag->mode == 1) {
    drag->DrawFull(owner_, this, point);
  } else {
    result = drag->DrawTest(owner_, this, point, extra);
  }
  temporaryCollecting = false;
  EndDraw();
  temporaryGroup_.Draw(*this);
  device_->EndXor();
  device_->EndPaint();
  return result;
}

void FcDisplaySurface::Print(int offsetX, int offsetY, int quarterTurns, double widthUnit, FcDeviceContext* printer,
                             int printerPixelsPerInch) {
  viewUnchanged = false;
  if (device_ == nullptr) return;
  const ProgramSettings& settings = GetProgramSettings();
  for (std::size_t i = 0; i < penWidths_.size(); ++i) penWidths_[i].width = settings.print_pen_width[i];
  ScalePenWidths(printerPixelsPerInch * widthUnit, penWidths_);
  // Colour 7 then prints black.
  device_->backgroundIndex = 7;
  device_->backgroundRgb = 0xFFFFFF;
  device_->BeginPrint(printer, offsetX, offsetY, quarterTurns);
  for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
    if (!group || !group->visible) continue;
    for (int i = 0; i < group->GetCount(); ++i) group->GetPrimitive(i)->DrawRotated(*this);
  }
  device_->EndPrint();
}

void FcDisplaySurface::Export(const std::string& fileName) {
  if (device_ == nullptr) return;
  const int count = LiveGroupCount();
  FcProgressSteps progress(OnWindowThread() && count > kExportProgressMinimum, "Exporting", count);
  device_->BeginPaint({nullptr, fileName}, 0);
  // A group that fails to draw ends the pass, but the export device still
  // finishes its file and the progress display still ends.
  try {
    int done = 0;
    for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
      if (!group) continue;
      group->Draw(*this);
      progress.Advance(++done);
    }
  } catch (const std::exception&) {
  }
  device_->EndPaint();
}

void FcDisplaySurface::RenderPreview(int width, CDib& dib, int height) {
  if (device_ == nullptr) return;
  offscreen = true;
  device_->Lock();
  PushView();
  // The pushed view starts with the device rectangle of the one before.
  FcViewTransform& view = *view_;
  const int savedX0 = view.deviceX0;
  const int savedY0 = view.deviceY0;
  const int savedX1 = view.deviceX1;
  const int savedY1 = view.deviceY1;
  if (width != 0 && height != 0) {
    device_->Resize(width, height);
    view.deviceX0 = 0;
    view.deviceY0 = 0;
    view.deviceX1 = width;
    view.deviceY1 = height;
    FitWindowToDevice();
    viewUnchanged = false;
    gripsChanged = true;
  }
  // Whatever drawing the groups does to the UCS-icon setting, the screen
  // keeps the user's.
  const short ucsIcon = owner_ != nullptr ? owner_->GetSysVars().ucsicon : -1;
  device_->BeginDrawOn(nullptr);
  for (const std::unique_ptr<FcDsGroupEnts>& group : groups_) {
    if (group) group->Draw(*this);
  }
  device_->EndDrawOn();
  device_->CopyToDib(dib);
  if (ucsIcon >= 0 && ucsIcon <= 3) owner_->GetSysVars().ucsicon = ucsIcon;
  if (savedX1 - savedX0 != 0 && savedY1 - savedY0 != 0) device_->Resize(savedX1 - savedX0, savedY1 - savedY0);
  view.deviceX0 = savedX0;
  view.deviceY0 = savedY0;
  view.deviceX1 = savedX1;
  view.deviceY1 = savedY1;
  PopView();
  device_->Unlock();
  offscreen = false;
}
