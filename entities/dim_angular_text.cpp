#include <cmath>
#include <limits>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_angular.h"
#include "entities/dimension_arrowheads.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_text.h"

namespace {

constexpr short kSegmentWithCircle = 5;
constexpr short kInfiniteWithSegment = 1;

}  // namespace

double FcDimAngle::Horizontal() const { return NormalAngle(kTwoPi - GetHorizontalDirection()); }

double FcDimAngle::Readable(double angle) const {
  const double psi = Horizontal();
  if (psi + kHalfPi < angle && angle <= psi + 3.0 * kHalfPi) return NormalAngle(angle + kPi);
  return angle;
}

double FcDimAngle::MiddleAngle() const { return NormalAngle((thetaS_ + thetaE_) / 2.0); }

double FcDimAngle::LiftGap() const { return GetDimStyle()->GetDimgap() < 0.0 ? 2.0 * TextGap() : TextGap(); }

FcPoint2d FcDimAngle::LiftedPoint(double angle, const FcDimText& text) const {
  const double rise = text.boxHeight / 2.0 + LiftGap();
  double radius = radius_ + rise;
  if (GetDimStyle()->GetDimtad() == 1) {
    // Outward over the upper half of the circle, inward under the lower,
    // so that the text stays above the arc as it reads.
    const double mu = MiddleAngle();
    if (mu > kPi) radius = radius_ - rise;
  }
  return PointAtPolar(centre_, radius, angle);
}

void FcDimAngle::GrownBox(const FcDimText& text, FcPoint2d (&corners)[4]) const {
  FcPoint2d box[4];
  DimTextBox(text, TextGap(), box);
  corners[0] = box[0];
  corners[1] = box[3];
  corners[2] = box[2];
  corners[3] = box[1];
}

bool FcDimAngle::CircleCrossings(const FcDimText& text, TextCrossings& crossings) const {
  FcPoint2d box[4];
  GrownBox(text, box);
  FcPoint2d found[2];
  int count = 0;
  if (2.0 * radius_ >= text.width && text.boxHeight < radius_) {
    for (int i = 0; i < 4 && count < 2; ++i) {
      FcPoint2d at[2];
      const int n = IntersectLineArc(box[i], box[(i + 1) % 4], centre_, kSegmentWithCircle, 0.0, kTwoPi, radius_, at);
      if (n == 2) break;
      if (n == 1) found[count++] = at[0];
    }
  }
  if (count == 2) {
    crossings = {found[0], found[1]};
    return true;
  }
  crossings = {MidPoint(box[0], box[1]), MidPoint(box[2], box[3])};
  return false;
}

bool FcDimAngle::ArcCrossings(const FcDimText& text, TextCrossings& crossings, double* closest) const {
  if (2.0 * radius_ < text.width || text.boxHeight >= radius_) {
    if (closest != nullptr) *closest = 0.0;
    return false;
  }
  FcPoint2d box[4];
  GrownBox(text, box);
  FcPoint2d found[2];
  int count = 0;
  for (int i = 0; i < 4; ++i) {
    if (count == 0 && closest != nullptr) {
      *closest = std::min(*closest, std::fabs(DistanceBetween(box[i], centre_) - radius_));
    }
    FcPoint2d at[2];
    const int n = IntersectLineArc(box[i], box[(i + 1) % 4], centre_, kSegmentWithArc, thetaS_, thetaE_, radius_, at);
    if (n == 2) {
      crossings = {at[0], at[1]};
      return true;
    }
    if (n == 1) found[count++] = at[0];
    if (count == 2) {
      crossings = {found[0], found[1]};
      return true;
    }
  }
  if (count > 0 && closest != nullptr) *closest = 0.0;
  return false;
}

bool FcDimAngle::NearBoxCrossing(const FcDimText& text, const FcPoint2d& a, const FcPoint2d& b,
                                 const FcPoint2d& reference, FcPoint2d& crossing) const {
  FcPoint2d box[4];
  GrownBox(text, box);
  FcPoint2d hits[2];
  int count = 0;
  for (int i = 0; i < 4 && count < 2; ++i) {
    if (IntersectLines(kInfiniteWithSegment, a, b, box[i], box[(i + 1) % 4], hits[count])) ++count;
  }
  if (count == 0) return false;
  const bool secondNearer = count == 2 && DistanceBetween(reference, hits[1]) < DistanceBetween(reference, hits[0]);
  crossing = secondNearer ? hits[1] : hits[0];
  return true;
}

void FcDimAngle::OrderCrossings(TextCrossings& crossings) const {
  if (DistanceBetween(ps_, crossings.m2) < DistanceBetween(ps_, crossings.m1)) std::swap(crossings.m1, crossings.m2);
}

