#include <cmath>
#include <string>
#include <string_view>

#include "core/code_pages.h"
#include "core/resbuf.h"
#include "database/entity_dxf.h"
#include "database/graph.h"
#include "database/system_var_access.h"
#include "database/text_style.h"
#include "entities/mtext.h"
#include "entities/text_style_lookup.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

using sysvar_access::ShortOf;
using sysvar_access::TextOf;

namespace {

// The length of the next piece of at most `limit` bytes that ends on a
// character boundary of the code page.
std::size_t PieceLength(std::string_view text, std::size_t limit, int codePage) {
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t step =
        IsCodePageLeadByte(codePage, static_cast<unsigned char>(text[length])) && length + 1 < text.size() ? 2 : 1;
    if (length + step > limit) break;
    length += step;
  }
  return length;
}

int CodePageOf(const FcGraph* graph) { return graph != nullptr ? graph->GetSysVars().dwgcodepage : kDefaultCodePage; }

}  // namespace

int FcMText::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  filer.WriteReal(10, insertion_.x);
  filer.WriteReal(20, insertion_.y);
  filer.WriteReal(30, 0.0);
  filer.WriteReal(11, xDirection_.x);
  filer.WriteReal(21, xDirection_.y);
  filer.WriteReal(31, 0.0);
  filer.WriteReal(40, height_);
  filer.WriteReal(41, referenceWidth_);
  filer.WriteInt(71, attachment_);
  filer.WriteInt(72, drawingDirection_);
  filer.WriteInt(73, lineSpacingStyle_);
  filer.WriteReal(44, lineSpacingFactor_);
  const FcGraph* graph = filer.GetGraph() != nullptr ? filer.GetGraph() : OwnerGraphOf(*this);
  const FcTextStyle* style = GetStyle();
  if (style != nullptr && !EqualsNoCase(style->GetName(), "STANDARD")) filer.WriteString(7, style->GetName());
  std::string_view rest = contents_;
  const int codePage = CodePageOf(graph);
  while (rest.size() > kDxfChunk) {
    const std::size_t length = PieceLength(rest, kDxfChunk, codePage);
    filer.WriteString(3, rest.substr(0, length));
    rest.remove_prefix(length);
  }
  filer.WriteString(1, rest);
  return kFcStatusOk;
}

int FcMText::ReadMTextGroup(FcFiler& filer, const FcResBuf& group, bool& directionRead) {
  switch (group.type) {
    case 1:
    case 3:
      contents_ += TextOf(group);
      break;
    case 7: {
      const FcGraph* graph = filer.GetGraph();
      style_ = graph != nullptr ? graph->GetTextStyleList().Find(TextOf(group)) : nullptr;
      if (style_ != nullptr) styleHandle_ = style_->GetHandle();
      break;
    }
    case 10:
      insertion_ = {group.x, group.y};
      break;
    case 11:
      SetXDirection({group.x, group.y});
      directionRead = true;
      break;
    case 40:
      height_ = group.realValue;
      break;
    case 41:
      referenceWidth_ = group.realValue;
      break;
    case 44:
      lineSpacingFactor_ = group.realValue;
      break;
    case 50:
      if (!directionRead) xDirection_ = {std::cos(group.realValue), std::sin(group.realValue)};
      break;
    case 71:
      attachment_ = static_cast<std::uint8_t>(group.intValue & 0xFF);
      break;
    case 72:
      drawingDirection_ = static_cast<std::uint8_t>(group.intValue & 0xFF);
      break;
    case 73:
      lineSpacingStyle_ = ShortOf(group);
      break;
    default:
      break;
  }
  return kFcStatusOk;
}

int FcMText::ReadDxf(FcFiler& filer) {
  xDirection_ = {1.0, 0.0};
  contents_.clear();
  style_ = nullptr;
  if (const FcGraph* graph = filer.GetGraph()) SetStyle(graph->GetTextStyleList().Find("STANDARD"));
  bool directionRead = false;
  return ReadEntityDxf(*this, filer, kSubclassMarker, [this, &filer, &directionRead](const FcResBuf& group) {
    return ReadMTextGroup(filer, group, directionRead);
  });
}

void FcMText::WriteDwgData(FcFilerDwg& filer) {
  SetXDirection(xDirection_);
  filer.WriteBitDouble(insertion_.x);
  filer.WriteBitDouble(insertion_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(1.0);
  filer.WriteBitDouble(xDirection_.x);
  filer.WriteBitDouble(xDirection_.y);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(referenceWidth_);
  filer.WriteBitDouble(height_);
  filer.WriteBitShort(attachment_);
  filer.WriteBitShort(drawingDirection_);
  filer.WriteBitDouble(laidOutHeight_);
  filer.WriteBitDouble(laidOutWidth_);
  filer.WriteText(contents_);
  filer.WriteBitShort(lineSpacingStyle_);
  filer.WriteBitDouble(lineSpacingFactor_);
  filer.WriteBit(0);
}

int FcMText::ReadDwgData(FcFilerDwg& filer) {
  double ignored = 0.0;
  FcPoint2d insertion;
  FcPoint2d direction;
  double width = 0.0;
  double height = 0.0;
  std::int16_t attachment = 0;
  std::int16_t drawingDirection = 0;
  double laidOutHeight = 0.0;
  double laidOutWidth = 0.0;
  std::string contents;
  const bool read = filer.ReadBitDouble(insertion.x) && filer.ReadBitDouble(insertion.y) &&
                    filer.ReadBitDouble(ignored) && filer.ReadBitDouble(ignored) && filer.ReadBitDouble(ignored) &&
                    filer.ReadBitDouble(ignored) && filer.ReadBitDouble(direction.x) &&
                    filer.ReadBitDouble(direction.y) && filer.ReadBitDouble(ignored) && filer.ReadBitDouble(width) &&
                    filer.ReadBitDouble(height) && filer.ReadBitShort(attachment) &&
                    filer.ReadBitShort(drawingDirection) && filer.ReadBitDouble(laidOutHeight) &&
                    filer.ReadBitDouble(laidOutWidth) && filer.ReadText(contents);
  if (!read) return kFcStatusReadError;
  std::int16_t spacingStyle = lineSpacingStyle_;
  double spacingFactor = lineSpacingFactor_;
  std::uint8_t bit = 0;
  if (filer.GetVersion() >= FcFilerDwg::kVersion2000 &&
      (!filer.ReadBitShort(spacingStyle) || !filer.ReadBitDouble(spacingFactor) || !filer.ReadBit(bit))) {
    return kFcStatusReadError;
  }
  insertion_ = insertion;
  SetXDirection(direction);
  referenceWidth_ = width;
  height_ = height;
  attachment_ = static_cast<std::uint8_t>(attachment);
  drawingDirection_ = static_cast<std::uint8_t>(drawingDirection);
  laidOutHeight_ = laidOutHeight;
  laidOutWidth_ = laidOutWidth;
  contents_ = std::move(contents);
  lineSpacingStyle_ = spacingStyle;
  lineSpacingFactor_ = spacingFactor;
  return kFcStatusOk;
}

void FcMText::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  if (const FcTextStyle* style = GetStyle()) styleHandle_ = style->GetHandle();
  filer.WriteHandleRef(5, 0, styleHandle_);
}

int FcMText::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  FcHandle handle = 0;
  if (!filer.ReadHandleRef(handle, GetHandle())) return kFcStatusReadError;
  FcTextStyle* style = StyleByHandleOrCurrent(filer.GetGraph(), handle);
  if (style == nullptr) return kFcStatusReadError;
  SetStyle(style);
  return kFcStatusOk;
}
