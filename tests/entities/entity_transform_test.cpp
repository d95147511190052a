#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "database/block.h"
#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/corner_entity.h"
#include "entities/ellipse.h"
#include "entities/face3d.h"
#include "entities/hatch.h"
#include "entities/hatch_edges.h"
#include "entities/hatch_loops.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/solid.h"
#include "entities/spline.h"
#include "entities/text.h"
#include "entities/trace.h"
#include "entities/ray.h"
#include "entities/xline.h"
#include "platform/thread_slot.h"
#include "tests/support/curve_sink.h"

namespace {

FcPoint2d UnitVector(FcPoint2d v) {
  const double length = std::hypot(v.x, v.y);
  return length > 0.0 ? FcPoint2d{v.x / length, v.y / length} : v;
}

// What an entity draws, reduced to what a similarity maps one to one:
// points (ends, vertices, arc ends and middles, image corners), lengths
// (radii, widths) and directions (of rays). Block contents are mapped
// through the nesting the reference sets.
class ShapeSink : public CurveSink {
 public:
  explicit ShapeSink(FcGraph* graph) : CurveSink(graph, 0.0) {}

  FcNestingState GetNesting() const override { return nesting_; }
  void SetNesting(const FcNestingState& state) override { nesting_ = state; }

  void AddLine(const FcPoint2d& start, const FcPoint2d& end, int, FcHandle) override {
    Point(start);
    Point(end);
  }
  void AddPoint(const FcPoint2d& point, FcHandle, int) override { Point(point); }
  void AddPolyline(const FcPoint2d* points, int count, bool, FcHandle, int) override {
    for (int i = 0; i < count; ++i) Point(points[i]);
  }
  void AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle handle, int subIndex) override {
    AddVertexChain(vertices, count, closed, handle, subIndex);
  }
  void AddCircle(const FcPoint2d& centre, double radius, FcHandle, int) override {
    Point(centre);
    Length(radius);
  }
  void AddArc(const FcPoint2d& centre, double radius, double start, double end, FcHandle, int) override {
    Point(centre);
    Length(radius);
    for (double angle : {start, (start + end) / 2.0, end})
      Point({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
  }
  void AddPolygon(const FcPoint2d* points, int count, FcHandle, int) override {
    for (int i = 0; i < count; ++i) Point(points[i]);
  }
  void AddRay(const FcPoint2d& base, const FcPoint2d& direction, FcHandle, int) override {
    Point(base);
    directions.push_back(UnitVector(TransformVector(nesting_.transform, direction)));
  }
  void AddXLine(const FcPoint2d& base, const FcPoint2d& direction, FcHandle handle, int subIndex) override {
    AddRay(base, direction, handle, subIndex);
  }
  void AddImage(const FcSinkImage& image, FcHandle, int) override {
    Point(image.insertion);
    Point({image.insertion.x + image.u.x, image.insertion.y + image.u.y});
    Point({image.insertion.x + image.v.x, image.insertion.y + image.v.y});
  }
  // Bulged segments give the middle of their arc, so that a bulge whose
  // sign a mirror forgot to turn is seen.
  void AddWidePolyline(const PolylineVertex* vertices, int count, bool closed, FcHandle) override {
    for (int i = 0; i < count; ++i) {
      const FcPoint2d from{vertices[i].x, vertices[i].y};
      Point(from);
      Length(vertices[i].startWidth);
      Length(vertices[i].endWidth);
      const int next = i + 1 < count ? i + 1 : (closed ? 0 : -1);
      if (next < 0 || vertices[i].bulge == 0.0) continue;
      const FcPoint2d to{vertices[next].x, vertices[next].y};
      const double half = vertices[i].bulge / 2.0;
      Point({(from.x + to.x) / 2.0 + (to.y - from.y) * half, (from.y + to.y) / 2.0 - (to.x - from.x) * half});
    }
  }

  std::vector<FcPoint2d> points;
  std::vector<double> lengths;
  std::vector<FcPoint2d> directions;

 private:
  void Point(FcPoint2d p) {
    TransformPoint(nesting_.transform, p);
    points.push_back(p);
  }
  void Length(double length) { lengths.push_back(TransformLength(nesting_.transform, length)); }

  FcNestingState nesting_;
};

std::vector<FcPoint2d> Sorted(std::vector<FcPoint2d> points) {
  // Rounded first, so that the order does not hang on the last bits.
  for (FcPoint2d& p : points) {
    p.x = std::round(p.x * 1e5) / 1e5 + 0.0;
    p.y = std::round(p.y * 1e5) / 1e5 + 0.0;
  }
  std::ranges::sort(points, [](const FcPoint2d& a, const FcPoint2d& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  return points;
}

std::vector<double> Sorted(std::vector<double> values) {
  for (double& v : values) v = std::round(v * 1e5) / 1e5;
  std::ranges::sort(values);
  return values;
}

struct NamedMatrix {
  const char* name;
  FcMatrix2d matrix;
  double scale;
};

std::vector<NamedMatrix> Similarities() {
  std::vector<NamedMatrix> all;
  FcMatrix2d m;
  TranslationMatrix(7, -3, m);
  all.push_back({"move", m, 1.0});
  RotationMatrix(5, 5, kPi / 6.0, m);
  all.push_back({"rotate 30", m, 1.0});
  RotationMatrix(-4, 2, 2.0 * kPi / 3.0, m);
  all.push_back({"rotate 120", m, 1.0});
  ScaleAboutPointMatrix(1, 2, 2.5, m);
  all.push_back({"scale 2.5", m, 2.5});
  MirrorMatrix(3, 0, 3, 10, m);
  all.push_back({"mirror about a vertical", m, 1.0});
  MirrorMatrix(0, 0, 5, 0, m);
  all.push_back({"mirror about the x axis", m, 1.0});
  // Exactly, so that nothing stands on the diagonal of the matrix.
  all.push_back({"mirror about y = x", FcMatrix2d{0, 1, 0, 1, 0, 0}, 1.0});
  MirrorMatrix(1, 1, 4, 4, m);
  all.push_back({"mirror about a diagonal", m, 1.0});
  MirrorMatrix(0, 2, 3, 2 + std::sqrt(3.0), m);
  all.push_back({"mirror about a 60 degree line", m, 1.0});
  return all;
}

class EntityTransformTest : public ::testing::Test {
 protected:
  // A clone that is no member of the drawing yet finds its drawing (a
  // reference's block, MIRRTEXT) through the thread's, as the commands'
  // copies and the window's previews do.
  EntityTransformTest() { CurrentThreadSlot().graph = &graph; }
  ~EntityTransformTest() override { CurrentThreadSlot() = {}; }

  template <typename Entity>
  Entity* Add(std::function<void(Entity&)> fill) {
    auto* entity = new Entity;
    // Added first, so that a reference finds its block by name.
    graph.AddEntity(entity, false);
    fill(*entity);
    return entity;
  }

  // Every similarity maps what the entity draws onto what its transformed
  // clone draws; the source is left as it was.
  void ExpectShapeFollows(const char* kind, FcEntity& entity) {
    ShapeSink before(&graph);
    entity.Draw(&before);
    ASSERT_FALSE(before.points.empty()) << kind << " draws nothing to compare";
    for (const NamedMatrix& m : Similarities()) {
      std::unique_ptr<FcEntity> moved(entity.TransformedClone(m.matrix));
      ASSERT_NE(moved, nullptr);
      ShapeSink after(&graph);
      moved->Draw(&after);
      std::vector<FcPoint2d> expected = before.points;
      for (FcPoint2d& p : expected) TransformPoint(m.matrix, p);
      std::vector<double> lengths = before.lengths;
      for (double& length : lengths) length *= m.scale;
      std::vector<FcPoint2d> directions = before.directions;
      for (FcPoint2d& d : directions) d = UnitVector(TransformVector(m.matrix, d));
      EXPECT_EQ(Sorted(after.points), Sorted(expected)) << kind << " under " << m.name;
      EXPECT_EQ(Sorted(after.lengths), Sorted(lengths)) << kind << " under " << m.name;
      EXPECT_EQ(Sorted(after.directions), Sorted(directions)) << kind << " under " << m.name;
    }
    ShapeSink again(&graph);
    entity.Draw(&again);
    EXPECT_EQ(Sorted(again.points), Sorted(before.points)) << kind << ": the source moved";
  }

  FcGraph graph;
};

TEST_F(EntityTransformTest, CurvesAndPointsFollowEverySimilarity) {
  ExpectShapeFollows("line", *Add<FcLine>([](FcLine& e) {
    e.SetStartPoint({1, 2});
    e.SetEndPoint({9, 4});
  }));
  ExpectShapeFollows("point", *Add<FcPointEnt>([](FcPointEnt& e) { e.SetLocation({3, 4}); }));
  ExpectShapeFollows("circle", *Add<FcCircle>([](FcCircle& e) {
    e.SetCenter({4, 6});
    e.SetRadius(3);
  }));
  ExpectShapeFollows("arc", *Add<FcArc>([](FcArc& e) {
    e.SetCenter({4, 6});
    e.SetRadius(3);
    e.SetStartAngle(0.3);
    e.SetEndAngle(2.1);
  }));
  ExpectShapeFollows("ellipse", *Add<FcEllipse>([](FcEllipse& e) {
    e.SetCenter({4, 6});
    e.SetMajorAxis({4, 1});
    e.SetRadiusRatio(0.4);
  }));
  ExpectShapeFollows("elliptic arc", *Add<FcEllipse>([](FcEllipse& e) {
    e.SetCenter({4, 6});
    e.SetMajorAxis({4, 1});
    e.SetRadiusRatio(0.4);
    e.SetStartAngle(0.5);
    e.SetEndAngle(2.5);
  }));
  ExpectShapeFollows("spline", *Add<FcSPline>([](FcSPline& e) {
    for (const FcPoint2d& p : {FcPoint2d{0, 0}, FcPoint2d{3, 5}, FcPoint2d{6, -1}, FcPoint2d{9, 2}})
      e.AppendControlPoint(p);
    e.MakeUniformKnots();
  }));
  ExpectShapeFollows("polyline with arcs and widths", *Add<FcPolyline>([](FcPolyline& e) {
    e.AppendVertex({0, 0}, 0.5, 1.0, 0.6);
    e.AppendVertex({6, 1}, 0.0, 0.0, -0.4);
    e.AppendVertex({8, 5}, 0.2, 0.2, 0.0);
  }));
  ExpectShapeFollows("ray", *Add<FcRay>([](FcRay& e) {
    e.SetBasePoint({2, 3});
    e.SetDirection({1, 2});
  }));
  ExpectShapeFollows("construction line", *Add<FcXLine>([](FcXLine& e) {
    e.SetBasePoint({2, 3});
    e.SetDirection({-1, 2});
  }));
}

TEST_F(EntityTransformTest, FilledAndPlacedKindsFollowEverySimilarity) {
  const FcCornerEntity::Corners corners = {FcPoint2d{0, 0}, FcPoint2d{5, 1}, FcPoint2d{1, 4}, FcPoint2d{6, 6}};
  ExpectShapeFollows("solid", *Add<FcSolid>([&](FcSolid& e) { e.SetCorners(corners); }));
  ExpectShapeFollows("trace", *Add<FcTrace>([&](FcTrace& e) { e.SetCorners(corners); }));
  ExpectShapeFollows("3D face", *Add<Fc3DFace>([&](Fc3DFace& e) { e.SetCorners(corners); }));
  ExpectShapeFollows("text, turned over with MIRRTEXT on", *Add<FcText>([](FcText& e) {
    e.SetText("Fg");
    e.SetHeight(2);
    e.SetInsertionPoint({3, 1});
    e.SetRotation(0.4);
  }));
}

// The largest distance from a point of one chain to the nearest segment of
// the other closed chain.
double FarthestFrom(const std::vector<FcPoint2d>& points, const std::vector<FcPoint2d>& ring) {
  double farthest = 0.0;
  for (const FcPoint2d& p : points) {
    double nearest = 1e300;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const FcPoint2d& a = ring[i];
      const FcPoint2d& b = ring[(i + 1) % ring.size()];
      const double dx = b.x - a.x;
      const double dy = b.y - a.y;
      const double squared = dx * dx + dy * dy;
      const double t = squared > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / squared, 0.0, 1.0) : 0.0;
      nearest = std::min(nearest, std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y));
    }
    farthest = std::max(farthest, nearest);
  }
  return farthest;
}

// The loops are tessellated afresh after a change, so their points are
// compared as curves: each loop of the copy runs along the mapped loop of
// the source, and the pattern's angle and scale follow its lines.
TEST_F(EntityTransformTest, HatchLoopsAndPatternFollowEverySimilarity) {
  FcHatch* hatch = Add<FcHatch>([](FcHatch& e) {
    auto loop = std::make_unique<FcPLineEdge>();
    loop->AddVertex({0, 0}, 0.5);
    loop->AddVertex({10, 0}, 0);
    loop->AddVertex({10, 8}, 0);
    loop->AddVertex({0, 8}, 0);
    loop->SetClosed(true);
    e.GetLoops().Append(std::move(loop));
    auto edges = std::make_unique<FcOtherEdge>();
    edges->AppendFlattened(std::make_unique<FcArcEdge>(FcPoint2d{5, 4}, 2.0, 0.3, 1.2, true));
    edges->AppendFlattened(std::make_unique<FcLineEdge>(FcPoint2d{5 + 2 * std::cos(1.2), 4 + 2 * std::sin(1.2)},
                                                        FcPoint2d{5 + 2 * std::cos(0.3), 4 + 2 * std::sin(0.3)}));
    e.GetLoops().Append(std::move(edges));
    auto oval = std::make_unique<FcOtherEdge>();
    const FcPoint2d c{20, 4};
    const FcPoint2d axis{3, 1};
    oval->AppendFlattened(std::make_unique<FcEllipseEdge>(c, axis, 0.5, 0.0, kPi, true));
    oval->AppendFlattened(std::make_unique<FcLineEdge>(c - axis, c + axis));
    e.GetLoops().Append(std::move(oval));
    e.GetPattern().SetAngle(0.25);
    e.GetPattern().SetScale(2.0);
  });
  const double tolerance = 1e-4;
  for (const NamedMatrix& m : Similarities()) {
    std::unique_ptr<FcEntity> moved(hatch->TransformedClone(m.matrix));
    const auto& after = dynamic_cast<const FcHatch&>(*moved);
    ASSERT_EQ(after.GetLoops().GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
      std::vector<FcPoint2d> source;
      std::vector<FcPoint2d> result;
      ASSERT_TRUE(hatch->GetLoops().GetAt(i).AppendPoints(tolerance, source));
      ASSERT_TRUE(after.GetLoops().GetAt(i).AppendPoints(tolerance, result)) << "loop " << i << " under " << m.name;
      for (FcPoint2d& p : source) TransformPoint(m.matrix, p);
      EXPECT_LT(FarthestFrom(result, source), 1e-3) << "loop " << i << " under " << m.name;
      EXPECT_LT(FarthestFrom(source, result), 1e-3) << "loop " << i << " under " << m.name;
    }
    const FcPoint2d direction = TransformVector(m.matrix, {std::cos(0.25), std::sin(0.25)});
    EXPECT_NEAR(std::cos(after.GetPattern().GetAngle()), direction.x / m.scale, 1e-9) << m.name;
    EXPECT_NEAR(std::sin(after.GetPattern().GetAngle()), direction.y / m.scale, 1e-9) << m.name;
    EXPECT_NEAR(after.GetPattern().GetScale(), 2.0 * m.scale, 1e-9) << m.name;
  }
}

TEST_F(EntityTransformTest, BlockReferencesFollowEverySimilarity) {
  FcBlock* block = graph.GetBlockList().AddNew();
  block->SetName("MARK");
  auto* line = new FcLine;
  line->SetStartPoint({0, 0});
  line->SetEndPoint({4, 1});
  graph.TakeHandle(*line);
  line->SetLayer(graph.GetCurrentLayer());
  ASSERT_TRUE(block->AddEntity(line));
  auto* arc = new FcArc;
  arc->SetCenter({1, 1});
  arc->SetRadius(2);
  arc->SetStartAngle(0.2);
  arc->SetEndAngle(1.9);
  graph.TakeHandle(*arc);
  arc->SetLayer(graph.GetCurrentLayer());
  ASSERT_TRUE(block->AddEntity(arc));
  ExpectShapeFollows("turned and scaled reference", *Add<FcInsert>([](FcInsert& e) {
    e.SetBlockName("MARK");
    e.SetInsertionPoint({5, 2});
    e.SetXScale(1.5);
    e.SetYScale(1.5);
    e.SetRotation(0.3);
  }));
  ExpectShapeFollows("mirrored reference", *Add<FcInsert>([](FcInsert& e) {
    e.SetBlockName("MARK");
    e.SetInsertionPoint({5, 2});
    e.SetXScale(-2);
    e.SetYScale(2);
    e.SetRotation(1.1);
  }));
}

// With MIRRTEXT off a mirrored text is not turned over: it stays where the
// mirrored text would be (about 2 units high here) and still reads from
// left to right.
TEST_F(EntityTransformTest, ReadableTextsCoverTheirMirroredBox) {
  graph.GetSysVars().mirrtext = 0;
  struct Justification {
    const char* name;
    std::int16_t horizontal;
    std::int16_t vertical;
  };
  const std::vector<Justification> justifications = {
      {"left", kTextLeft, kTextBaseline},  {"center", kTextCenter, kTextBaseline},
      {"right", kTextRight, kTextBaseline}, {"middle", kTextMiddle, kTextBaseline},
      {"aligned", kTextAligned, kTextBaseline}, {"top left", kTextLeft, kTextTop},
  };
  for (const Justification& j : justifications) {
    FcText* text = Add<FcText>([&](FcText& e) {
      e.SetText("Fg");
      e.SetHeight(2);
      e.SetRotation(0.4);
      e.SetHorizontalJustification(j.horizontal);
      e.SetVerticalJustification(j.vertical);
      e.SetInsertionPoint({3, 1});
      e.SetAlignmentPoint(j.horizontal == kTextAligned ? FcPoint2d{3 + 5 * std::cos(0.4), 1 + 5 * std::sin(0.4)}
                                                       : FcPoint2d{3, 1});
    });
    ShapeSink laidOut(&graph);
    text->Draw(&laidOut);
    const std::array<FcPoint2d, 4> box = text->GetBox();
    for (const NamedMatrix& m : Similarities()) {
      if (m.matrix.a * m.matrix.e - m.matrix.b * m.matrix.d > 0.0) continue;
      std::unique_ptr<FcEntity> moved(text->TransformedClone(m.matrix));
      auto& after = dynamic_cast<FcText&>(*moved);
      ShapeSink drawn(&graph);
      after.Draw(&drawn);
      std::vector<FcPoint2d> expected(box.begin(), box.end());
      for (FcPoint2d& p : expected) TransformPoint(m.matrix, p);
      // The box may differ by the side bearings of the end glyphs (the font
      // starts its "F" a fifth of the height in), the readable text being
      // placed by its box's width; it lies no text height away.
      FcPoint2d centre;
      FcPoint2d mirrored;
      for (int k = 0; k < 4; ++k) centre = centre + after.GetBox()[k], mirrored = mirrored + expected[k];
      EXPECT_LT(std::hypot(centre.x - mirrored.x, centre.y - mirrored.y) / 4.0, 2.0) << j.name << " under " << m.name;
      EXPECT_EQ(after.GetGenerationFlags(), 0) << j.name << " under " << m.name;
      // Reading direction: the base line of the box runs the way the
      // rotation points.
      const FcPoint2d base = after.GetBox()[3] - after.GetBox()[0];
      EXPECT_GT(base.x * std::cos(after.GetRotation()) + base.y * std::sin(after.GetRotation()), 0.0)
          << j.name << " under " << m.name;
    }
  }
}

}  // namespace