void FcDimAngle::Frame(const FcDimText& text) {
  if (GetDimStyle()->GetDimgap() < 0.0) AddTextFrame(text, TextGap());
}

void FcDimAngle::PutText(FcDimText& text, const FcPoint2d& at) {
  text.insertion = at;
  SetTextMidpoint(at);
  AddPlacedText(text);
}

void FcDimAngle::LayoutAngular(FcDimText& text) {
  const FcDimStyle& style = *GetDimStyle();
  ComputeArcAngles();
  const FcPoint2d at = PointAtPolar(centre_, radius_, MiddleAngle());
  text.insertion = at;
  if (GetTextRotation() != 0.0) {
    text.direction = GetTextRotation();
  } else if (style.dimtih != 0) {
    text.direction = kTwoPi - GetHorizontalDirection();
  } else {
    text.direction = Readable(NormalAngle(AngleFromTo(ps_, pe_)));
  }
  MeasureDimText(text);
  TextCrossings crossings;
  const bool crossed = CircleCrossings(text, crossings);
  // A text the circle does not cross twice takes its own width and stays
  // in the middle.
  const double span = crossed ? DistanceBetween(crossings.m1, crossings.m2) : text.width;
  OrderCrossings(crossings);
  if (TextGap() + span > ArcLength() && style.dimtix == 0) {
    if (style.dimtoh != 0) {
      PlaceTextOutsideHoriz(text);
    } else {
      PlaceTextOutside(text);
    }
    return;
  }
  const std::uint8_t just = style.GetDimjust();
  if (!crossed || just == 0) {
    PlaceTextCentered(text, at, crossings, span);
    return;
  }
  PlaceTextAtExtLine(text, crossings, just == 1, span);
}

bool FcDimAngle::FitsOrGoesOutside(FcDimText& text, double span, bool& inside) {
  const FcDimStyle& style = *GetDimStyle();
  if (2.0 * TextGap() + ArrowRoom() + span <= ArcLength()) return true;
  const std::int16_t fit = style.GetDimatfit();
  if (style.dimtix == 0 && (fit == 0 || fit == 2)) {
    if (style.dimtoh != 0) {
      PlaceTextOutsideHoriz(text);
    } else {
      PlaceTextOutside(text);
    }
    return false;
  }
  inside = false;
  return true;
}

void FcDimAngle::PlaceTextCentered(FcDimText& text, FcPoint2d at, const TextCrossings& crossings, double span) {
  const FcDimStyle& style = *GetDimStyle();
  bool inside = true;
  const double chord = NormalAngle(AngleFromTo(ps_, pe_) + GetHorizontalDirection());
  const bool lifted = GetTextRotation() == 0.0 && style.GetDimtad() != 0 &&
                      (style.dimtih == 0 || chord == 0.0 || chord == kPi);
  if (lifted) {
    at = LiftedPoint(MiddleAngle(), text);
  } else if (!FitsOrGoesOutside(text, span, inside)) {
    return;
  }
  PutText(text, at);
  Frame(text);
  if (lifted) inside = 2.0 * TextGap() + ArrowRoom() <= ArcLength();
  AddArcAndArrows(inside, lifted ? nullptr : &crossings);
}

void FcDimAngle::PlaceTextAtExtLine(FcDimText& text, TextCrossings crossings, bool towardsEnd, double span) {
  const FcDimStyle& style = *GetDimStyle();
  const double mu = MiddleAngle();
  const double delta = (ArrowSize() + TextGap() + span / 2.0) / radius_;
  // The text goes towards its end of the arc but never past the middle.
  double phi = towardsEnd ? thetaE_ - delta : thetaS_ + delta;
  if (towardsEnd ? phi < mu : phi > mu) phi = mu;
  if (GetTextRotation() == 0.0 && style.dimtih == 0) text.direction = Readable(NormalAngle(phi + kHalfPi));
  double reading = text.direction;
  if (const FcGraph* graph = GetRebuildGraph()) {
    const FcSystemVar& vars = graph->GetSysVars();
    reading = vars.angdir == 1 ? vars.angbase - reading : reading - vars.angbase;
  }
  const double level = NormalAngle(reading + GetHorizontalDirection());
  const bool lifted = GetTextRotation() == 0.0 && style.GetDimtad() != 0 &&
                      (style.dimtih == 0 || level == 0.0 || level == kPi);
  bool inside = true;
  FcPoint2d at;
  if (lifted) {
    at = LiftedPoint(phi, text);
  } else {
    if (!FitsOrGoesOutside(text, span, inside)) return;
    at = PointAtPolar(centre_, radius_, phi);
  }
  PutText(text, at);
  Frame(text);
  if (lifted) {
    AddArcAndArrows(2.0 * TextGap() + ArrowRoom() <= ArcLength(), nullptr);
    return;
  }
  CircleCrossings(text, crossings);
  OrderCrossings(crossings);
  AddArcAndArrows(inside, &crossings);
}

