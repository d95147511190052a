#include "export/svg_export.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

struct NamedColor {
  FcColorRef rgb;
  const char* name;
};

// The SVG colour keywords, one per value (cyan, fuchsia and the "gray"
// spellings where the table has several), sorted by value; the value of
// lightgoldenrodyellow is left out on purpose. Red is the low byte.
constexpr NamedColor kNamedColors[] = {
    {0x000000, "black"},
    {0x000080, "maroon"},
    {0x00008B, "darkred"},
    {0x0000FF, "red"},
    {0x0045FF, "orangered"},
    {0x006400, "darkgreen"},
    {0x008000, "green"},
    {0x008080, "olive"},
    {0x008CFF, "darkorange"},
    {0x00A5FF, "orange"},
    {0x00D7FF, "gold"},
    {0x00FC7C, "lawngreen"},
    {0x00FF00, "lime"},
    {0x00FF7F, "chartreuse"},
    {0x00FFFF, "yellow"},
    {0x0B86B8, "darkgoldenrod"},
    {0x13458B, "saddlebrown"},
    {0x1E69D2, "chocolate"},
    {0x20A5DA, "goldenrod"},
    {0x2222B2, "firebrick"},
    {0x228B22, "forestgreen"},
    {0x238E6B, "olivedrab"},
    {0x2A2AA5, "brown"},
    {0x2D52A0, "sienna"},
    {0x2F6B55, "darkolivegreen"},
    {0x2FFFAD, "greenyellow"},
    {0x32CD32, "limegreen"},
    {0x32CD9A, "yellowgreen"},
    {0x3C14DC, "crimson"},
    {0x3F85CD, "peru"},
    {0x4763FF, "tomato"},
    {0x4F4F2F, "darkslategray"},
    {0x507FFF, "coral"},
    {0x578B2E, "seagreen"},
    {0x5C5CCD, "indianred"},
    {0x60A4F4, "sandybrown"},
    {0x696969, "dimgray"},
    {0x6BB7BD, "darkkhaki"},
    {0x701919, "midnightblue"},
    {0x71B33C, "mediumseagreen"},
    {0x7280FA, "salmon"},
    {0x7A96E9, "darksalmon"},
    {0x7AA0FF, "lightsalmon"},
    {0x7FFF00, "springgreen"},
    {0x800000, "navy"},
    {0x800080, "purple"},
    {0x808000, "teal"},
    {0x808080, "gray"},
    {0x8080F0, "lightcoral"},
    {0x82004B, "indigo"},
    {0x8515C7, "mediumvioletred"},
    {0x87B8DE, "burlywood"},
    {0x8B0000, "darkblue"},
    {0x8B008B, "darkmagenta"},
    {0x8B3D48, "darkslateblue"},
    {0x8B8B00, "darkcyan"},
    {0x8CB4D2, "tan"},
    {0x8CE6F0, "khaki"},
    {0x8F8FBC, "rosybrown"},
    {0x8FBC8F, "darkseagreen"},
    {0x908070, "slategray"},
    {0x90EE90, "lightgreen"},
    {0x9314FF, "deeppink"},
    {0x9370DB, "palevioletred"},
    {0x98FB98, "palegreen"},
    {0x998877, "lightslategray"},
    {0x9AFA00, "mediumspringgreen"},
    {0xA09E5F, "cadetblue"},
    {0xA9A9A9, "darkgray"},
    {0xAAB220, "lightseagreen"},
    {0xAACD66, "mediumaquamarine"},
    {0xAAE8EE, "palegoldenrod"},
    {0xADDEFF, "navajowhite"},
    {0xB3DEF5, "wheat"},
    {0xB469FF, "hotpink"},
    {0xB48246, "steelblue"},
    {0xB5E4FF, "moccasin"},
    {0xB9DAFF, "peachpuff"},
    {0xC0C0C0, "silver"},
    {0xC1B6FF, "lightpink"},
    {0xC4E4FF, "bisque"},
    {0xCBC0FF, "pink"},
    {0xCC3299, "darkorchid"},
    {0xCCD148, "mediumturquoise"},
    {0xCD0000, "mediumblue"},
    {0xCD5A6A, "slateblue"},
    {0xCDEBFF, "blanchedalmond"},
    {0xCDFAFF, "lemonchiffon"},
    {0xD0E040, "turquoise"},
    {0xD1CE00, "darkturquoise"},
    {0xD30094, "darkviolet"},
    {0xD355BA, "mediumorchid"},
    {0xD3D3D3, "lightgray"},
    {0xD4FF7F, "aquamarine"},
    {0xD5EFFF, "papayawhip"},
    {0xD670DA, "orchid"},
    {0xD7EBFA, "antiquewhite"},
    {0xD8BFD8, "thistle"},
    {0xDB7093, "mediumpurple"},
    {0xDCDCDC, "gainsboro"},
    {0xDCF5F5, "beige"},
    {0xDCF8FF, "cornsilk"},
    {0xDDA0DD, "plum"},
    {0xDEC4B0, "lightsteelblue"},
    {0xE0FFFF, "lightyellow"},
    {0xE16941, "royalblue"},
    {0xE1E4FF, "mistyrose"},
    {0xE22B8A, "blueviolet"},
    {0xE6D8AD, "lightblue"},
    {0xE6E0B0, "powderblue"},
    {0xE6F0FA, "linen"},
    {0xE6F5FD, "oldlace"},
    {0xEBCE87, "skyblue"},
    {0xED9564, "cornflowerblue"},
    {0xEE687B, "mediumslateblue"},
    {0xEE82EE, "violet"},
    {0xEEEEAF, "paleturquoise"},
    {0xEEF5FF, "seashell"},
    {0xF0FAFF, "floralwhite"},
    {0xF0FFF0, "honeydew"},
    {0xF0FFFF, "ivory"},
    {0xF5F0FF, "lavenderblush"},
    {0xF5F5F5, "whitesmoke"},
    {0xFACE87, "lightskyblue"},
    {0xFAE6E6, "lavender"},
    {0xFAFAFF, "snow"},
    {0xFAFFF5, "mintcream"},
    {0xFF0000, "blue"},
    {0xFF00FF, "fuchsia"},
    {0xFF901E, "dodgerblue"},
    {0xFFBF00, "deepskyblue"},
    {0xFFF8F0, "aliceblue"},
    {0xFFF8F8, "ghostwhite"},
    {0xFFFF00, "cyan"},
    {0xFFFFE0, "lightcyan"},
    {0xFFFFF0, "azure"},
    {0xFFFFFF, "white"},
};

