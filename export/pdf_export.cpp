#include "export/pdf_export.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "export/pdf_document.h"
#include "export/pdf_stream.h"

namespace {

constexpr double kMargin = 15.0;
// More segments than any curve inside a page needs.
constexpr int kMostCurveSegments = 4096;

// How far a cubic Bezier segment of the usual form strays from its circle
// at most, for a segment of the angle on a radius of 1.
double BezierError(double angle) {
  const double quarter = angle / 4;
  return 2.0 / 27.0 * std::pow(std::sin(quarter), 6) / (std::cos(quarter) * std::cos(quarter));
}
// Text gathers up to this size before zlib takes it.
constexpr std::size_t kTextPiece = std::size_t{1} << 16;
// A slice's text gathers up to this size and is then compressed whole as a
// content stream of its own: large enough that the streams compress about
// as well as one, small enough to keep a slice's memory low.
constexpr std::size_t kSliceBlock = std::size_t{1} << 20;

// The stroke and fill colour operators of the colour, each followed by a
// blank.
std::string ColorOperators(FcColorRef rgb) {
  std::string components[3];
  for (int i = 0; i < 3; ++i) AppendTrimmed(components[i], ((rgb >> (8 * i)) & 0xFF) / 255.0, 3);
  std::string text;
  if (components[0] == components[1] && components[1] == components[2]) {
    for (const char* op : {" G ", " g "}) {
      text += components[0];
      text += op;
    }
    return text;
  }
  for (const char* op : {" RG ", " rg "}) {
    for (const std::string& component : components) {
      text += component;
      text += ' ';
    }
    text.pop_back();
    text += op;
  }
  return text;
}

}  // namespace

FcPDFExportDevice::FcPDFExportDevice() = default;

FcPDFExportDevice::~FcPDFExportDevice() = default;

void FcPDFExportDevice::BeginPaint(const FcPaintTarget& target, int) {
  outputPath = target.path;
  movePending_ = false;
  pathOpen_ = false;
  text_.clear();
  document_ = std::make_unique<CPDF>();
  CPDFPages& pages = document_->GetCatalog().GetPages();
  const FcPoint2d size = Scaled(width, height);
  pages.SetMediaBox(30 + static_cast<std::int32_t>(size.x), 30 + static_cast<std::int32_t>(size.y));
  page_ = pages.AddPage(*document_);
  content_ = page_->AddContentStream(*document_);
  offsetX_ = kMargin;
  offsetY_ = kMargin;
  Append(FormatTrimmed(0.0, 3) + " w 1 J 1 j ");
}

std::unique_ptr<FcDisplayDevice> FcPDFExportDevice::MakeSliceDevice() {
  auto slice = std::make_unique<FcPDFExportDevice>();
  // The fields, not CopyState, which would write the colour into the slice.
  slice->width = width;
  slice->height = height;
  slice->lineWidth = lineWidth;
  slice->color = color;
  slice->colorMode = colorMode;
  slice->backgroundIndex = backgroundIndex;
  slice->backgroundRgb = backgroundRgb;
  slice->scale = scale;
  slice->unitsCode = unitsCode;
  slice->offsetX_ = offsetX_;
  slice->offsetY_ = offsetY_;
  slice->sliceContent_ = std::make_unique<FcDeflateBlocks>();
  return slice;
}

void FcPDFExportDevice::TakeSlice(FcDisplayDevice& device) {
  auto& slice = static_cast<FcPDFExportDevice&>(device);
  if (slice.sliceContent_ == nullptr) return;
  if (slice.sliceContent_->InputSize() == 0 && !slice.sliceContent_->Failed()) return;
  // The slice started with no open path; the path this device left open
  // is stroked where the slice's first colour would have stroked it.
  EndOpenPath();
  FlushText();
  if (document_ == nullptr || page_ == nullptr) return;
  if (slice.sliceContent_->Failed()) page_->AddContentStream(*document_)->MarkLost();
  for (std::vector<std::uint8_t>& block : slice.sliceContent_->Blocks()) {
    page_->AddContentStream(*document_, std::move(block));
  }
  content_ = nullptr;
  current_ = slice.current_;
  movePending_ = slice.movePending_;
  pathOpen_ = slice.pathOpen_;
}

void FcPDFExportDevice::Append(std::string_view text) {
  text_.append(text);
  FlushIfLarge();
}

void FcPDFExportDevice::FlushIfLarge() {
  if (text_.size() >= (sliceContent_ != nullptr ? kSliceBlock : kTextPiece)) FlushText();
}

void FcPDFExportDevice::FlushText() {
  if (text_.empty()) return;
  if (sliceContent_ != nullptr) {
    sliceContent_->AddBlock(text_.data(), text_.size());
  } else {
    if (content_ == nullptr && document_ != nullptr && page_ != nullptr) {
      content_ = page_->AddContentStream(*document_);
    }
    if (content_ != nullptr) content_->Append(text_.data(), text_.size());
  }
  text_.clear();
}

void FcPDFExportDevice::AppendNumbers(const FcPoint2d& point) {
  AppendTrimmed(text_, point.x + offsetX_, 2);
  text_ += ' ';
  AppendTrimmed(text_, point.y + offsetY_, 2);
}

void FcPDFExportDevice::AppendMoveTo(const FcPoint2d& point) {
  AppendNumbers(point);
  text_ += " m ";
}

void FcPDFExportDevice::AppendLineTo(const FcPoint2d& point) {
  AppendNumbers(point);
  text_ += " l ";
}

