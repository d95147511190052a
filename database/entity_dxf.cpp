#include "database/entity_dxf.h"

#include "core/resbuf.h"
#include "database/entity.h"
#include "filers/filer.h"

namespace {

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

// The group loop after a subclass marker, with the common groups that may
// stand anywhere in a record taken here.
int ReadOwnGroups(FcEntity& entity, FcFiler& filer, FcResBuf& group, EntityGroupReader readOwnGroup) {
  return ReadRecordGroups(entity, filer, group, [&entity, &filer, readOwnGroup](const FcResBuf& own) {
    switch (own.type) {
      case 6:
      case 8:
      case 62:
        return entity.ReadCommonGroup(filer, own);
      default:
        return readOwnGroup(own);
    }
  });
}

}  // namespace

int ReadEntityDxf(FcEntity& entity, FcFiler& filer, std::string_view subclassMarker,
                  EntityGroupReader readOwnGroup) {
  // One work node serves the whole record, so that its text buffer is
  // allocated once rather than for every string group.
  FcResBuf group;
  const int common = entity.ReadDxfCommon(filer, group);
  if (common == kFcStatusNoSubclass) return entity.ReadDxfWithoutMarkers(filer, readOwnGroup);
  if (common != kFcStatusOk || group.type != 100 || !EqualsNoCase(TextOf(group), subclassMarker)) {
    return kFcStatusEnd;
  }
  const int result = ReadOwnGroups(entity, filer, group, readOwnGroup);
  if (result == kFcStatusOk) filer.UnreadGroup();
  return result;
}

int ReadEntitySubclassDxf(FcEntity& entity, FcFiler& filer, std::string_view subclassMarker,
                          EntityGroupReader readOwnGroup) {
  FcResBuf group;
  if (!filer.ReadGroup(group)) return kFcStatusEnd;
  if (group.type == 0) {
    filer.UnreadGroup();
    return kFcStatusOk;
  }
  if (group.type != 100 || !EqualsNoCase(TextOf(group), subclassMarker)) return kFcStatusEnd;
  const int result = ReadOwnGroups(entity, filer, group, readOwnGroup);
  if (result == kFcStatusOk) filer.UnreadGroup();
  return result;
}

void WriteDxfPoint(FcFiler& filer, std::int16_t code, const FcPoint2d& point) {
  filer.WriteReal(code, point.x);
  filer.WriteReal(static_cast<std::int16_t>(code + 10), point.y);
}
