#include "fonts/shape_info.h"

#include "fonts/shape_interpreter.h"

namespace {

bool ProbeFile(const std::string& path, int kind, ShapeFontMetrics* metrics) {
  const std::shared_ptr<const ShapeFontFile> font = OpenShapeFontFile(path, kind);
  if (font == nullptr) return false;
  *metrics = {font->GetAbove(), font->GetBelow()};
  return true;
}

}  // namespace

bool CShapeInfo::ProbeShapeFont(const std::string& path) {
  return ProbeFile(path, kShapeFontRegular, &fontMetrics_);
}

bool CShapeInfo::ProbeUnifont(const std::string& path) { return ProbeFile(path, kShapeFontUnicode, &fontMetrics_); }

bool CShapeInfo::ProbeBigFont(const std::string& path, int* kind) {
  if (!ProbeFile(path, kShapeFontBig, &bigMetrics_)) return false;
  if (kind != nullptr) *kind = kShapeFontBig;
  return true;
}

bool CShapeInfo::ProbeFontFile(const std::string& path, CShapeInfo* metrics, int* kind) {
  CShapeInfo scratch;
  CShapeInfo& holder = metrics != nullptr ? *metrics : scratch;
  int found = kProbeBigFont;
  const bool primary = holder.ProbeShapeFont(path) || holder.ProbeUnifont(path);
  if (primary) found = kProbePrimary;
  int bigKind = 0;
  const bool big = holder.ProbeBigFont(path, &bigKind);
  if (big) found = primary ? kProbeBoth : kProbeBigFont;
  if (kind != nullptr) *kind = found;
  return primary || big;
}

bool CShapeInfo::Load(const std::string& path, int* kind) {
  std::shared_ptr<const ShapeFontFile> primary = OpenShapeFontFile(path, kShapeFontRegular);
  if (primary == nullptr) primary = OpenShapeFontFile(path, kShapeFontUnicode);
  return Install(primary, OpenShapeFontFile(path, kShapeFontBig), path, kind);
}

bool CShapeInfo::LoadBytes(std::vector<std::uint8_t> bytes, const std::string& path, int* kind) {
  std::shared_ptr<const ShapeFontFile> primary = ShapeFontFile::Parse(bytes, path, kShapeFontRegular);
  if (primary == nullptr) primary = ShapeFontFile::Parse(bytes, path, kShapeFontUnicode);
  return Install(primary, ShapeFontFile::Parse(std::move(bytes), path, kShapeFontBig), path, kind);
}

bool CShapeInfo::Install(std::shared_ptr<const ShapeFontFile> primary, std::shared_ptr<const ShapeFontFile> big,
                         const std::string& path, int* kind) {
  if (kind != nullptr) *kind = primary != nullptr ? (big != nullptr ? kProbeBoth : kProbePrimary) : kProbeBigFont;
  if (primary != nullptr) {
    Clear(kPrimaryPart);
    fontMetrics_ = {primary->GetAbove(), primary->GetBelow()};
    fontPath_ = path;
    font_ = std::move(primary);
    return !font_->IsDamaged();
  }
  if (big != nullptr) {
    Clear(kBigFontPart);
    bigMetrics_ = {big->GetAbove(), big->GetBelow()};
    bigFontPath_ = path;
    bigFont_ = std::move(big);
    return !bigFont_->IsDamaged();
  }
  return false;
}

void CShapeInfo::Clear(int part) {
  if (part == kPrimaryPart) {
    font_.reset();
    fontMetrics_ = {};
    fontPath_.clear();
    return;
  }
  bigFont_.reset();
  bigMetrics_ = {};
  bigFontPath_.clear();
}

const ShapeFontFile* CShapeInfo::Part(int part) const {
  return part == kPrimaryPart ? font_.get() : bigFont_.get();
}

bool CShapeInfo::GetShape(int number, int part, CShape& shape) const {
  const ShapeFontFile* font = Part(part);
  shape.Clear();
  if (font == nullptr || font->GetIndex().Find(number) < 0) return false;
  return ::InterpretShape(*font, font->ShapeBytes(number), shape);
}

bool CShapeInfo::InterpretShape(CShape& shape, int part, std::span<const std::uint8_t> bytes) const {
  const ShapeFontFile* font = Part(part);
  shape.Clear();
  return font != nullptr && ::InterpretShape(*font, bytes, shape);
}

ShapeGlyph CShapeInfo::GetGlyph(int number, int part) const {
  const ShapeFontFile* font = Part(part);
  return font != nullptr ? font->GetGlyph(number) : ShapeGlyph{};
}

bool CShapeInfo::IsDamaged() const {
  return (font_ != nullptr && font_->IsDamaged()) || (bigFont_ != nullptr && bigFont_->IsDamaged());
}
