#include "database/mline_style.h"

#include <algorithm>
#include <string>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "database/object_record_parts.h"
#include "database/symbol_list.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// The fewest bytes the three groups of one element take in a DXF file (49,
// 62 and 6 in binary form); a declared count beyond what the rest of the
// file can hold is refused.
constexpr std::int64_t kMinDxfElementBytes = 17;

constexpr std::int64_t kMinDwgElementBits = 6;

const char* const kByLayerName = "BYLAYER";

std::string_view LinetypeNameAt(const FcGraph* graph, std::int16_t index) {
  if (graph == nullptr) return kByLayerName;
  const FcLinetypeList& table = graph->GetLinetypeList();
  if (index < 0 || index >= table.GetCount() || table.GetAt(index) == nullptr) return kByLayerName;
  return table.GetAt(index)->GetName();
}

std::int16_t LinetypeIndexOf(const FcGraph* graph, std::string_view name) {
  if (graph == nullptr || EqualsNoCase(name, kByLayerName)) return FcMLineStyle::kByLayerLinetype;
  const FcLinetypeList& table = graph->GetLinetypeList();
  const FcLineType* record = table.FindByName(name);
  for (int i = 0; record != nullptr && i < table.GetCount(); ++i) {
    if (table.GetAt(i) == record) return static_cast<std::int16_t>(i);
  }
  return FcMLineStyle::kByLayerLinetype;
}

// The element being read from DXF and which of its groups have come.
struct ElementReading {
  FcMLineElement element;
  bool offsetSeen = false;
  bool colourSeen = false;
  bool linetypeSeen = false;

  bool AnySeen() const { return offsetSeen || colourSeen || linetypeSeen; }
};

}  // namespace

FcMLineStyle::FcMLineStyle() {
  SetDwgType(kDwgType);
  SetRecordName("MLINESTYLE");
}

FcObject* FcMLineStyle::Create() { return new FcMLineStyle(); }

void FcMLineStyle::SetDescription(std::string_view text) {
  description_.assign(text.substr(0, std::min(text.find('\0'), kMaxDescription)));
}

void FcMLineStyle::GrowElements(int n) {
  if (GetElementCount() + n < capacity_) return;
  capacity_ += n <= 4 ? 4 : n + 4;
  elements_.reserve(static_cast<std::size_t>(capacity_));
}

void FcMLineStyle::AddElement(std::int16_t colour, std::int16_t linetype, double offset) {
  GrowElements(1);
  elements_.push_back({colour, linetype, offset});
}

void FcMLineStyle::SetStandard() {
  name = "STANDARD";
  flags = 0;
  description_.clear();
  fillColour = kByLayerColour;
  startAngle = kHalfPi;
  endAngle = kHalfPi;
  AddElement(kByLayerColour, kByLayerLinetype, 0.5);
  AddElement(kByLayerColour, kByLayerLinetype, -0.5);
}

void FcMLineStyle::ClearElements() {
  elements_.clear();
  elements_.shrink_to_fit();
  capacity_ = 0;
}

int FcMLineStyle::WriteDxf(FcFiler& filer) {
  WriteCommonGroupsWithReactors(*this, filer);
  filer.WriteString(100, "AcDbMlineStyle");
  filer.WriteString(2, name.str());
  filer.WriteInt(70, flags);
  filer.WriteString(3, description_);
  filer.WriteInt(62, fillColour);
  filer.WriteReal(51, startAngle * kRadToDeg);
  filer.WriteReal(52, endAngle * kRadToDeg);
  filer.WriteInt(71, GetElementCount());
  for (const FcMLineElement& element : elements_) {
    filer.WriteReal(49, element.offset);
    filer.WriteInt(62, element.colour);
    filer.WriteString(6, LinetypeNameAt(filer.GetGraph(), element.linetype));
  }
  return kFcStatusOk;
}

