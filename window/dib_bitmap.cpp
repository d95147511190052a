#include "window/dib_bitmap.h"

#include <cstring>
#include <vector>

#include "imaging/dib.h"
#include "imaging/dib_layout.h"
#include "imaging/dib_pixels.h"

namespace {

// The mode for the scope of one paint.
class ModeScope {
 public:
  ModeScope(QPainter& target, QPainter::CompositionMode mode) : target_(target) {
    target_.save();
    target_.setCompositionMode(mode);
    target_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  }
  ~ModeScope() { target_.restore(); }
  ModeScope(const ModeScope&) = delete;
  ModeScope& operator=(const ModeScope&) = delete;

 private:
  QPainter& target_;
};

std::vector<PaletteEntry> TableOf(const QImage& indexed) {
  std::vector<PaletteEntry> table;
  for (QRgb colour : indexed.colorTable())
    table.push_back({static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                     static_cast<std::uint8_t>(qBlue(colour)), 0});
  return table;
}

// An 8-bit picture of an indexed image, its table written after the header.
bool FromIndexed(CDib& picture, const QImage& indexed) {
  const std::vector<PaletteEntry> table = TableOf(indexed);
  if (!picture.CreateBlank(8, indexed.width(), indexed.height())) return false;
  std::vector<std::uint8_t> block = picture.GetMemory();
  for (std::size_t i = 0; i < table.size() && i < 256; ++i) {
    std::uint8_t* entry = block.data() + kDibInfoHeaderSize + 4 * i;
    entry[0] = table[i].blue;
    entry[1] = table[i].green;
    entry[2] = table[i].red;
  }
  DibLayout layout;
  if (!ParseDib(block, &layout, nullptr)) return false;
  for (int y = 0; y < indexed.height(); ++y) {
    std::uint8_t* row = block.data() + layout.BitsOffset() + (indexed.height() - 1 - y) * layout.stride;
    std::memcpy(row, indexed.constScanLine(y), static_cast<std::size_t>(indexed.width()));
  }
  return picture.SetMemory(std::move(block));
}

bool FromTrueColour(CDib& picture, const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  if (!picture.CreateBlank(24, rgb.width(), rgb.height())) return false;
  int bit_count = 0;
  int stride = 0;
  std::uint8_t* rows = picture.GetBits(&bit_count, &stride);
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(rgb.height() - 1 - y));
    std::uint8_t* row = rows + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < rgb.width(); ++x) {
      row[3 * x] = static_cast<std::uint8_t>(qBlue(source[x]));
      row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(source[x]));
      row[3 * x + 2] = static_cast<std::uint8_t>(qRed(source[x]));
    }
  }
  return true;
}

}  // namespace

QImage CreateBitmap(const CDib& dib) {
  DibLayout layout;
  if (dib.IsEmpty() || !ParseDib(dib.GetMemory(), &layout, nullptr) || layout.IsCompressed()) return {};
  const DibPixelDecoder decoder(dib.GetMemory().data(), layout);
  const int width = layout.width;
  const int height = layout.height;
  QImage image(width, height, QImage::Format_RGB32);
  const std::uint8_t* rows = dib.GetMemory().data() + layout.BitsOffset();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows + static_cast<std::size_t>(height - 1 - y) * layout.stride;
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const PaletteEntry colour = decoder.Decode(ReadPixelValue(row, layout.bit_count, x));
      line[x] = qRgb(colour.red, colour.green, colour.blue);
    }
  }
  return image;
}

bool CreateFromBitmap(CDib& dib, const QImage& bitmap, const CPalette* palette) {
  if (bitmap.isNull()) return false;
  CDib picture;
  const bool indexed = bitmap.depth() <= 8 && palette == nullptr;
  if (!(indexed ? FromIndexed(picture, bitmap.convertToFormat(QImage::Format_Indexed8))
                : FromTrueColour(picture, bitmap)))
    return false;
  if (palette != nullptr) {
    std::vector<std::uint8_t> mapped = ConvertDibBitCount(picture.GetMemory(), 8, palette);
    if (mapped.empty() || !picture.SetMemory(std::move(mapped))) return false;
  }
  return dib.CopyFrom(picture);
}

bool Draw(const CDib& dib, QPainter& target, int x, int y, QPainter::CompositionMode mode) {
  const QImage image = CreateBitmap(dib);
  if (image.isNull()) return false;
  ModeScope scope(target, mode);
  target.drawImage(QPoint(x, y), image);
  return true;
}

void StretchBitmap(const QRect& destination, QPainter& target, const QImage& bitmap, const QRect& source,
                   QPainter::CompositionMode mode) {
  if (bitmap.isNull() || destination.isEmpty() || source.isEmpty()) return;
  ModeScope scope(target, mode);
  if (destination.size() == source.size()) {
    target.drawImage(destination.topLeft(), bitmap, source);
    return;
  }
  target.drawImage(destination.topLeft(), bitmap.copy(source).scaled(destination.size(), Qt::IgnoreAspectRatio,
                                                                     Qt::FastTransformation));
}

void DrawTransparentBitmap(QPainter& target, const QImage& bitmap, int x, int y, QRgb transparent) {
  if (bitmap.isNull()) return;
  QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < masked.height(); ++row) {
    QRgb* line = reinterpret_cast<QRgb*>(masked.scanLine(row));
    for (int i = 0; i < masked.width(); ++i)
      if ((line[i] & 0xFFFFFF) == (transparent & 0xFFFFFF)) line[i] = 0;
  }
  ModeScope scope(target, QPainter::CompositionMode_SourceOver);
  target.drawImage(QPoint(x, y), masked);
}
