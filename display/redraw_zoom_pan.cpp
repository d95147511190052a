#include <chrono>
#include <cmath>

#include "database/graph.h"
#include "display/display_surface.h"
#include "display/progress_steps.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"

namespace {

using Clock = std::chrono::steady_clock;

// An interactive redraw looks for overtaking input at most this often.
constexpr auto kStopCheckInterval = std::chrono::milliseconds(75);

// Scales one axis of a window about the point p, keeping p where it is on
// the screen. A window without extent on the axis stays as it is.
void ZoomAxisAbout(double p, double factor, double& low, double& high) {
  const double width = high - low;
  if (width == 0.0) return;
  const double centre = (low + high) / 2;
  const double half = width * factor / 2;
  const double relative = (p - centre) / width * 2;
  low = p - half * relative - half;
  high = p - half * relative + half;
}

}  // namespace

// Scales the window about its centre; a factor that is not above 0 leaves
// its axis alone.
void ScaleWindow(FcViewTransform& view, double fx, double fy) {
  if (fx > 0.0) {
    const double centre = (view.x0 + view.x1) / 2;
    const double half = (view.x1 - view.x0) * fx / 2;
    view.x0 = centre - half;
    view.x1 = centre + half;
  }
  if (fy > 0.0) {
    const double centre = (view.y0 + view.y1) / 2;
    const double half = (view.y1 - view.y0) * fy / 2;
    view.y0 = centre - half;
    view.y1 = centre + half;
  }
}

void FcDisplaySurface::RequestRedrawStop(FcPendingInput input) {
  pendingInput_.fetch_or(static_cast<int>(input));
}

// A redraw that new input overtakes gives up so that the view can start
// again for that input. The view raises the pending-input flag from its
// event handler (there is no message queue to peek at); the redraw takes
// the flag of its own mode.
bool FcDisplaySurface::ShouldStopRedraw() {
  const int bit = static_cast<int>(interactiveMode == 1 ? FcPendingInput::kMouseMove : FcPendingInput::kMouseWheel);
  return (pendingInput_.fetch_and(~bit) & bit) != 0;
}

void FcDisplaySurface::Redraw() {
  if (busy || offscreen || device_ == nullptr) return;
  device_->BeginPaint({}, gripsOnly ? 0 : 1);
  if (interactiveMode != 0) {
    DrawGroupsInteractive();
  } else if (gripsOnly) {
    if (!gripGroup_.IsEmpty()) gripGroup_.Draw(*this);
    gripsOnly = false;
  } else {
    DrawGroupsFull();
  }
  if (owner_ != nullptr) {
    const FcSystemVar& vars = owner_->GetSysVars();
    if (vars.gridmode != 0) device_->DrawGrid(owner_, this);
    if (vars.ucsicon == 1 || vars.ucsicon == 3) device_->DrawUcsIcon(owner_, this);
  }
  device_->EndPaint();
  gripsChanged = false;
  viewUnchanged = true;
}

void FcDisplaySurface::DrawGroupsInteractive() {
  // Input that came before this redraw began is what it is drawing for.
  pendingInput_.store(0);
  bool keepGoing = true;
  Clock::time_point mark = Clock::now();
  const auto checkForInput = [&] {
    const Clock::time_point now = Clock::now();
    if (now - mark <= kStopCheckInterval) return;
    if (ShouldStopRedraw()) keepGoing = false;
    mark = now;
  };
  int highlighted = 0;
  std::size_t firstHighlighted = 0;
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    FcDsGroupEnts* group = groups_[i].get();
    if (group == nullptr) continue;
    if (!keepGoing) {
      group->InvalidateDeviceCaches();
      continue;
    }
    if (group->highlighted) {
      if (highlighted++ == 0) firstHighlighted = i;
    } else {
      group->Draw(*this);
    }
    checkForInput();
  }
  if (highlighted > 0) {
    device_->BeginHighlight();
    for (std::size_t i = firstHighlighted; i < groups_.size() && highlighted > 0; ++i) {
      FcDsGroupEnts* group = groups_[i].get();
      if (group == nullptr) continue;
      if (group->highlighted) --highlighted;
      if (!keepGoing) {
        group->InvalidateDeviceCaches();
        continue;
      }
      if (group->highlighted) group->Draw(*this);
      checkForInput();
    }
    device_->EndHighlight();
  }
  if (!gripGroup_.IsEmpty() && keepGoing) gripGroup_.Draw(*this);
}

