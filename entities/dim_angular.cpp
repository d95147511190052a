#include "entities/dim_angular.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/intersections.h"
#include "core/matrix2d.h"
#include "core/point_ops.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "entities/arc.h"
#include "entities/dimension_arrowheads.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_text.h"
#include "filers/filer.h"

namespace {

// Below this radius the arc has no room for anything: the angles of its
// pieces would divide by it.
constexpr double kSmallestRadius = 1e-7;
constexpr short kRayWithCircle = 4;

}  // namespace

FcDimAngle::FcDimAngle(std::uint8_t type, DwgObjectType dwgType, const char* marker)
    : FcDimension(type, dwgType), marker_(marker) {}

FcDimAngle::FcDimAngle(const FcDimAngle& other, std::uint8_t type) : FcDimension(other), marker_(other.marker_) {
  KeepKind(type);
}

int FcDimAngle::WriteDxf(FcFiler& filer) {
  FcDimension::WriteDxf(filer);
  filer.WriteString(100, marker_);
  WriteDxfPoint(filer, 13, GetDefPoint13());
  WriteDxfPoint(filer, 14, GetDefPoint14());
  WriteDxfPoint(filer, 15, GetDefPoint15());
  if ((GetDimType() & 7) == kDimTypeAngular2Line) WriteDxfPoint(filer, 16, GetDefPoint16());
  return kFcStatusOk;
}

void FcDimAngle::Transform(const FcMatrix2d& matrix) {
  TransformDefinitionPoints(matrix);
  RebuildIfPlaced();
}

void FcDimAngle::SetArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle) {
  centre_ = centre;
  radius_ = radius;
  ps_ = PointAtPolar(centre, radius, startAngle);
  pe_ = PointAtPolar(centre, radius, endAngle);
}

void FcDimAngle::ComputeArcAngles() {
  thetaS_ = NormalAngleAbout(centre_, ps_);
  thetaE_ = NormalAngleAbout(centre_, pe_);
  while (thetaE_ <= thetaS_) thetaE_ += kTwoPi;
}

double FcDimAngle::ArrowRoom() const {
  const FcDimStyle& style = *GetDimStyle();
  const double size = ArrowSize();
  return (GetDimLineExtension(style, 1) < 0.0 ? size : 0.0) + (GetDimLineExtension(style, 2) < 0.0 ? size : 0.0);
}

double FcDimAngle::ChordAngle(double arrowSize) const {
  if (arrowSize > radius_) return kHalfPi;
  return kHalfPi - std::asin(arrowSize / (2.0 * radius_));
}

void FcDimAngle::AddBlockArc(const FcPoint2d& centre, std::int16_t color, double radius, double start, double end) {
  if (!std::isfinite(centre.x + centre.y + radius + start + end) || radius <= kSmallestRadius) return;
  auto* arc = new (std::nothrow) FcArc;
  if (arc == nullptr) return;
  arc->SetCenter(centre);
  arc->SetRadius(radius);
  arc->SetStartAngle(start);
  arc->SetEndAngle(end);
  arc->NormalizeAngles();
  if (color >= 0 && color <= 256) arc->SetColor(color);
  arc->SetLinetype(LinetypeByBlock());
  if (GetLinetypeScale() > 0.0) arc->SetLinetypeScale(GetLinetypeScale());
  AddToBlock(arc);
}

void FcDimAngle::AddArrowheads(double arrowSize) {
  const FcDimStyle& style = *GetDimStyle();
  const double beta = ChordAngle(arrowSize);
  if (style.GetDimsd1() == 0) AddArrowhead(1, ps_, AngleFromTo(ps_, centre_) - beta + kPi);
  if (style.GetDimsd2() == 0) AddArrowhead(2, pe_, AngleFromTo(pe_, centre_) + kPi + beta);
}

void FcDimAngle::AddOutsideArrowheads(double arrowSize) {
  const FcDimStyle& style = *GetDimStyle();
  if (style.dimsoxd != 0) return;
  const double beta = ChordAngle(arrowSize);
  const double stub = arrowSize / radius_;
  if (style.GetDimsd1() == 0) {
    const double t1 = AngleFromTo(ps_, centre_) + beta;
    AddArrowhead(1, ps_, t1 + kPi);
    if (!IsTickArrow(style, 1)) {
      const double tail = AngleFromTo(centre_, PointAtPolar(ps_, arrowSize, t1));
      AddBlockArc(centre_, style.GetDimClrd(), radius_, tail - stub, tail);
    }
  }
  if (style.GetDimsd2() == 0) {
    const double t2 = AngleFromTo(pe_, centre_) - beta;
    AddArrowhead(2, pe_, t2 + kPi);
    if (!IsTickArrow(style, 2)) {
      const double tail = AngleFromTo(centre_, PointAtPolar(pe_, arrowSize, t2));
      AddBlockArc(centre_, style.GetDimClrd(), radius_, tail, tail + stub);
    }
  }
}

FcPoint2d FcDimAngle::ArcEnd(bool atEnd, bool inside) const {
  const FcDimStyle& style = *GetDimStyle();
  const FcPoint2d& tip = atEnd ? pe_ : ps_;
  const double extension = GetDimLineExtension(style, atEnd ? 2 : 1);
  if (extension >= 0.0) {
    const double beyond = extension / radius_;
    return PointAtPolar(centre_, radius_, AngleFromTo(centre_, tip) + (atEnd ? beyond : -beyond));
  }
  if (!inside) return tip;
  const double beta = ChordAngle(ArrowSize());
  return PointAtPolar(tip, ArrowSize(), AngleFromTo(tip, centre_) + (atEnd ? beta : -beta));
}

