#include "fonts/shape_font_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "core/paths.h"
#include "fonts/shape_glyph.h"
#include "fonts/shape_interpreter.h"
#include "platform/frame_link.h"

namespace {

// Larger than the largest double-byte font; a bigger file is not a font.
constexpr std::uintmax_t kMaxFontFileSize = 64u << 20;
constexpr int kBigFontDefaultAbove = 8;
constexpr int kMaxModes = 2;
constexpr int kMaxEscapeRanges = 20;
constexpr double kGlyphUnits = 100.0;

// Little-endian reads that fail instead of reading past the end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Has(std::size_t at, std::size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
  bool U8(std::size_t at, int& value) const {
    if (!Has(at, 1)) return false;
    value = bytes_[at];
    return true;
  }
  bool U16(std::size_t at, int& value) const {
    if (!Has(at, 2)) return false;
    value = bytes_[at] | (bytes_[at + 1] << 8);
    return true;
  }
  bool S16(std::size_t at, int& value) const {
    if (!U16(at, value)) return false;
    value = static_cast<std::int16_t>(value);
    return true;
  }
  bool U32(std::size_t at, std::uint32_t& value) const {
    if (!Has(at, 4)) return false;
    value = bytes_[at] | (bytes_[at + 1] << 8) | (bytes_[at + 2] << 16) | (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    return true;
  }
  // The position just after the NUL that ends the text at `at`, when it
  // ends before `end`.
  bool SkipText(std::size_t at, std::size_t end, std::size_t& after) const {
    end = std::min(end, bytes_.size());
    for (std::size_t i = at; i < end; ++i) {
      if (bytes_[i] == 0) {
        after = i + 1;
        return true;
      }
    }
    return false;
  }
  std::size_t Size() const { return bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Name, above, below and modes of a font-information record that starts
// at `at` and must end before `end`.
bool ReadFontInfo(const ByteReader& in, std::size_t at, std::size_t end, int& above, int& below, int& modes) {
  std::size_t after = 0;
  if (!in.SkipText(at, end, after)) return false;
  if (after + 3 > std::min(end, in.Size())) return false;
  return in.U8(after, above) && in.U8(after + 1, below) && in.U8(after + 2, modes);
}

bool PrimaryInfoFits(int above, int below, int modes) { return modes <= kMaxModes && above >= below && above != 0; }

constexpr std::size_t kRegularCount = 28;
constexpr std::size_t kRegularIndex = 30;
constexpr std::size_t kUnicodeCount = 25;
constexpr std::size_t kUnicodeInfo = 31;
constexpr std::size_t kBigCount = 27;
constexpr std::size_t kBigRanges = 29;
constexpr std::size_t kBigRangeList = 31;

}  // namespace

bool ProbeRegularShapeFont(std::span<const std::uint8_t> bytes, ShapeFontMetrics* metrics) {
  const ByteReader in(bytes);
  int count = 0;
  int number = 0;
  int length = 0;
  if (!in.S16(kRegularCount, count) || count <= 0) return false;
  const std::size_t data = kRegularIndex + 4 * static_cast<std::size_t>(count);
  if (!in.U16(kRegularIndex, number) || !in.U16(kRegularIndex + 2, length) || number != 0 || !in.Has(data, 0))
    return false;
  int above = 0, below = 0, modes = 0;
  if (!ReadFontInfo(in, data, data + length, above, below, modes) || !PrimaryInfoFits(above, below, modes)) return false;
  if (metrics != nullptr) *metrics = {above, below};
  return true;
}

bool ProbeUnicodeShapeFont(std::span<const std::uint8_t> bytes, ShapeFontMetrics* metrics) {
  const ByteReader in(bytes);
  int count = 0, high = 0, infoLength = 0;
  if (!in.S16(kUnicodeCount, count) || count <= 0 || !in.U16(kUnicodeCount + 2, high) || high != 0 ||
      !in.U16(kUnicodeCount + 4, infoLength))
    return false;
  int above = 0, below = 0, modes = 0;
  if (!ReadFontInfo(in, kUnicodeInfo, kUnicodeInfo + infoLength, above, below, modes) ||
      !PrimaryInfoFits(above, below, modes))
    return false;
  if (metrics != nullptr) *metrics = {above, below};
  return true;
}

bool ProbeBigShapeFont(std::span<const std::uint8_t> bytes, ShapeFontMetrics* metrics) {
  const ByteReader in(bytes);
  int ranges = 0, number = 0;
  std::uint32_t offset = 0;
  if (!in.S16(kBigRanges, ranges) || ranges < 1 || ranges > kMaxEscapeRanges) return false;
  const std::size_t entries = kBigRangeList + 4 * static_cast<std::size_t>(ranges);
  if (!in.U16(entries, number) || !in.U32(entries + 4, offset) || number != 0 || offset == 0) return false;
  int above = 0, below = 0, modes = 0;
  if (!ReadFontInfo(in, offset, in.Size(), above, below, modes) || modes > kMaxModes) return false;
  if (metrics != nullptr) *metrics = {above != 0 ? above : kBigFontDefaultAbove, below};
  return true;
}

std::shared_ptr<ShapeFontFile> ShapeFontFile::Parse(std::vector<std::uint8_t> bytes, std::string path, int kind) {
  ShapeFontMetrics metrics;
  const bool matches = (kind == kShapeFontRegular && ProbeRegularShapeFont(bytes, &metrics)) ||
                       (kind == kShapeFontUnicode && ProbeUnicodeShapeFont(bytes, &metrics)) ||
                       (kind == kShapeFontBig && ProbeBigShapeFont(bytes, &metrics));
  if (!matches) return nullptr;
  std::shared_ptr<ShapeFontFile> font(new ShapeFontFile());
  font->bytes_ = std::move(bytes);
  font->path_ = std::move(path);
  font->kind_ = kind;
  font->above_ = metrics.above;
  font->below_ = metrics.below;
  if (kind == kShapeFontBig) font->index_ = ShapeIndex(1024);
  const ByteReader in(font->bytes_);
  const auto add = [&](int number, std::size_t offset, int length) {
    if (length == 0) return true;
    if (!in.Has(offset, static_cast<std::size_t>(length))) return false;
    font->index_.Insert(number, static_cast<std::int32_t>(offset));
    font->lengths_.Insert(number, length);
    font->longest_ = std::max(font->longest_, length);
    return true;
  };
  bool complete = true;
  if (kind == kShapeFontRegular) {
    int count = 0, infoLength = 0;
    in.S16(kRegularCount, count);
    in.U16(kRegularIndex + 2, infoLength);
    std::size_t offset = kRegularIndex + 4 * static_cast<std::size_t>(count) + infoLength;
    for (int i = 1; i < count && complete; ++i) {
      int number = 0, length = 0;
      complete = in.U16(kRegularIndex + 4 * i, number) && in.U16(kRegularIndex + 4 * i + 2, length) &&
                 add(number, offset, length);
      offset += length;
    }
  } else if (kind == kShapeFontUnicode) {
    int count = 0, infoLength = 0;
    in.S16(kUnicodeCount, count);
    in.U16(kUnicodeCount + 4, infoLength);
    std::size_t position = kUnicodeInfo + infoLength;
    for (int i = 1; i < count && complete; ++i) {
      int number = 0, length = 0;
      complete = in.U16(position, number) && in.U16(position + 2, length) && add(number, position + 4, length);
      position += 4 + static_cast<std::size_t>(length);
    }
  } else {
    int count = 0, ranges = 0;
    in.U16(kBigCount, count);
    in.S16(kBigRanges, ranges);
    const std::size_t entries = kBigRangeList + 4 * static_cast<std::size_t>(ranges);
    for (int i = 1; i < count && complete; ++i) {
      int number = 0, length = 0;
      std::uint32_t offset = 0;
      const std::size_t at = entries + 8 * static_cast<std::size_t>(i);
      complete = in.U16(at, number) && in.U16(at + 2, length) && in.U32(at + 4, offset) &&
                 (offset == 0 || add(number, offset, length));
    }
  }
  font->damaged_ = !complete;
  return font;
}

std::span<const std::uint8_t> ShapeFontFile::ShapeBytes(int number) const {
  const std::int32_t offset = index_.Find(number);
  if (offset < 0) return {};
  return std::span<const std::uint8_t>(bytes_).subspan(static_cast<std::size_t>(offset),
                                                       static_cast<std::size_t>(lengths_.Find(number)));
}

ShapeFontFile::~ShapeFontFile() {
  for (std::atomic<GlyphBlock*>& slot : glyphBlocks_) {
    GlyphBlock* block = slot.load(std::memory_order_relaxed);
    if (block == nullptr) continue;
    for (std::atomic<const ShapeGlyph*>& glyph : *block) delete glyph.load(std::memory_order_relaxed);
    delete block;
  }
}

ShapeGlyph ShapeFontFile::InterpretGlyph(int number) const {
  ShapeGlyph glyph;
  if (damaged_) {
    glyph.status = ShapeGlyphStatus::kDamaged;
  } else if (index_.Find(number) >= 0) {
    CShape shape;
    glyph.status = InterpretShape(*this, ShapeBytes(number), shape) ? ShapeGlyphStatus::kDrawn
                                                                    : ShapeGlyphStatus::kDamaged;
    if (glyph.status == ShapeGlyphStatus::kDrawn) {
      shape.Emit(glyph.chain);
      glyph.advance = shape.GetAdvance() / above_ * kGlyphUnits;
    }
  }
  if (glyph.status == ShapeGlyphStatus::kDamaged) ReportDamage();
  return glyph;
}

ShapeGlyph ShapeFontFile::GetGlyph(int number) const {
  // No shape has a number beyond 16 bits: such a number is simply missing.
  if (number < 0 || number >= kGlyphBlockSize * kGlyphBlockSize) return InterpretGlyph(number);
  const auto blockIndex = static_cast<std::size_t>(number >> kGlyphBlockBits);
  const auto entryIndex = static_cast<std::size_t>(number & (kGlyphBlockSize - 1));
  if (const GlyphBlock* block = glyphBlocks_[blockIndex].load(std::memory_order_acquire)) {
    if (const ShapeGlyph* cached = (*block)[entryIndex].load(std::memory_order_acquire)) return *cached;
  }
  auto glyph = std::make_unique<const ShapeGlyph>(InterpretGlyph(number));
  const std::lock_guard<std::mutex> lock(cacheLock_);
  GlyphBlock* block = glyphBlocks_[blockIndex].load(std::memory_order_relaxed);
  if (block == nullptr) {
    block = new GlyphBlock{};
    glyphBlocks_[blockIndex].store(block, std::memory_order_release);
  }
  // Another thread may have interpreted the same glyph meanwhile: the
  // first one stays.
  std::atomic<const ShapeGlyph*>& entry = (*block)[entryIndex];
  if (const ShapeGlyph* first = entry.load(std::memory_order_relaxed)) return *first;
  entry.store(glyph.get(), std::memory_order_release);
  return *glyph.release();
}

void ShapeFontFile::ReportDamage() const {
  if (reported_.exchange(true)) return;
  PrintMessage("The font file " + PathFileName(path_) + " is damaged; its text is not drawn.");
}

std::vector<std::uint8_t> ReadShapeFontBytes(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxFontFileSize) return {};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return {};
  return bytes;
}

namespace {

struct OpenFontKey {
  std::string path;
  int kind;
  bool operator<(const OpenFontKey& other) const {
    return kind != other.kind ? kind < other.kind : path < other.path;
  }
};

struct OpenFont {
  std::filesystem::file_time_type written;
  std::uintmax_t size = 0;
  // A file that does not match the kind is not read again while unchanged.
  bool matches = false;
  std::weak_ptr<const ShapeFontFile> font;
};

}  // namespace

std::shared_ptr<const ShapeFontFile> OpenShapeFontFile(const std::string& path, int kind) {
  static std::mutex lock;
  static std::map<OpenFontKey, OpenFont> open;
  std::error_code error;
  const auto written = std::filesystem::last_write_time(path, error);
  if (error) return nullptr;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return nullptr;
  std::lock_guard<std::mutex> guard(lock);
  OpenFont& entry = open[{path, kind}];
  const bool unchanged = entry.written == written && entry.size == size;
  if (unchanged && !entry.matches) return nullptr;
  if (auto font = entry.font.lock(); font != nullptr && unchanged) return font;
  std::shared_ptr<const ShapeFontFile> font = ShapeFontFile::Parse(ReadShapeFontBytes(path), path, kind);
  entry = {written, size, font != nullptr, font};
  return font;
}
