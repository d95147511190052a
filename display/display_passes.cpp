#include "core/pen_widths.h"
#include "database/entity.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "display/progress_steps.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"

void FcDisplaySurface::DrawXorEntity(FcEntity* entity) {
  if (device_ == nullptr || entity == nullptr) return;
  EraseXorEntity();
  temporaryCollecting = true;
  entity->Draw(this);
  temporaryCollecting = false;
  PaintTemporaryGroup();
}

void FcDisplaySurface::EraseXorEntity() {
  PaintTemporaryGroup();
  temporaryGroup_.RemoveAll();
}

void FcDisplaySurface::PaintTemporaryGroup() {
  if (device_ == nullptr || temporaryGroup_.IsEmpty()) return;
  device_->BeginPaint({}, 0);
  device_->BeginXor();
  temporaryGroup_.Draw(*this);
  device_->EndXor();
  device_->EndPaint();
}

bool FcDisplaySurface::DragPreview(FcDragObject* drag, const FcPoint2d& point, int extra) {
  FcPreviewSlice whole;
  return DragPreviewSlice(drag, point, extra, whole);
}

bool FcDisplaySurface::DragPreviewSlice(FcDragObject* drag, const FcPoint2d& point, int extra,
                                        FcPreviewSlice& slice) {
  if (slice.first == 0) previewGroup_.RemoveAll();
  slice.seen = 0;
  slice.drawn = 0;
  slice.unfinished = false;
  if (drag == nullptr || busy) return false;
  previewCollecting = true;
  previewSlice_ = &slice;
  BeginDraw(0, nullptr);
  bool result = false;
  if (drag->mode == 1) {
    drag->DrawFull(owner_, this, point);
  } else if (drag->mode == 2) {
    result = drag->DrawTest(owner_, this, point, extra);
  }
  EndDraw();
  previewSlice_ = nullptr;
  previewCollecting = false;
  slice.first += slice.drawn;
  return result;
}

void FcDisplaySurface::PreviewRange(int count, int& begin, int& end) {
  begin = 0;
  end = count < 0 ? 0 : count;
  if (previewSlice_ == nullptr) return;
  FcPreviewSlice& slice = *previewSlice_;
  slice.seen = end;
  begin = slice.first < end ? slice.first : end;
  if (end - begin > slice.limit) {
    end = begin + slice.limit;
    slice.unfinished = true;
  }
  slice.drawn = end - begin;
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