int FcMLineStyle::ReadDxf(FcFiler& filer) {
  ClearElements();
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadMarkerNoCase(filer, "AcDbMlineStyle")) return kFcStatusEnd;
  fillColour = kByLayerColour;
  startAngle = kHalfPi;
  endAngle = kHalfPi;
  std::int32_t declared = 0;
  bool nameSeen = false;
  bool haveName = false;
  ElementReading current;
  const auto close = [&] {
    AddElement(current.element.colour, current.element.linetype, current.element.offset);
    current = {};
    current.element = {kByLayerColour, kByLayerLinetype, 0.5};
  };
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    const auto value16 = static_cast<std::int16_t>(group.intValue);
    switch (group.type) {
      case 2:
        if (nameSeen) return kFcStatusReadError;
        nameSeen = true;
        name = group.text != nullptr ? group.text : "";
        haveName = !name.empty();
        break;
      case 3:
        SetDescription(group.text != nullptr ? group.text : "");
        break;
      case 51:
        startAngle = group.realValue;
        break;
      case 52:
        endAngle = group.realValue;
        break;
      case 70:
        flags = value16;
        break;
      case 71:
        declared = group.intValue;
        if (declared <= 0) break;
        if (declared > FileBytesLeft(filer) / kMinDxfElementBytes) return kFcStatusStructure;
        GrowElements(declared);
        break;
      case 62:
        if (declared <= 0) {
          fillColour = value16;
          break;
        }
        if (current.colourSeen) close();
        current.element.colour = value16;
        current.colourSeen = true;
        break;
      case 49:
        if (declared <= 0) return kFcStatusReadError;
        if (current.offsetSeen) close();
        current.element.offset = group.realValue;
        current.offsetSeen = true;
        break;
      case 6:
        if (declared <= 0) return kFcStatusReadError;
        if (current.linetypeSeen) close();
        current.element.linetype = LinetypeIndexOf(filer.GetGraph(), group.text != nullptr ? group.text : "");
        current.linetypeSeen = true;
        break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      case 0:
      case 100:
        if (current.AnySeen()) close();
        filer.UnreadGroup();
        return haveName ? kFcStatusOk : kFcStatusEnd;
      default:
        break;
    }
  }
  return kFcStatusEnd;
}

int FcMLineStyle::WriteDwg(FcFilerDwg& filer) {
  // The record counts elements in one signed byte; a style with more keeps
  // its first 127 there rather than writing a count that reads back wrong.
  const int written = std::min(GetElementCount(), kMaxDwgElements);
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  filer.WriteText(name.str());
  filer.WriteText(description_);
  filer.WriteBitShort(flags);
  filer.WriteBitShort(fillColour);
  filer.WriteBitDouble(startAngle);
  filer.WriteBitDouble(endAngle);
  filer.WriteRawByte(static_cast<std::uint8_t>(written));
  for (int i = 0; i < written; ++i) {
    const FcMLineElement& element = elements_[static_cast<std::size_t>(i)];
    filer.WriteBitDouble(element.offset);
    filer.WriteBitShort(element.colour);
    filer.WriteBitShort(element.linetype);
  }
  WriteDwgOwnerHandles(*this, filer, FcDictionary::kRelativeOwnerCode);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcMLineStyle::ReadDwg(FcFilerDwg& filer) {
  ClearElements();
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::string text;
  std::uint8_t countByte = 0;
  if (!ReadDwgObjectStart(filer, kDwgType, place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadText(text))
    return kFcStatusReadError;
  name = text;
  if (!filer.ReadText(text) || !filer.ReadBitShort(flags) || !filer.ReadBitShort(fillColour) ||
      !filer.ReadBitDouble(startAngle) || !filer.ReadBitDouble(endAngle) || !filer.ReadRawChar(countByte))
    return kFcStatusReadError;
  SetDescription(text);
  // Sign-extended as the count was written; every element takes at least
  // its three 2-bit codes, so a count beyond the record is refused.
  const int count = static_cast<std::int8_t>(countByte);
  if (count < 0 || count * kMinDwgElementBits > RecordBytesLeft(filer, place) * 8) return kFcStatusReadError;
  GrowElements(count);
  for (int i = 0; i < count; ++i) {
    FcMLineElement element;
    if (!filer.ReadBitDouble(element.offset) || !filer.ReadBitShort(element.colour) ||
        !filer.ReadBitShort(element.linetype))
      return kFcStatusReadError;
    AddElement(element.colour, element.linetype, element.offset);
  }
  if (!ReadDwgRecordOwnerHandles(filer, place, reactors) || !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  return kFcStatusOk;
}
