#include "display/display_group.h"

#include <algorithm>

void FcDsGroupEnts::Add(std::unique_ptr<FcDsEntity> primitive) {
  primitives_.push_back(std::move(primitive));
  extentsValid_ = false;
}

void FcDsGroupEnts::TakePrimitivesOf(FcDsGroupEnts& other) {
  primitives_.reserve(primitives_.size() + other.primitives_.size());
  for (std::unique_ptr<FcDsEntity>& primitive : other.primitives_) primitives_.push_back(std::move(primitive));
  other.primitives_.clear();
  visible = visible && other.visible;
  extentsValid_ = false;
}

void FcDsGroupEnts::RemoveAll() {
  primitives_.clear();
  primitives_.shrink_to_fit();
  highlighted = false;
  drawn = false;
  extentsValid_ = false;
  visible = true;
}

void FcDsGroupEnts::Draw(FcDisplaySurface& surface) {
  drawn = false;
  if (!visible) return;
  for (const std::unique_ptr<FcDsEntity>& primitive : primitives_) {
    if (!primitive->visible) continue;
    primitive->Draw(surface);
    if (primitive->drawn) drawn = true;
  }
}

void FcDsGroupEnts::GetExtents(FcPoint2d& min, FcPoint2d& max) {
  if (primitives_.empty()) return;
  if (!extentsValid_) {
    primitives_.front()->GetExtents(extentsMin_, extentsMax_);
    for (const std::unique_ptr<FcDsEntity>& primitive : primitives_) {
      FcPoint2d low;
      FcPoint2d high;
      primitive->GetExtents(low, high);
      extentsMin_ = {std::min(extentsMin_.x, low.x), std::min(extentsMin_.y, low.y)};
      extentsMax_ = {std::max(extentsMax_.x, high.x), std::max(extentsMax_.y, high.y)};
    }
    extentsValid_ = true;
  }
  min = extentsMin_;
  max = extentsMax_;
}

bool FcDsGroupEnts::InsideWindow(const FcPoint2d& min, const FcPoint2d& max) {
  if (!drawn || primitives_.empty()) return false;
  FcPoint2d low;
  FcPoint2d high;
  GetExtents(low, high);
  return BoxInsideBox(low, high, min, max);
}

bool FcDsGroupEnts::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  if (!drawn || primitives_.empty()) return false;
  return std::any_of(primitives_.begin(), primitives_.end(),
                     [&](const std::unique_ptr<FcDsEntity>& primitive) { return primitive->CrossesWindow(min, max); });
}

void FcDsGroupEnts::RemoveGripsOf(const FcEntity* owner) {
  for (std::size_t i = primitives_.size(); i-- > 0;) {
    const auto* grip = dynamic_cast<const FcGripMarker*>(primitives_[i].get());
    if (grip == nullptr || grip->GetOwnerEntity() != owner) continue;
    primitives_[i] = std::move(primitives_.back());
    primitives_.pop_back();
  }
  extentsValid_ = false;
}

void FcDsGroupEnts::InvalidateDeviceCaches() {
  for (const std::unique_ptr<FcDsEntity>& primitive : primitives_) primitive->InvalidateDeviceCache();
}
