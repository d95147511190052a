#include "database/object_record_parts.h"

#include <algorithm>

#include "core/resbuf.h"
#include "database/object.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

FcHandle OwnerHandleOf(const FcObject& object) {
  return object.GetOwner() != nullptr ? object.GetOwner()->GetHandle() : 0;
}

void WriteReactorGroups(FcFiler& filer, FcHandle owner) {
  filer.WriteString(102, "{ACAD_REACTORS");
  filer.WriteHandle(330, owner);
  filer.WriteString(102, "}");
}

void WriteCommonGroupsWithReactors(FcObject& object, FcFiler& filer) {
  object.FcObject::WriteDxf(filer);
  if (object.GetOwner() != nullptr) WriteReactorGroups(filer, object.GetOwner()->GetHandle());
}

void WriteDwgOwnerHandles(FcObject& object, FcFilerDwg& filer, std::uint8_t ownerCode) {
  const FcHandle owner = OwnerHandleOf(object);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(ownerCode, object.GetHandle(), owner);
  filer.WriteHandleRef(4, 0, owner);
  filer.WriteHandleRef(3, 0, 0);
}

bool ReadMarkerNoCase(FcFiler& filer, std::string_view marker) {
  FcResBuf group;
  return filer.ReadGroup(group) && group.type == 100 && group.text != nullptr &&
         EqualsNoCase(group.text, marker);
}

int ReadDxfGroups(FcFiler& filer, const RecordGroupReader& take) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type == 0 || group.type == 100) {
      filer.UnreadGroup();
      return kFcStatusOk;
    }
    if (const int result = take(group); result != kFcStatusOk) return result;
  }
  return kFcStatusEnd;
}

int ReadDxfGroupsWithXdata(FcObject& object, FcFiler& filer, const RecordGroupReader& take) {
  return ReadDxfGroups(filer, [&object, &filer, &take](const FcResBuf& group) {
    if (group.type != 1001) return take(group);
    filer.UnreadGroup();
    return object.ReadXdata(filer) == kFcStatusOk ? kFcStatusOk : kFcStatusReadError;
  });
}

int ReadDxfTail(FcObject& object, FcFiler& filer) {
  return ReadDxfGroupsWithXdata(object, filer, [](const FcResBuf&) { return kFcStatusOk; });
}

std::int64_t FileBytesLeft(const FcFiler& filer) {
  const FcFile* file = filer.GetFile();
  if (file == nullptr) return 0;
  return std::max<std::int64_t>(0, file->GetLength() - file->GetPosition());
}

std::int64_t RecordBytesLeft(const FcFilerDwg& filer, const FcDwgRecordPlace& place) {
  const FcFile* file = filer.GetFile();
  if (file == nullptr) return 0;
  const std::int64_t end = std::min(place.offset + place.size, file->GetLength());
  return std::max<std::int64_t>(0, end - file->GetPosition());
}

bool CountFitsRecord(const FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int64_t n,
                     std::int64_t bytesEach) {
  return n >= 0 && n <= RecordBytesLeft(filer, place) / bytesEach;
}
