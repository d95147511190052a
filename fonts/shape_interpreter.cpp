#include "fonts/shape_interpreter.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "fonts/shape_font_file.h"
#include "fonts/shape_glyph.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kOctant = 45.0 * kDegree;
constexpr int kMaxBulge = 127;

// The direction vectors of the sixteen vector directions.
constexpr FcPoint2d kDirections[16] = {{1, 0},   {1, 0.5},   {1, 1},   {0.5, 1}, {0, 1},  {-0.5, 1},
                                       {-1, 1},  {-1, 0.5},  {-1, 0},  {-1, -0.5}, {-1, -1}, {-0.5, -1},
                                       {0, -1},  {0.5, -1},  {1, -1},  {1, -0.5}};

// What a shape and its subshapes share: the pen position and the one saved
// position, in units of the font's "above".
struct PenPosition {
  FcPoint2d position;
  FcPoint2d saved;
};

class Interpretation {
 public:
  Interpretation(const ShapeFontFile& font, std::span<const std::uint8_t> bytes, CShape& shape, PenPosition& pen,
                 double scale, int depth)
      : font_(font), bytes_(bytes), shape_(shape), pen_(pen), scale_(scale), depth_(depth),
        unit_(1.0 / font.GetAbove()) {}

  bool Run() {
    if (!SkipName()) return false;
    while (at_ < bytes_.size()) {
      const std::uint8_t command = bytes_[at_++];
      if (command == 0) break;
      skipping_ = skip_;
      skip_ = false;
      if (!Execute(command)) return false;
    }
    if (penDown_) EndOpenPolyline();
    return true;
  }

 private:
  bool SkipName() {
    while (at_ < bytes_.size()) {
      if (bytes_[at_++] == 0) return true;
    }
    return false;
  }

  bool Byte(int& value) {
    if (at_ >= bytes_.size()) return false;
    value = bytes_[at_++];
    return true;
  }
  bool Signed(int& value) {
    if (!Byte(value)) return false;
    value = static_cast<std::int8_t>(value);
    return true;
  }

  bool Execute(std::uint8_t command) {
    if (command >> 4 != 0) {
      const FcPoint2d& d = kDirections[command & 0x0F];
      MoveBy({(command >> 4) * d.x, (command >> 4) * d.y});
      return true;
    }
    switch (command) {
      case 1:
        if (skipping_ || penDown_) return true;
        penDown_ = true;
        open_.push_back(pen_.position);
        return true;
      case 2:
        if (skipping_ || !penDown_) return true;
        EndOpenPolyline();
        penDown_ = false;
        return true;
      case 3:
      case 4:
        return Scale(command == 4);
      case 5:
        if (!skipping_) pen_.saved = pen_.position;
        return true;
      case 6:
        if (!skipping_) pen_.position = pen_.saved;
        return true;
      case 7:
        return Subshape();
      case 8: {
        int dx = 0, dy = 0;
        if (!Signed(dx) || !Signed(dy)) return false;
        MoveBy({static_cast<double>(dx), static_cast<double>(dy)});
        return true;
      }
      case 9:
        return MoveList();
      case 10:
        return OctantArc();
      case 11:
        return FractionalArc();
      case 12:
        return BulgeArc();
      case 13:
        return BulgeList();
      case 14:
        // Text is never drawn vertically: the next command has no effect.
        skip_ = true;
        return true;
      default:
        return true;
    }
  }

  // A displacement in font units.
  FcPoint2d Units(const FcPoint2d& d) const { return {d.x * unit_ * scale_, d.y * unit_ * scale_}; }

  void MoveBy(const FcPoint2d& d) {
    if (skipping_) return;
    pen_.position += Units(d);
    if (penDown_) open_.push_back(pen_.position);
  }

  void EndOpenPolyline() {
    shape_.AddPolyline(open_.data(), static_cast<int>(open_.size()));
    open_.clear();
  }

  bool Scale(bool multiply) {
    int n = 0;
    if (!Byte(n) || n == 0) return false;
    if (!skipping_) scale_ = multiply ? scale_ * n : scale_ / n;
    return true;
  }

  bool Subshape() {
    int number = 0;
    if (!Byte(number)) return false;
    if (number == 0) {
      if (font_.GetKind() == kShapeFontBig) {
        int high = 0, low = 0;
        if (!Byte(high) || !Byte(low)) return false;
        number = high * 256 + low;
      } else if (!Byte(number)) {
        return false;
      }
    }
    if (skipping_) return true;
    if (depth_ >= kMaxSubshapeDepth) return false;
    const std::span<const std::uint8_t> bytes = font_.ShapeBytes(number);
    if (bytes.empty()) return true;
    // The subshape draws at the caller's scale; the caller's own scale and
    // pen are unchanged after it.
    return Interpretation(font_, bytes, shape_, pen_, scale_, depth_ + 1).Run();
  }

  bool MoveList() {
    for (;;) {
      int dx = 0, dy = 0;
      if (!Signed(dx) || !Signed(dy)) return false;
      if (dx == 0 && dy == 0) return true;
      MoveBy({static_cast<double>(dx), static_cast<double>(dy)});
    }
  }

