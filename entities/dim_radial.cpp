#include "entities/dim_radial.h"

#include <cmath>
#include <new>
#include <vector>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "entities/dimension_arrowheads.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_layouts.h"
#include "entities/dimension_text.h"
#include "entities/entity_clone.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

constexpr short kSegments = 2;

FcPoint2d FootOnLine(const FcPoint2d& p, const FcPoint2d& a, const FcPoint2d& b) {
  FcPoint2d foot = p;
  FootOfPerpendicular(a, b, p, foot);
  return foot;
}

}  // namespace

FcDimRadial::FcDimRadial(std::uint8_t type, DwgObjectType dwgType, const char* marker)
    : FcDimension(type, dwgType), marker_(marker) {}

FcDimRadial::FcDimRadial(const FcDimRadial& other, std::uint8_t type) : FcDimension(other), marker_(other.marker_) {
  KeepKind(type);
}

int FcDimRadial::WriteDxf(FcFiler& filer) {
  FcDimension::WriteDxf(filer);
  filer.WriteString(100, marker_);
  WriteDxfPoint(filer, 15, GetDefPoint15());
  filer.WriteReal(40, 0.0);
  return kFcStatusOk;
}

void FcDimRadial::Transform(const FcMatrix2d& matrix) {
  TransformDefinitionPoints(matrix);
  RebuildIfPlaced();
}

void FcDimRadial::GetGripPoints(FcPoint2dArray& points) {
  points.Add(GetDefPoint15());
  points.Add(GetDefPoint10());
  if (!HasNoText()) points.Add(GetTextMidpoint());
}

int FcDimRadial::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  bool textMoved = false;
  for (int i = 0; i < indices.count; ++i) {
    if (indices[i] == 0) SetDefPoint15(GetDefPoint15() + offset);
    if (indices[i] == 1) SetDefPoint10(GetDefPoint10() + offset);
    if (indices[i] == 2) {
      SetTextMidpoint(GetTextMidpoint() + offset);
      textMoved = true;
    }
  }
  if (textMoved) {
    SetDimType(static_cast<std::uint8_t>(GetDimType() | kDimUserText));
    if (ResolveDimStyle() != nullptr && ProjectsMovedText(GetDimStyle()->GetDimtmove())) {
      SetTextMidpoint(FootOnLine(GetTextMidpoint(), GetDefPoint15(), GetDefPoint10()));
    }
  }
  RebuildBlock();
  return indices.count;
}

void FcDimRadial::WriteDwgData(FcFilerDwg& filer) {
  FcDimension::WriteDwgData(filer);
  WriteDwgPoint3(filer, GetDefPoint10());
  WriteDwgPoint3(filer, GetDefPoint15());
  filer.WriteBitDouble(GetLeaderLength());
}

int FcDimRadial::ReadDwgData(FcFilerDwg& filer) {
  if (FcDimension::ReadDwgData(filer) != kFcStatusOk) return kFcStatusReadError;
  FcPoint2d p10;
  FcPoint2d p15;
  double leader = 0.0;
  if (!ReadDwgPoint3(filer, p10) || !ReadDwgPoint3(filer, p15) || !filer.ReadBitDouble(leader)) {
    return kFcStatusReadError;
  }
  SetDefPoint10(p10);
  SetDefPoint15(p15);
  SetLeaderLength(std::isfinite(leader) ? leader : 0.0);
  return kFcStatusOk;
}

void FcDimRadial::RebuildBlock() {
  if (!BeginRebuild()) return;
  SetMeasurement(DistanceBetween(GetDefPoint15(), GetDefPoint10()));
  const FcDimStyle& style = *GetDimStyle();
  if (std::unique_ptr<FcDimText> text = AddText()) {
    Layout(*text);
  } else if (style.GetDimsd1() == 0 || style.GetDimsd2() == 0) {
    LayoutWithoutText();
  }
  EndRebuild();
}

void FcDimRadial::AddCenterMark(const FcPoint2d& centre, double radius) {
  const FcDimStyle& style = *GetDimStyle();
  const double mark = std::fabs(style.GetDimCen() * style.GetDimScale());
  if (!std::isfinite(mark) || mark > 1e12) return;
  const double a0 = kTwoPi - GetHorizontalDirection();
  const std::int16_t color = style.GetDimclre();
  AddBlockLine(PointAtPolar(centre, mark, a0 + kPi), PointAtPolar(centre, mark, a0), color);
  AddBlockLine(PointAtPolar(centre, mark, a0 + 3.0 * kHalfPi), PointAtPolar(centre, mark, a0 + kHalfPi), color);
  if (style.GetDimCen() >= 0.0) return;
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double k = a0 + quarter * kHalfPi;
    AddBlockLine(PointAtPolar(centre, 2.0 * mark, k), PointAtPolar(centre, mark + radius, k), color);
  }
}

