#include "entities/raster_image.h"

#include <algorithm>
#include <new>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/object_own_groups.h"
#include "database/object_record_parts.h"
#include "database/symbol_list.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

FcHandle ExtDictionaryHandleOf(const FcObject& object) {
  return object.GetExtDictionary() != nullptr ? object.GetExtDictionary()->GetHandle() : 0;
}

// Passes over count handle references, each checked to start inside the
// record.
bool SkipDwgHandles(FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int32_t count) {
  FcHandle ignored = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    if (RecordBytesLeft(filer, place) <= 0 || !filer.ReadHandleRef(ignored, 0)) return false;
  }
  return true;
}

}  // namespace

void FcReactorArray::Add(FcRasterImageDefReactor* reactor) {
  if (reactor == nullptr) return;
  if (GetCount() + 1 >= capacity_) {
    capacity_ += 4;
    items_.reserve(static_cast<std::size_t>(capacity_));
  }
  items_.push_back(reactor);
}

void FcReactorArray::Clear(bool deleteReactors) {
  if (deleteReactors) {
    for (FcRasterImageDefReactor* reactor : items_) delete reactor;
  }
  items_.clear();
  items_.shrink_to_fit();
  capacity_ = 0;
}

FcRasterImageDefReactor::FcRasterImageDefReactor() { SetRecordName(kRecordName); }

FcObject* FcRasterImageDefReactor::Create() { return new (std::nothrow) FcRasterImageDefReactor; }

int FcRasterImageDefReactor::WriteDxf(FcFiler& filer) {
  FcObject::WriteDxf(filer);
  filer.WriteHandle(330, imageHandle_);
  filer.WriteString(100, "AcDbRasterImageDefReactor");
  filer.WriteInt(90, classVersion_);
  filer.WriteHandle(330, imageHandle_);
  return kFcStatusOk;
}

int FcRasterImageDefReactor::ReadDxf(FcFiler& filer) {
  if (!ReadObjectStart(*this, filer, "AcDbRasterImageDefReactor")) return kFcStatusEnd;
  return ReadObjectOwnGroups(*this, filer, [this](const FcResBuf& group) {
    if (group.type == 90) classVersion_ = group.intValue;
    if (group.type == 330) imageHandle_ = group.handle;
  });
}

int FcRasterImageDefReactor::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteBitLong(classVersion_);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, imageHandle_);
  filer.WriteHandleRef(3, 0, ExtDictionaryHandleOf(*this));
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcRasterImageDefReactor::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::int32_t version = 0;
  FcHandle image = 0;
  FcHandle ignored = 0;
  if (!ReadDwgObjectStart(filer, GetDwgType(), place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadBitLong(version) || !filer.ReadHandleRef(image, 0) ||
      !SkipDwgHandles(filer, place, reactors) || !ReadHandleWithCode(filer, 3, ignored) ||
      !ReadDwgObjectEnd(filer, place)) {
    return kFcStatusReadError;
  }
  classVersion_ = version;
  imageHandle_ = image;
  return kFcStatusOk;
}


FcRasterImageDef::FcRasterImageDef() { SetRecordName(kRecordName); }

FcRasterImageDef::~FcRasterImageDef() { reactors_.Clear(true); }

FcObject* FcRasterImageDef::Create() { return new (std::nothrow) FcRasterImageDef; }

int FcRasterImageDef::GetCount() const { return reactors_.GetCount(); }

void FcRasterImageDef::SetFilePath(const std::string& path) { filePath_ = path.substr(0, kMaxPath); }

void FcRasterImageDef::UnloadImage() { picture_.Free(); }

void FcRasterImageDef::SetLoaded(bool loaded) {
  if (loaded && !filePath_.empty()) {
    loaded_ = 1;
    return;
  }
  picture_.Free();
  loaded_ = 0;
}

void FcRasterImageDef::CopyFrom(const FcRasterImageDef& other) {
  FcObject::Copy(other);
  filePath_ = other.filePath_;
  pixelSize_ = other.pixelSize_;
  normalizedSize_ = other.normalizedSize_;
  SetLoaded(other.loaded_ != 0);
  resolutionUnits_ = other.resolutionUnits_;
}

void FcRasterImageDef::LoadAfterRead(const FcGraph* graph) {
  // Loading settles the sizes and the resolved path from the file itself,
  // also for a definition the user keeps unloaded; its pixels are then
  // let go at once.
  Load(graph);
  if (loaded_ == 0) UnloadImage();
}

