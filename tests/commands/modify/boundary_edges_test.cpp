#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/modify/boundary_edges.h"
#include "core/extend_edge_list.h"
#include "entities/ellipse.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/text.h"
#include "tests/commands/modify/edge_command_fixture.h"

namespace {

// Counts the straight and the circular edges of a list.
struct EdgeCounts {
  int straight = 0;
  int circular = 0;
  bool operator==(const EdgeCounts&) const = default;
};
EdgeCounts Count(const FcExtendEdgeList& list) {
  EdgeCounts counts;
  for (int i = 0; i < list.GetCount(); ++i) {
    if (dynamic_cast<const FcExtendLineEdge*>(&list.GetAt(i)) != nullptr) ++counts.straight;
    if (dynamic_cast<const FcExtendArcEdge*>(&list.GetAt(i)) != nullptr) ++counts.circular;
  }
  return counts;
}

std::unique_ptr<FcPolyline> Polyline(const std::vector<VertexAt>& vertices, bool closed) {
  auto polyline = std::make_unique<FcPolyline>();
  for (const VertexAt& v : vertices) polyline->AppendVertex({v.x, v.y}, 0.0, 0.0, v.bulge);
  polyline->SetClosed(closed);
  return polyline;
}

TEST(BoundaryEdges, APolylineGivesAnEdgeASegmentItsClosingOneOnlyWhenClosed) {
  struct Case {
    const char* what;
    std::vector<VertexAt> vertices;
    bool closed;
    EdgeCounts expected;
  };
  const Case cases[] = {
      {"open", {{0, 0}, {10, 0}, {10, 10}}, false, {2, 0}},
      {"closed", {{0, 0}, {10, 0}, {10, 10}}, true, {3, 0}},
      {"bulged", {{0, 0, 1}, {10, 0}, {10, 10}}, false, {1, 1}},
      {"arc on coincident vertices left out", {{0, 0, 1}, {0, 0}, {10, 10}}, false, {1, 0}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<FcPolyline> polyline = Polyline(c.vertices, c.closed);
    FcExtendEdgeList list;
    EXPECT_TRUE(BuildExtendEdgeList(*polyline, list)) << c.what;
    EXPECT_EQ(Count(list), c.expected) << c.what;
  }
}

TEST(BoundaryEdges, AFittedPolylineFollowsItsFittedPoints) {
  std::unique_ptr<FcPolyline> polyline = Polyline({{0, 0}, {10, 10}, {20, 0}, {30, 10}}, false);
  ASSERT_TRUE(polyline->SplineFit());
  FcExtendEdgeList list;
  EXPECT_TRUE(BuildExtendEdgeList(*polyline, list));
  EXPECT_EQ(Count(list), (EdgeCounts{static_cast<int>(polyline->GetFitVertices().size()) - 1, 0}));
}

TEST(BoundaryEdges, OtherKindsGiveNoEdge) {
  FcPointEnt point;
  FcEllipse ellipse;
  FcExtendEdgeList list;
  EXPECT_FALSE(BuildExtendEdgeList(point, list));
  EXPECT_FALSE(BuildExtendEdgeList(ellipse, list));
  EXPECT_EQ(list.GetCount(), 0);
}

using TextBoundaryTest = EdgeCommandTest;

// The text's frame cuts a line through it at the frame's lower side.
TEST_F(TextBoundaryTest, ATextCutsAlongTheFourSidesOfItsFrame) {
  const FcText* text = Draw<FcText>("dtext", {"100,100", "10", "0", "ABC", ""});
  ASSERT_NE(text, nullptr);
  const std::array<FcPoint2d, 4> box = text->GetBox();
  ASSERT_GT(box[1].y - box[0].y, 1.0);
  const double x = (box[0].x + box[3].x) / 2;
  const FcLine* line = AddLine({x, 50}, {x, 250});
  ASSERT_TRUE(Run("trim", {PointText(MidPoint(box[0], box[1])), "", PointText({x, 60}), ""}));
  ExpectPointNear(line->GetStartPoint(), {x, box[0].y}, 1e-7);
  ExpectPointNear(line->GetEndPoint(), {x, 250}, 1e-7);
}

}  // namespace
