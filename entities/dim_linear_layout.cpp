#include <cmath>
#include <vector>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "database/dim_style.h"
#include "entities/dim_linear.h"
#include "entities/dimension_arrowheads.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_layouts.h"
#include "entities/dimension_text.h"

namespace {

constexpr short kInfiniteWithSegment = 1;
constexpr short kSegments = 2;

// Where a line crosses the edges of a box, in edge order, at most two.
std::vector<FcPoint2d> BoxCrossings(short kind, const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d (&box)[4]) {
  std::vector<FcPoint2d> found;
  for (int i = 0; i < 4 && found.size() < 2; ++i) {
    FcPoint2d at;
    if (IntersectLines(kind, a, b, box[i], box[(i + 1) % 4], at)) found.push_back(at);
  }
  return found;
}

// The placement of the text, arrowheads and dimension line of one aligned
// or rotated dimension: the quantities every placement shares, then one
// routine per case.
class LinearLayout {
 public:
  LinearLayout(FcDimension& dimension, const FcPoint2d& d1, const FcPoint2d& d2, const FcPoint2d& p14, FcDimText* text,
               bool chord)
      : dim_(dimension), style_(*dimension.GetDimStyle()), d1_(d1), d2_(d2), p14_(p14), text_(text), chord_(chord) {
    a_ = dimension.ArrowSize();
    g_ = dimension.TextGap();
    framed_ = style_.GetDimgap() < 0.0;
    gLift_ = framed_ ? 2.0 * g_ : g_;
    e1_ = GetDimLineExtension(style_, 1);
    e2_ = GetDimLineExtension(style_, 2);
    arrows_ = (e1_ < 0.0 ? a_ : 0.0) + (e2_ < 0.0 ? a_ : 0.0);
    length_ = DistanceBetween(d1, d2);
    theta_ = NormalAngle(AngleFromTo(d1, d2));
    u_ = Dir(theta_);
    psi_ = NormalAngle(kTwoPi - dimension.GetHorizontalDirection());
    far_ = Orientation3(d1, p14, d2) == 1 ? Dir(theta_ - kHalfPi) : Dir(theta_ + kHalfPi);
    s1_ = d1;
    s2_ = d2;
  }

  void Run();
  void NoText();

 private:
  double Readable(double angle) const {
    if (psi_ + kHalfPi + kTolerance < angle && angle <= psi_ + 3.0 * kHalfPi + kTolerance) return NormalAngle(angle + kPi);
    return angle;
  }
  bool Fits(double extra) const { return 2.0 * g_ + arrows_ + extra <= length_; }
  bool AboveHorizontalTest() const {
    if (!AbovePlain()) return false;
    const double line = NormalAngle(theta_ + dim_.GetHorizontalDirection());
    return style_.dimtih == 0 || line == 0.0 || line == kPi;
  }
  bool AbovePlain() const { return dim_.GetTextRotation() == 0.0 && style_.GetDimtad() != 0; }
  FcPoint2d LiftDirection() const {
    return chord_ || style_.GetDimtad() == 1 ? Dir(Readable(theta_) + kHalfPi) : far_;
  }
  bool BothSuppressed() const { return style_.GetDimsd1() != 0 && style_.GetDimsd2() != 0; }
  std::int16_t LineColor() const { return style_.GetDimClrd(); }

  void MoveText(const FcPoint2d& delta) {
    m_ += delta;
    h1_ += delta;
    h2_ += delta;
  }
  void Lift() { MoveText((text_->boxHeight / 2.0 + gLift_) * LiftDirection()); }
  void Place() {
    text_->insertion = m_;
    dim_.SetTextMidpoint(m_);
    dim_.AddPlacedText(*text_);
  }
  void Frame() {
    if (framed_) dim_.AddTextFrame(*text_, g_);
  }
  void Arrowheads(bool inside) {
    if (inside) {
      dim_.AddArrowheads(d1_, d2_, theta_);
      s1_ = d1_ + a_ * u_;
      s2_ = d2_ - a_ * u_;
      return;
    }
    dim_.AddOutsideArrowheads(d1_, d2_, theta_);
    s1_ = d1_;
    s2_ = d2_;
  }
  void Ticks() {
    if (e1_ >= 0.0) s1_ = d1_ - e1_ * u_;
    if (e2_ >= 0.0) s2_ = d2_ + e2_ * u_;
  }
  void WholeLine() {
    if (!BothSuppressed()) dim_.AddBlockLine(s1_, s2_, LineColor());
  }
  void BrokenLine() {
    if (style_.GetDimsd1() == 0) dim_.AddBlockLine(s1_, h1_, LineColor());
    if (style_.GetDimsd2() == 0) dim_.AddBlockLine(s2_, h2_, LineColor());
  }
  // The line from S1 to S2 with the end at extension line 2 kept at D2.
  void LineToD2() {
    if (BothSuppressed()) return;
    if (e1_ >= 0.0) s1_ = d1_ - e1_ * u_;
    if (e2_ >= 0.0) s2_ = d2_;
    dim_.AddBlockLine(s1_, s2_, LineColor());
  }
  // Broken around the text where the dimension line crosses its box
  // twice, else whole; the number of crossings.
  std::size_t LineAroundText() {
    FcPoint2d box[4];
    DimTextBox(*text_, g_, box);
    std::vector<FcPoint2d> crossings = BoxCrossings(kSegments, d1_, d2_, box);
    if (crossings.size() == 2) {
      if (DistanceBetween(d1_, crossings[1]) < DistanceBetween(d1_, crossings[0])) std::swap(crossings[0], crossings[1]);
      if (style_.GetDimsd1() == 0) dim_.AddBlockLine(s1_, crossings[0], LineColor());
      if (style_.GetDimsd2() == 0) dim_.AddBlockLine(s2_, crossings[1], LineColor());
      return 2;
    }
    WholeLine();
    return crossings.size();
  }

