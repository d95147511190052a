#include "entities/trace.h"

#include <new>

#include "entities/entity_clone.h"

namespace {

constexpr FcCornerEntity::Style kTraceStyle = {.recordName = FcTrace::kRecordName,
                                               .kind = kEntityTrace,
                                               .dwgType = FcTrace::kDwgType,
                                               .subclassMarker = FcTrace::kSubclassMarker,
                                               .outline = FcCornerEntity::kStoredOrder,
                                               .fileOrder = {0, 1, 3, 2},
                                               .filled = true,
                                               .outlineWhenPrinting = true,
                                               .labels = FcCornerEntity::kFilledLabels};

}  // namespace

FcTrace::FcTrace() : FcCornerEntity(kTraceStyle) {}

FcTrace::FcTrace(const FcTrace& other) : FcTrace() { Copy(&other); }

FcObject* FcTrace::Create() { return new (std::nothrow) FcTrace; }

FcEntity* FcTrace::Clone() const { return new (std::nothrow) FcTrace(*this); }

FcEntity* FcTrace::CloneFromOtherGraph(FcGraph& target) const {
  return CloneEntityIntoGraph(*this, target);
}
