#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "commands/modify/edge_command_run.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "core/point_ops.h"
#include "tests/support/pickable_script.h"

// A point as typed at a prompt.
inline std::string PointText(const FcPoint2d& p) {
  char text[64];
  std::snprintf(text, sizeof text, "%.9f,%.9f", p.x, p.y);
  return text;
}

// A drawing shown at one unit a pixel (0,0)-(400,300) so that a typed
// point picks what lies within 5 units of it; the shared edge mode starts
// at "No extend" for every test.
class EdgeCommandTest : public PickableScriptTest {
 protected:
  EdgeCommandTest() { ExtendEdgeMode() = 0; }
  ~EdgeCommandTest() override { ExtendEdgeMode() = 0; }

  // Draws with the drawing commands, so that picks find what was drawn;
  // each answers the entity it drew.
  template <typename Entity>
  Entity* Draw(const std::string& command, const std::vector<std::string>& answers) {
    EXPECT_TRUE(RunScript(script_, command, answers)) << command;
    const std::vector<const Entity*> drawn = EntitiesOf<Entity>();
    return drawn.empty() ? nullptr : const_cast<Entity*>(drawn.back());
  }
  FcLine* AddLine(FcPoint2d start, FcPoint2d end) {
    return Draw<FcLine>("line", {PointText(start), PointText(end), ""});
  }
  FcCircle* AddCircle(FcPoint2d centre, double radius) {
    return Draw<FcCircle>("circle", {PointText(centre), std::to_string(radius)});
  }
  // Counter-clockwise, angles in degrees.
  FcArc* AddArc(FcPoint2d centre, double radius, double startDeg, double endDeg) {
    const auto at = [&](double deg) { return PointText(PointAtPolar(centre, radius, deg * kDegToRad)); };
    return Draw<FcArc>("arc", {at(startDeg), at((startDeg + endDeg) / 2), at(endDeg)});
  }
  FcRay* AddRay(FcPoint2d base, FcPoint2d through) {
    return Draw<FcRay>("ray", {PointText(base), PointText(through)});
  }
  FcXLine* AddXLine(FcPoint2d base, FcPoint2d through) {
    return Draw<FcXLine>("xline", {PointText(base), PointText(through)});
  }
  // Changes an entity between commands.
  template <typename Edit>
  void Change(Edit change) {
    script_.OnWindowThread([&] {
      change(script_.Drawing());
      return true;
    });
  }

  // Runs the command with the answers; false when it ended early.
  bool Run(const std::string& command, const std::vector<std::string>& answers) {
    return RunScript(script_, command, answers);
  }

  // The prompts shown, in order.
  std::vector<std::string> Prompts() { return script_.Frame().Prompts(); }

  // The lines of the drawing as start and end points, oldest first.
  std::vector<std::pair<FcPoint2d, FcPoint2d>> Lines() {
    std::vector<std::pair<FcPoint2d, FcPoint2d>> lines;
    for (const FcLine* line : EntitiesOf<FcLine>()) lines.emplace_back(line->GetStartPoint(), line->GetEndPoint());
    return lines;
  }
};

// Vertex points and, where it matters, bulges of a polyline.
struct VertexAt {
  double x, y, bulge = 0.0;
};

inline void ExpectVertices(const FcPolyline& polyline, const std::vector<VertexAt>& expected, const std::string& what) {
  const std::vector<PolylineVertex>& v = polyline.GetVertices();
  ASSERT_EQ(v.size(), expected.size()) << what;
  for (std::size_t i = 0; i < v.size(); ++i) {
    ExpectPointNear(VertexPoint(v[i]), {expected[i].x, expected[i].y}, 1e-7, what + " vertex " + std::to_string(i));
    EXPECT_NEAR(v[i].bulge, expected[i].bulge, 1e-7) << what << " bulge " << i;
  }
}

// The history lines that are not selection reports.
inline std::vector<std::string> WithoutSelectionLines(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const std::string& line : lines)
    if (line.find("selected") == std::string::npos) kept.push_back(line);
  return kept;
}

inline bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts)
    if (t == text) return true;
  return false;
}
