#include "database/text_style.h"

#include <new>

#include "core/paths.h"
#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// The height written to DWG for a style without a fixed height.
constexpr double kDwgDefaultLastHeight = 2.5;

std::string_view TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

std::string Cut(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

bool HasShxExtension(std::string_view path) { return EqualsNoCase(PathExtension(path), ".shx"); }

}  // namespace

FcTextStyle::FcTextStyle() {
  SetRecordName("STYLE");
  SetDwgType(kDwgType);
  SetFontFile(kDefaultShxFontName);
}

FcObject* FcTextStyle::Create() { return new (std::nothrow) FcTextStyle(); }

void FcTextStyle::SetName(std::string_view name) {
  name_ = Cut(name, kMaxName);
  NoteRecordRenamed(*this);
}

void FcTextStyle::CopyFrom(const FcTextStyle& source) {
  FcObject::Copy(source);
  SetFontFile(source.fontFile_);
  if (!EqualsNoCase(bigFontFile_, source.bigFontFile_)) SetBigFontFile(source.bigFontFile_);
  // The same font file resolves to the same fonts; a work copy switched to
  // another face carries that face.
  faceName_ = source.faceName_;
  trueTypeScale_ = source.trueTypeScale_;
  font_ = source.font_;
  bigFont_ = source.bigFont_;
  generationFlags_ = source.generationFlags_;
  standardFlags_ = source.standardFlags_;
  SetName(source.name_);
  lastHeight_ = source.lastHeight_;
  obliqueAngle_ = source.obliqueAngle_;
  fixedHeight_ = source.fixedHeight_;
  widthFactor_ = source.widthFactor_;
  bold_ = source.bold_;
  italic_ = source.italic_;
}

int FcTextStyle::WriteDxf(FcFiler& filer) {
  WriteDxfRecordStart(*this, filer, "AcDbTextStyleTableRecord", name_);
  // The flags read from a file describe where the record came from, not
  // what is written back.
  filer.WriteInt(70, 0);
  filer.WriteReal(40, fixedHeight_);
  filer.WriteReal(41, widthFactor_);
  filer.WriteReal(50, obliqueAngle_ * kRadToDeg);
  filer.WriteInt(71, generationFlags_);
  filer.WriteString(3, fontFile_);
  if (!bigFontFile_.empty()) filer.WriteString(4, bigFontFile_);
  return kFcStatusOk;
}

int FcTextStyle::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadMarkerNoCase(filer, "AcDbSymbolTableRecord") || !ReadMarkerNoCase(filer, "AcDbTextStyleTableRecord"))
    return kFcStatusEnd;
  bool haveName = false;
  std::string font;
  std::string bigFont;
  const int read = ReadDxfGroupsWithXdata(*this, filer, [&](const FcResBuf& group) {
    switch (group.type) {
      case 2:
        SetName(TextOf(group));
        haveName = true;
        break;
      case 3:
        font = TextOf(group);
        break;
      case 4:
        bigFont = TextOf(group);
        break;
      case 40:
        fixedHeight_ = group.realValue;
        break;
      case 41:
        widthFactor_ = group.realValue;
        break;
      case 50:
        obliqueAngle_ = group.realValue;
        break;
      case 70:
        standardFlags_ = static_cast<std::int16_t>(group.intValue);
        break;
      case 71:
        generationFlags_ = static_cast<std::int16_t>(group.intValue);
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
  if (read != kFcStatusOk) return read;
  if (!haveName) return kFcStatusEnd;
  SetFontFile(font);
  if (!bigFont.empty()) SetBigFontFile(bigFont);
  return kFcStatusOk;
}

int FcTextStyle::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecordStart(*this, filer, name_, unreferenced_ == 0);
  filer.WriteBit(0);  // vertical
  filer.WriteBit(0);  // shape file
  filer.WriteBitDouble(fixedHeight_);
  filer.WriteBitDouble(widthFactor_);
  filer.WriteBitDouble(obliqueAngle_);
  filer.WriteRawChar(static_cast<std::int8_t>(generationFlags_ & 0xFF));
  filer.WriteBitDouble(fixedHeight_ > 0.0 ? fixedHeight_ : kDwgDefaultLastHeight);
  const std::string_view font(fontFile_);
  filer.WriteText(HasShxExtension(font) ? font.substr(0, font.size() - 4) : font);
  filer.WriteText(bigFontFile_);
  WriteDwgRecordEnd(*this, filer, 0);
  return kFcStatusOk;
}

int FcTextStyle::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordStart start;
  if (!ReadDwgNamedRecordStart(*this, filer, start) || start.place.size <= 0) return kFcStatusReadError;
  if (start.xrefDependent) return kFcStatusOk;
  std::uint8_t ignoredBit = 0;
  std::uint8_t generation = 0;
  double ignoredHeight = 0.0;
  std::string font;
  std::string bigFont;
  FcHandle xrefBlock = 0;
  if (!filer.ReadBit(ignoredBit) || !filer.ReadBit(ignoredBit) || !filer.ReadBitDouble(fixedHeight_) ||
      !filer.ReadBitDouble(widthFactor_) || !filer.ReadBitDouble(obliqueAngle_) || !filer.ReadRawChar(generation) ||
      !filer.ReadBitDouble(ignoredHeight) || !filer.ReadText(font) || !filer.ReadText(bigFont) ||
      !ReadDwgRecordOwnerHandles(filer, start.place, start.reactors) || !filer.ReadHandleRef(xrefBlock, 0) ||
      !ReadDwgObjectEnd(filer, start.place))
    return kFcStatusReadError;
  generationFlags_ = static_cast<std::int8_t>(generation);
  SetFontFile(font);
  SetBigFontFile(bigFont);
  return kFcStatusOk;
}

