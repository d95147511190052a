#pragma once

#include <string_view>

#include "core/resbuf.h"
#include "database/object.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"

// The group loop of an object record after its subclass marker: 0 or
// 100 is put back and ends the record (0), 1001 reads extended data (2 when
// it fails), every other group goes to `own`; the end of the data gives 1.
template <typename Own>
int ReadObjectOwnGroups(FcObject& object, FcFiler& filer, Own own) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type == 0 || group.type == 100) {
      filer.UnreadGroup();
      return kFcStatusOk;
    }
    if (group.type == 1001) {
      filer.UnreadGroup();
      if (object.ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
      continue;
    }
    own(group);
  }
  return kFcStatusEnd;
}

// The common groups and the subclass marker of an object record; false
// when either is missing.
inline bool ReadObjectStart(FcObject& object, FcFiler& filer, std::string_view marker) {
  return object.FcObject::ReadDxf(filer) == kFcStatusOk && ReadMarkerNoCase(filer, marker);
}
