#include <cmath>
#include <numbers>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/pline_state.h"
#include "core/arcs.h"
#include "core/geometry_basics.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "shell/input_request.h"

namespace {

constexpr std::int32_t kPositiveOnly = kInputRefuseEmpty | kInputRefuseZero | kInputRefuseNegative;

// The bulge of the arc about centre that sweeps the angle counter-clockwise
// from the last vertex, and its end.
void ArcBySweepAbout(PlineRun& run, const FcPoint2d& centre, double sweep) {
  const double radius = DistanceBetween(run.last, centre);
  FcPoint2d end = PointAtPolar(centre, radius, AngleFromTo(centre, run.last) + sweep);
  double bulge = 0.0;
  if (ArcFromStartCenterEnd(run.last, centre, end, &bulge, nullptr) != 0) run.AppendArc(end, bulge);
}

// Radius given: an end point, or an included angle and a chord direction.
void PlineArcByRadius(PlineRun& run, double radius) {
  run.band.kind = FcDragPLine::kRadiusArc;
  run.band.radius = radius;
  run.HandOver(true);
  SetKeywords("Angle", 0);
  FcPoint2d ucsPoint;
  std::string text;
  const int status = GetPoint(&run.lastUcs, "Input endpoint or [Angle]", ucsPoint, text);
  if (status == FC_INPUT_OK) {
    const FcPoint2d end = UcsToWorldPoint(run.graph, ucsPoint);
    double bulge = 0.0;
    if (ArcFromChordRadius(run.last, end, radius, nullptr, &bulge) != 0) run.AppendArc(end, bulge);
    return;
  }
  if (status != FC_INPUT_KEYWORD) return;
  double sweep = 0.0;
  double chord = 0.0;
  SetKeywords("", kInputRefuseEmpty | kInputRefuseZero);
  if (GetAngle(&run.lastUcs, "Input sweep angle", sweep, text) != FC_INPUT_OK) return;
  run.band.kind = FcDragPLine::kRadiusAngleArc;
  run.band.includedAngle = sweep;
  run.HandOver(true);
  if (GetAngle(&run.lastUcs, "Input chord direction", chord, text) != FC_INPUT_OK) return;
  FcPoint2d end;
  double bulge = 0.0;
  if (ArcFromStartRadiusAngle(run.last, radius, sweep, chord, &end, nullptr, &bulge) != 0) run.AppendArc(end, bulge);
}

// Included angle given: an end point, or the centre.
void PlineArcBySweep(PlineRun& run, double sweep) {
  run.band.kind = FcDragPLine::kAngleArc;
  run.band.includedAngle = sweep;
  run.HandOver(true);
  SetKeywords("Center", 0);
  FcPoint2d ucsPoint;
  std::string text;
  const int status = GetPoint(&run.lastUcs, "Input endpoint or [Center]", ucsPoint, text);
  if (status == FC_INPUT_OK) {
    const FcPoint2d end = UcsToWorldPoint(run.graph, ucsPoint);
    double bulge = 0.0;
    if (ArcFromChordAngle(run.last, end, sweep, nullptr, nullptr, &bulge) != 0) run.AppendArc(end, bulge);
    return;
  }
  if (status != FC_INPUT_KEYWORD) return;
  run.band.kind = FcDragPLine::kAngleAboutCursor;
  run.HandOver(true);
  if (GetPoint(&run.lastUcs, "Input Center point", ucsPoint, text) != FC_INPUT_OK) return;
  ArcBySweepAbout(run, UcsToWorldPoint(run.graph, ucsPoint), sweep);
}

// Centre given: an end on the ray to a point, a sweep, or a chord length.
void PlineArcByCenter(PlineRun& run, const FcPoint2d& centre, const FcPoint2d& centreUcs) {
  run.band.kind = FcDragPLine::kCentreArc;
  run.band.second = centre;
  run.HandOver(true);
  SetKeywords("Angle Length", 0);
  FcPoint2d ucsPoint;
  std::string text;
  const int status = GetPoint(&centreUcs, "Input endpoint or [Angle/Length]", ucsPoint, text);
  if (status == FC_INPUT_OK) {
    FcPoint2d end = UcsToWorldPoint(run.graph, ucsPoint);
    double bulge = 0.0;
    if (ArcFromStartCenterEnd(run.last, centre, end, &bulge, nullptr) != 0) run.AppendArc(end, bulge);
    return;
  }
  if (status != FC_INPUT_KEYWORD) return;
  if (text == "Angle") {
    run.band.kind = FcDragPLine::kCentreAngleArc;
    run.HandOver(true);
    SetKeywords("", kInputRefuseEmpty | kInputRefuseZero);
    double sweep = 0.0;
    if (GetAngle(&centreUcs, "Input sweep Angle", sweep, text) == FC_INPUT_OK) ArcBySweepAbout(run, centre, sweep);
    return;
  }
  run.band.kind = FcDragPLine::kCentreChordArc;
  run.HandOver(true);
  SetKeywords("", kInputRefuseEmpty | kInputRefuseZero);
  double chord = 0.0;
  if (GetDistance(&run.lastUcs, "Input chord length", chord, text) != FC_INPUT_OK) return;
  const double half = chord / 2.0;
  const double radius = DistanceBetween(run.last, centre);
  if (std::fabs(half) > radius || half == 0.0) return;
  const double bulge = (radius - std::sqrt(radius * radius - half * half)) / half;
  const double direction = NormalAngleAbout(centre, run.last) + std::numbers::pi - std::acos(half / radius);
  run.AppendArc(PointAtPolar(run.last, chord, direction), bulge);
}

// Undo in arc mode: false when the segment now ending at the last vertex
// is straight, or there is none, which goes back to line mode.
bool UndoArcVertex(PlineRun& run) {
  if (!run.UndoLastVertex()) return true;
  const int n = run.polyline->GetVertexCount();
  if (n < 2) return false;
  const PolylineVertex& before = *run.polyline->GetVertex(n - 2);
  if (before.bulge == 0.0) return false;
  run.band.tangentAngle = PlineArcEndDirection({before.x, before.y}, run.last, before.bulge);
  return true;
}

}  // namespace

