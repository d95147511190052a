#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/point2d.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/drag_arc.h"
#include "display/drag_circle.h"
#include "display/drag_ellipse.h"
#include "display/drag_image.h"
#include "display/drag_lengthen.h"
#include "display/drag_pline.h"
#include "display/drag_polygon.h"
#include "display/drag_rectangle.h"
#include "display/drag_xline.h"
#include "display/pedit_drag.h"
#include "display/view_transform.h"
#include "tests/support/overlay_recording_device.h"

namespace {

// The world window (0, 0) to (400, 300) on 400 x 300 pixels: device units
// are world units, so the expected figures read as the geometry itself.
struct OverlayFixture {
  explicit OverlayFixture(FcGraph* owner = nullptr) : surface(owner) {
    auto recording = std::make_unique<OverlayRecordingDevice>();
    device = recording.get();
    surface.SetDevice(std::move(recording));
    surface.SetDeviceSize(400, 300);
    FcViewTransform& view = *surface.GetView();
    view.x1 = 400.0;
    view.y1 = 300.0;
    view.Update();
  }

  std::vector<std::string> Draw(FcDragObject& band, const FcPoint2d& cursor) {
    device->figures.clear();
    band.Draw(&surface, cursor);
    return device->figures;
  }

  FcDisplaySurface surface;
  OverlayRecordingDevice* device = nullptr;
};

using Band = std::function<std::unique_ptr<FcDragObject>()>;

template <typename T>
Band Of(T band) {
  return [band] { return std::make_unique<T>(band); };
}

FcDragEllipse EllipseArc() { return FcDragEllipse::Arc(FcDragEllipse::kEndAngle, {200, 150}, {100, 0}, 0.5); }

FcDragImage ImageAt(FcDragImage::Kind kind, double width, double height) {
  return FcDragImage::Outline(kind, {100, 100}, width, height);
}

FcDragLengthen LineFromStart() {
  FcDragLengthen band;
  band.SetLine({100, 100}, {200, 100}, true);
  return band;
}

FcDragLengthen ArcPastEnd() {
  FcDragLengthen band;
  band.SetArc({100, 100}, 50, 0.0, kHalfPi, false);
  return band;
}

FcDragPLine Tangent(double halfWidth) {
  FcDragPLine band = FcDragPLine::From(FcDragPLine::kTangentArc, {150, 100}, halfWidth, halfWidth);
  band.tangentAngle = kHalfPi;
  return band;
}

FcDragRectangle Cornered(FcDragRectangle::Corner corner) {
  FcDragRectangle band = FcDragRectangle::FromCorner({100, 100});
  band.corner = corner;
  band.chamfer1 = 10;
  band.chamfer2 = 5;
  return band;
}

FcPEditDrag VertexMarkers(const FcPoint2d& current) {
  FcPEditDrag band;
  band.currentVertex = current;
  band.markedVertex = {200, 200};
  band.markedShown = 1;
  return band;
}

struct Case {
  const char* name;
  Band band;
  FcPoint2d cursor;
  std::vector<std::string> figures;
};

// One example per band and kind, with the degenerate cursor of each that
// must draw nothing rather than divide by zero.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"arc centre start end", Of(FcDragArc::CentreStartEnd({100, 100}, {150, 100})), {100, 200},
       {"arc (100,100) 50 0..90", "line (100,100)-(100,200)"}},
      {"arc centre start, start on centre", Of(FcDragArc::CentreStartEnd({100, 100}, {100, 100})), {100, 200}, {}},
      {"arc chord of a quarter", Of(FcDragArc::CentreStartChord({100, 100}, {150, 100})), {100, 150},
       {"arc (100,100) 50 0..90"}},
      {"arc chord of the diameter", Of(FcDragArc::CentreStartChord({100, 100}, {150, 100})), {50, 100},
       {"arc (100,100) 50 0..180"}},
      {"arc chord past the diameter", Of(FcDragArc::CentreStartChord({100, 100}, {150, 100})), {49, 100}, {}},
      {"arc included angle", Of(FcDragArc::CentreStartAngle({100, 100}, {150, 100})), {100, 150},
       {"arc (100,100) 50 0..90"}},
      {"arc three points", Of(FcDragArc::ThreePoints({150, 100}, {100, 150})), {50, 100},
       {"arc (100,100) 50 0..180"}},
      {"arc three collinear points", Of(FcDragArc::ThreePoints({150, 100}, {100, 150})), {50, 200}, {}},
      {"arc start end centre", Of(FcDragArc::StartEndCentre({150, 100}, {100, 200})), {100, 100},
       {"arc (100,100) 50 0..90", "line (100,100)-(100,200)"}},
      {"arc start end centre, end inside", Of(FcDragArc::StartEndCentre({150, 100}, {100, 120})), {100, 100},
       {"arc (100,100) 50 0..90", "line (100,100)-(100,150)"}},
      {"arc start end centre, centre on start", Of(FcDragArc::StartEndCentre({150, 100}, {100, 120})), {150, 100},
       {}},
      {"arc start end angle pi", Of(FcDragArc::StartEndAngle({150, 100}, {50, 100})), {0, 100},
       {"arc (100,100) 50 0..180"}},
      {"arc start end angle zero", Of(FcDragArc::StartEndAngle({150, 100}, {50, 100})), {200, 100}, {}},
      {"arc start end angle, ends coincide", Of(FcDragArc::StartEndAngle({150, 100}, {150, 100})), {0, 100}, {}},
      {"arc start end direction", Of(FcDragArc::StartEndDirection({150, 100}, {50, 100})), {150, 200},
       {"arc (100,100) 50 0..180"}},
      {"arc start end direction below", Of(FcDragArc::StartEndDirection({150, 100}, {50, 100})), {150, 0},
       {"arc (100,100) 50 180..360"}},
      {"arc start end direction along the chord", Of(FcDragArc::StartEndDirection({150, 100}, {50, 100})),
       {250, 100}, {}},
      {"arc start end radius", Of(FcDragArc::StartEndRadius({150, 100}, {50, 100})), {50, 150},
       {"arc (100,100) 50 0..180"}},
      {"arc radius below the half chord", Of(FcDragArc::StartEndRadius({150, 100}, {50, 100})), {50, 120}, {}},
      {"arc start end radius, ends coincide", Of(FcDragArc::StartEndRadius({150, 100}, {150, 100})), {50, 120},
       {}},

      {"circle centre radius", Of(FcDragCircle::CentreRadius({100, 100})), {130, 140}, {"circle (100,100) 50"}},
      {"circle of no radius", Of(FcDragCircle::CentreRadius({100, 100})), {100, 100}, {}},
      {"circle centre diameter", Of(FcDragCircle::CentreDiameter({100, 100})), {130, 140},
       {"circle (100,100) 25"}},
      {"circle two points", Of(FcDragCircle::TwoPoints({100, 100})), {200, 100}, {"circle (150,100) 50"}},
      {"circle three points", Of(FcDragCircle::ThreePoints({150, 100}, {100, 150})), {50, 100},
       {"circle (100,100) 50"}},
      {"circle three collinear points", Of(FcDragCircle::ThreePoints({150, 100}, {100, 150})), {50, 200}, {}},
      {"donut", Of(FcDragDonut(20, 60)), {100, 100}, {"circle (100,100) 10", "circle (100,100) 30"}},

      {"ellipse other axis", Of(FcDragEllipse::OtherAxis({200, 150}, {100, 0})), {200, 200},
       {"polyline closed box (100,100)-(300,200)"}},
      {"ellipse of no minor axis", Of(FcDragEllipse::OtherAxis({200, 150}, {100, 0})), {200, 150}, {}},
      {"ellipse of no major axis", Of(FcDragEllipse::OtherAxis({200, 150}, {0, 0})), {200, 200}, {}},
      {"ellipse whole for the start angle",
       Of(FcDragEllipse::Arc(FcDragEllipse::kStartAngle, {200, 150}, {0, 100}, 0.5)), {0, 0},
       {"polyline closed box (150,50)-(250,250)"}},
      {"ellipse quarter to the end angle", Of(EllipseArc()), {200, 250},
       {"polyline open box (200,150)-(300,200)"}},

      {"image scale", Of(ImageAt(FcDragImage::kScale, 20, 10)), {140, 100},
       {"polyline (100,100) (140,100) (140,120) (100,120) (100,100)"}},
      {"image of no width", Of(ImageAt(FcDragImage::kScale, 0, 10)), {140, 100}, {}},
      {"image rotation", Of(ImageAt(FcDragImage::kRotation, 40, 20)), {100, 200},
       {"polyline (100,100) (100,140) (80,140) (80,100) (100,100)"}},
      {"image insertion", Of(FcDragImage::Outline(FcDragImage::kInsertionPoint, {0, 0}, 30, 20)), {100, 0},
       {"polyline (100,0) (130,0) (130,20) (100,20) (100,0)"}},

      {"lengthen line at its start", Of(LineFromStart()), {50, 150}, {"line (50,100)-(200,100)"}},
      {"lengthen arc past its end", Of(ArcPastEnd()), {0, 100}, {"arc (100,100) 50 90..180"}},
      {"lengthen arc, cursor on the centre", Of(ArcPastEnd()), {100, 100}, {}},
      {"lengthen arc by nothing", Of(ArcPastEnd()), {100, 170}, {}},

      {"pline thin line", Of(FcDragPLine::From(FcDragPLine::kLine, {100, 100}, 0, 0)), {200, 100},
       {"polygon (100,100) (100,100) (200,100) (200,100)"}},
      {"pline tapering line", Of(FcDragPLine::From(FcDragPLine::kLine, {100, 100}, 5, 10)), {200, 100},
       {"polygon (100,105) (100,95) (200,90) (200,110)"}},
      {"pline thin tangent arc", Of(Tangent(2)), {50, 100}, {"arc (100,100) 50 0..180"}},
      {"pline wide tangent arc", Of(Tangent(10)), {50, 100}, {"polygon 42 points box (40,100)-(160,160)"}},
      {"pline arc with the cursor on the tangent", Of(Tangent(0)), {150, 250}, {}},

      {"polygon inscribed", Of(FcDragPolygon::AboutCentre(FcDragPolygon::kInscribed, {200, 150}, 4)), {250, 150},
       {"polyline (250,150) (200,200) (150,150) (200,100) (250,150)"}},
      {"polygon circumscribed", Of(FcDragPolygon::AboutCentre(FcDragPolygon::kCircumscribed, {200, 150}, 4)),
       {250, 150}, {"polyline (250,200) (150,200) (150,100) (250,100) (250,200)"}},
      {"polygon on an edge", Of(FcDragPolygon::OnEdge({100, 100}, 4)), {150, 100},
       {"polyline (100,100) (150,100) (150,150) (100,150) (100,100)"}},
      {"polygon of no size", Of(FcDragPolygon::AboutCentre(FcDragPolygon::kInscribed, {200, 150}, 4)), {200, 150},
       {}},
      {"polygon of two sides", Of(FcDragPolygon::AboutCentre(FcDragPolygon::kInscribed, {200, 150}, 2)),
       {250, 150}, {}},
      {"polygon of no sides", Of(FcDragPolygon::OnEdge({100, 100}, 0)), {150, 100}, {}},

      {"rectangle", Of(Cornered(FcDragRectangle::kPlain)), {200, 150},
       {"line (100,100)-(100,150)", "line (100,150)-(200,150)", "line (200,150)-(200,100)",
        "line (200,100)-(100,100)"}},
      {"rectangle chamfered", Of(Cornered(FcDragRectangle::kChamfer)), {200, 150},
       {"line (100,105)-(100,140)", "line (100,140)-(105,150)", "line (105,150)-(190,150)",
        "line (190,150)-(200,145)", "line (200,145)-(200,110)", "line (200,110)-(195,100)",
        "line (195,100)-(110,100)", "line (110,100)-(100,105)"}},
      {"rectangle too small for its chamfers", Of(Cornered(FcDragRectangle::kChamfer)), {115, 150},
       {"line (100,100)-(100,150)", "line (100,150)-(115,150)", "line (115,150)-(115,100)",
        "line (115,100)-(100,100)"}},
      {"rectangle filleted", Of(Cornered(FcDragRectangle::kFillet)), {200, 150},
       {"line (100,110)-(100,140)", "arc (110,140) 10 90..180", "line (110,150)-(190,150)",
        "arc (190,140) 10 0..90", "line (200,140)-(200,110)", "arc (190,110) 10 270..360",
        "line (190,100)-(110,100)", "arc (110,110) 10 180..270"}},
      {"rectangle filleted down and left", Of(Cornered(FcDragRectangle::kFillet)), {0, 50},
       {"line (100,90)-(100,60)", "arc (90,60) 10 270..360", "line (90,50)-(10,50)", "arc (10,60) 10 180..270",
        "line (0,60)-(0,90)", "arc (10,90) 10 90..180", "line (10,100)-(90,100)", "arc (90,90) 10 0..90"}},
      {"rectangle too small for its fillets", Of(Cornered(FcDragRectangle::kFillet)), {115, 150},
       {"line (100,100)-(100,150)", "line (100,150)-(115,150)", "line (115,150)-(115,100)",
        "line (115,100)-(100,100)"}},

      {"xline through a point", Of(FcDragXLine::ThroughPoint({100, 100})), {200, 100},
       {"line (0,100)-(400,100)"}},
      {"xline at an angle", Of(FcDragXLine::AtAngle(kHalfPi)), {50, 50}, {"line (50,0)-(50,300)"}},
      {"xline bisector", Of(FcDragXLine::Bisector({200, 150}, 0.0)), {200, 250}, {"line (50,0)-(350,300)"}},
      {"xline through the point itself", Of(FcDragXLine::ThroughPoint({100, 100})), {100, 100}, {}},
      {"xline bisector on its vertex", Of(FcDragXLine::Bisector({200, 150}, 0.0)), {200, 150}, {}},

      {"vertex markers", Of(VertexMarkers({100, 100})), {0, 0},
       {"line (95,95)-(105,105)", "line (95,105)-(105,95)", "line (195,195)-(205,195)",
        "line (195,195)-(200,205)", "line (205,195)-(200,205)"}},
      {"vertex markers, current vertex out of view", Of(VertexMarkers({-100, 100})), {0, 0},
       {"line (195,195)-(205,195)", "line (195,195)-(200,205)", "line (205,195)-(200,205)"}},
  };
  return cases;
}