void FcDimAngle::ArrowheadsAndArcEnds(bool inside, FcPoint2d& x1, FcPoint2d& x2) {
  if (inside) {
    AddArrowheads(ArrowSize());
  } else {
    AddOutsideArrowheads(ArrowSize());
  }
  x1 = ArcEnd(false, inside);
  x2 = ArcEnd(true, inside);
}

void FcDimAngle::AddDimArcNoText() {
  ComputeArcAngles();
  FcPoint2d x1;
  FcPoint2d x2;
  ArrowheadsAndArcEnds(2.0 * TextGap() + ArrowRoom() < ArcLength(), x1, x2);
  AddBlockArc(centre_, GetDimStyle()->GetDimClrd(), radius_, AngleFromTo(centre_, x1), AngleFromTo(centre_, x2));
}

void FcDimAngle::AddArcAndArrows(bool inside, const TextCrossings* crossings) {
  const FcDimStyle& style = *GetDimStyle();
  FcPoint2d x1;
  FcPoint2d x2;
  ArrowheadsAndArcEnds(inside, x1, x2);
  const std::int16_t color = style.GetDimClrd();
  if (crossings == nullptr) {
    if (style.GetDimsd1() != 0 && style.GetDimsd2() != 0) return;
    AddBlockArc(centre_, color, radius_, NormalAngleAbout(centre_, x1), NormalAngleAbout(centre_, x2));
    return;
  }
  // A piece with no length would come out as a whole circle.
  if (style.GetDimsd1() == 0 && !IsSamePoint(x1, crossings->m1)) {
    AddBlockArc(centre_, color, radius_, NormalAngleAbout(centre_, x1), NormalAngleAbout(centre_, crossings->m1));
  }
  if (style.GetDimsd2() == 0 && !IsSamePoint(crossings->m2, x2)) {
    AddBlockArc(centre_, color, radius_, NormalAngleAbout(centre_, crossings->m2), NormalAngleAbout(centre_, x2));
  }
}

void FcDimAngle::FinishAngularRebuild(const FcPoint2d& arcPoint) {
  arcPoint_ = arcPoint;
  const FcDimStyle& style = *GetDimStyle();
  std::unique_ptr<FcDimText> text = radius_ > kSmallestRadius ? AddText() : nullptr;
  if (radius_ <= kSmallestRadius) {
    // Nothing but the definition points and extension lines has room.
  } else if (text == nullptr) {
    if (style.GetDimsd1() == 0 || style.GetDimsd2() == 0) AddDimArcNoText();
  } else if (IsUserText()) {
    const std::int16_t move = style.GetDimtmove();
    if (move == 0 || move == 2) PlaceMovedText(*text);
    if (move == 1) PlaceMovedTextLeader(*text);
  } else if (style.GetDimjust() <= 2) {
    LayoutAngular(*text);
  } else if (style.GetDimjust() <= 4) {
    PlaceTextOverExtLine(*text, style.GetDimjust() == 4, HasExtensionOrigin(style.GetDimjust() == 4));
  }
  EndRebuild();
}

FcPoint2d FcDimAngle::PointOfGroup(int group) const {
  switch (group) {
    case 11: return GetTextMidpoint();
    case 13: return GetDefPoint13();
    case 14: return GetDefPoint14();
    case 15: return GetDefPoint15();
    case 16: return GetDefPoint16();
    default: return GetDefPoint10();
  }
}

void FcDimAngle::SetPointOfGroup(int group, const FcPoint2d& point) {
  switch (group) {
    case 11: SetTextMidpoint(point); break;
    case 13: SetDefPoint13(point); break;
    case 14: SetDefPoint14(point); break;
    case 15: SetDefPoint15(point); break;
    case 16: SetDefPoint16(point); break;
    default: SetDefPoint10(point); break;
  }
}

void FcDimAngle::GetGripPoints(FcPoint2dArray& points) {
  for (const int group : GripGroups()) {
    if (group != 11 || !HasNoText()) points.Add(PointOfGroup(group));
  }
}

int FcDimAngle::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  const std::span<const int> groups = GripGroups();
  bool arcMoved = false;
  bool textMoved = false;
  for (int i = 0; i < indices.count; ++i) {
    if (indices[i] < 0 || static_cast<std::size_t>(indices[i]) >= groups.size()) continue;
    const int group = groups[static_cast<std::size_t>(indices[i])];
    SetPointOfGroup(group, PointOfGroup(group) + offset);
    arcMoved = arcMoved || group == ArcPointGroup();
    textMoved = textMoved || group == 11;
  }
  if (arcMoved) {
    SetDimType(static_cast<std::uint8_t>(GetDimType() & ~kDimUserText));
  } else if (textMoved) {
    SetDimType(static_cast<std::uint8_t>(GetDimType() | kDimUserText));
    if (ResolveDimStyle() != nullptr && GetDimStyle()->GetDimtmove() == 0) {
      FcPoint2d centre;
      if (!FindCentre(centre)) return indices.count;
      FcPoint2d found[2];
      const double radius = DistanceBetween(centre, GetTextMidpoint());
      if (IntersectLineArc(centre, PointOfGroup(ArcPointGroup()), centre, kRayWithCircle, 0.0, kTwoPi, radius, found) > 0) {
        SetPointOfGroup(ArcPointGroup(), found[0]);
      }
    }
  }
  RebuildBlock();
  return indices.count;
}
