#include "fonts/truetype_outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H
#include FT_TRUETYPE_TABLES_H

#include <map>
#include <memory>
#include <tuple>

#include "core/code_pages.h"
#include "fonts/fontconfig_faces.h"

namespace {

constexpr int kCurveSteps = 8;
// The symbol codes of the TrueType text decoder and the characters they
// stand for.
constexpr int kDegreeCode = 1;
constexpr int kPlusMinusCode = 2;
constexpr int kDiameterCode = 3;
// Emboldening of a face without a bold weight, in parts of its em.
constexpr double kSyntheticBoldPerEm = 1.0 / 32.0;
// The slant of a face without an italic style (tan 12 degrees, 16.16).
constexpr FT_Fixed kSyntheticSlant = 0x0366A;
// Outlines kept before the cache starts over.
constexpr std::size_t kMaxCachedOutlines = 16384;

char32_t ToUnicode(int code, int charset) {
  switch (code) {
    case kDegreeCode:
      return 0xB0;
    case kPlusMinusCode:
      return 0xB1;
    case kDiameterCode:
      return 0xD8;
    default:
      break;
  }
  const int codePage = CharsetToCodePage(charset);
  std::string bytes;
  if (code > 0xFF) {
    const auto lead = static_cast<unsigned char>(code >> 8);
    if (!IsCodePageLeadByte(codePage, lead)) return static_cast<char32_t>(code);
    bytes = {static_cast<char>(lead), static_cast<char>(code & 0xFF)};
  } else {
    bytes = std::string(1, static_cast<char>(code));
  }
  const std::u16string units = CodePageToUtf16(bytes, codePage);
  return units.empty() ? static_cast<char32_t>(code) : units.front();
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    return FT_Init_FreeType(&made) == 0 ? made : nullptr;
  }();
  return library;
}

struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

FT_Face OpenFace(const FaceLocation& location) {
  static std::map<std::pair<std::string, int>, std::unique_ptr<FT_FaceRec_, FaceDeleter>> faces;
  auto& slot = faces[{location.path, location.index}];
  if (slot == nullptr && Library() != nullptr) {
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), location.path.c_str(), location.index, &face) == 0) slot.reset(face);
  }
  return slot.get();
}

// Ascent plus descent in font units, as the cell height counts them.
double CellHeight(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) return os2->usWinAscent + os2->usWinDescent;
  if (face->ascender - face->descender > 0) return face->ascender - face->descender;
  return face->units_per_EM > 0 ? face->units_per_EM : 1.0;
}

struct Outliner {
  PointChain* chain;
  double scale;
  FcPoint2d last;
  FcPoint2d start;
  bool open = false;

  FcPoint2d At(const FT_Vector* v) const { return {v->x * scale, v->y * scale}; }

  void CloseRing() {
    if (!open) return;
    if (chain->openCount > 0 && (last.x != start.x || last.y != start.y))
      chain->AddPoint(PointChain::kCloseContour, start.x, start.y);
    else if (chain->openCount > 0)
      chain->CloseContour();
    open = false;
  }
};

int MoveTo(const FT_Vector* to, void* user) {
  auto& o = *static_cast<Outliner*>(user);
  o.CloseRing();
  o.start = o.last = o.At(to);
  o.chain->AddPoint(0, o.last.x, o.last.y);
  o.open = true;
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto& o = *static_cast<Outliner*>(user);
  o.last = o.At(to);
  o.chain->AddPoint(0, o.last.x, o.last.y);
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto& o = *static_cast<Outliner*>(user);
  o.last = AddQuadraticSplinePoints(*o.chain, o.last, o.At(control), o.At(to));
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  auto& o = *static_cast<Outliner*>(user);
  o.last = AddCubicSplinePoints(*o.chain, o.last, o.At(control1), o.At(control2), o.At(to));
  return 0;
}

// Appends the curve's points at 8 even steps of its parameter, the end
// exactly, skipping a point equal to the one before it (the start too,
// when the chain already ends there). Returns the last point.
template <typename CurveAt>
FcPoint2d AddCurvePoints(PointChain& chain, const FcPoint2d& start, const FcPoint2d& end, CurveAt at) {
  FcPoint2d previous = start;
  const bool startShown = chain.openCount > 0 && chain.points.back().x == start.x && chain.points.back().y == start.y;
  if (!startShown) chain.AddPoint(0, start.x, start.y);
  for (int i = 1; i <= kCurveSteps; ++i) {
    const FcPoint2d p = i < kCurveSteps ? at(static_cast<double>(i) / kCurveSteps) : end;
    if (p.x == previous.x && p.y == previous.y) continue;
    chain.AddPoint(0, p.x, p.y);
    previous = p;
  }
  return previous;
}

