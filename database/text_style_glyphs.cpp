#include "core/text_codes.h"
#include "database/text_style.h"
#include "fonts/truetype_outline.h"

namespace {

constexpr int kCaretCode = 0;
constexpr int kSpaceCode = 32;
constexpr int kCapitalA = 65;
constexpr int kLetterJ = 106;
constexpr int kDoubleByteDegree = 0xA1E3;
constexpr int kDegree = 176;
constexpr int kFirstDoubleByteCode = 257;
constexpr double kGlyphHeight = 100.0;

// The caret that shows where typed text goes, fitted to the height of
// "j" (minY to maxY).
void MakeCaret(PointChain& chain, double minY, double maxY) {
  chain.Free();
  chain.kind = PointChain::kStrokes;
  const FcPoint2d strokes[4][2] = {
      {{5, 0}, {25, 0}}, {{0, minY}, {30, minY}}, {{15, minY}, {15, maxY}}, {{0, maxY}, {30, maxY}}};
  for (const auto& stroke : strokes) {
    chain.AddPoint(0, stroke[0].x, stroke[0].y);
    chain.AddPoint(PointChain::kCloseContour, stroke[1].x, stroke[1].y);
  }
}

void MakeCaretFrom(PointChain& chain, const PointChain& measured) {
  FcPoint2d min, max;
  measured.GetExtents(min, max);
  MakeCaret(chain, min.y, max.y);
}

}  // namespace

void FcTextStyle::GetShxGlyph(PointChain& chain, FcPoint2d& origin, int code, FcPoint2d& advance) const {
  chain.Free();
  chain.kind = PointChain::kStrokes;
  origin = {};
  if (code == kDoubleByteDegree) code = kDegree;
  if (code == kCaretCode) {
    MakeCaretFrom(chain, font_.GetGlyph(kLetterJ, CShapeInfo::kPrimaryPart).chain);
    return;
  }
  if (code == kSpaceCode) {
    advance = {font_.GetGlyph(kCapitalA, CShapeInfo::kPrimaryPart).advance, 0.0};
    return;
  }
  ShapeGlyph glyph = font_.GetGlyph(code, CShapeInfo::kPrimaryPart);
  if (glyph.status == ShapeGlyphStatus::kMissing && code >= kFirstDoubleByteCode && bigFont_.HasBigFont())
    glyph = bigFont_.GetGlyph(code, CShapeInfo::kBigFontPart);
  if (glyph.status == ShapeGlyphStatus::kDamaged) {
    advance = {};
    return;
  }
  if (glyph.status == ShapeGlyphStatus::kMissing || glyph.chain.PointCount() == 0) {
    MakeMissingGlyph(chain);
    advance = {kMissingGlyphAdvance, 0.0};
    return;
  }
  chain.points = std::move(glyph.chain.points);
  chain.contourSizes = std::move(glyph.chain.contourSizes);
  advance = {glyph.advance, 0.0};
}

void FcTextStyle::GetTrueTypeGlyph(PointChain& chain, int code, FcPoint2d& blackBox, FcPoint2d& cellAdvance,
                                   FcPoint2d& glyphOrigin) const {
  const int charset = Charset();
  TrueTypeGlyphMetrics metrics;
  if (code == kCaretCode) {
    PointChain measured;
    GetTrueTypeOutline(false, kLetterJ, faceName_, kGlyphHeight, false, false, false, charset, &metrics, &measured);
    MakeCaretFrom(chain, measured);
  } else if (code == kSpaceCode) {
    GetTrueTypeOutline(bold_ != 0, kCapitalA, faceName_, kGlyphHeight, italic_ != 0, false, false, charset, &metrics,
                       nullptr);
    chain.Free();
    chain.kind = PointChain::kFilled;
  } else if (!GetTrueTypeOutline(bold_ != 0, code, faceName_, kGlyphHeight, italic_ != 0, false, false, charset,
                                 &metrics, &chain)) {
    MakeMissingGlyph(chain);
    metrics = {{50, 100}, {10, 100}, {60, 100}};
  }
  blackBox = metrics.blackBox;
  cellAdvance = metrics.cellAdvance;
  glyphOrigin = metrics.glyphOrigin;
  if (trueTypeScale_ == 1.0) return;
  blackBox *= trueTypeScale_;
  cellAdvance *= trueTypeScale_;
  glyphOrigin *= trueTypeScale_;
  chain.Scale(trueTypeScale_);
}

double FcTextStyle::GetGlyph(PointChain& chain, int code) const {
  FcPoint2d origin, advance, blackBox;
  if (IsShx()) {
    GetShxGlyph(chain, origin, code, advance);
  } else {
    GetTrueTypeGlyph(chain, code, blackBox, advance, origin);
  }
  return advance.x;
}

int FcTextStyle::DecodeText(std::string_view text, int codePage, bool decodeV,
                            std::vector<std::uint16_t>& codes) const {
  return IsShx() ? DecodeTextForShx(text, codePage, decodeV, codes)
                 : DecodeTextForTrueType(text, codePage, decodeV, codes);
}
