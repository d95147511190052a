#pragma once

#include <string>
#include <vector>

#include "entities/polyline.h"
#include "tests/commands/modify/edge_command_fixture.h"

// A vertex as a test puts it into a polyline.
struct VertexIn {
  double x, y, bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
};

// The edge-command drawing with polylines put in directly, so that a test
// can give them bulges, widths and fits the drawing commands would need
// several steps for.
class PolylineEditTest : public EdgeCommandTest {
 protected:
  FcPolyline* AddPolyline(const std::vector<VertexIn>& vertices, bool closed = false) {
    return script_.OnWindowThread([&] {
      auto* polyline = new FcPolyline;
      for (const VertexIn& v : vertices) polyline->AppendVertex({v.x, v.y}, v.startWidth, v.endWidth, v.bulge);
      polyline->SetClosed(closed);
      script_.Drawing().AddEntity(polyline, true);
      return polyline;
    });
  }

  // The kinds of the entities of the drawing, oldest first.
  std::vector<EntityKind> Kinds() {
    std::vector<EntityKind> kinds;
    for (const FcEntity* entity : EntitiesOf<FcEntity>()) kinds.push_back(entity->GetKind());
    return kinds;
  }

  // The start and end widths of each vertex, in order.
  static std::vector<std::pair<double, double>> Widths(const std::vector<PolylineVertex>& vertices) {
    std::vector<std::pair<double, double>> widths;
    for (const PolylineVertex& v : vertices) widths.emplace_back(v.startWidth, v.endWidth);
    return widths;
  }
};
