#include "entities/ray.h"

#include <new>

#include "core/data_array.h"
#include "entities/entity_clone.h"
#include "entities/geom_segment_ops.h"

FcRay::FcRay()
    : FcUnboundedLine(kRecordName, kEntityRay, kDwgType, kSubclassMarker, kLineExtentRay,
                      kOsnapEndpoint) {}

FcRay::FcRay(const FcRay& other) : FcRay() { Copy(&other); }

FcObject* FcRay::Create() { return new (std::nothrow) FcRay; }

bool FcRay::Draw(FcDrawSink* sink) {
  if (sink != nullptr && FcEntity::Draw(sink)) sink->AddRay(GetBasePoint(), GetDirection(), GetHandle(), 0);
  return true;
}

FcEntity* FcRay::Clone() const { return new (std::nothrow) FcRay(*this); }

FcEntity* FcRay::CloneFromOtherGraph(FcGraph& target) const {
  return CloneEntityIntoGraph(*this, target);
}

void FcRay::GetGripPoints(FcPoint2dArray& points) {
  points.Add(GetBasePoint());
  points.Add(PointAlong(GripLength()));
}
