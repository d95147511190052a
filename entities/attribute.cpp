#include "entities/attribute.h"

#include <new>

#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "database/graph.h"
#include "entities/entity_clone.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

std::string_view GroupText(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

}  // namespace

FcAttributeText::FcAttributeText(const char* recordName, EntityKind kind, DwgObjectType dwgType)
    : FcText(recordName, kind, dwgType) {}

void FcAttributeText::CopyAttributeFields(const FcAttributeText& other) {
  tag_ = other.tag_;
  flags_ = other.flags_;
  fieldLength_ = other.fieldLength_;
}

int FcAttributeText::WriteAttributeDxf(FcFiler& filer, std::string_view marker, const std::string* prompt) {
  const int result = FcText::WriteDxf(filer);
  if (result != kFcStatusOk) return result;
  filer.WriteString(100, marker);
  if (prompt != nullptr) filer.WriteString(3, *prompt);
  filer.WriteString(2, tag_);
  filer.WriteInt(70, flags_);
  if (GetVerticalJustification() != 0) filer.WriteInt(74, GetVerticalJustification());
  return kFcStatusOk;
}

int FcAttributeText::ReadAttributeDxf(FcFiler& filer, std::string_view marker, std::string* prompt) {
  if (FcText::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  return ReadEntitySubclassDxf(*this, filer, marker, [this, prompt](const FcResBuf& group) {
    switch (group.type) {
      case 2:
        SetTag(GroupText(group));
        break;
      case 3:
        if (prompt != nullptr) *prompt = GroupText(group).substr(0, kMaxAttributeName);
        break;
      case 70:
        flags_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 74:
        SetVerticalJustification(static_cast<std::int8_t>(group.intValue & 0xFF));
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
}

void FcAttributeText::WriteAttributeDwg(FcFilerDwg& filer) {
  FcText::WriteDwgData(filer);
  filer.WriteText(tag_);
  filer.WriteBitShort(fieldLength_);
  filer.WriteRawChar(static_cast<std::int8_t>(flags_));
}

int FcAttributeText::ReadAttributeDwg(FcFilerDwg& filer) {
  const int result = FcText::ReadDwgData(filer);
  if (result != kFcStatusOk) return result;
  std::string tag;
  std::int16_t length = 0;
  std::uint8_t flags = 0;
  if (!filer.ReadText(tag) || !filer.ReadBitShort(length) || !filer.ReadRawChar(flags)) return kFcStatusReadError;
  SetTag(tag);
  fieldLength_ = length;
  flags_ = static_cast<std::int8_t>(flags);
  return kFcStatusOk;
}

std::string FcAttributeText::FlagsText() const {
  std::string text;
  if ((flags_ & kAttributeInvisible) != 0) text += " Invisible";
  if ((flags_ & kAttributeConstant) != 0) {
    text += " constant";
  } else {
    if ((flags_ & kAttributeVerify) != 0) text += " Verify";
    if ((flags_ & kAttributePreset) != 0) text += " Preset";
  }
  return text.empty() ? " Normal" : text;
}

void FcAttributeText::ListBeforeGeneration() { PrintMessage("  flags\t" + FlagsText()); }

FcAttribute::FcAttribute() : FcAttributeText(kRecordName, kEntityAttribute, kDwgType) { SetSubEntity(true); }

FcAttribute::FcAttribute(const FcAttribute& other) : FcAttribute() { Copy(&other); }

FcObject* FcAttribute::Create() { return new (std::nothrow) FcAttribute; }

int FcAttribute::WriteDxf(FcFiler& filer) { return WriteAttributeDxf(filer, kSubclassMarker, nullptr); }

int FcAttribute::ReadDxf(FcFiler& filer) { return ReadAttributeDxf(filer, kSubclassMarker, nullptr); }

bool FcAttribute::Draw(FcDrawSink* sink) {
  if (sink == nullptr) return true;
  const FcGraph* graph = sink->GetContext().graph;
  const int mode = graph != nullptr ? graph->GetSysVars().attmode : FcSystemVar().attmode;
  if (mode == 0 || (mode == 1 && (GetFlags() & kAttributeInvisible) != 0)) return true;
  return FcText::Draw(sink);
}

FcEntity* FcAttribute::Clone() const { return new (std::nothrow) FcAttribute(*this); }

void FcAttribute::Copy(const FcEntity* other) {
  FcText::Copy(other);
  // An attribute made from its definition stays an attribute.
  SetRecordName(kRecordName);
  SetDwgType(kDwgType);
  if (const auto* attribute = dynamic_cast<const FcAttributeText*>(other)) CopyAttributeFields(*attribute);
}

FcEntity* FcAttribute::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcAttribute::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcText::CopyFromOtherGraph(other, target);
  if (const auto* attribute = dynamic_cast<const FcAttributeText*>(other)) CopyAttributeFields(*attribute);
}

void FcAttribute::ListContents() {
  PrintMessage("  value\t" + GetText());
  PrintMessage("  tag\t" + GetTag());
}

bool FcAttribute::Explode(FcEntitySets&) { return true; }

void FcAttribute::WriteDwgData(FcFilerDwg& filer) { WriteAttributeDwg(filer); }

int FcAttribute::ReadDwgData(FcFilerDwg& filer) { return ReadAttributeDwg(filer); }

FcAttributeDef::FcAttributeDef() : FcAttributeText(kRecordName, kEntityAttributeDef, kDwgType) {}

FcAttributeDef::FcAttributeDef(const FcAttributeDef& other) : FcAttributeDef() { Copy(&other); }

FcObject* FcAttributeDef::Create() { return new (std::nothrow) FcAttributeDef; }

int FcAttributeDef::WriteDxf(FcFiler& filer) { return WriteAttributeDxf(filer, kSubclassMarker, &prompt_); }

int FcAttributeDef::ReadDxf(FcFiler& filer) { return ReadAttributeDxf(filer, kSubclassMarker, &prompt_); }

bool FcAttributeDef::Draw(FcDrawSink* sink) {
  if (sink == nullptr) return true;
  const FcGraph* graph = sink->GetContext().graph;
  if (graph != nullptr && GetBlock() != nullptr && GetBlock() != graph->GetCurrentBlock()) return true;
  return FcText::Draw(sink);
}

FcEntity* FcAttributeDef::Clone() const { return new (std::nothrow) FcAttributeDef(*this); }

void FcAttributeDef::Copy(const FcEntity* other) {
  FcText::Copy(other);
  SetRecordName(kRecordName);
  SetDwgType(kDwgType);
  if (const auto* attribute = dynamic_cast<const FcAttributeText*>(other)) CopyAttributeFields(*attribute);
  if (const auto* definition = dynamic_cast<const FcAttributeDef*>(other)) prompt_ = definition->prompt_;
}

FcEntity* FcAttributeDef::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcAttributeDef::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcText::CopyFromOtherGraph(other, target);
  if (const auto* attribute = dynamic_cast<const FcAttributeText*>(other)) CopyAttributeFields(*attribute);
  if (const auto* definition = dynamic_cast<const FcAttributeDef*>(other)) prompt_ = definition->prompt_;
}

void FcAttributeDef::ListContents() {
  PrintMessage("  default\t" + GetText());
  PrintMessage("  prompt\t" + prompt_);
  PrintMessage("  tag\t" + GetTag());
}

void FcAttributeDef::WriteDwgData(FcFilerDwg& filer) {
  WriteAttributeDwg(filer);
  filer.WriteText(prompt_);
}

int FcAttributeDef::ReadDwgData(FcFilerDwg& filer) {
  const int result = ReadAttributeDwg(filer);
  if (result != kFcStatusOk) return result;
  std::string prompt;
  if (!filer.ReadText(prompt)) return kFcStatusReadError;
  SetPrompt(prompt);
  return kFcStatusOk;
}
