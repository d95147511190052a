#include "entities/dim_ordinate.h"

#include <cmath>
#include <new>

#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "database/dim_style.h"
#include "database/entity_dxf.h"
#include "entities/dimension_geometry.h"
#include "entities/dimension_text.h"
#include "entities/entity_clone.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

double Cross(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.y - a.y * b.x; }

int Side(double cross) { return cross > kTolerance ? 1 : (cross < -kTolerance ? -1 : 0); }

}  // namespace

FcDimOrdinate::FcDimOrdinate() : FcDimension(kDimTypeOrdinate | kDimOrdinateX, kDwgType) {}

FcDimOrdinate::FcDimOrdinate(const FcDimOrdinate& other) : FcDimension(other) {
  SetDimType(static_cast<std::uint8_t>(kDimTypeOrdinate | (other.GetDimType() & (kDimUserText | kDimOrdinateX))));
  SetDwgType(kDwgType);
}

FcObject* FcDimOrdinate::Create() { return new (std::nothrow) FcDimOrdinate; }

FcEntity* FcDimOrdinate::Clone() const { return new (std::nothrow) FcDimOrdinate(*this); }

FcEntity* FcDimOrdinate::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcDimOrdinate::SetMeasuresX(bool x) {
  SetDimType(static_cast<std::uint8_t>(x ? GetDimType() | kDimOrdinateX : GetDimType() & ~kDimOrdinateX));
}

int FcDimOrdinate::WriteDxf(FcFiler& filer) {
  FcDimension::WriteDxf(filer);
  filer.WriteString(100, kOrdinateMarker);
  WriteDxfPoint(filer, 13, GetDefPoint13());
  WriteDxfPoint(filer, 14, GetDefPoint14());
  return kFcStatusOk;
}

void FcDimOrdinate::Transform(const FcMatrix2d& matrix) {
  TransformDefinitionPoints(matrix);
  RebuildIfPlaced();
}

void FcDimOrdinate::List() {
  FcEntity::List();
  PrintMessage(MeasuresX() ? "type: X ordinate" : "type: Y ordinate");
  ListDimPoint("feature      defining point:", GetDefPoint13(), *this);
  ListDimPoint("leader       defining point:", GetDefPoint14(), *this);
  ListDimPoint("feature UCS  defining point:", GetDefPoint10(), *this);
  ListTextAndStyle();
}

void FcDimOrdinate::GetGripPoints(FcPoint2dArray& points) {
  points.Add(GetDefPoint13());
  points.Add(GetDefPoint14());
  points.Add(GetDefPoint10());
  if (!HasNoText()) points.Add(GetTextMidpoint());
}

int FcDimOrdinate::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  const std::uint8_t userText = kDimUserText;
  for (int i = 0; i < indices.count; ++i) {
    switch (indices[i]) {
      case 0:
        SetDefPoint13(GetDefPoint13() + offset);
        break;
      case 1:
        SetDefPoint14(GetDefPoint14() + offset);
        break;
      case 2:
        SetDefPoint10(GetDefPoint10() + offset);
        SetDimType(static_cast<std::uint8_t>(GetDimType() & ~userText));
        break;
      case 3:
        SetTextMidpoint(GetTextMidpoint() + offset);
        if (ResolveDimStyle() != nullptr && GetDimStyle()->GetDimtmove() == 2) {
          SetDimType(static_cast<std::uint8_t>(GetDimType() | userText));
        } else {
          SetDefPoint14(GetDefPoint14() + offset);
          SetDimType(static_cast<std::uint8_t>(GetDimType() & ~userText));
        }
        break;
      default:
        break;
    }
  }
  RebuildBlock();
  return indices.count;
}

void FcDimOrdinate::WriteDwgData(FcFilerDwg& filer) {
  FcDimension::WriteDwgData(filer);
  WriteDwgPoint3(filer, GetDefPoint10());
  WriteDwgPoint3(filer, GetDefPoint13());
  WriteDwgPoint3(filer, GetDefPoint14());
  filer.WriteRawChar(static_cast<std::int8_t>(MeasuresX() ? 1 : 0));
}

int FcDimOrdinate::ReadDwgData(FcFilerDwg& filer) {
  if (FcDimension::ReadDwgData(filer) != kFcStatusOk) return kFcStatusReadError;
  FcPoint2d points[3];
  std::uint8_t x = 0;
  for (FcPoint2d& p : points) {
    if (!ReadDwgPoint3(filer, p)) return kFcStatusReadError;
  }
  if (!filer.ReadRawChar(x)) return kFcStatusReadError;
  SetDefPoint10(points[0]);
  SetDefPoint13(points[1]);
  SetDefPoint14(points[2]);
  SetMeasuresX(x == 1);
  return kFcStatusOk;
}

