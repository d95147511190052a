#include "entities/solid.h"

#include <new>

#include "entities/entity_clone.h"

namespace {

// The outline runs corner 1, 2, 4, 3; the DWG record keeps the stored order.
constexpr FcCornerEntity::Style kSolidStyle = {.recordName = FcSolid::kRecordName,
                                               .kind = kEntitySolid,
                                               .dwgType = FcSolid::kDwgType,
                                               .subclassMarker = FcSolid::kSubclassMarker,
                                               .outline = {0, 1, 3, 2},
                                               .fileOrder = FcCornerEntity::kStoredOrder,
                                               .filled = true,
                                               .outlineWhenPrinting = false,
                                               .labels = FcCornerEntity::kFilledLabels};

}  // namespace

FcSolid::FcSolid() : FcCornerEntity(kSolidStyle) {}

FcSolid::FcSolid(const FcSolid& other) : FcSolid() { Copy(&other); }

FcObject* FcSolid::Create() { return new (std::nothrow) FcSolid; }

FcEntity* FcSolid::Clone() const { return new (std::nothrow) FcSolid(*this); }

FcEntity* FcSolid::CloneFromOtherGraph(FcGraph& target) const {
  return CloneEntityIntoGraph(*this, target);
}