int FcRasterImageDef::WriteDxf(FcFiler& filer) {
  for (int i = 0; i < reactors_.GetCount(); ++i) {
    reactors_.GetAt(i)->WriteDxf(filer);
    filer.StepProgress(1);
  }
  FcObject::WriteDxf(filer);
  filer.WriteString(102, "{ACAD_REACTORS");
  filer.WriteHandle(330, OwnerHandleOf(*this));
  for (int i = 0; i < reactors_.GetCount(); ++i) filer.WriteHandle(330, reactors_.GetAt(i)->GetHandle());
  filer.WriteString(102, "}");
  filer.WriteString(100, "AcDbRasterImageDef");
  filer.WriteInt(90, classVersion_);
  filer.WriteString(1, filePath_);
  filer.WriteReal(10, pixelSize_.x);
  filer.WriteReal(20, pixelSize_.y);
  filer.WriteReal(11, normalizedSize_.x);
  filer.WriteReal(21, normalizedSize_.y);
  filer.WriteInt(280, loaded_);
  filer.WriteInt(281, resolutionUnits_);
  return kFcStatusOk;
}

int FcRasterImageDef::ReadDxf(FcFiler& filer) {
  if (!ReadObjectStart(*this, filer, "AcDbRasterImageDef")) return kFcStatusEnd;
  const int result = ReadObjectOwnGroups(*this, filer, [this](const FcResBuf& group) {
    switch (group.type) {
      case 1:
        SetFilePath(group.text != nullptr ? group.text : "");
        break;
      case 10:
        pixelSize_ = {group.x, group.y};
        break;
      case 11:
        normalizedSize_ = {group.x, group.y};
        break;
      case 90:
        classVersion_ = group.intValue;
        break;
      case 280:
        loaded_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 281:
        resolutionUnits_ = static_cast<std::int16_t>(group.intValue);
        break;
      default:
        break;
    }
  });
  if (result != kFcStatusOk) return result;
  LoadAfterRead(filer.GetGraph());
  return kFcStatusOk;
}

int FcRasterImageDef::WriteDwg(FcFilerDwg& filer) {
  for (int i = 0; i < reactors_.GetCount(); ++i) {
    reactors_.GetAt(i)->WriteDwg(filer);
    filer.StepProgress(1);
  }
  const FcHandle owner = OwnerHandleOf(*this);
  BeginDwgObject(filer);
  filer.WriteBitLong(reactors_.GetCount() + 1);
  filer.WriteBitLong(classVersion_);
  filer.WriteRawDouble(pixelSize_.x);
  filer.WriteRawDouble(pixelSize_.y);
  filer.WriteText(filePath_);
  filer.WriteBit(loaded_ != 0 ? 1 : 0);
  filer.WriteRawByte(static_cast<std::uint8_t>(resolutionUnits_));
  filer.WriteRawDouble(normalizedSize_.x);
  filer.WriteRawDouble(normalizedSize_.y);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, owner);
  filer.WriteHandleRef(4, 0, owner);
  for (int i = 0; i < reactors_.GetCount(); ++i) filer.WriteHandleRef(4, 0, reactors_.GetAt(i)->GetHandle());
  filer.WriteHandleRef(3, 0, ExtDictionaryHandleOf(*this));
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcRasterImageDef::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::int32_t version = 0;
  FcPoint2d pixelSize;
  std::string path;
  std::uint8_t loaded = 0;
  std::uint8_t units = 0;
  FcPoint2d normalized;
  FcHandle ignored = 0;
  // The parent and the reactors (the owner among them) are dropped: the
  // drawing rebuilds the reactors after loading.
  if (!ReadDwgObjectStart(filer, GetDwgType(), place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadBitLong(version) || !filer.ReadRawDouble(pixelSize.x) || !filer.ReadRawDouble(pixelSize.y) ||
      !filer.ReadText(path) || !filer.ReadBit(loaded) || !filer.ReadRawChar(units) ||
      !filer.ReadRawDouble(normalized.x) || !filer.ReadRawDouble(normalized.y) ||
      !SkipDwgHandles(filer, place, reactors + 1) || !ReadHandleWithCode(filer, 3, ignored) ||
      !ReadDwgObjectEnd(filer, place)) {
    return kFcStatusReadError;
  }
  classVersion_ = version;
  pixelSize_ = pixelSize;
  SetFilePath(path);
  loaded_ = loaded;
  resolutionUnits_ = static_cast<std::int16_t>(units);
  normalizedSize_ = normalized;
  LoadAfterRead(filer.GetGraph());
  return kFcStatusOk;
}
