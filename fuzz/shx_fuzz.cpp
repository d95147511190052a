#include <cstddef>
#include <cstdint>
#include <vector>

#include "fonts/shape_font_file.h"

namespace {

// More shapes than any seed has; enough to reach every code path.
constexpr int kMaxShapes = 4096;

}  // namespace

// Reads the bytes as each kind of shape font and interprets every shape
// that the index names, twice, so that the cached glyph is served too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (int kind : {kShapeFontRegular, kShapeFontUnicode, kShapeFontBig}) {
    const auto font = ShapeFontFile::Parse(std::vector<std::uint8_t>(data, data + size), "fuzz.shx", kind);
    if (font == nullptr) continue;
    int shapes = 0;
    for (const auto& [number, offset] : font->GetIndex().Entries()) {
      if (++shapes > kMaxShapes) break;
      const ShapeGlyph glyph = font->GetGlyph(number);
      if (glyph.status != ShapeGlyphStatus::kDrawn && glyph.chain.PointCount() != 0) __builtin_trap();
      if (font->GetGlyph(number).chain.PointCount() != glyph.chain.PointCount()) __builtin_trap();
    }
  }
  return 0;
}