TEST(GeometricRubberBandTest, EachBandDrawsTheGeometryOfItsCommand) {
  for (const Case& c : Cases()) {
    OverlayFixture f;
    std::unique_ptr<FcDragObject> band = c.band();
    EXPECT_EQ(band->mode, 0) << c.name << ": geometric bands draw on the cursor overlay";
    EXPECT_EQ(f.Draw(*band, c.cursor), c.figures) << c.name;
  }
}

// A cursor overlay is drawn before and after each copy of the back buffer,
// so a band must draw the same figure each time it is asked.
TEST(GeometricRubberBandTest, DrawingTwiceDrawsTheSameAndKeepsNothing) {
  for (const Case& c : Cases()) {
    OverlayFixture f;
    std::unique_ptr<FcDragObject> band = c.band();
    const std::vector<std::string> first = f.Draw(*band, c.cursor);
    EXPECT_EQ(f.Draw(*band, c.cursor), first) << c.name;
    EXPECT_EQ(f.surface.GetGroupCount(), 0) << c.name << ": nothing reaches the display list";
  }
}

// The angle answers follow ANGBASE and ANGDIR, and the rectangle is square to
// the UCS rather than to the world.
TEST(GeometricRubberBandTest, AnglesAndCornersFollowTheDrawingsSettings) {
  FcGraph graph;
  FcSystemVar& vars = graph.GetSysVars();
  vars.angbase = kHalfPi;
  OverlayFixture f(&graph);
  FcDragArc angle = FcDragArc::CentreStartAngle({100, 100}, {150, 100});
  EXPECT_EQ(f.Draw(angle, {0, 100}), (std::vector<std::string>{"arc (100,100) 50 0..90"}))
      << "the cursor at 180 degrees answers 90 from a base of 90";

  vars.angbase = 0.0;
  vars.angdir = 1;
  EXPECT_EQ(f.Draw(angle, {100, 150}), (std::vector<std::string>{"arc (100,100) 50 90..360"}))
      << "clockwise angles run the arc the other way round";
  FcDragArc halfCircle = FcDragArc::StartEndAngle({150, 100}, {50, 100});
  EXPECT_EQ(f.Draw(halfCircle, {0, 100}), (std::vector<std::string>{"arc (100,100) 50 180..360"}));

  vars.angdir = 0;
  ASSERT_TRUE(vars.SetUcs({100, 100}, {100, 200}, {0, 100}));
  FcDragRectangle rectangle = FcDragRectangle::FromCorner({0, 0});
  EXPECT_EQ(f.Draw(rectangle, {50, 150}),
            (std::vector<std::string>{"line (100,100)-(50,100)", "line (50,100)-(50,150)", "line (50,150)-(100,150)",
                                      "line (100,150)-(100,100)"}))
      << "a UCS turned a quarter: the first side runs along the UCS y axis, the world's -x";
}

