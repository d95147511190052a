#include "entities/xline.h"

#include <new>

#include "core/data_array.h"
#include "entities/entity_clone.h"
#include "entities/geom_segment_ops.h"

FcXLine::FcXLine()
    : FcUnboundedLine(kRecordName, kEntityXLine, kDwgType, kSubclassMarker, kLineExtentInfinite,
                      kOsnapMidpoint) {}

FcXLine::FcXLine(const FcXLine& other) : FcXLine() { Copy(&other); }

FcObject* FcXLine::Create() { return new (std::nothrow) FcXLine; }

bool FcXLine::Draw(FcDrawSink* sink) {
  if (sink != nullptr && FcEntity::Draw(sink)) sink->AddXLine(GetBasePoint(), GetDirection(), GetHandle(), 0);
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