constexpr std::size_t kDocumentPiece = std::size_t{1} << 20;

void AppendInteger(std::string& text, unsigned value) { text += std::to_string(value); }

}  // namespace

std::string SvgColorKeyword(FcColorRef rgb) {
  const auto found = std::lower_bound(std::begin(kNamedColors), std::end(kNamedColors), rgb,
                                      [](const NamedColor& color, FcColorRef value) { return color.rgb < value; });
  if (found != std::end(kNamedColors) && found->rgb == rgb) return found->name;
  std::string text = "RGB(";
  AppendInteger(text, rgb & 0xFF);
  text += ',';
  AppendInteger(text, (rgb >> 8) & 0xFF);
  text += ',';
  AppendInteger(text, (rgb >> 16) & 0xFF);
  text += ')';
  return text;
}

void FcSVGExportDevice::BeginPaint(const FcPaintTarget& target, int) {
  outputPath = target.path;
  const FcPoint2d size = Scaled(width, height);
  std::string sizes[2];
  AppendFixed(sizes[0], size.x, 3);
  AppendFixed(sizes[1], size.y, 3);
  document_ = "<?xml version=\"1.0\" standalone=\"no\"?><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + sizes[0] +
              "\" height=\"" + sizes[1] + "\" viewBox=\"0.0 0.0 " + sizes[0] + " " + sizes[1] +
              "\">\n"
              "  <title>KOVRA export result</title>\n"
              "  <desc>KOVRA export result</desc>\n";
  subpathCount_ = 0;
  movePending_ = false;
  drawing_ = false;
  colorKeyword_ = "black";
  strokeWidth_ = "0.2";
  outputOpen_ = OpenOutput();
  gzip_ = compressed ? std::make_unique<FcParallelGzip>() : nullptr;
}

void FcSVGExportDevice::FlushDocument() {
  if (outputOpen_ && gzip_ == nullptr) {
    Write(document_);
  } else if (outputOpen_) {
    gzip_->Add(document_.data(), document_.size());
    const std::vector<std::uint8_t>& packed = gzip_->Output();
    Write({reinterpret_cast<const char*>(packed.data()), packed.size()});
    gzip_->DiscardOutput();
  }
  document_.clear();
}

void FcSVGExportDevice::FlushIfLarge() {
  if (document_.size() >= kDocumentPiece) FlushDocument();
}

void FcSVGExportDevice::AppendPoint(std::string& text, double x, double y) const {
  AppendTrimmed(text, x / scale, 2);
  text += ' ';
  AppendTrimmed(text, (height - y) / scale, 2);
}

void FcSVGExportDevice::AppendRun(std::string& text, const FcDevicePoint* points, int count) const {
  text += 'M';
  std::size_t start = text.size();
  AppendPoint(text, points[0].x, points[0].y);
  if (count > 1) text += 'L';
  // A point that writes the same numbers as the one before adds nothing:
  // small curves and glyphs have many that two decimals cannot tell apart.
  std::string previous = text.substr(start, text.size() - start - (count > 1 ? 1 : 0));
  bool first = true;
  for (int i = 1; i < count; ++i) {
    start = text.size();
    if (!first) text += ' ';
    const std::size_t numbers = text.size();
    AppendPoint(text, points[i].x, points[i].y);
    if (std::string_view(text).substr(numbers) == previous) {
      text.resize(start);
      continue;
    }
    previous.assign(text, numbers);
    first = false;
  }
  // An L without coordinates would make the path invalid.
  if (count > 1 && first) text.pop_back();
}

