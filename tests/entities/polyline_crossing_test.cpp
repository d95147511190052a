#include "entities/polyline_crossing.h"

#include <gtest/gtest.h>

#include "entities/polyline.h"

namespace {

// A U turned on its side: the bottom edge, a half circle bulging out to
// x = 15 (centre (10,5), radius 5), the top edge; closed, the left side
// (0,10)-(0,0) joins it.
FcPolyline SideU(bool closed) {
  FcPolyline polyline;
  polyline.AppendVertex({0, 0}, 0, 0, 0);
  polyline.AppendVertex({10, 0}, 0, 0, 1.0);
  polyline.AppendVertex({10, 10}, 0, 0, 0);
  polyline.AppendVertex({0, 10}, 0, 0, 0);
  polyline.SetClosed(closed);
  return polyline;
}

TEST(SegmentCrossesPolyline, CountsCrossingsButNotMeetingsAtTheSegmentsEnds) {
  struct Case {
    const char* what;
    FcPoint2d a, b;
    bool open, closed;
  } cases[] = {
      {"through the bottom edge", {5, -5}, {5, 5}, true, true},
      {"starting on the bottom edge", {5, 0}, {5, 5}, false, false},
      {"ending on the bottom edge", {5, 5}, {5, 0}, false, false},
      {"once through the arc", {5, 5}, {20, 5}, true, true},
      {"from the arc outwards", {15, 5}, {20, 5}, false, false},
      {"twice through the arc", {13, -1}, {13, 11}, true, true},
      {"twice, one at an end", {13, 1}, {13, 11}, false, false},
      {"beside the arc's circle, off the arc", {6, 2}, {6, 8}, false, false},
      {"through the closing side only", {-5, 5}, {5, 5}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SegmentCrossesPolyline(c.a, c.b, SideU(false)), c.open);
    EXPECT_EQ(SegmentCrossesPolyline(c.a, c.b, SideU(true)), c.closed);
  }
}

}  // namespace