void FcDisplaySurface::DrawGroupsFull() {
  const int count = LiveGroupCount();
  {
    // Small drawings redraw faster than a progress bar can be shown.
    FcProgressSteps progress(OnWindowThread() && count > GetProgramSettings().redraw_progress_threshold, "Redrawing",
                             count);
    int done = 0;
    int highlighted = 0;
    std::size_t firstHighlighted = 0;
    for (std::size_t i = 0; i < groups_.size(); ++i) {
      FcDsGroupEnts* group = groups_[i].get();
      if (group == nullptr) continue;
      if (group->highlighted) {
        if (highlighted++ == 0) firstHighlighted = i;
        continue;
      }
      group->Draw(*this);
      progress.Advance(++done);
    }
    if (highlighted > 0) {
      device_->BeginHighlight();
      for (std::size_t i = firstHighlighted; i < groups_.size() && highlighted > 0; ++i) {
        FcDsGroupEnts* group = groups_[i].get();
        if (group == nullptr || !group->highlighted) continue;
        group->Draw(*this);
        --highlighted;
        progress.Advance(++done);
      }
      device_->EndHighlight();
    }
  }
  if (!gripGroup_.IsEmpty()) gripGroup_.Draw(*this);
  if (!temporaryGroup_.IsEmpty()) {
    device_->BeginXor();
    temporaryGroup_.Draw(*this);
    device_->EndXor();
  }
}

bool FcDisplaySurface::NeedsRegen() const {
  if (busy || view_ == nullptr || regenReferenceLength == 0.0) return false;
  const double ratio = view_->WorldLengthToDevice(1000.0) / regenReferenceLength;
  return ratio > 200.0 || ratio < 1.0 / 200.0;
}

void FcDisplaySurface::ViewChanged() {
  viewUnchanged = false;
  gripsChanged = true;
}

void FcDisplaySurface::PushView() {
  auto* view = new FcViewTransform;
  if (view_ != nullptr) {
    view->x0 = view_->x0;
    view->y0 = view_->y0;
    view->x1 = view_->x1;
    view->y1 = view_->y1;
    view->deviceX0 = view_->deviceX0;
    view->deviceY0 = view_->deviceY0;
    view->deviceX1 = view_->deviceX1;
    view->deviceY1 = view_->deviceY1;
    view->Update();
  }
  view->previous = view_;
  view_ = view;
}

bool FcDisplaySurface::PopView() {
  if (view_ == nullptr || view_->previous == nullptr) return false;
  FcViewTransform* previous = view_->previous;
  previous->deviceX0 = view_->deviceX0;
  previous->deviceY0 = view_->deviceY0;
  previous->deviceX1 = view_->deviceX1;
  previous->deviceY1 = view_->deviceY1;
  delete view_;
  view_ = previous;
  FitWindowToDevice();
  ViewChanged();
  return true;
}

void FcDisplaySurface::DeleteViews() {
  while (view_ != nullptr) {
    FcViewTransform* previous = view_->previous;
    delete view_;
    view_ = previous;
  }
}

void FcDisplaySurface::ReplaceViews(int width, int height) {
  DeleteViews();
  view_ = new FcViewTransform;
  view_->deviceX0 = 0;
  view_->deviceY0 = 0;
  view_->deviceX1 = width;
  view_->deviceY1 = height;
  view_->x0 = 0.0;
  view_->y0 = 0.0;
  view_->x1 = 2.0 * width;
  view_->y1 = 2.0 * height;
}

