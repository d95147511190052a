#include <cmath>
#include <string>
#include <vector>

#include "core/areas.h"
#include "core/geometry_basics.h"
#include "core/splines.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/system_var.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "entities/point_segment.h"
#include "entities/spline.h"
#include "platform/frame_link.h"

// Drawing, listing, area, grips and snapping of splines.

namespace {

bool FrameShown(const FcGraph* graph) { return graph != nullptr && graph->GetSysVars().splframe != 0; }

double AreaAt(const std::vector<FcPoint2d>& control, int order, const std::vector<double>& knots,
              std::vector<double> weights, int steps) {
  FcPoint2dArray points;
  TessellateNurbsFixed(weights, control, order, knots, steps, points);
  return PolygonArea(std::span<const FcPoint2d>(points.data, static_cast<std::size_t>(points.count)));
}

}  // namespace

bool FcSPline::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  Tessellate(sink->CurveChordTolerance());
  if (curvePoints_.size() > 1) {
    sink->AddCurve(curvePoints_.data(), static_cast<int>(curvePoints_.size()), false, GetHandle(), 0);
  }
  if (FrameShown(sink->GetContext().graph) && !controlPoints_.empty()) {
    sink->AddPolyline(controlPoints_.data(), static_cast<int>(controlPoints_.size()), false, GetHandle(), 0);
  }
  return true;
}

double FcSPline::GetArea() const {
  CurveData data;
  if (!GetCurveData(data)) return 0.0;
  double previous = AreaAt(data.control, data.order, data.knots, data.weights, 500);
  double area = AreaAt(data.control, data.order, data.knots, data.weights, 1000);
  for (int steps = 2000; steps <= 16000 && std::fabs(area - previous) >= 0.001; steps *= 2) {
    previous = area;
    area = AreaAt(data.control, data.order, data.knots, data.weights, steps);
  }
  return area;
}

void FcSPline::List() {
  RemoveDuplicateFitPoints();
  FcEntity::List();
  const FcGraph* graph = OwnerGraphOf(*this);
  const int precision = graph != nullptr ? graph->GetSysVars().luprec : 4;
  const bool rational = (flags_ & kSplineRational) != 0;
  PrintMessage("    Order : 4");
  PrintMessage(std::string("Properties: Planar, ") + (rational ? "Rational, " : "Non-Rational, ") +
               ((flags_ & kSplinePeriodic) != 0 ? "Periodic" : "Non-Periodic"));
  // A fit-point spline that was never drawn has no knots yet: the listing
  // shows the ones it will be drawn with.
  CurveData data;
  const bool hasCurve = GetCurveData(data);
  if (hasCurve) {
    PrintMessage("Parametric Range: Start  " + FormatDecimal(precision, data.knots.front()));
    PrintMessage("                    End  " + FormatDecimal(precision, data.knots.back()));
  }
  PrintMessage("Control Points Number: " + std::to_string(data.control.size()));
  PrintMessage("Control Points : ");
  const auto pointLine = [graph](const FcPoint2d& p) {
    const FormattedPoint text = FormatPoint(p, graph);
    PrintMessage("    X = " + text.x + "  , Y = " + text.y);
  };
  for (std::size_t i = 0; i < data.control.size(); ++i) {
    pointLine(data.control[i]);
    if (rational) PrintMessage("    Weight  " + FormatDecimal(precision, data.weights[i]));
  }
  if (fitPoints_.empty()) return;
  PrintMessage("Fit Points Number: " + std::to_string(fitPoints_.size()));
  PrintMessage("User Data: Fit Points");
  for (const FcPoint2d& p : fitPoints_) pointLine(p);
  if (startTangent_.x != 0.0 || startTangent_.y != 0.0) {
    PrintMessage("Start Tangent");
    pointLine(startTangent_);
  }
  if (endTangent_.x != 0.0 || endTangent_.y != 0.0) {
    PrintMessage("End Tangent");
    pointLine(endTangent_);
  }
}

void FcSPline::GetGripPoints(FcPoint2dArray& points) {
  for (const FcPoint2d& p : fitPoints_) points.Add(p);
  if (!fitPoints_.empty() && !FrameShown(OwnerGraphOf(*this))) return;
  if (fitPoints_.size() > 1 && controlPoints_.size() <= 1) ComputeControlPoints();
  for (const FcPoint2d& p : controlPoints_) points.Add(p);
}

int FcSPline::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if (offset.x == 0.0 && offset.y == 0.0) return indices.count;
  const int fitCount = static_cast<int>(fitPoints_.size());
  const int controlCount = static_cast<int>(controlPoints_.size());
  if (fitCount == 0 || FrameShown(OwnerGraphOf(*this))) {
    bool moved = false;
    for (int i = 0; i < indices.count; ++i) {
      const int control = indices[i] - fitCount;
      if (control < 0 || control >= controlCount) continue;
      // The ends of a fit-point spline's polygon are its end fit points.
      if (fitCount > 0 && (control == 0 || control == controlCount - 1)) continue;
      controlPoints_[static_cast<std::size_t>(control)] += offset;
      moved = true;
    }
    if (moved) {
      ClearFitPoints();
      curvePoints_.clear();
    }
  }
  if (fitPoints_.size() < 2) return indices.count;
  if (fitPoints_.size() == 2 && indices.count == 1) {
    const int index = indices[0];
    if (index != 0 && index != 1) return indices.count;
    FcPoint2d& point = fitPoints_[static_cast<std::size_t>(index)];
    const FcPoint2d before = point;
    point += offset;
    if (IsSamePoint(fitPoints_[0], fitPoints_[1])) {
      point = before;
      return indices.count;
    }
  } else {
    bool moved = false;
    for (int i = 0; i < indices.count; ++i) {
      if (indices[i] < 0 || indices[i] >= static_cast<int>(fitPoints_.size())) continue;
      fitPoints_[static_cast<std::size_t>(indices[i])] += offset;
      moved = true;
    }
    if (!moved) return indices.count;
  }
  RemoveDuplicateFitPoints();
  InvalidateCurve();
  ComputeControlPoints();
  return indices.count;
}

void FcSPline::GetSnapSegments(int, const FcPoint2d&, int, const FcMatrix2d& matrix, GeomSegmentList& segments) {
  CurveData data;
  if (!GetCurveData(data) || data.control.empty()) return;
  if (!AppendPointSegment(segments, data.control.front(), kOsnapEndpoint, matrix)) return;
  if (!IsClosed()) AppendPointSegment(segments, data.control.back(), kOsnapEndpoint, matrix);
}