double FcDimAngle::OutsideStart(FcPoint2d& x) {
  const double size = ArrowSize();
  double a0 = thetaS_;
  if (ArcLength() >= ArrowRoom() + 2.0 * TextGap()) {
    // The arrowheads stay on the arc: it goes on by one arrow's chord to
    // where the text's leader starts.
    if (size < 1.95 * radius_) {
      a0 = thetaS_ - 2.0 * std::asin(size / (2.0 * radius_));
      AddBlockArc(centre_, GetDimStyle()->GetDimClrd(), radius_, a0, thetaS_);
    }
  } else {
    const double beta = size <= 1.95 * radius_ ? kHalfPi - std::asin(size / (2.0 * radius_)) : kHalfPi;
    const FcPoint2d tail = PointAtPolar(ps_, size, AngleFromTo(ps_, centre_) + beta);
    a0 = AngleFromTo(centre_, tail) - size / radius_;
  }
  a0 = NormalAngle(a0);
  x = PointAtPolar(centre_, radius_, a0);
  return a0;
}

void FcDimAngle::PlaceTextOutsideHoriz(FcDimText& text) {
  const FcDimStyle& style = *GetDimStyle();
  const double psi = Horizontal();
  const double size = ArrowSize();
  const double gap = TextGap();
  text.direction = psi;
  FcPoint2d x;
  const double a0 = OutsideStart(x);
  const double side = kHalfPi < a0 && a0 <= 3.0 * kHalfPi ? NormalAngle(psi + kPi) : psi;
  const FcPoint2d beside = x + (size + text.width / 2.0 + gap) * Dir(side);
  FcPoint2d at = beside;
  if (GetTextRotation() == 0.0 && style.GetDimtad() != 0) {
    at = beside + (text.boxHeight / 2.0 + LiftGap()) * Dir(psi + kHalfPi);
    AddBlockLine(x, x + (size + LiftGap() + text.width) * Dir(side), style.GetDimClrd());
  } else {
    AddBlockLine(x, x + size * Dir(side), style.GetDimClrd());
  }
  PutText(text, at);
  Frame(text);
  AddDimArcNoText();
}

void FcDimAngle::PlaceTextOutside(FcDimText& text) {
  const FcDimStyle& style = *GetDimStyle();
  FcPoint2d x;
  const double a0 = OutsideStart(x);
  const double rho = GetTextRotation();
  if (rho == 0.0) text.direction = Readable(NormalAngle(a0 + kHalfPi));
  const double away = NormalAngle(a0 - kHalfPi);
  const double reach = text.width / 2.0 + (style.GetDimgap() < 0.0 ? TextGap() : 0.0);
  const FcPoint2d centre = x + reach * Dir(away);
  FcPoint2d at = centre;
  if (rho == 0.0 && style.GetDimtad() != 0) {
    const double up = kHalfPi < away && away <= 3.0 * kHalfPi ? away - kHalfPi : away + kHalfPi;
    at = centre + (text.boxHeight / 2.0 + LiftGap()) * Dir(up);
    AddBlockLine(x, x + (LiftGap() + text.width) * Dir(away), style.GetDimClrd());
  } else if (rho != 0.0) {
    // A turned text is slid along the tangent until its box touches X.
    text.insertion = centre;
    FcPoint2d hit;
    if (NearBoxCrossing(text, x, centre, x, hit)) at = centre + (x - hit);
  }
  PutText(text, at);
  Frame(text);
  AddDimArcNoText();
}

void FcDimAngle::PlaceMovedText(FcDimText& text) {
  const FcDimStyle& style = *GetDimStyle();
  ComputeArcAngles();
  const FcPoint2d at = GetTextMidpoint();
  if (GetTextRotation() != 0.0) {
    text.direction = GetTextRotation();
  } else if (style.dimtih != 0) {
    text.direction = kTwoPi - GetHorizontalDirection();
  } else if (IsSamePoint(at, centre_)) {
    text.direction = Horizontal();
  } else {
    text.direction = Readable(NormalAngle(AngleFromTo(centre_, at) + kHalfPi));
  }
  text.insertion = at;
  MeasureDimText(text);
  PutText(text, at);
  Frame(text);
  TextCrossings crossings;
  const bool crossed = ArcCrossings(text, crossings, nullptr);
  if (crossed) OrderCrossings(crossings);
  AddArcAndArrows(ArcLength() >= 2.0 * TextGap() + ArrowRoom(), crossed ? &crossings : nullptr);
}