  // The sweep of an arc's octant byte: radians, negative when
  // clockwise; a count of 0 or more than 8 octants is a full circle.
  static double Sweep(int octants) {
    const int count = octants & 0x0F;
    const double sweep = (count == 0 || count > 8 ? 8 : count) * kOctant;
    return (octants & 0x80) != 0 ? -sweep : sweep;
  }
  static bool FullTurn(double sweep) { return std::abs(sweep) >= 2.0 * std::numbers::pi - 1e-12; }

  // Moves the pen along an arc from the current position to `end` about
  // the centre, drawing it with the pen down.
  void ArcTo(const FcPoint2d& centre, const FcPoint2d& end, bool clockwise) {
    const FcPoint2d start = pen_.position;
    pen_.position = end;
    if (!penDown_) return;
    EndOpenPolyline();
    if (clockwise)
      shape_.AddArc(centre, end, start);
    else
      shape_.AddArc(centre, start, end);
    open_.push_back(end);
  }

  bool OctantArc() {
    int radius = 0, octants = 0;
    if (!Byte(radius) || !Byte(octants)) return false;
    if (skipping_ || radius == 0) return true;
    const double r = radius * unit_ * scale_;
    const double start = ((octants >> 4) & 7) * kOctant;
    const double sweep = Sweep(octants);
    const FcPoint2d centre = pen_.position - FcPoint2d{r * std::cos(start), r * std::sin(start)};
    const FcPoint2d end = FullTurn(sweep) ? pen_.position
                                          : centre + FcPoint2d{r * std::cos(start + sweep), r * std::sin(start + sweep)};
    ArcTo(centre, end, sweep < 0);
    return true;
  }

  bool FractionalArc() {
    int startOffset = 0, endOffset = 0, high = 0, low = 0, octants = 0;
    if (!Byte(startOffset) || !Byte(endOffset) || !Byte(high) || !Byte(low) || !Byte(octants)) return false;
    const int radius = high * 256 + low;
    if (skipping_ || radius == 0) return true;
    const double r = radius * unit_ * scale_;
    const double octant = ((octants >> 4) & 7) * kOctant;
    const double sweep = Sweep(octants);
    const double start = octant + startOffset * kOctant / 256.0;
    const double end = octant + sweep + endOffset * kOctant / 256.0;
    const FcPoint2d centre = pen_.position - FcPoint2d{r * std::cos(start), r * std::sin(start)};
    ArcTo(centre, centre + FcPoint2d{r * std::cos(end), r * std::sin(end)}, sweep < 0);
    return true;
  }

  bool Bulge(int dx, int dy, int bulge) {
    if (std::abs(bulge) > kMaxBulge) return false;
    if (skipping_) return true;
    const FcPoint2d chord = Units({static_cast<double>(dx), static_cast<double>(dy)});
    const double length = std::hypot(chord.x, chord.y);
    if (length == 0.0) return true;
    const FcPoint2d start = pen_.position;
    const FcPoint2d end = start + chord;
    if (bulge == 0) {
      pen_.position = end;
      if (!penDown_) return true;
      EndOpenPolyline();
      shape_.AddLine(end, start);
      open_.push_back(end);
      return true;
    }
    const double height = std::abs(bulge) * length / (2.0 * kMaxBulge);
    const double radius = (height * height + length * length / 4.0) / (2.0 * height);
    // The centre lies left of the chord for a counter-clockwise arc.
    const double side = (radius - height) * (bulge > 0 ? 1.0 : -1.0) / length;
    const FcPoint2d centre = start + FcPoint2d{chord.x / 2.0 - chord.y * side, chord.y / 2.0 + chord.x * side};
    ArcTo(centre, end, bulge < 0);
    return true;
  }

  bool BulgeArc() {
    int dx = 0, dy = 0, bulge = 0;
    if (!Signed(dx) || !Signed(dy) || !Signed(bulge)) return false;
    return Bulge(dx, dy, bulge);
  }

  bool BulgeList() {
    for (;;) {
      int dx = 0, dy = 0, bulge = 0;
      if (!Signed(dx) || !Signed(dy)) return false;
      if (dx == 0 && dy == 0) return true;
      if (!Signed(bulge) || !Bulge(dx, dy, bulge)) return false;
    }
  }

  const ShapeFontFile& font_;
  std::span<const std::uint8_t> bytes_;
  CShape& shape_;
  PenPosition& pen_;
  double scale_;
  int depth_;
  double unit_;
  std::size_t at_ = 0;
  bool penDown_ = true;
  bool skip_ = false;
  bool skipping_ = false;
  std::vector<FcPoint2d> open_;
};

}  // namespace

bool InterpretShape(const ShapeFontFile& font, std::span<const std::uint8_t> bytes, CShape& shape) {
  PenPosition pen;
  shape.Clear();
  if (font.GetAbove() == 0) return false;
  if (!Interpretation(font, bytes, shape, pen, 1.0, 0).Run()) return false;
  shape.SetAdvance(pen.position.x * font.GetAbove());
  return true;
}
