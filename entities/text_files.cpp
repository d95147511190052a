#include <cmath>
#include <string>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "database/graph.h"
#include "database/system_var_access.h"
#include "database/text_style.h"
#include "entities/text.h"
#include "entities/text_style_lookup.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

using sysvar_access::ShortOf;
using sysvar_access::TextOf;

namespace {

// Bits of the data flags of a release 2000 record: set when the item is
// left out at its default.
constexpr std::uint8_t kNoElevation = 0x01;
constexpr std::uint8_t kNoAlignment = 0x02;
constexpr std::uint8_t kNoOblique = 0x04;
constexpr std::uint8_t kNoRotation = 0x08;
constexpr std::uint8_t kNoWidthFactor = 0x10;
constexpr std::uint8_t kNoGeneration = 0x20;
constexpr std::uint8_t kNoHorizontal = 0x40;
constexpr std::uint8_t kNoVertical = 0x80;

// An oblique angle beyond 85 degrees either way is no slant a font can
// take.
double SaneOblique(double angle) { return std::fabs(angle) > 85.0 * kDegToRad ? 0.0 : angle; }

}  // namespace

int FcText::WriteDxf(FcFiler& filer) {
  const FcGraph* graph = filer.GetGraph() != nullptr ? filer.GetGraph() : OwnerGraphOf(*this);
  const FcTextStyle* style = FindStyleForOutput(graph);
  if (style == nullptr) return kFcStatusOk;
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  WriteDxfPoint(filer, 10, insertion_);
  filer.WriteReal(40, height_);
  filer.WriteString(1, text_);
  if (widthFactor_ != 1.0) filer.WriteReal(41, widthFactor_);
  if (rotation_ != 0.0) filer.WriteReal(50, rotation_ * kRadToDeg);
  if (obliqueAngle_ != 0.0) filer.WriteReal(51, obliqueAngle_ * kRadToDeg);
  filer.WriteString(7, style->GetName());
  if (generationFlags_ != 0) filer.WriteInt(71, generationFlags_);
  if (horizontal_ != 0) filer.WriteInt(72, horizontal_);
  if (!IsLeftBaseline()) WriteDxfPoint(filer, 11, alignment_);
  if (GetKind() != kEntityText) return kFcStatusOk;
  filer.WriteString(100, kSubclassMarker);
  if (vertical_ != 0) filer.WriteInt(73, vertical_);
  return kFcStatusOk;
}

int FcText::ReadTextGroup(FcFiler& filer, const FcResBuf& group) {
  switch (group.type) {
    case 1:
      SetText(TextOf(group));
      break;
    case 7: {
      styleName_ = TextOf(group);
      const FcGraph* graph = filer.GetGraph();
      if (FcTextStyle* style = graph != nullptr ? graph->GetTextStyleList().Find(styleName_.str()) : nullptr) {
        style_ = style;
        styleHandle_ = style->GetHandle();
      }
      break;
    }
    case 10:
      insertion_ = {group.x, group.y};
      break;
    case 11:
      alignment_ = {group.x, group.y};
      break;
    case 40:
      height_ = group.realValue;
      break;
    case 41:
      widthFactor_ = group.realValue;
      break;
    case 50:
      rotation_ = group.realValue;
      break;
    case 51:
      obliqueAngle_ = group.realValue;
      break;
    case 71:
      generationFlags_ = ShortOf(group);
      break;
    case 72:
      horizontal_ = static_cast<std::int16_t>(group.intValue & 0xFF);
      break;
    case 73:
      vertical_ = static_cast<std::int16_t>(group.intValue & 0xFF);
      break;
    default:
      break;
  }
  return kFcStatusOk;
}

int FcText::ReadDxf(FcFiler& filer) {
  style_ = nullptr;
  styleHandle_ = 0;
  styleName_ = "standard";
  auto readGroup = [this, &filer](const FcResBuf& group) { return ReadTextGroup(filer, group); };
  const int result = ReadEntityDxf(*this, filer, kSubclassMarker, readGroup);
  if (result != kFcStatusOk) return result;
  // Plain TEXT repeats its marker before group 73; an attribute's own
  // subclass is left to the attribute.
  FcResBuf next;
  if (!filer.ReadGroup(next)) return kFcStatusEnd;
  filer.UnreadGroup();
  if (next.type != 100 || !EqualsNoCase(TextOf(next), kSubclassMarker)) return kFcStatusOk;
  return ReadEntitySubclassDxf(*this, filer, kSubclassMarker, readGroup);
}

