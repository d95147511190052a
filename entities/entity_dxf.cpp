#include "entities/entity_dxf.h"

#include "core/resbuf.h"
#include "database/entity.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "files/filer.h"

namespace {

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

// Groups 6, 8, 62 and 1001 after the subclass marker: 0 to go on, or the
// result that ends the read.
int ReadSharedGroup(FcEntity& entity, FcFiler& filer, const FcResBuf& group) {
  switch (group.type) {
    case 6: {
      FcGraph* graph = filer.GetGraph();
      FcLineType* linetype =
          graph != nullptr ? graph->GetLinetypeList().FindByName(TextOf(group)) : nullptr;
      if (linetype == nullptr) return kFcStatusStructure;
      entity.SetLinetype(linetype);
      return kFcStatusOk;
    }
    case 8:
      entity.SetLayerName(TextOf(group));
      return kFcStatusOk;
    case 62:
      entity.SetColor(static_cast<std::int16_t>(group.intValue));
      return kFcStatusOk;
    default:
      filer.UnreadGroup();
      return entity.ReadXdata(filer) == kFcStatusOk ? kFcStatusOk : kFcStatusReadError;
  }
}

bool IsSharedGroup(int code) { return code == 6 || code == 8 || code == 62 || code == 1001; }

}  // namespace

int ReadEntityDxf(FcEntity& entity, FcFiler& filer, std::string_view subclassMarker,
                  const EntityGroupReader& readOwnGroup) {
  if (entity.FcEntity::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  FcResBuf group;
  if (!filer.ReadGroup(group) || group.type != 100 ||
      !EqualsNoCase(TextOf(group), subclassMarker)) {
    return kFcStatusEnd;
  }
  while (filer.ReadGroup(group)) {
    if (group.type == 0 || group.type == 100) {
      filer.UnreadGroup();
      return kFcStatusOk;
    }
    const int result = IsSharedGroup(group.type) ? ReadSharedGroup(entity, filer, group)
                                                 : readOwnGroup(group);
    if (result != kFcStatusOk) return result;
  }
  return kFcStatusEnd;
}

void WriteDxfPoint(FcFiler& filer, std::int16_t code, const FcPoint2d& point) {
  filer.WriteReal(code, point.x);
  filer.WriteReal(static_cast<std::int16_t>(code + 10), point.y);
}