int PlineArcMode(PlineRun& run, double direction) {
  run.band.kind = FcDragPLine::kTangentArc;
  run.band.tangentAngle = direction;
  for (;;) {
    run.HandOver(true);
    SetKeywords("Angle CEnter CLose Direction Halfwidth Line Radius SecondPt Undo Width", 0);
    FcPoint2d ucsPoint;
    std::string text;
    const int status = GetPoint(
        &run.lastUcs, "Input endpoint or [Angle/CEnter/CLose/Direction/Halfwidth/Line/Radius/SecondPt/Undo/Width]",
        ucsPoint, text);
    if (status == FC_INPUT_OK) {
      const FcPoint2d end = UcsToWorldPoint(run.graph, ucsPoint);
      double bulge = 0.0;
      int made = 0;
      if (run.band.kind == FcDragPLine::kRadiusArc) {
        made = ArcFromChordRadius(run.last, end, run.band.radius, nullptr, &bulge);
      } else if (run.band.kind == FcDragPLine::kThreePointArc) {
        FcPoint2d centre;
        made = CircleThrough3Points(run.last, run.band.second, end, centre, nullptr, &bulge) ? 1 : 0;
      } else {
        made = ArcFromStartDirectionEnd(run.last, run.band.tangentAngle, end, nullptr, nullptr, &bulge);
      }
      if (made != 0) run.AppendArc(end, bulge);
      run.band.kind = FcDragPLine::kTangentArc;
      continue;
    }
    if (status != FC_INPUT_KEYWORD) return kPlineEnds;
    if (text == "Line") return kStatusDone;
    if (text == "Angle" || text == "Radius") {
      const bool sweep = text == "Angle";
      SetKeywords("", kPositiveOnly);
      double value = 0.0;
      const int answer = sweep ? GetAngle(&run.lastUcs, "Input sweep angle", value, text)
                               : GetDistance(&run.lastUcs, "Input radius", value, text);
      if (answer == FC_INPUT_OK && sweep) PlineArcBySweep(run, value);
      if (answer == FC_INPUT_OK && !sweep) PlineArcByRadius(run, value);
      run.band.kind = FcDragPLine::kTangentArc;
    } else if (text == "CEnter") {
      SetKeywords("", kInputRefuseEmpty);
      FcPoint2d centreUcs;
      if (GetPoint(&run.lastUcs, "Input center point", centreUcs, text) != FC_INPUT_OK) continue;
      if (DistanceBetween(centreUcs, run.lastUcs) <= 1e-11) {
        PrintMessage("Invalid center point!");
        continue;
      }
      PlineArcByCenter(run, UcsToWorldPoint(run.graph, centreUcs), centreUcs);
      run.band.kind = FcDragPLine::kTangentArc;
    } else if (text == "CLose") {
      const PolylineVertex& first = *run.polyline->GetVertex(0);
      double bulge = 0.0;
      if (ArcFromStartDirectionEnd(run.last, run.band.tangentAngle, {first.x, first.y}, nullptr, nullptr, &bulge) != 0) {
        run.polyline->SetVertexBulge(run.polyline->GetVertexCount() - 1, bulge);
      }
      run.polyline->SetClosed(true);
      return kPlineEnds;
    } else if (text == "Direction") {
      double angle = 0.0;
      if (GetAngle(&run.lastUcs, "Input direction", angle, text) == FC_INPUT_OK) run.band.tangentAngle = angle;
    } else if (text == "Halfwidth" || text == "Width") {
      if (!PromptPlineWidths(run, text == "Halfwidth")) return kPlineEnds;
      run.polyline->SetVertexWidths(run.polyline->GetVertexCount() - 1, run.startWidth, run.endWidth);
    } else if (text == "SecondPt") {
      SetKeywords("", kInputRefuseEmpty);
      if (GetPoint(&run.lastUcs, "Input second point", ucsPoint, text) == FC_INPUT_OK) {
        run.band.second = UcsToWorldPoint(run.graph, ucsPoint);
        run.band.kind = FcDragPLine::kThreePointArc;
      }
    } else if (text == "Undo") {
      if (!UndoArcVertex(run)) return kStatusDone;
      run.band.kind = FcDragPLine::kTangentArc;
    }
  }
}
