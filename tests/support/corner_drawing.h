#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "entities/arc.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "tests/support/pickable_script.h"

// A pickable drawing that the tests of the corner commands (Fillet,
// Chamfer) fill with entities directly, with the current properties.
class CornerDrawingTest : public PickableScriptTest {
 protected:
  template <typename Entity, typename Fill>
  Entity* Add(Fill fill) {
    return script_.OnWindowThread([&] {
      auto* entity = new Entity;
      fill(*entity);
      script_.Drawing().AddEntity(entity, true);
      return entity;
    });
  }

  FcLine* AddLine(const FcPoint2d& start, const FcPoint2d& end) {
    return Add<FcLine>([&](FcLine& line) {
      line.SetStartPoint(start);
      line.SetEndPoint(end);
    });
  }
  FcCircle* AddCircle(const FcPoint2d& centre, double radius) {
    return Add<FcCircle>([&](FcCircle& circle) {
      circle.SetCenter(centre);
      circle.SetRadius(radius);
    });
  }
  // Angles in degrees.
  FcArc* AddArc(const FcPoint2d& centre, double radius, double start, double end) {
    return Add<FcArc>([&](FcArc& arc) {
      arc.SetCenter(centre);
      arc.SetRadius(radius);
      arc.SetStartAngle(start * kDegToRad);
      arc.SetEndAngle(end * kDegToRad);
    });
  }
  template <typename Unbounded>
  Unbounded* AddUnbounded(const FcPoint2d& base, const FcPoint2d& direction) {
    return Add<Unbounded>([&](Unbounded& line) {
      line.SetBasePoint(base);
      line.SetDirection(direction);
    });
  }
  FcPolyline* AddPolyline(std::initializer_list<FcPoint2d> points, bool closed = false) {
    return Add<FcPolyline>([&](FcPolyline& polyline) {
      for (const FcPoint2d& at : points) polyline.AppendVertex(at, 0, 0, 0);
      polyline.SetClosed(closed);
    });
  }

  std::vector<FcPoint2d> VerticesOf(const FcPolyline* polyline) {
    return script_.OnWindowThread([&] {
      std::vector<FcPoint2d> points;
      for (const PolylineVertex& v : polyline->GetVertices()) points.push_back({v.x, v.y});
      return points;
    });
  }

  void ExpectVertices(const FcPolyline* polyline, const std::vector<FcPoint2d>& expected) {
    const std::vector<FcPoint2d> actual = VerticesOf(polyline);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) ExpectPointNear(actual[i], expected[i], 1e-9, "vertex " + std::to_string(i));
  }

  std::vector<std::string> Prompts() { return script_.Frame().Prompts(); }
};
