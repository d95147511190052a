#include "entities/xline.h"

#include <new>

#include "core/data_array.h"
#include "entities/entity_clone.h"
#include "entities/geom_segment_ops.h"
#include "entities/surface_primitives_more.h"

FcXLine::FcXLine()
    : FcUnboundedLine(kRecordName, kEntityXLine, kDwgType, kSubclassMarker, kLineExtentInfinite,
                      kOsnapMidpoint) {}

FcXLine::FcXLine(const FcXLine& other) : FcXLine() { Copy(&other); }

FcObject* FcXLine::Create() { return new (std::nothrow) FcXLine; }

bool FcXLine::Draw(FcDisplaySurface* surface) {
  if (FcEntity::Draw(surface)) {
    AddXLineToSurface(surface, GetBasePoint(), GetDirection(), GetHandle(), 0);
  }
  return true;
}

FcEntity* FcXLine::Clone() const { return new (std::nothrow) FcXLine(*this); }

FcEntity* FcXLine::CloneFromOtherGraph(FcGraph& target) const {
  return CloneEntityIntoGraph(*this, target);
}

void FcXLine::GetGripPoints(FcPoint2dArray& points) {
  const double length = GripLength();
  points.Add(GetBasePoint());
  points.Add(PointAlong(length));
  points.Add(PointAlong(-length));
}