void FcDimOrdinate::RebuildBlock() {
  if (!BeginRebuild()) return;
  AddDefPoint(kColorByBlock, GetDefPoint10());
  AddDefPoint(kColorByBlock, GetDefPoint13());
  Layout();
  EndRebuild();
}

void FcDimOrdinate::Layout() {
  const FcDimStyle& style = *GetDimStyle();
  const bool x = MeasuresX();
  const double psi = NormalAngle(kTwoPi - GetHorizontalDirection());
  const FcPoint2d& p10 = GetDefPoint10();
  const FcPoint2d& p13 = GetDefPoint13();
  const FcPoint2d& p14 = GetDefPoint14();
  const double axis = x ? psi + kHalfPi : psi;
  const double feature = x ? psi : psi + kHalfPi;

  const double c = Cross(1000.0 * Dir(axis), p13 - p10);
  const bool positive = x ? c < -kTolerance : c > kTolerance;
  const double distance = PointLineDistance(p13, p10, PointAtPolar(p10, 1000.0, axis));
  SetMeasurement(positive ? distance : -distance);

  const FcPoint2d w = 1000.0 * Dir(feature);
  const int side = Side(Cross(w, p14 - p13));
  double o = 0.0;
  if (x) {
    o = side < 0 ? psi - kHalfPi : psi + kHalfPi;
  } else {
    o = side < 0 ? psi : psi + kPi;
  }
  o = NormalAngle(o);

  const double jog = 2.0 * ArrowSize();
  const FcPoint2d u = Dir(o);
  const FcPoint2d j2 = p14 - jog * u;
  FcPoint2d j1 = p13 + jog * u;
  const FcPoint2d c0 = p14 - 2.0 * jog * u;
  const FcPoint2d featureEnd = PointAtPolar(p13, 1000.0, feature);
  if (PointLineDistance(c0, p13, featureEnd) > PointLineDistance(j1, p13, featureEnd) &&
      Side(Cross(w, j2 - p13)) == side) {
    IntersectLines(kInfiniteLines, p13, j1, c0, PointAtPolar(c0, 10000.0, o + kHalfPi), j1);
  }
  const double scale = style.GetDimScale();
  const double extension = std::isfinite(style.GetDimexe() * scale) ? style.GetDimexe() * scale : 0.0;
  const FcPoint2d l0 = extension == 0.0 ? p13 : p13 + extension * u;
  AddBlockLine(l0, j1, style.GetDimClrd());
  AddBlockLine(j1, j2, style.GetDimClrd());
  AddBlockLine(j2, p14, style.GetDimClrd());

  std::unique_ptr<FcDimText> text = AddText();
  if (text == nullptr) return;
  MeasureDimText(*text);
  const double gap = TextGap();
  const bool framed = style.GetDimgap() < 0.0;
  if (GetTextRotation() != 0.0) {
    text->direction = GetTextRotation();
    if (IsUserText()) {
      text->insertion = GetTextMidpoint();
    } else {
      const FcPoint2d k = p14 + extension * u;
      text->insertion = p14 + 2.0 * (text->width + text->boxHeight) * u;
      FcPoint2d box[4];
      DimTextBox(*text, gap, box);
      FcPoint2d touch;
      bool found = false;
      for (int i = 0; i < 4; ++i) {
        FcPoint2d at;
        if (!IntersectLines(1, p14, k, box[i], box[(i + 1) % 4], at)) continue;
        if (!found || DistanceBetween(k, at) < DistanceBetween(k, touch)) touch = at;
        found = true;
      }
      if (found) text->insertion += k - touch;
    }
    AddPlacedText(*text);
    if (framed) AddTextFrame(*text, gap);
    return;
  }
  const double s = psi + kHalfPi < o && o <= psi + 3.0 * kHalfPi ? o + kPi : o;
  text->direction = s;
  FcPoint2d p11 = IsUserText() ? GetTextMidpoint() : p14 + (text->width / 2.0 + gap) * u;
  if (!IsUserText() && style.GetDimtad() != 0) {
    const double under = framed ? text->width / 2.0 + gap : text->width / 2.0;
    AddBlockLine(p14, p11 + under * u, style.GetDimClrd());
    p11 += (text->boxHeight / 2.0 + (framed ? 2.0 * gap : gap)) * Dir(s + kHalfPi);
  }
  text->insertion = p11;
  SetTextMidpoint(p11);
  AddPlacedText(*text);
  if (framed) AddTextFrame(*text, gap);
}
