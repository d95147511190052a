#include "shell/snap_segment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "entities/geom_segment_ops.h"
#include "tests/support/point_expect.h"
#include "tests/support/test_entity.h"

namespace {

constexpr int kEveryMode = 0x3FF;

GeomSegment LineRecord(FcPoint2d first, FcPoint2d second, int extent, int tag) {
  GeomSegment record;
  record.type = kGeomSegmentLine;
  record.snapModes = tag;
  record.first = first;
  record.second = second;
  record.extent = extent;
  return record;
}

GeomSegment ArcRecord(FcPoint2d centre, double radius, double start, double end) {
  GeomSegment record;
  record.type = kGeomSegmentArc;
  record.snapModes = kSnapTagArc;
  record.centre = centre;
  record.radius = radius;
  record.startAngle = start;
  record.endAngle = end;
  return record;
}

GeomSegment PointRecord(FcPoint2d point, int tag) {
  GeomSegment record;
  record.type = kGeomSegmentPoint;
  record.snapModes = tag;
  record.point = point;
  return record;
}

// A curve that answers every question with one point and the mode asked.
class AnsweringCurve : public TestEntity {
 public:
  void GetTangentPoints(const FcPoint2d* basePoint, const FcPoint2d&, int parameter, const FcMatrix2d&,
                        FcPoint2d& out, int& mode) override {
    seenParameter = parameter;
    sawBase = basePoint != nullptr;
    if ((mode & kOsnapTangent) == 0) {
      mode = 0;
      return;
    }
    out = answer;
    mode = kOsnapTangent;
  }

  FcPoint2d answer{7, 8};
  int seenParameter = -1;
  bool sawBase = false;
};

TEST(SnapSegmentTest, EachRecordKindAnswersItsModes) {
  struct Case {
    const char* what;
    GeomSegment record;
    bool hasBase;
    FcPoint2d base;
    FcPoint2d cursor;
    int mask;
    int found;
    FcPoint2d point;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"only the modes both asked and tagged",
       LineRecord({0, 0}, {10, 0}, kLineExtentSegment, kSnapTagUnboundedLine),
       false, {}, {1, 0}, kOsnapEndpoint, 0, {}},
      {"nearest stays on a segment", LineRecord({0, 0}, {10, 0}, kLineExtentSegment, kSnapTagBoundedLine), false, {},
       {14, 3}, kOsnapNearest, kOsnapNearest, {10, 0}},
      {"nearest stays on a ray", LineRecord({0, 0}, {10, 0}, kLineExtentRay, kSnapTagUnboundedLine), false, {},
       {-4, 3}, kOsnapNearest, kOsnapNearest, {0, 0}},
      {"nearest runs along an infinite line", LineRecord({0, 0}, {10, 0}, kLineExtentInfinite, kSnapTagUnboundedLine),
       false, {}, {-4, 3}, kOsnapNearest, kOsnapNearest, {-4, 0}},
      {"perpendicular needs a base point", LineRecord({0, 0}, {10, 0}, kLineExtentSegment, kSnapTagBoundedLine), false,
       {}, {5, 0}, kOsnapPerpendicular, 0, {}},
      {"an arc's nearer end", ArcRecord({0, 0}, 10, 0, kPi / 2), false, {}, {1, 9}, kOsnapEndpoint, kOsnapEndpoint,
       {0, 10}},
      {"an arc's middle at the mean angle", ArcRecord({0, 0}, 10, 0, kPi), false, {}, {1, 9},
       kOsnapEndpoint | kOsnapMidpoint, kOsnapMidpoint, {0, 10}},
      {"perpendicular to an arc through its far side", ArcRecord({0, 0}, 10, kPi / 2, 3 * kPi / 2), true, {20, 0},
       {-9, 1}, kOsnapPerpendicular, kOsnapPerpendicular, {-10, 0}},
      {"perpendicular off the arc", ArcRecord({0, 0}, 10, kPi / 4, kPi / 2), true, {20, 0}, {7, 7},
       kOsnapPerpendicular, 0, {}},
      {"nearest on an arc only where it runs", ArcRecord({0, 0}, 10, 0, kPi / 2), false, {}, {3, -4},
       kOsnapNearest, 0, {}},
      {"a quadrant at the arc's own start", ArcRecord({0, 0}, 10, kPi / 2 + 1e-12, kPi), false, {}, {1, 9},
       kOsnapQuadrant, kOsnapQuadrant, {0, 10}},
      {"a point answers with its first mode in the order", PointRecord({3, 4}, kOsnapNode | kOsnapInsert), false, {},
       {0, 0}, kEveryMode, kOsnapNode, {3, 4}},
      {"a point that is not a number is no snap", PointRecord({nan, 4}, kOsnapNode), false, {}, {0, 0}, kOsnapNode, 0,
       {}},
      {"an arc starting a huge number of turns away is no snap", ArcRecord({0, 0}, 10, 1e300, 1e300 + 1), true,
       {20, 0}, {1, 9}, kSnapTagArc, 0, {}},
      {"an arc that is not a number is no snap", ArcRecord({0, 0}, nan, 0, kPi), true, {20, 0}, {1, 9},
       kSnapTagArc, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SnapCandidate found = SnapSegment(c.record, c.hasBase ? &c.base : nullptr, c.cursor, c.mask);
    EXPECT_EQ(found.mode, c.found);
    if (c.found == 0) continue;
    ExpectPointNear(found.point, c.point, 1e-9);
    EXPECT_NEAR(found.distance, std::hypot(c.point.x - c.cursor.x, c.point.y - c.cursor.y), 1e-9);
  }
}

TEST(SnapSegmentTest, ACurveIsAnsweredByItsEntity) {
  AnsweringCurve curve;
  GeomSegment record;
  record.type = kGeomSegmentCurve;
  record.snapModes = kSnapTagCurve;
  record.entity = &curve;
  record.parameter = 3;
  const FcPoint2d base{1, 1};

  const SnapCandidate tangent = SnapSegment(record, &base, {7, 5}, kOsnapTangent | kOsnapEndpoint);
  EXPECT_EQ(tangent.mode, kOsnapTangent);
  ExpectPointEq(tangent.point, {7, 8});
  EXPECT_DOUBLE_EQ(tangent.distance, 3.0);
  EXPECT_EQ(curve.seenParameter, 3);
  EXPECT_TRUE(curve.sawBase);

  // Modes outside the record's tag never reach the entity.
  curve.seenParameter = -1;
  EXPECT_EQ(SnapSegment(record, &base, {7, 5}, kOsnapEndpoint).mode, 0);
  EXPECT_EQ(curve.seenParameter, -1);
}

}  // namespace