void FcDimAngle::PlaceMovedTextLeader(FcDimText& text) {
  const FcDimStyle& style = *GetDimStyle();
  ComputeArcAngles();
  const FcPoint2d at = GetTextMidpoint();
  text.direction = GetTextRotation() != 0.0 ? GetTextRotation() : kTwoPi - GetHorizontalDirection();
  text.insertion = at;
  MeasureDimText(text);
  PutText(text, at);
  Frame(text);
  TextCrossings crossings;
  double closest = std::numeric_limits<double>::infinity();
  const bool crossed = ArcCrossings(text, crossings, &closest);
  if (!crossed && closest > text.boxHeight) {
    // A text away from the arc gets a leader from the arc's middle that
    // lands on the text's near side.
    const double psi = Horizontal();
    const FcPoint2d middle = PointAtPolar(centre_, radius_, (thetaS_ + thetaE_) / 2.0);
    const double towards = NormalAngle(AngleFromTo(middle, at));
    const bool left = NormalAngle(psi + kHalfPi) < towards && towards <= NormalAngle(psi + 3.0 * kHalfPi);
    const double landing = NormalAngle(kTwoPi - GetHorizontalDirection() + (left ? 0.0 : kPi));
    const FcPoint2d w = at + (text.width / 2.0 + TextGap()) * Dir(landing);
    const FcPoint2d u = w + ArrowSize() * Dir(landing);
    AddBlockLine(middle, u, style.GetDimClrd());
    AddBlockLine(u, w, style.GetDimClrd());
  }
  if (crossed) OrderCrossings(crossings);
  AddArcAndArrows(ArcLength() >= 2.0 * TextGap() + ArrowRoom(), crossed ? &crossings : nullptr);
}

void FcDimAngle::PlaceTextOverExtLine(FcDimText& text, bool atEnd, bool hasOrigin) {
  const FcDimStyle& style = *GetDimStyle();
  const bool threePoint = (GetDimType() & 7) == kDimTypeAngular3Point;
  const double gap = TextGap();
  const double extension = style.GetDimexe() * style.GetDimScale();
  ComputeArcAngles();
  const FcPoint2d& end = atEnd ? pe_ : ps_;
  const FcPoint2d& origin = atEnd ? endLine1_ : startLine1_;
  double phi = 0.0;
  if (!IsSamePoint(end, origin)) {
    phi = AngleFromTo(origin, end);
  } else if (!IsSamePoint(end, centre_)) {
    phi = AngleFromTo(centre_, end);
  }
  phi = NormalAngle(phi);
  const FcPoint2d beyond = end + extension * Dir(phi);
  const double rho = GetTextRotation();
  if (threePoint && rho != 0.0) {
    // A turned text is put well beyond the extension line and slid back
    // until its grown box touches the line's end.
    text.direction = rho;
    MeasureDimText(text);
    text.insertion = end + (2.0 * (text.width + text.boxHeight) + extension) * Dir(phi);
    FcPoint2d hit;
    PutText(text, NearBoxCrossing(text, end, beyond, beyond, hit) ? text.insertion + (beyond - hit) : text.insertion);
    Frame(text);
    AddDimArcNoText();
    return;
  }
  // The three-point kind turns a text that would read upside down a hair
  // sooner than the two-line kind.
  const double psi = Horizontal();
  const double slack = threePoint ? kTolerance : 0.0;
  const bool turned = psi + kHalfPi + slack < phi && phi <= psi + 3.0 * kHalfPi + slack;
  text.direction = turned ? NormalAngle(phi + kPi) : phi;
  MeasureDimText(text);
  const double framedGap = style.GetDimgap() < 0.0 ? gap : 0.0;
  const double along = text.width / 2.0 + extension + (threePoint ? framedGap : gap);
  FcPoint2d at = end + along * Dir(phi);
  if (style.GetDimtad() != 0) {
    const bool liftTurned = psi + kHalfPi + kTolerance < phi && phi <= psi + 3.0 * kHalfPi + kTolerance;
    at = at + (text.boxHeight / 2.0 + LiftGap()) * Dir(liftTurned ? phi - kHalfPi : phi + kHalfPi);
    if (threePoint || hasOrigin) {
      AddBlockLine(beyond, beyond + (text.width + LiftGap()) * Dir(phi), style.GetDimclre());
    }
  }
  PutText(text, at);
  Frame(text);
  AddDimArcNoText();
}
