#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fonts/shape_font_file.h"
#include "fonts/shape_glyph.h"

// One font slot of a text style: a primary part (a regular or Unicode
// shape font) and a big-font part (double-byte codes). A text style owns two
// slots, its primary font and its big font, and uses one part of each.
// Loaded fonts are shared and never change, so a slot may be copied and
// read from any thread; loading or clearing a slot belongs to its style's
// owner.
class CShapeInfo {
 public:
  // The parts of a slot.
  static constexpr int kBigFontPart = 1;
  static constexpr int kPrimaryPart = 2;
  // What ProbeFontFile reports.
  static constexpr int kProbeBigFont = 1;
  static constexpr int kProbePrimary = 2;
  static constexpr int kProbeBoth = 3;

  CShapeInfo() = default;

  // The header probes: each records the metrics it reads.
  bool ProbeShapeFont(const std::string& path);
  bool ProbeUnifont(const std::string& path);
  // Sets the kind out to 2 when it succeeds.
  bool ProbeBigFont(const std::string& path, int* kind);
  // Kind out: 2 a shape or Unicode font only, 1 a big font only, 3 both.
  // True when any probe succeeded. The metrics go to the holder when given.
  static bool ProbeFontFile(const std::string& path, CShapeInfo* metrics, int* kind);

  // Loads the file into the part its header asks for: a primary header
  // wins over a big-font one. Kind out as ProbeFontFile gives it. True when
  // an index was read completely.
  bool Load(const std::string& path, int* kind);
  // The same from bytes already read (the path only names the font in
  // messages).
  bool LoadBytes(std::vector<std::uint8_t> bytes, const std::string& path, int* kind);

  // Resets the primary part (kPrimaryPart) or the big-font part.
  void Clear(int part);

  // Interprets shape `number` of the part into the shape. False when the
  // part has no such shape or its bytes are malformed.
  bool GetShape(int number, int part, CShape& shape) const;
  // Interprets the bytes (name first) as a shape of the part.
  bool InterpretShape(CShape& shape, int part, std::span<const std::uint8_t> bytes) const;
  // The glyph of shape `number` of the part in glyph units, cached.
  ShapeGlyph GetGlyph(int number, int part) const;

  bool HasPrimary() const { return font_ != nullptr; }
  bool HasBigFont() const { return bigFont_ != nullptr; }
  // 1 regular shape font, 3 Unicode shape font, 0 none.
  int GetFontKind() const { return font_ != nullptr ? font_->GetKind() : kShapeFontNone; }
  // 2 when a big font is loaded, else 0.
  int GetBigFontKind() const { return bigFont_ != nullptr ? kShapeFontBig : kShapeFontNone; }
  int GetFontAbove() const { return fontMetrics_.above; }
  int GetFontBelow() const { return fontMetrics_.below; }
  int GetBigFontAbove() const { return bigMetrics_.above; }
  int GetBigFontBelow() const { return bigMetrics_.below; }
  const std::string& GetFontPath() const { return fontPath_; }
  const std::string& GetBigFontPath() const { return bigFontPath_; }
  // True when a loaded part's file is damaged: its glyphs draw nothing.
  bool IsDamaged() const;

 private:
  const ShapeFontFile* Part(int part) const;
  bool Install(std::shared_ptr<const ShapeFontFile> primary, std::shared_ptr<const ShapeFontFile> big,
               const std::string& path, int* kind);

  std::shared_ptr<const ShapeFontFile> font_;
  std::shared_ptr<const ShapeFontFile> bigFont_;
  ShapeFontMetrics fontMetrics_;
  ShapeFontMetrics bigMetrics_;
  std::string fontPath_;
  std::string bigFontPath_;
};
