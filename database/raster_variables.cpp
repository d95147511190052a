#include "database/raster_variables.h"

#include <new>

#include "database/graph.h"
#include "database/object_own_groups.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

FcRasterVariables::FcRasterVariables() { SetRecordName(kRecordName); }

FcObject* FcRasterVariables::Create() { return new (std::nothrow) FcRasterVariables; }

void FcRasterVariables::TakeSettings(const FcObject& other) {
  const auto* variables = dynamic_cast<const FcRasterVariables*>(&other);
  if (variables == nullptr) return;
  classVersion_ = variables->classVersion_;
  imageFrame_ = variables->imageFrame_;
  imageQuality_ = variables->imageQuality_;
  units_ = variables->units_;
}

int FcRasterVariables::Copy(const FcObject& other) {
  const int result = FcObject::Copy(other);
  TakeSettings(other);
  return result;
}

int FcRasterVariables::CopyFromOtherGraph(const FcObject& other, FcGraph& target) {
  const int result = FcObject::CopyFromOtherGraph(other, target);
  TakeSettings(other);
  return result;
}

int FcRasterVariables::WriteDxf(FcFiler& filer) {
  FcObject::WriteDxf(filer);
  WriteReactorGroups(filer, OwnerHandleOf(*this));
  filer.WriteString(100, "AcDbRasterVariables");
  filer.WriteInt(90, classVersion_);
  filer.WriteInt(70, imageFrame_);
  filer.WriteInt(71, imageQuality_);
  filer.WriteInt(72, units_);
  return kFcStatusOk;
}

int FcRasterVariables::ReadDxf(FcFiler& filer) {
  if (!ReadObjectStart(*this, filer, "AcDbRasterVariables")) return kFcStatusEnd;
  return ReadObjectOwnGroups(*this, filer, [this](const FcResBuf& group) {
    const auto value = static_cast<std::int16_t>(group.intValue);
    if (group.type == 70) imageFrame_ = value;
    if (group.type == 71) imageQuality_ = value;
    if (group.type == 72) units_ = value;
    if (group.type == 90) classVersion_ = value;
  });
}

int FcRasterVariables::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  filer.WriteBitLong(classVersion_);
  filer.WriteBitShort(imageFrame_);
  filer.WriteBitShort(imageQuality_);
  filer.WriteBitShort(units_);
  WriteDwgOwnerHandles(*this, filer, 4);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcRasterVariables::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::int32_t version = 0;
  std::int16_t frame = 0;
  std::int16_t quality = 0;
  std::int16_t units = 0;
  if (!ReadDwgObjectStart(filer, GetDwgType(), place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadBitLong(version) || !filer.ReadBitShort(frame) || !filer.ReadBitShort(quality) ||
      !filer.ReadBitShort(units) || !ReadDwgRecordOwnerHandles(filer, place, reactors) ||
      !ReadDwgObjectEnd(filer, place)) {
    return kFcStatusReadError;
  }
  imageFrame_ = frame;
  imageQuality_ = quality;
  units_ = units;
  return kFcStatusOk;
}

const FcRasterVariables* FindRasterVariables(const FcGraph& graph) {
  return dynamic_cast<const FcRasterVariables*>(graph.GetNamedObjects().GetAt(kImageVariablesName));
}