void FcPDFExportDevice::AppendRun(const FcDevicePoint* points, int count, bool repeatFirst) {
  std::size_t start = text_.size();
  AppendNumbers(Scaled(points[0]));
  previousNumbers_.assign(text_, start);
  text_ += " m ";
  if (repeatFirst) {
    text_ += previousNumbers_;
    text_ += " l ";
  }
  // Small curves and glyphs have many device points that the two decimals
  // written cannot tell apart: a point that writes the same numbers as the
  // one before adds nothing.
  for (int i = 1; i < count; ++i) {
    start = text_.size();
    AppendNumbers(Scaled(points[i]));
    const std::string_view written = std::string_view(text_).substr(start);
    if (written == previousNumbers_) {
      text_.resize(start);
      continue;
    }
    previousNumbers_.assign(written);
    text_ += " l ";
  }
}

void FcPDFExportDevice::WriteCurve(int centreX, int centreY, int radius, double startAngle, double sweep) {
  EndOpenPath();
  const auto at = [&](double angle) {
    return FcPoint2d{(centreX + radius * std::cos(angle)) / scale, (centreY + radius * std::sin(angle)) / scale};
  };
  AppendMoveTo(at(startAngle));
  if (radius <= 0 || !std::isfinite(sweep) || !std::isfinite(startAngle) || sweep == 0.0) {
    AppendLineTo(at(startAngle));
    Append("S ");
    return;
  }
  int count = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kHalfPi - 1e-9)));
  while (count < kMostCurveSegments && radius * BezierError(std::fabs(sweep) / count) > UnseenChordHeight()) ++count;
  const double step = sweep / count;
  // The control points lie on the tangents, this far from the ends.
  const double reach = radius * 4.0 / 3.0 * std::tan(step / 4);
  for (int i = 0; i < count; ++i) {
    const double from = startAngle + step * i;
    const double to = from + step;
    const FcPoint2d start = at(from);
    const FcPoint2d end = at(to);
    AppendNumbers({start.x - reach * std::sin(from) / scale, start.y + reach * std::cos(from) / scale});
    text_ += ' ';
    AppendNumbers({end.x + reach * std::sin(to) / scale, end.y - reach * std::cos(to) / scale});
    text_ += ' ';
    AppendNumbers(end);
    text_ += " c ";
  }
  Append("S ");
}

void FcPDFExportDevice::EndOpenPath() {
  if (pathOpen_) Append("S ");
  pathOpen_ = false;
  movePending_ = false;
}

void FcPDFExportDevice::MoveTo(int x, int y) {
  if (pathOpen_) Append("S ");
  movePending_ = true;
  pathOpen_ = false;
  current_ = Scaled(x, y);
}

void FcPDFExportDevice::LineTo(int x, int y) {
  const FcPoint2d point = Scaled(x, y);
  if (movePending_) {
    pathOpen_ = true;
    movePending_ = false;
    AppendMoveTo(current_);
    AppendLineTo(point);
  } else if (pathOpen_ && (point.x != current_.x || point.y != current_.y)) {
    AppendLineTo(point);
  }
  current_ = point;
  FlushIfLarge();
}

void FcPDFExportDevice::SetPixel(int x, int y) {
  EndOpenPath();
  AppendMoveTo(Scaled(x, y));
  AppendLineTo(Scaled(x, y));
  Append("S ");
}

void FcPDFExportDevice::Polyline(const FcDevicePoint* points, int count) {
  EndOpenPath();
  if (points == nullptr || count < 2) return;
  // The first point is repeated as the first line-to, as the files have
  // always had it.
  AppendRun(points, count, true);
  Append("S ");
}

void FcPDFExportDevice::Polygon(const FcDevicePoint* points, int count) {
  EndOpenPath();
  if (points == nullptr || count < 3) return;
  AppendRun(points, count);
  Append("b ");
}

void FcPDFExportDevice::PolyPolygon(const FcDevicePoint* points, const std::int32_t* ringCounts, int ringCount) {
  EndOpenPath();
  if (points == nullptr || ringCounts == nullptr || ringCount < 1) return;
  int total = 0;
  const FcDevicePoint* ring = points;
  for (int r = 0; r < ringCount; ++r) total += std::max(ringCounts[r], 0);
  if (total < 3) return;
  for (int r = 0; r < ringCount; ++r) {
    const int count = ringCounts[r];
    // A ring without points has no first point to start at.
    if (count < 1) continue;
    AppendRun(ring, count);
    text_ += "h ";
    ring += count;
  }
  Append("B* ");
}

void FcPDFExportDevice::SetColor(FcColorRef rgb) {
  // A pending move with no open path survives the colour change.
  if (pathOpen_) {
    text_ += "S ";
    pathOpen_ = false;
    movePending_ = false;
  }
  // Every primitive sets its colour, mostly the one before.
  if (!colorOperators_.has_value() || rgb != colorOperatorsRgb_) {
    colorOperatorsRgb_ = rgb;
    colorOperators_ = ColorOperators(rgb);
  }
  text_ += *colorOperators_;
  FlushIfLarge();
}

void FcPDFExportDevice::EndPaint() {
  // A slice leaves its open path to the device that takes it.
  if (sliceContent_ != nullptr) {
    FlushText();
    // Many slices may wait to be taken: each keeps only its blocks.
    std::string().swap(text_);
    sliceContent_->ReleaseWorkspace();
    return;
  }
  if (pathOpen_) text_ += 'S';
  FlushText();
  if (document_ == nullptr || !OpenOutput()) return;
  if (!document_->Write(Output().GetStream())) Output().MarkFailed();
  FinishOutput();
}