void FcDisplaySurface::SetDeviceSize(int width, int height) {
  ReplaceViews(width, height);
  if (device_ != nullptr) {
    device_->width = width;
    device_->height = height;
  }
  regenReferenceLength = view_->WorldLengthToDevice(1000.0);
}

void FcDisplaySurface::Resize(int width, int height) {
  if (device_ != nullptr) device_->Resize(width, height);
  ReplaceViews(width, height);
  FitWindowToDevice();
  regenReferenceLength = view_->WorldLengthToDevice(1000.0);
  gripsChanged = true;
}

void FcDisplaySurface::FitWindowToDevice() {
  if (view_ == nullptr) return;
  FcViewTransform& view = *view_;
  const double deviceWidth = static_cast<double>(view.deviceX1) - view.deviceX0;
  const double deviceHeight = static_cast<double>(view.deviceY1) - view.deviceY0;
  if (deviceWidth == 0.0 || deviceHeight == 0.0) return;
  const double sx = (view.x1 - view.x0) / deviceWidth;
  const double sy = (view.y1 - view.y0) / deviceHeight;
  if (!std::isfinite(sx) || !std::isfinite(sy)) return;
  if (sx > sy) {
    const double centre = (view.y0 + view.y1) / 2;
    const double half = sx * deviceHeight / 2;
    view.y0 = centre - half;
    view.y1 = centre + half;
  } else {
    const double centre = (view.x0 + view.x1) / 2;
    const double half = deviceWidth * sy / 2;
    view.x0 = centre - half;
    view.x1 = centre + half;
  }
  view.Update();
}

void FcDisplaySurface::ZoomScale(double factor) {
  PushView();
  ScaleWindow(*view_, factor, factor);
  view_->Update();
  ViewChanged();
}

void FcDisplaySurface::WheelZoom(double x, double y, double factor) {
  PushView();
  ZoomAxisAbout(x, factor, view_->x0, view_->x1);
  ZoomAxisAbout(y, factor, view_->y0, view_->y1);
  view_->Update();
  ViewChanged();
}

void FcDisplaySurface::WheelZoomIn(double x, double y) {
  WheelZoom(x, y, 1.0 - GetProgramSettings().zoom_factor / 100.0);
}

void FcDisplaySurface::WheelZoomOut(double x, double y) {
  WheelZoom(x, y, 1.0 + GetProgramSettings().zoom_factor / 100.0);
}

void FcDisplaySurface::ZoomWindow(const FcPoint2d& corner1, const FcPoint2d& corner2) {
  if (corner1.x == corner2.x || corner1.y == corner2.y) return;
  if (!std::isfinite(corner1.x) || !std::isfinite(corner1.y) || !std::isfinite(corner2.x) ||
      !std::isfinite(corner2.y)) {
    return;
  }
  PushView();
  view_->x0 = std::min(corner1.x, corner2.x);
  view_->y0 = std::min(corner1.y, corner2.y);
  view_->x1 = std::max(corner1.x, corner2.x);
  view_->y1 = std::max(corner1.y, corner2.y);
  FitWindowToDevice();
  ViewChanged();
}

void FcDisplaySurface::ZoomExtents() {
  FcPoint2d min;
  FcPoint2d max;
  if (!GetExtents(min, max)) return;
  double hx = (max.x - min.x) * 0.51;
  double hy = (max.y - min.y) * 0.51;
  if (hx == 0.0 || hy == 0.0) {
    hx = 12.0;
    hy = 9.0;
  }
  const FcPoint2d centre{(min.x + max.x) / 2, (min.y + max.y) / 2};
  ZoomWindow({centre.x - hx, centre.y - hy}, {centre.x + hx, centre.y + hy});
}

void FcDisplaySurface::Pan(const FcPoint2d& point, const FcPoint2d& anchor, bool push) {
  if (push) PushView();
  if (view_ == nullptr) return;
  const double dx = anchor.x - point.x;
  const double dy = anchor.y - point.y;
  view_->x0 += dx;
  view_->x1 += dx;
  view_->y0 += dy;
  view_->y1 += dy;
  view_->Update();
  ViewChanged();
}