FcDimDiameter::FcDimDiameter() : FcDimRadial(kDimTypeDiameter, kDwgType, "AcDbDiametricDimension") {}

FcDimDiameter::FcDimDiameter(const FcDimDiameter& other) : FcDimRadial(other, kDimTypeDiameter) {}

FcObject* FcDimDiameter::Create() { return new (std::nothrow) FcDimDiameter; }

FcEntity* FcDimDiameter::Clone() const { return new (std::nothrow) FcDimDiameter(*this); }

FcEntity* FcDimDiameter::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDimDiameter::List() {
  FcEntity::List();
  PrintMessage("type: diameter");
  ListDimPoint("defining point:", GetDefPoint15(), *this);
  ListDimPoint("defining point:", GetDefPoint10(), *this);
  ListTextAndStyle();
}

void FcDimDiameter::Layout(FcDimText& text) {
  LayoutLineText(*this, GetDefPoint15(), GetDefPoint10(), GetDefPoint10(), text, true);
}

void FcDimDiameter::LayoutWithoutText() {
  const FcDimStyle& style = *GetDimStyle();
  const FcPoint2d& d1 = GetDefPoint15();
  const FcPoint2d& d2 = GetDefPoint10();
  const double length = DistanceBetween(d1, d2);
  const double theta = NormalAngle(AngleFromTo(d1, d2));
  const FcPoint2d u = Dir(theta);
  const double size = ArrowSize();
  const double e1 = GetDimLineExtension(style, 1);
  const double e2 = GetDimLineExtension(style, 2);
  const double arrows = (e1 < 0.0 ? size : 0.0) + (e2 < 0.0 ? size : 0.0);
  FcPoint2d s1 = d1;
  FcPoint2d s2 = d2;
  if (2.0 * TextGap() + arrows <= length && style.GetDimCen() == 0.0) {
    AddArrowheads(d1, d2, theta);
    s1 = d1 + size * u;
    s2 = d2 - size * u;
  } else {
    AddOutsideArrowheads(d1, d2, theta);
  }
  if (style.GetDimCen() != 0.0) {
    AddCenterMark(MidPoint(d1, d2), length / 2.0);
    return;
  }
  if (e1 >= 0.0) s1 = d1 - e1 * u;
  if (e2 >= 0.0) s2 = d2 + e2 * u;
  AddBlockLine(s1, s2, style.GetDimClrd());
}

FcDimRadius::FcDimRadius() : FcDimRadial(kDimTypeRadius, kDwgType, "AcDbRadialDimension") {}

FcDimRadius::FcDimRadius(const FcDimRadius& other) : FcDimRadial(other, kDimTypeRadius) {}

FcObject* FcDimRadius::Create() { return new (std::nothrow) FcDimRadius; }

FcEntity* FcDimRadius::Clone() const { return new (std::nothrow) FcDimRadius(*this); }

FcEntity* FcDimRadius::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDimRadius::List() {
  FcEntity::List();
  PrintMessage("type: radial");
  ListDimPoint("center defining point:", GetDefPoint10(), *this);
  ListDimPoint("defining point:", GetDefPoint15(), *this);
  ListTextAndStyle();
}

void FcDimRadius::LayoutWithoutText() {
  const FcDimStyle& style = *GetDimStyle();
  const FcPoint2d& c = GetDefPoint10();
  const FcPoint2d& p = GetDefPoint15();
  const double radius = DistanceBetween(c, p);
  const double lambda = NormalAngle(AngleFromTo(c, p));
  const FcPoint2d u = Dir(lambda);
  const double size = ArrowSize();
  const double e2 = GetDimLineExtension(style, 2);
  const bool inside = radius > size || e2 >= 0.0;
  if (inside) {
    AddArrowhead(2, p, lambda);
  } else {
    AddArrowhead(2, p, lambda + kPi);
    AddBlockLine(p + size * u, p + 2.0 * size * u, style.GetDimClrd());
  }
  const FcPoint2d end = e2 >= 0.0 ? p + e2 * u : (inside ? p - size * u : p);
  AddBlockLine(c, end, style.GetDimClrd());
}

