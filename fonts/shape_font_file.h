#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "fonts/point_chain.h"
#include "fonts/shape_index.h"

// The three kinds of shape-font file, as the font slots number them.
enum ShapeFontKind : int {
  kShapeFontNone = 0,
  kShapeFontRegular = 1,
  kShapeFontBig = 2,
  kShapeFontUnicode = 3,
};

// The header values a probe reads.
struct ShapeFontMetrics {
  int above = 0;
  int below = 0;
};

// The header probes. Each checks the structure only (the signature text is
// never compared) and fills the metrics when it succeeds.
bool ProbeRegularShapeFont(std::span<const std::uint8_t> bytes, ShapeFontMetrics* metrics);
bool ProbeUnicodeShapeFont(std::span<const std::uint8_t> bytes, ShapeFontMetrics* metrics);
bool ProbeBigShapeFont(std::span<const std::uint8_t> bytes, ShapeFontMetrics* metrics);

// The result of asking a font for one shape.
enum class ShapeGlyphStatus { kDrawn, kMissing, kDamaged };

// One glyph as the font gives it, in glyph units (100 per "above").
struct ShapeGlyph {
  ShapeGlyphStatus status = ShapeGlyphStatus::kMissing;
  PointChain chain;
  double advance = 0.0;
};

// A loaded shape font of one kind: the whole file in memory, its metrics and
// its index. Nothing changes after loading except the glyph cache, whose
// entries are each set once, so one font serves every style and thread
// that uses it.
class ShapeFontFile {
 public:
  ~ShapeFontFile();
  ShapeFontFile(const ShapeFontFile&) = delete;
  ShapeFontFile& operator=(const ShapeFontFile&) = delete;

  // Reads the index of a file of the given kind (regular, Unicode or big).
  // Null when the header does not match the kind. A file whose index
  // reaches past its end loads as damaged: it draws nothing.
  static std::shared_ptr<ShapeFontFile> Parse(std::vector<std::uint8_t> bytes, std::string path, int kind);

  int GetKind() const { return kind_; }
  int GetAbove() const { return above_; }
  int GetBelow() const { return below_; }
  const std::string& GetPath() const { return path_; }
  const ShapeIndex& GetIndex() const { return index_; }
  int GetLongestShape() const { return longest_; }
  bool IsDamaged() const { return damaged_; }

  // The bytes of a shape (its name first), bounded by the entry's own
  // length; empty when the font has no such shape.
  std::span<const std::uint8_t> ShapeBytes(int number) const;

  // The glyph of the shape, interpreted once and then served from the
  // cache. A damaged font or shape reports itself once on the command line.
  ShapeGlyph GetGlyph(int number) const;

 private:
  ShapeFontFile() = default;
  void ReportDamage() const;
  ShapeGlyph InterpretGlyph(int number) const;

  std::vector<std::uint8_t> bytes_;
  std::string path_;
  int kind_ = kShapeFontNone;
  int above_ = 0;
  int below_ = 0;
  ShapeIndex index_;
  ShapeIndex lengths_;
  int longest_ = 0;
  bool damaged_ = false;

  // The glyphs interpreted so far, by shape number (16 bits), in blocks of
  // 256. Texts drawn on several threads read them at once, thousands of
  // times per drawing: a read takes no lock, and an entry, once set under
  // the lock, never changes until the font goes.
  static constexpr int kGlyphBlockBits = 8;
  static constexpr int kGlyphBlockSize = 1 << kGlyphBlockBits;
  using GlyphBlock = std::array<std::atomic<const ShapeGlyph*>, kGlyphBlockSize>;
  mutable std::array<std::atomic<GlyphBlock*>, kGlyphBlockSize> glyphBlocks_{};
  mutable std::mutex cacheLock_;
  mutable std::atomic<bool> reported_{false};
};

// The whole file, or nothing when it cannot be read or is larger than any
// shape font can be.
std::vector<std::uint8_t> ReadShapeFontBytes(const std::string& path);

// The font of the file loaded as the kind, shared with every earlier
// caller while the file is unchanged. Null when the file cannot be read or
// does not match the kind.
std::shared_ptr<const ShapeFontFile> OpenShapeFontFile(const std::string& path, int kind);