  // The extension line directions and the band between them.
  double ExtLine2Direction() const {
    return IsSamePoint(d2_, p14_) ? theta_ + kHalfPi : NormalAngle(AngleFromTo(p14_, d2_));
  }
  FcPoint2d ProjectAlongExtLine(const FcPoint2d& p) const {
    FcPoint2d at = p;
    IntersectLines(kInfiniteLines, d1_, d2_, p, PointAtPolar(p, 1.0, ExtLine2Direction()), at);
    return at;
  }
  bool OutsideBand(const FcPoint2d& x) const {
    auto sign = [](double cross) { return cross > kTolerance ? 1 : (cross < -kTolerance ? -1 : 0); };
    const FcPoint2d q = d1_ - 100.0 * Dir(ExtLine2Direction());
    const FcPoint2d a = d1_ - q;
    const FcPoint2d b = x - q;
    const FcPoint2d c = d2_ - p14_;
    const FcPoint2d d = x - p14_;
    return sign(a.x * b.y - a.y * b.x) == sign(c.x * d.y - c.y * d.x);
  }

  void Centered(int extLine);
  void OverExtLine(int extLine);
  void NoFit();
  void NoFitOutside();
  void MovedDimLine();
  void MovedOutsideHorizontal();
  void MovedOutsideAligned();
  void MovedLeader();
  void MovedFree();
  void MovedOnChord();