struct CachedOutline {
  bool found = false;
  TrueTypeGlyphMetrics metrics;
  PointChain chain;
};

CachedOutline Outline(const FaceLocation& location, char32_t character, double height) {
  CachedOutline result;
  FT_Face face = OpenFace(location);
  if (face == nullptr) return result;
  const FT_UInt glyph = FT_Get_Char_Index(face, character);
  if (glyph == 0 || FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE || face->glyph->outline.n_contours <= 0)
    return result;
  FT_Outline& outline = face->glyph->outline;
  if (location.needsBold) {
    const auto strength = static_cast<FT_Pos>(face->units_per_EM * kSyntheticBoldPerEm);
    FT_Outline_EmboldenXY(&outline, strength, strength);
  }
  if (location.needsItalic) {
    FT_Matrix shear = {0x10000, kSyntheticSlant, 0, 0x10000};
    FT_Outline_Transform(&outline, &shear);
  }
  const double scale = height / CellHeight(face);
  Outliner outliner{&result.chain, scale, {}, {}};
  const FT_Outline_Funcs funcs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  result.chain.kind = PointChain::kFilled;
  if (FT_Outline_Decompose(&outline, &funcs, &outliner) != 0) return result;
  outliner.CloseRing();
  FT_BBox box;
  FT_Outline_Get_BBox(&outline, &box);
  result.metrics.blackBox = {(box.xMax - box.xMin) * scale, (box.yMax - box.yMin) * scale};
  result.metrics.glyphOrigin = {box.xMin * scale, box.yMax * scale};
  result.metrics.cellAdvance = {face->glyph->metrics.horiAdvance * scale, 0.0};
  result.found = result.chain.PointCount() > 0;
  return result;
}

}  // namespace

FcPoint2d AddQuadraticSplinePoints(PointChain& chain, const FcPoint2d& start, const FcPoint2d& control,
                                   const FcPoint2d& end) {
  return AddCurvePoints(chain, start, end, [&](double t) {
    const double s = 1.0 - t;
    return FcPoint2d{s * s * start.x + 2 * t * s * control.x + t * t * end.x,
                     s * s * start.y + 2 * t * s * control.y + t * t * end.y};
  });
}

FcPoint2d AddCubicSplinePoints(PointChain& chain, const FcPoint2d& start, const FcPoint2d& control1,
                               const FcPoint2d& control2, const FcPoint2d& end) {
  return AddCurvePoints(chain, start, end, [&](double t) {
    const double s = 1.0 - t;
    const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    return FcPoint2d{a * start.x + b * control1.x + c * control2.x + d * end.x,
                     a * start.y + b * control1.y + c * control2.y + d * end.y};
  });
}

bool GetTrueTypeOutline(bool bold, int code, const std::string& faceName, double height, bool italic,
                        bool underline, bool strikeOut, int charset, TrueTypeGlyphMetrics* metrics,
                        PointChain* chain) {
  using Key = std::tuple<std::string, bool, bool, char32_t, double>;
  static std::map<Key, CachedOutline> cache;
  static std::map<std::tuple<std::string, bool, bool>, FaceLocation> located;
  const char32_t character = ToUnicode(code, charset);
  std::lock_guard<std::mutex> lock(FontEngineLock());
  const Key key{faceName, bold, italic, character, height};
  auto it = cache.find(key);
  if (it == cache.end()) {
    auto [place, fresh] = located.try_emplace({faceName, bold, italic});
    if (fresh && !MatchFace(faceName, bold, italic, &place->second)) place->second.path.clear();
    if (cache.size() >= kMaxCachedOutlines) cache.clear();
    it = cache.emplace(key, place->second.path.empty() ? CachedOutline{}
                                                        : Outline(place->second, character, height)).first;
  }
  if (metrics != nullptr) *metrics = it->second.metrics;
  if (chain != nullptr) {
    chain->Free();
    chain->kind = PointChain::kFilled;
    if (it->second.found) {
      chain->points = it->second.chain.points;
      chain->contourSizes = it->second.chain.contourSizes;
    }
  }
  return it->second.found;
}