// The outline of an ellipse lies on the ellipse, whatever the tessellation.
TEST(GeometricRubberBandTest, EllipseOutlineLiesOnTheEllipse) {
  struct Points : OverlayRecordingDevice {
    void Polyline(const FcDevicePoint* p, int n) override { points.assign(p, p + n); }
    std::vector<FcDevicePoint> points;
  };
  FcDisplaySurface surface(nullptr);
  auto device = std::make_unique<Points>();
  Points* points = device.get();
  surface.SetDevice(std::move(device));
  surface.SetDeviceSize(400, 300);
  FcViewTransform& view = *surface.GetView();
  view.x1 = 400.0;
  view.y1 = 300.0;
  view.Update();
  // Major axis 100 along 30 degrees, minor 40.
  const double angle = kPi / 6;
  FcDragEllipse band = FcDragEllipse::OtherAxis({200, 150}, {100 * std::cos(angle), 100 * std::sin(angle)});
  band.Draw(&surface, {200, 190});
  ASSERT_GT(points->points.size(), 16u);
  for (const FcDevicePoint& p : points->points) {
    const double dx = p.x - 200.0;
    const double dy = p.y - 150.0;
    const double u = (dx * std::cos(angle) + dy * std::sin(angle)) / 100.0;
    const double v = (-dx * std::sin(angle) + dy * std::cos(angle)) / 40.0;
    EXPECT_NEAR(u * u + v * v, 1.0, 0.03) << p.x << "," << p.y;
  }
}

}  // namespace