  FcDimension& dim_;
  const FcDimStyle& style_;
  FcPoint2d d1_;
  FcPoint2d d2_;
  FcPoint2d p14_;
  FcDimText* text_;
  bool chord_;
  double a_ = 0.0;
  double g_ = 0.0;
  bool framed_ = false;
  double gLift_ = 0.0;
  double e1_ = -10.0;
  double e2_ = -10.0;
  double arrows_ = 0.0;
  double length_ = 0.0;
  double theta_ = 0.0;
  FcPoint2d u_;
  double psi_ = 0.0;
  FcPoint2d far_;
  FcPoint2d m_;
  FcPoint2d h1_;
  FcPoint2d h2_;
  double b_ = 0.0;
  FcPoint2d s1_;
  FcPoint2d s2_;
};

void LinearLayout::Run() {
  double alpha = dim_.GetTextRotation();
  if (alpha == 0.0) alpha = style_.dimtih != 0 ? kTwoPi - dim_.GetHorizontalDirection() : Readable(theta_);
  text_->direction = alpha;
  m_ = MidPoint(d1_, d2_);
  text_->insertion = m_;
  MeasureDimText(*text_);
  FcPoint2d box[4];
  DimTextBox(*text_, g_, box);
  const std::vector<FcPoint2d> crossings = BoxCrossings(kInfiniteWithSegment, d1_, d2_, box);
  if (crossings.size() == 2) {
    h1_ = crossings[0];
    h2_ = crossings[1];
    if (DistanceBetween(d1_, h2_) < DistanceBetween(d1_, h1_)) std::swap(h1_, h2_);
  } else {
    h1_ = h2_ = m_;
  }
  b_ = DistanceBetween(h1_, h2_);
  if (dim_.IsUserText()) {
    switch (style_.GetDimtmove()) {
      case 0: return MovedDimLine();
      case 1: return MovedLeader();
      case 2: return MovedFree();
      default: return;
    }
  }
  switch (style_.GetDimjust()) {
    case 1: return Centered(1);
    case 2: return Centered(2);
    case 3: return chord_ ? Centered(1) : OverExtLine(1);
    case 4: return chord_ ? Centered(2) : OverExtLine(2);
    default: return Centered(0);
  }
}

void LinearLayout::Centered(int extLine) {
  if (b_ > length_ && style_.dimtix == 0) return NoFit();
  if (extLine == 1) {
    const FcPoint2d p = d1_ + (a_ + g_) * u_;
    if (DistanceBetween(d1_, h1_) > DistanceBetween(d1_, p)) MoveText(p - h1_);
  } else if (extLine == 2) {
    const FcPoint2d p = d2_ - (a_ + g_) * u_;
    if (DistanceBetween(d2_, h2_) > DistanceBetween(d2_, p)) MoveText(p - h2_);
  }
  const bool above = AboveHorizontalTest();
  bool inside = true;
  if (above) {
    Lift();
    inside = Fits(0.0);
  } else if (!Fits(b_)) {
    const std::int16_t fit = style_.GetDimatfit();
    if (style_.dimtix == 0 && (fit == 0 || fit == 2)) return NoFit();
    inside = false;
  }
  Place();
  Frame();
  Arrowheads(inside);
  Ticks();
  if (above) {
    WholeLine();
  } else {
    BrokenLine();
  }
}

void LinearLayout::OverExtLine(int extLine) {
  const FcPoint2d& end = extLine == 1 ? d1_ : d2_;
  const FcPoint2d& origin = extLine == 1 ? dim_.GetDefPoint13() : p14_;
  const double epsilon = IsSamePoint(end, origin) ? theta_ + kHalfPi : NormalAngle(AngleFromTo(origin, end));
  const double scale = style_.GetDimScale();
  const double extension = std::isfinite(style_.GetDimexe() * scale) ? style_.GetDimexe() * scale : 0.0;
  const FcPoint2d x = PointAtPolar(end, extension, epsilon);
  if (dim_.GetTextRotation() != 0.0) {
    m_ = PointAtPolar(end, 2.0 * (text_->width + text_->boxHeight) + extension, epsilon);
    text_->insertion = m_;
    FcPoint2d box[4];
    DimTextBox(*text_, g_, box);
    std::vector<FcPoint2d> crossings = BoxCrossings(kInfiniteWithSegment, end, x, box);
    if (!crossings.empty()) {
      const FcPoint2d touch = crossings.size() == 2 && DistanceBetween(x, crossings[1]) < DistanceBetween(x, crossings[0])
                                  ? crossings[1]
                                  : crossings[0];
      m_ += x - touch;
    }
  } else {
    const bool turned = psi_ + kHalfPi + kTolerance < epsilon && epsilon <= psi_ + 3.0 * kHalfPi + kTolerance;
    text_->direction = turned ? epsilon + kPi : epsilon;
    const double offset = framed_ ? (style_.GetDimexe() + std::fabs(style_.GetDimgap())) * scale : extension;
    m_ = PointAtPolar(end, offset + text_->width / 2.0, epsilon);
    if (style_.GetDimtad() != 0) {
      m_ += (text_->boxHeight / 2.0 + gLift_) * Dir(epsilon + kHalfPi);
      dim_.AddBlockLine(x, PointAtPolar(x, text_->width + gLift_, epsilon), style_.GetDimclre());
    }
  }
  Place();
  Frame();
  Arrowheads(Fits(0.0));
  if (BothSuppressed()) return;
  Ticks();
  dim_.AddBlockLine(s1_, s2_, LineColor());
}

void LinearLayout::NoFit() {
  if (style_.dimtoh != 0 && dim_.GetTextRotation() == 0.0) return NoFitOutside();
  const bool inside = Fits(0.0);
  const bool insideOrTick = inside || e2_ >= 0.0;
  FcPoint2d p = d2_ + (insideOrTick ? a_ : 2.0 * a_) * u_;
  const bool lifted = AbovePlain();
  if (lifted) p += (text_->boxHeight / 2.0 + gLift_) * LiftDirection();
  MoveText(p - h1_);
  Place();
  Frame();
  double reach = insideOrTick ? a_ : 2.0 * a_;
  if (lifted) reach += text_->width + gLift_;
  dim_.AddBlockLine(insideOrTick ? d2_ : d2_ + 2.0 * a_ * u_, d2_ + reach * u_, LineColor());
  Arrowheads(inside);
  LineToD2();
}

void LinearLayout::NoFitOutside() {
  text_->direction = psi_;
  const bool inside = Fits(0.0);
  const bool insideOrTick = inside || e2_ >= 0.0;
  auto inLeftHalf = [](double angle) { return kHalfPi < angle && angle <= 3.0 * kHalfPi; };
  double lambda = psi_;
  if (inLeftHalf(theta_) != inLeftHalf(psi_)) lambda = NormalAngle(lambda + kPi);
  const FcPoint2d v = d2_ + (insideOrTick ? a_ : 2.0 * a_) * u_;
  FcPoint2d w = v + a_ * Dir(lambda);
  m_ = w + (text_->width / 2.0 + g_) * Dir(lambda);
  const double lift = text_->boxHeight / 2.0 + gLift_;
  if (style_.GetDimtad() == 1) {
    const bool turned = kHalfPi + kTolerance < lambda && lambda <= 3.0 * kHalfPi + kTolerance;
    m_ += lift * Dir((turned ? NormalAngle(lambda + kPi) : lambda) + kHalfPi);
  } else if (style_.GetDimtad() != 0) {
    m_ += lift * Dir(Orientation3(d1_, p14_, d2_) == 1 ? lambda - kHalfPi : lambda + kHalfPi);
  }
  Place();
  Frame();
  if (insideOrTick) dim_.AddBlockLine(d2_, v, LineColor());
  if (style_.GetDimtad() != 0) w += (2.0 * g_ + text_->width) * Dir(lambda);
  dim_.AddBlockLine(v, w, LineColor());
  Arrowheads(inside);
  LineToD2();
}

void LinearLayout::MovedDimLine() {
  const FcPoint2d p11 = dim_.GetTextMidpoint();
  if (chord_) return MovedOnChord();
  if (OutsideBand(p11)) {
    if (style_.dimtoh != 0 && dim_.GetTextRotation() == 0.0) return MovedOutsideHorizontal();
    return MovedOutsideAligned();
  }
  MoveText(ProjectAlongExtLine(p11) - m_);
  const bool crossing = OutsideBand(h1_) || OutsideBand(h2_);
  bool inside = !crossing;
  const bool above = AboveHorizontalTest();
  if (above) {
    Lift();
  } else if (inside && !Fits(b_)) {
    inside = false;
  }
  Place();
  Frame();
  Arrowheads(above ? Fits(0.0) && !crossing : inside);
  Ticks();
  if (above || crossing) {
    WholeLine();
  } else {
    BrokenLine();
  }
}

void LinearLayout::MovedOutsideHorizontal() {
  bool inside = Fits(0.0);
  text_->direction = psi_;
  const FcPoint2d p11 = ProjectAlongExtLine(dim_.GetTextMidpoint());
  const double a = NormalAngle(AngleFromTo(d1_, p11));
  const bool aLeft = kHalfPi < a && a <= 3.0 * kHalfPi;
  const bool psiLeft = kHalfPi + kTolerance < psi_ && psi_ <= 3.0 * kHalfPi + kTolerance;
  const bool psiRight = psi_ <= kHalfPi - kTolerance || psi_ > 3.0 * kHalfPi - kTolerance;
  double lambda = psi_;
  if ((!aLeft && psiLeft) || (aLeft && psiRight)) lambda = NormalAngle(lambda + kPi);
  m_ = p11 + (text_->width / 2.0 + g_) * Dir(lambda);
  const bool nearD1 = DistanceBetween(p11, d2_) > DistanceBetween(p11, d1_);
  if ((nearD1 ? e1_ : e2_) >= 0.0) inside = true;
  const double lift = text_->boxHeight / 2.0 + gLift_;
  if (style_.GetDimtad() == 1) {
    const bool turned = kHalfPi + kTolerance < lambda && lambda <= 3.0 * kHalfPi + kTolerance;
    m_ += lift * Dir((turned ? NormalAngle(lambda + kPi) : lambda) + kHalfPi);
  } else if (style_.GetDimtad() != 0) {
    double side = Orientation3(d1_, p14_, d2_) == 1 ? lambda - kHalfPi : lambda + kHalfPi;
    if (nearD1) side += kPi;
    m_ += lift * Dir(side);
  }
  text_->insertion = m_;
  dim_.SetTextMidpoint(p11);
  dim_.AddPlacedText(*text_);
  Frame();
  if (style_.GetDimtad() != 0) dim_.AddBlockLine(p11, p11 + (2.0 * g_ + text_->width) * Dir(lambda), LineColor());
  FcPoint2d k;
  if (nearD1) {
    k = inside ? (e1_ > 0.0 ? d1_ - e1_ * u_ : d1_) : d1_ - 2.0 * a_ * u_;
  } else {
    k = inside ? (e2_ > 0.0 ? d2_ + e2_ * u_ : d2_) : d2_ + 2.0 * a_ * u_;
  }
  dim_.AddBlockLine(k, p11, LineColor());
  Arrowheads(Fits(0.0));
  if (BothSuppressed()) return;
  Ticks();
  dim_.AddBlockLine(s1_, s2_, LineColor());
}

void LinearLayout::MovedOutsideAligned() {
  const bool inside = Fits(0.0);
  MoveText(ProjectAlongExtLine(dim_.GetTextMidpoint()) - m_);
  const bool nearD1 = DistanceBetween(m_, d2_) > DistanceBetween(m_, d1_);
  const bool lifted = AbovePlain();
  if (lifted) Lift();
  Place();
  Frame();
  Arrowheads(inside);
  if (!BothSuppressed()) {
    Ticks();
    dim_.AddBlockLine(s1_, s2_, LineColor());
  }
  const FcPoint2d& end = nearD1 ? d1_ : d2_;
  const double tick = nearD1 ? e1_ : e2_;
  const FcPoint2d outward = nearD1 ? -u_ : u_;
  const FcPoint2d k = tick >= 0.0 ? (nearD1 ? s1_ : s2_) : (inside ? end : end + 2.0 * a_ * outward);
  const FcPoint2d& target = nearD1 == lifted ? h1_ : h2_;
  if (DistanceBetween(end, k) <= DistanceBetween(end, target)) dim_.AddBlockLine(k, target, LineColor());
}

void LinearLayout::MovedLeader() {
  const bool inside = Fits(0.0);
  FcPoint2d p11 = dim_.GetTextMidpoint();
  const bool onLine = PointLineDistance(p11, d1_, d2_) <= text_->boxHeight / 2.0;
  if (onLine) p11 = ProjectAlongExtLine(p11);
  dim_.SetTextMidpoint(p11);
  const bool nearD1 = DistanceBetween(p11, d1_) <= DistanceBetween(p11, d2_);
  const double kappa = nearD1 ? NormalAngle(theta_ + kPi) : theta_;
  const bool lifted = AbovePlain();
  FcPoint2d centre = p11 + (b_ / 2.0) * Dir(kappa);
  if (lifted) centre += (text_->boxHeight / 2.0 + gLift_) * Dir(Readable(theta_) + kHalfPi);
  MoveText(centre - m_);
  text_->insertion = m_;
  dim_.AddPlacedText(*text_);
  Frame();
  Arrowheads(inside);
  Ticks();
  if (LineAroundText() > 0) return;
  const FcPoint2d textEnd = lifted ? p11 + (g_ + text_->width) * Dir(kappa) : p11;
  if (onLine) {
    const double tick = nearD1 ? e1_ : e2_;
    const FcPoint2d& end = nearD1 ? d1_ : d2_;
    const FcPoint2d k = tick >= 0.0 ? (nearD1 ? s1_ : s2_) : (inside ? end : end + 2.0 * a_ * Dir(kappa));
    dim_.AddBlockLine(k, textEnd, LineColor());
    return;
  }
  const FcPoint2d p = p11 - g_ * Dir(kappa);
  dim_.AddBlockLine(MidPoint(d1_, d2_), p, LineColor());
  dim_.AddBlockLine(p, textEnd, LineColor());
}

void LinearLayout::MovedOnChord() {
  MoveText(ProjectAlongExtLine(dim_.GetTextMidpoint()) - m_);
  const bool above = AboveHorizontalTest();
  if (above) Lift();
  Place();
  Frame();
  Arrowheads(Fits(0.0));
  Ticks();
  if (above) {
    WholeLine();
  } else {
    LineAroundText();
  }
}

void LinearLayout::MovedFree() {
  MoveText(dim_.GetTextMidpoint() - m_);
  Place();
  Frame();
  Arrowheads(Fits(0.0));
  Ticks();
  LineAroundText();
}

void LinearLayout::NoText() {
  Arrowheads(length_ >= arrows_ + 2.0 * g_);
  Ticks();
  dim_.AddBlockLine(s1_, s2_, LineColor());
}

}  // namespace

void LayoutLineText(FcDimension& dimension, const FcPoint2d& d1, const FcPoint2d& d2, const FcPoint2d& p14,
                    FcDimText& text, bool chord) {
  LinearLayout(dimension, d1, d2, p14, &text, chord).Run();
}

void LayoutLineWithoutText(FcDimension& dimension, const FcPoint2d& d1, const FcPoint2d& d2) {
  LinearLayout(dimension, d1, d2, d2, nullptr, false).NoText();
}