void FcText::WriteDwgData(FcFilerDwg& filer) {
  std::uint8_t flags = kNoElevation;
  if (IsLeftBaseline()) flags |= kNoAlignment;
  if (obliqueAngle_ == 0.0) flags |= kNoOblique;
  if (rotation_ == 0.0) flags |= kNoRotation;
  if (widthFactor_ == 1.0) flags |= kNoWidthFactor;
  if (generationFlags_ == 0) flags |= kNoGeneration;
  if (horizontal_ == 0) flags |= kNoHorizontal;
  if (vertical_ == 0) flags |= kNoVertical;
  filer.WriteRawByte(flags);
  filer.WriteRawDouble(insertion_.x);
  filer.WriteRawDouble(insertion_.y);
  if ((flags & kNoAlignment) == 0) {
    filer.WriteDefaultDouble(insertion_.x, alignment_.x);
    filer.WriteDefaultDouble(insertion_.y, alignment_.y);
  }
  // Extrusion (0, 0, 1) and thickness 0, each as its one-bit default.
  filer.WriteBit(1);
  filer.WriteBit(1);
  if ((flags & kNoOblique) == 0) filer.WriteRawDouble(obliqueAngle_);
  if ((flags & kNoRotation) == 0) filer.WriteRawDouble(rotation_);
  filer.WriteRawDouble(height_);
  if ((flags & kNoWidthFactor) == 0) filer.WriteRawDouble(widthFactor_);
  filer.WriteText(text_);
  if ((flags & kNoGeneration) == 0) filer.WriteBitShort(generationFlags_);
  if ((flags & kNoHorizontal) == 0) filer.WriteBitShort(horizontal_);
  if ((flags & kNoVertical) == 0) filer.WriteBitShort(vertical_);
}

namespace {

struct DwgTextData {
  FcPoint2d insertion;
  FcPoint2d alignment;
  double oblique = 0.0;
  double rotation = 0.0;
  double height = 0.0;
  double widthFactor = 1.0;
  std::string text;
  std::int16_t generation = 0;
  std::int16_t horizontal = 0;
  std::int16_t vertical = 0;
};

bool ReadDwgText2000(FcFilerDwg& filer, DwgTextData& data) {
  std::uint8_t flags = 0;
  double elevation = 0.0;
  double extrusion[3] = {};
  double thickness = 0.0;
  if (!filer.ReadRawChar(flags)) return false;
  if ((flags & kNoElevation) == 0 && !filer.ReadRawDouble(elevation)) return false;
  if (!filer.ReadRawDouble(data.insertion.x) || !filer.ReadRawDouble(data.insertion.y)) return false;
  data.alignment = data.insertion;
  if ((flags & kNoAlignment) == 0 && (!filer.ReadDefaultDouble(data.insertion.x, data.alignment.x) ||
                                      !filer.ReadDefaultDouble(data.insertion.y, data.alignment.y))) {
    return false;
  }
  if (!filer.ReadExtrusion(extrusion) || !filer.ReadThickness(thickness)) return false;
  if ((flags & kNoOblique) == 0 && !filer.ReadRawDouble(data.oblique)) return false;
  if ((flags & kNoRotation) == 0 && !filer.ReadRawDouble(data.rotation)) return false;
  if (!filer.ReadRawDouble(data.height)) return false;
  if ((flags & kNoWidthFactor) == 0 && !filer.ReadRawDouble(data.widthFactor)) return false;
  if (!filer.ReadText(data.text)) return false;
  if ((flags & kNoGeneration) == 0 && !filer.ReadBitShort(data.generation)) return false;
  if ((flags & kNoHorizontal) == 0 && !filer.ReadBitShort(data.horizontal)) return false;
  return (flags & kNoVertical) != 0 || filer.ReadBitShort(data.vertical);
}

bool ReadDwgTextR14(FcFilerDwg& filer, DwgTextData& data) {
  double elevation = 0.0;
  double extrusion[3] = {};
  double thickness = 0.0;
  return filer.ReadBitDouble(elevation) && filer.ReadRawDouble(data.insertion.x) &&
         filer.ReadRawDouble(data.insertion.y) && filer.ReadRawDouble(data.alignment.x) &&
         filer.ReadRawDouble(data.alignment.y) && filer.ReadExtrusion(extrusion) && filer.ReadThickness(thickness) &&
         filer.ReadBitDouble(data.oblique) && filer.ReadBitDouble(data.rotation) && filer.ReadBitDouble(data.height) &&
         filer.ReadBitDouble(data.widthFactor) && filer.ReadText(data.text) && filer.ReadBitShort(data.generation) &&
         filer.ReadBitShort(data.horizontal) && filer.ReadBitShort(data.vertical);
}

}  // namespace

int FcText::ReadDwgData(FcFilerDwg& filer) {
  DwgTextData data;
  const bool read = filer.GetVersion() >= FcFilerDwg::kVersion2000 ? ReadDwgText2000(filer, data)
                                                                    : ReadDwgTextR14(filer, data);
  if (!read) return kFcStatusReadError;
  insertion_ = data.insertion;
  alignment_ = data.alignment;
  obliqueAngle_ = SaneOblique(data.oblique);
  rotation_ = data.rotation;
  height_ = data.height > 0.0 ? data.height : kDefaultHeight;
  widthFactor_ = data.widthFactor;
  SetText(data.text);
  generationFlags_ = data.generation;
  horizontal_ = data.horizontal;
  vertical_ = data.vertical;
  return kFcStatusOk;
}

void FcText::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  const FcGraph* graph = filer.GetGraph() != nullptr ? filer.GetGraph() : OwnerGraphOf(*this);
  const FcTextStyle* style = FindStyleForOutput(graph);
  if (style != nullptr) styleHandle_ = style->GetHandle();
  filer.WriteHandleRef(5, 0, styleHandle_);
}

int FcText::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  FcHandle handle = 0;
  if (!filer.ReadHandleRef(handle, GetHandle())) return kFcStatusReadError;
  FcTextStyle* style = StyleByHandleOrCurrent(filer.GetGraph(), handle);
  if (style == nullptr) return kFcStatusReadError;
  SetStyle(style);
  return kFcStatusOk;
}
