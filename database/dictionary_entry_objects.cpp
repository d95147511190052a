#include <cstdint>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object_record_parts.h"
#include "database/symbol_list.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

// The two objects that live only as dictionary entries: drawing variables
// and the plot-style placeholder.

FcDictionaryVar::FcDictionaryVar() { SetRecordName("DICTIONARYVAR"); }

FcObject* FcDictionaryVar::Create() { return new FcDictionaryVar(); }

void FcDictionaryVar::TakeValue(const FcObject& other) {
  const auto* variable = dynamic_cast<const FcDictionaryVar*>(&other);
  if (variable == nullptr) return;
  schema_ = variable->schema_;
  value_ = variable->value_;
}

int FcDictionaryVar::Copy(const FcObject& other) {
  const int result = FcObject::Copy(other);
  TakeValue(other);
  return result;
}

int FcDictionaryVar::CopyFromOtherGraph(const FcObject& other, FcGraph& target) {
  const int result = FcObject::CopyFromOtherGraph(other, target);
  TakeValue(other);
  return result;
}

int FcDictionaryVar::WriteDxf(FcFiler& filer) {
  FcObject::WriteDxf(filer);
  WriteReactorGroups(filer, OwnerHandleOf(*this));
  filer.WriteString(100, "DictionaryVariables");
  filer.WriteInt(280, schema_);
  filer.WriteString(1, value_);
  return kFcStatusOk;
}

int FcDictionaryVar::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadMarkerNoCase(filer, "DictionaryVariables")) return kFcStatusEnd;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 0:
      case 100:
        filer.UnreadGroup();
        return kFcStatusOk;
      case 1:
        SetValue(group.text);
        break;
      case 280:
        schema_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      default:
        break;
    }
  }
  return kFcStatusEnd;
}

int FcDictionaryVar::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  filer.WriteRawByte(static_cast<std::uint8_t>(schema_));
  filer.WriteText(value_);
  WriteDwgOwnerHandles(*this, filer, FcDictionary::kRelativeOwnerCode);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcDictionaryVar::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::uint8_t schema = 0;
  // The record's CRC is checked like every other record's: a damaged value
  // is not taken for a good one.
  if (!ReadDwgObjectStart(filer, GetDwgType(), place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadRawChar(schema) || !filer.ReadText(value_) ||
      !ReadDwgRecordOwnerHandles(filer, place, reactors) || !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  schema_ = static_cast<std::int8_t>(schema);
  return kFcStatusOk;
}

FcPlaceHolder::FcPlaceHolder() { SetRecordName("ACDBPLACEHOLDER"); }

FcObject* FcPlaceHolder::Create() { return new FcPlaceHolder(); }

int FcPlaceHolder::WriteDxf(FcFiler& filer) {
  WriteCommonGroupsWithReactors(*this, filer);
  return kFcStatusOk;
}

int FcPlaceHolder::ReadDxf(FcFiler& filer) {
  FcResBuf group;
  bool haveHandle = false;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 100:
        // Some writers give the placeholder its own subclass marker; it
        // holds no groups that are kept.
        if (haveHandle && group.text != nullptr && EqualsNoCase(group.text, "AcDbPlaceHolder")) break;
        [[fallthrough]];
      case 0:
        if (!haveHandle) return kFcStatusStructure;
        filer.UnreadGroup();
        return kFcStatusOk;
      case 5:
      case 105:
        SetHandle(group.handle);
        haveHandle = true;
        if (FcGraph* graph = filer.GetGraph()) RaiseHandleSeed(graph->GetHandleSeed(), group.handle);
        break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      default:
        break;
    }
  }
  return kFcStatusReadError;
}

int FcPlaceHolder::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  WriteDwgOwnerHandles(*this, filer, FcDictionary::kRelativeOwnerCode);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcPlaceHolder::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  if (!ReadDwgObjectStart(filer, GetDwgType(), place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !ReadDwgRecordOwnerHandles(filer, place, reactors) || !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  return kFcStatusOk;
}