FcTextStyleList::FcTextStyleList() : FcSymbolList(kDwgType, 16, GrowthRule::kBeforeFull) { SetRecordName("STYLE"); }

FcGraph* FcTextStyleList::GetGraph() const { return dynamic_cast<FcGraph*>(GetOwner()); }

std::string_view FcTextStyleList::RecordName(const FcObject& record) const {
  return static_cast<const FcTextStyle&>(record).GetName();
}

void FcTextStyleList::Add(std::unique_ptr<FcTextStyle> style) {
  if (style == nullptr) return;
  AppendRecord(std::move(style));
}

FcTextStyle* FcTextStyleList::CreateStyle() {
  std::unique_ptr<FcTextStyle> style(new (std::nothrow) FcTextStyle());
  if (style == nullptr) return nullptr;
  return static_cast<FcTextStyle*>(AppendRecord(std::move(style)));
}

void FcTextStyleList::RemoveByName(std::string_view name) { RemoveFirstNamed(name); }

void FcTextStyleList::RemoveByHandle(FcHandle handle) { RemoveFirstWithHandle(handle); }

void FcTextStyleList::ClearReferenceMarks() {
  for (int i = 0; i < GetCount(); ++i) GetAt(i)->SetUnreferenced(!EqualsNoCase(GetAt(i)->GetName(), "standard"));
}

int FcTextStyleList::WriteDxf(FcFiler& filer) {
  WriteDxfTable(filer, "STYLE");
  return kFcStatusOk;
}

namespace {

std::unique_ptr<FcObject> MakeStyle(FcTextStyleList* table) {
  std::unique_ptr<FcTextStyle> style(new (std::nothrow) FcTextStyle());
  if (style != nullptr) style->SetOwner(table);
  return style;
}

bool KeepStyle(const FcObject& record) {
  const auto& style = static_cast<const FcTextStyle&>(record);
  return !style.GetName().empty() && !style.IsXrefDependent();
}

}  // namespace

int FcTextStyleList::ReadDxf(FcFiler& filer) {
  return ReadDxfTable(
      filer, "STYLE", [this] { return MakeStyle(this); }, KeepStyle);
}

int FcTextStyleList::ReadDwg(FcFilerDwg& filer) {
  RemoveAll();
  if (const FcGraph* graph = filer.GetGraph()) {
    if (const FcHandle control = graph->GetSysVars().HeaderHandles.textStyleControl) SetHandle(control);
  }
  FcDwgRecordPlace place;
  int count = 0;
  std::vector<FcHandle> handles;
  if (!ReadDwgControlStart(*this, filer, kDwgType, place, count) || place.size <= 0 ||
      !ReadDwgEntryHandles(filer, place, count, EntryRule::kOwnedOrNonZero, handles) || !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  Grow(static_cast<int>(handles.size()));
  return ReadDwgRecords(
      filer, handles, [this] { return MakeStyle(this); }, KeepStyle);
}