std::string FcSVGExportDevice::StrokeAttributes() const {
  return "\"\nfill=\"none\" stroke=\"" + colorKeyword_ + "\" stroke-width=\"" + strokeWidth_ + "\"/>\n";
}

void FcSVGExportDevice::FlushPath() {
  if (subpathCount_ <= 0) return;
  document_ += StrokeAttributes();
  subpathCount_ = 0;
}

void FcSVGExportDevice::MoveTo(int x, int y) {
  movePending_ = true;
  drawing_ = false;
  currentX_ = x;
  currentY_ = y;
}

void FcSVGExportDevice::LineTo(int x, int y) {
  if (movePending_) {
    if (subpathCount_ == 0) document_ += "<path d=\"";
    document_ += 'M';
    AppendPoint(document_, currentX_, currentY_);
    document_ += 'L';
    AppendPoint(document_, x, y);
    ++subpathCount_;
    drawing_ = true;
    movePending_ = false;
  } else if (drawing_ && (x != currentX_ || y != currentY_)) {
    document_ += ' ';
    AppendPoint(document_, x, y);
  }
  currentX_ = x;
  currentY_ = y;
  FlushIfLarge();
}

void FcSVGExportDevice::SetPixel(int x, int y) {
  MoveTo(x, y);
  LineTo(x, y);
  FlushPath();
}

void FcSVGExportDevice::Polyline(const FcDevicePoint* points, int count) {
  FlushPath();
  movePending_ = false;
  drawing_ = false;
  // A single point would leave the L command without coordinates.
  if (points == nullptr || count < 2) return;
  document_ += "<path d=\"";
  AppendRun(document_, points, count);
  document_ += StrokeAttributes();
  FlushIfLarge();
}

void FcSVGExportDevice::WriteCurve(int centreX, int centreY, int radius, double startAngle, double sweep) {
  FlushPath();
  movePending_ = false;
  drawing_ = false;
  const auto appendAt = [&](double angle) {
    AppendPoint(document_, centreX + radius * std::cos(angle), centreY + radius * std::sin(angle));
  };
  document_ += "<path d=\"M";
  appendAt(startAngle);
  if (radius > 0 && std::isfinite(sweep) && std::isfinite(startAngle) && sweep != 0.0) {
    // An arc command cannot go all the way round: pieces of at most a
    // half turn. Counterclockwise with y up is the negative sweep of y
    // down.
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kPi - 1e-9)));
    const char* direction = sweep > 0 ? " 0 0 0 " : " 0 0 1 ";
    for (int i = 1; i <= pieces; ++i) {
      document_ += 'A';
      AppendTrimmed(document_, radius / scale, 2);
      document_ += ' ';
      AppendTrimmed(document_, radius / scale, 2);
      document_ += direction;
      appendAt(startAngle + sweep * i / pieces);
    }
  }
  document_ += StrokeAttributes();
  FlushIfLarge();
}

void FcSVGExportDevice::Polygon(const FcDevicePoint* points, int count) {
  // Two points enclose nothing: they show as the line between them.
  if (points == nullptr || count < 3) {
    Polyline(points, count);
    return;
  }
  FlushPath();
  movePending_ = false;
  drawing_ = false;
  // Filled and outlined, as the screen and the other exports draw it.
  document_ += "<path d=\"";
  AppendRun(document_, points, count);
  document_ += "Z\"\nfill-rule=\"evenodd\" fill=\"" + colorKeyword_ + "\" stroke=\"" + colorKeyword_ +
               "\" stroke-width=\"" + strokeWidth_ + "\"/>\n";
  FlushIfLarge();
}

void FcSVGExportDevice::PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  FlushPath();
  movePending_ = false;
  drawing_ = false;
  if (points == nullptr || ringCounts == nullptr || ringCount < 1) return;
  std::string rings;
  const FcDevicePoint* ring = points;
  for (int r = 0; r < ringCount; ++r) {
    const int count = ringCounts[r];
    // A ring without points has no first point to start at.
    if (count < 1) continue;
    if (!rings.empty()) rings += "Z\n";
    AppendRun(rings, ring, count);
    ring += count;
  }
  if (rings.empty()) return;
  document_ += "<path d=\"" + rings + "Z\"\nfill-rule=\"evenodd\" fill=\"" + colorKeyword_ + "\"/>\n";
  FlushIfLarge();
}

void FcSVGExportDevice::SetColor(FcColorRef rgb) {
  if (currentColor_ == rgb) return;
  FlushPath();
  colorKeyword_ = SvgColorKeyword(rgb);
  currentColor_ = rgb;
  movePending_ = false;
  drawing_ = false;
  FlushIfLarge();
}

void FcSVGExportDevice::EndPaint() {
  FlushPath();
  document_ += "</svg>\n";
  if (!outputOpen_) return;
  FlushDocument();
  if (gzip_ != nullptr) {
    if (!gzip_->Finish()) Output().MarkFailed();
    const std::vector<std::uint8_t>& packed = gzip_->Output();
    Write({reinterpret_cast<const char*>(packed.data()), packed.size()});
  }
  FinishOutput();
}
