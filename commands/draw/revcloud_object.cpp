#include "commands/draw/revcloud_object.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/draw/draw_settings.h"
#include "commands/draw/revcloud_geometry.h"
#include "commands/draw/revcloud_settings.h"
#include "commands/undo_section.h"
#include "core/data_array.h"
#include "core/resbuf.h"
#include "core/splines.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/spline.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

constexpr const char* kTooManyPoints = "Can't make the cloud: its path has too many points.";

struct CloudPath {
  std::vector<FcPoint2d> points;
  bool closed = false;
  // False when the steps would give too many points.
  bool fits = true;
};

// A spline without control data of its own is walked along the curve it
// draws.
void SplinePath(const FcSPline& spline, double tolerance, CloudPath& path) {
  const std::vector<FcPoint2d>& control = spline.GetControlPoints();
  const std::vector<double>& knots = spline.GetKnots();
  if (control.size() >= 4 && knots.size() == control.size() + 4) {
    std::vector<double> weights = spline.GetWeights();
    weights.resize(control.size(), 1.0);
    FcPoint2dArray curve;
    TessellateNurbs(curve, control, 4, knots, weights, tolerance);
    for (int i = 0; i < curve.count; ++i) path.points.push_back(curve[i]);
    return;
  }
  for (const PolylineVertex& vertex : spline.GetCurvePoints()) path.points.push_back(VertexPoint(vertex));
}

// The path along the entity with s the stored minimum arc length; none for
// kinds that make no cloud.
std::optional<CloudPath> PathAlong(const FcEntity& entity, double s) {
  CloudPath path;
  if (const auto* line = dynamic_cast<const FcLine*>(&entity)) {
    path.points = {line->GetStartPoint(), line->GetEndPoint()};
  } else if (const auto* arc = dynamic_cast<const FcArc*>(&entity)) {
    double end = arc->GetEndAngle();
    while (end < arc->GetStartAngle()) end += kTwoPi;
    path.fits = ArcPointsByStep(arc->GetRadius(), arc->GetStartAngle(), end, 0.02 * s, path.points, arc->GetCenter());
  } else if (const auto* circle = dynamic_cast<const FcCircle*>(&entity)) {
    path.closed = true;
    path.fits = ArcPointsByStep(circle->GetRadius(), 0.0, kTwoPi, 0.1 * s, path.points, circle->GetCenter());
  } else if (const auto* ellipse = dynamic_cast<const FcEllipse*>(&entity)) {
    path.closed = ellipse->IsFull() || ellipse->GetEndAngle() - ellipse->GetStartAngle() >= kTwoPi;
    path.fits = EllipsePointsByStep(ellipse->GetRotation(), ellipse->GetMajorRadius(), ellipse->GetMinorRadius(),
                                    ellipse->GetStartAngle(), ellipse->GetEndAngle(), 0.02 * s,
                                    ellipse->GetCenter(), path.points);
  } else if (const auto* spline = dynamic_cast<const FcSPline*>(&entity)) {
    SplinePath(*spline, 0.02 * s, path);
  } else if (const auto* polyline = dynamic_cast<const FcPolyline*>(&entity);
             polyline != nullptr && entity.GetKind() == kEntityPolyline) {
    path.closed = polyline->IsClosed();
    path.fits = PlineToRevCloud(*polyline, path.points, 0.02 * s);
  } else {
    return std::nullopt;
  }
  return path;
}

// The first picked entity that makes a cloud, with its path; none when
// the prompt is answered with anything but a pick.
std::optional<std::pair<FcEntity*, CloudPath>> PickSource(double s) {
  while (true) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select Object", text, point, picked) != FC_INPUT_OK) return std::nullopt;
    if (picked == nullptr) continue;
    if (std::optional<CloudPath> path = PathAlong(*picked, s)) return std::make_pair(picked, std::move(*path));
  }
}

}  // namespace

int RevCloudFromObject(FcUndoSection& section) {
  FcGraph& graph = section.Graph();
  const std::optional<std::pair<FcEntity*, CloudPath>> source =
      PickSource(GetProgramSettings().rev_cloud.min_arc_length);
  if (!source) return kStatusDone;
  const auto& [entity, path] = *source;
  const RevCloudLengths lengths = CurrentRevCloudLengths(graph);
  if (!path.fits || !RevCloudFitsLimit(path.points, lengths.maximum)) {
    PrintMessage(kTooManyPoints);
    return kStatusDone;
  }
  const double width = lengths.calligraphy ? 0.1 * lengths.maximum : 0.0;
  std::unique_ptr<FcPolyline> cloud =
      PointsToRevCloud(path.points, path.closed, lengths.minimum, lengths.maximum, width);
  if (!cloud || !AskRevCloudDirection(*cloud)) return kStatusDone;
  PrintMessage("Revision cloud finished.");
  if (!section.AddCreated(cloud.release())) return kStatusDone;
  if (!GetDrawCommandSettings().revCloudDeleteSource) return kStatusDone;
  FcEntitySets erased(1);
  erased.Add(entity);
  section.EraseRecorded(erased);
  return kStatusDone;
}
