#include "display/grip_point.h"

#include <algorithm>
#include <cmath>

#include "core/matrix2d.h"
#include "database/entity.h"
#include "display/display_surface.h"
#include "display/drag_grip_point.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"

namespace {

// Grips closer to the one picked than this share of the pick box's
// half-side are the same place: they become hot together.
constexpr double kCoincidentShare = 0.0001;

bool InBox(const FcPoint2d& p, const FcPoint2d& min, const FcPoint2d& max) {
  return p.x >= min.x && p.x <= max.x && p.y >= min.y && p.y <= max.y;
}

}  // namespace

void FcGripPoint::SetPoints(FcEntity* owner, const FcPoint2dArray& points) {
  owner_ = owner;
  entityHandle = owner != nullptr ? owner->GetHandle() : 0;
  points_.assign(points.data, points.data + points.count);
  states_.assign(points_.size(), 0);
  extentsValid = false;
  InvalidateDeviceCache();
}

void FcGripPoint::SetState(int index, int state) {
  if (index < 0 || static_cast<std::size_t>(index) >= states_.size()) return;
  states_[static_cast<std::size_t>(index)] = state;
  InvalidateDeviceCache();
}

void FcGripPoint::Transform(const FcMatrix2d& matrix) {
  for (FcPoint2d& point : points_) TransformPoint(matrix, point);
  extentsValid = false;
  InvalidateDeviceCache();
}

void FcGripPoint::Draw(FcDisplaySurface& surface) {
  drawn = false;
  if (!CanDraw(surface)) return;
  FcDisplayDevice& device = *surface.GetDevice();
  const FcViewTransform& view = *surface.GetView();
  const ProgramSettings& settings = GetProgramSettings();
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const FcPoint2d& point = points_[i];
    if (point.x < view.x0 || point.x > view.x1 || point.y < view.y0 || point.y > view.y1) continue;
    std::int32_t x = 0;
    std::int32_t y = 0;
    view.WorldToDevice(point.x, point.y, &x, &y);
    const bool hot = states_[i] != 0;
    colorIndex = hot ? settings.grip_hot : settings.grip_color;
    device.SetColor(ResolveColor(*this, device.backgroundIndex, device.backgroundRgb));
    device.DrawGrip(x, y, hot);
    drawn = true;
  }
}

void FcGripPoint::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (points_.empty()) return;
  min = max = points_.front();
  for (const FcPoint2d& point : points_) {
    min.x = std::min(min.x, point.x);
    min.y = std::min(min.y, point.y);
    max.x = std::max(max.x, point.x);
    max.y = std::max(max.y, point.y);
  }
}

bool FcGripPoint::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  const FcPoint2d centre{(min.x + max.x) / 2, (min.y + max.y) / 2};
  bool hit = false;
  for (const FcPoint2d& point : points_) {
    if (!InBox(point, min, max)) continue;
    const double distance = std::hypot(point.x - centre.x, point.y - centre.y);
    if (hit && distance >= foundDistance_) continue;
    hit = true;
    found_ = point;
    foundDistance_ = distance;
  }
  return hit;
}

void FcGripPoint::ResetGripStates() { states_.assign(points_.size(), 0); }

CIntArray FcGripPoint::MarkHotNear(const FcPoint2d& grip, double tolerance) {
  CIntArray hot;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const bool near = std::abs(points_[i].x - grip.x) <= tolerance && std::abs(points_[i].y - grip.y) <= tolerance;
    states_[i] = near ? 1 : 0;
    if (near) hot.Add(static_cast<int>(i));
  }
  return hot;
}

bool FindGripAt(const FcPoint2d& pick, FcDisplaySurface& surface, FcDragGripPoint& drag) {
  if (surface.GetView() == nullptr) return false;
  const double half = surface.GetView()->PixelsToWorld(GetProgramSettings().grip_size);
  const FcPoint2d min{pick.x - half, pick.y - half};
  const FcPoint2d max{pick.x + half, pick.y + half};
  FcDsGroupEnts& grips = surface.GetGripGroup();
  const FcGripPoint* winner = nullptr;
  for (int i = 0; i < grips.GetCount(); ++i) {
    auto* marker = dynamic_cast<FcGripPoint*>(grips.GetPrimitive(i));
    if (marker == nullptr || !marker->CrossesWindow(min, max)) continue;
    if (winner == nullptr || marker->GetFoundDistance() < winner->GetFoundDistance()) winner = marker;
  }
  if (winner == nullptr) return false;
  const FcPoint2d grip = winner->GetFoundGripPoint();
  drag.basePoint = grip;
  const double tolerance = half * kCoincidentShare;
  for (int i = 0; i < grips.GetCount(); ++i) {
    auto* marker = dynamic_cast<FcGripPoint*>(grips.GetPrimitive(i));
    if (marker == nullptr) continue;
    const CIntArray hot = marker->MarkHotNear(grip, tolerance);
    if (hot.count > 0 && marker->GetOwner() != nullptr) drag.AddItem().Set(marker->GetOwner(), hot);
  }
  surface.gripsChanged = true;
  return true;
}