void FcDimRadius::Layout(FcDimText& text) {
  const FcDimStyle& style = *GetDimStyle();
  const FcPoint2d& c = GetDefPoint10();
  const FcPoint2d& p = GetDefPoint15();
  const double gap = TextGap();
  const bool framed = style.GetDimgap() < 0.0;
  const double liftGap = framed ? 2.0 * gap : gap;
  const double size = ArrowSize();
  const double e2 = GetDimLineExtension(style, 2);
  const double radius = DistanceBetween(c, p);
  const double lambda = NormalAngle(AngleFromTo(c, p));
  const FcPoint2d u = Dir(lambda);
  const double psi = NormalAngle(kTwoPi - GetHorizontalDirection());
  auto readable = [psi](double angle) {
    return psi + kHalfPi + kTolerance < angle && angle <= psi + 3.0 * kHalfPi + kTolerance ? NormalAngle(angle + kPi)
                                                                                             : angle;
  };
  double direction = GetTextRotation();
  if (direction == 0.0) direction = style.dimtih != 0 ? kTwoPi - GetHorizontalDirection() : readable(lambda);
  text.direction = direction;
  bool lifted = false;
  bool outside = false;
  bool beyondP = true;
  FcPoint2d p11 = GetTextMidpoint();
  if (style.GetDimtmove() != 2) {
    p11 = FootOnLine(p11, c, p);
    outside = !IsBetween(p, c, p11);
    if (!outside && size + gap < radius && DistanceBetween(c, p11) > radius - size) p11 = c + (radius - size) * u;
    if (outside) {
      if (style.dimtoh != 0) text.direction = kTwoPi - GetHorizontalDirection();
      beyondP = std::fabs(p.x - c.x) < kTolerance ? (p.y - c.y) * (p11.y - c.y) >= 0.0
                                                  : (p.x - c.x) * (p11.x - c.x) >= 0.0;
      if (beyondP && size + gap >= radius && DistanceBetween(c, p11) < radius + size + gap) {
        p11 = p + (radius + 2.0 * size) * u;
      }
    }
    if (GetTextRotation() == 0.0 && style.GetDimtad() != 0) {
      const double line = NormalAngle(lambda + GetHorizontalDirection());
      lifted = style.dimtih == 0 && (style.dimtoh == 0 || !outside) ? true : line == 0.0 || line == kPi;
    }
  }
  const FcPoint2d o = p11;
  text.insertion = p11;
  MeasureDimText(text);
  if (lifted) {
    const bool turned = psi + kHalfPi + kTolerance < lambda && lambda <= psi + 3.0 * kHalfPi + kTolerance;
    p11 += (text.boxHeight + liftGap) * Dir(turned ? lambda - kHalfPi : lambda + kHalfPi);
    text.insertion = p11;
  }
  FcPoint2d box[4];
  DimTextBox(text, gap, box);
  std::vector<FcPoint2d> crossings;
  if (!lifted && !outside) {
    for (int i = 0; i < 4 && crossings.size() < 2; ++i) {
      FcPoint2d at;
      if (IntersectLines(kSegments, c, p, box[i], box[(i + 1) % 4], at)) crossings.push_back(at);
    }
  }
  const double across = crossings.size() == 2 ? DistanceBetween(crossings[0], crossings[1]) : 0.0;
  const bool inside = across + size + gap < radius || e2 >= 0.0;
  if (outside) {
    FcPoint2d start = c;
    if (beyondP) start = e2 >= 0.0 ? p + e2 * u : (inside ? p : p + 2.0 * size * u);
    FcPoint2d end = o + (text.width / 2.0 + liftGap) * u;
    if (lifted) {
      end = o + (text.width / 2.0 + liftGap) * Dir(beyondP ? lambda : lambda + kPi);
    } else {
      std::vector<FcPoint2d> edges;
      for (int i = 0; i < 4 && edges.size() < 2; ++i) {
        FcPoint2d at;
        if (IntersectLines(1, c, p, box[i], box[(i + 1) % 4], at)) edges.push_back(at);
      }
      const FcPoint2d& reference = beyondP ? p : c;
      if (edges.size() == 2) {
        end = DistanceBetween(reference, edges[1]) < DistanceBetween(reference, edges[0]) ? edges[1] : edges[0];
      }
    }
    AddBlockLine(start, end, style.GetDimClrd());
  }
  SetTextMidpoint(p11);
  AddPlacedText(text);
  if (framed) AddTextFrame(text, gap);
  if (inside) {
    AddArrowhead(2, p, lambda);
  } else {
    AddArrowhead(2, p, lambda + kPi);
    AddBlockLine(p + size * u, p + 2.0 * size * u, style.GetDimClrd());
  }
  const FcPoint2d end = e2 >= 0.0 ? p + e2 * u : (inside ? p - size * u : p);
  if (crossings.size() == 2) {
    if (DistanceBetween(c, crossings[1]) < DistanceBetween(c, crossings[0])) std::swap(crossings[0], crossings[1]);
    AddBlockLine(c, crossings[0], style.GetDimClrd());
    AddBlockLine(crossings[1], end, style.GetDimClrd());
    return;
  }
  AddBlockLine(c, end, style.GetDimClrd());
}
