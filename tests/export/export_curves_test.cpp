#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <vector>
#include <string>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "display/display_arc.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "tests/support/export_test_support.h"

namespace {

// Circles and arcs that show whole reach the PDF as cubic Bezier segments
// and the SVG as arc commands. In the PDF:
// the ends of the segments on the curve, the control points on its
// tangents at 4/3 tan(a/4) of the radius, as many segments as keep the
// curve within the precision written. A curve the window cuts keeps its
// chords.

// The page content of an export of the window (0, 0) to (100, 60) at one
// point per drawing unit; the offset of 15 points moves (40, 30) to (55, 45).
std::string ExportedFile(FcGraph& graph, std::unique_ptr<FcExportDevice> device, const char* name) {
  ScratchFolder folder;
  const std::string path = folder.File(name);
  EXPECT_TRUE(graph.ExportWindow({0, 0}, {100, 60}, std::move(device), 100000, 60000, path));
  return ReadWholeFile(path);
}

std::string ExportedContent(FcGraph& graph) {
  const std::string file = ExportedFile(graph, std::make_unique<FcPDFExportDevice>(), "curves.pdf");
  const std::size_t start = file.find("stream\n");
  const std::size_t end = file.find("\nendstream");
  return Inflate(file.substr(start + 7, end - start - 7));
}

void AddCircle(FcGraph& graph, const FcPoint2d& centre, double radius) {
  auto* circle = new FcCircle;
  circle->SetCenter(centre);
  circle->SetRadius(radius);
  graph.AddEntity(circle, false);
}

// What follows the last colour ("g " or "rg ").
std::string PathFrom(const std::string& content) {
  const std::size_t colour = content.rfind("g ");
  return colour == std::string::npos ? content : content.substr(colour + 2);
}

void AddQuarterArc(FcGraph& graph) {
  auto* arc = new FcArc;
  arc->SetCenter({40, 30});
  arc->SetRadius(10);
  arc->SetStartAngle(0);
  arc->SetEndAngle(std::atan2(1.0, 0.0));
  graph.AddEntity(arc, false);
}

std::string CirclePath(const FcPoint2d& centre, double radius) {
  FcGraph graph;
  AddCircle(graph, centre, radius);
  return PathFrom(ExportedContent(graph));
}

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST(PdfCurvesTest, CirclesAndArcsAreBezierSegments) {
  struct Case {
    const char* name;
    std::function<void(FcGraph&)> add;
    std::string path;
  };
  const Case cases[] = {
      {"a circle: four quarters from its rightmost point, through its top, left and bottom",
       [](FcGraph& graph) { AddCircle(graph, {40, 30}, 10); },
       "65 45 m 65 50.52 60.52 55 55 55 c 49.48 55 45 50.52 45 45 c 45 39.48 49.48 35 55 35 c "
       "60.52 35 65 39.48 65 45 c S "},
      {"a quarter arc: one segment",
       AddQuarterArc,
       "65 45 m 65 50.52 60.52 55 55 55 c S "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    c.add(graph);
    EXPECT_EQ(PathFrom(ExportedContent(graph)), c.path);
  }
}

TEST(PdfCurvesTest, SegmentsFollowTheSizeAndTheWindow) {
  {
    SCOPED_TRACE("a large circle takes more segments, each ending on the circle");
    const std::string path = CirclePath({50, 30}, 29);
    EXPECT_GE(Count(path, " c "), 5);
    EXPECT_EQ(Count(path, " l "), 0);
    std::istringstream tokens(path);
    std::vector<double> numbers;
    std::string token;
    while (tokens >> token) {
      if (token != "c") {
        if (token != "m" && token != "S") numbers.push_back(std::stod(token));
        continue;
      }
      const double x = numbers[numbers.size() - 2] - 65;
      const double y = numbers.back() - 45;
      EXPECT_NEAR(std::hypot(x, y), 29, 0.01);
    }
  }
  {
    SCOPED_TRACE("a circle the window cuts keeps its chords");
    const std::string path = CirclePath({95, 30}, 10);
    EXPECT_EQ(Count(path, " c "), 0);
    EXPECT_GT(Count(path, " l "), 10);
  }
}

// SVG counts y downward: the quarter from the right of the centre up to its
// top turns the other way there, and a circle is two half turns.
TEST(SvgCurvesTest, CurvesAreArcCommands) {
  FcGraph graph;
  AddQuarterArc(graph);
  AddCircle(graph, {70, 30}, 5);
  const std::string file = ExportedFile(graph, std::make_unique<FcSVGExportDevice>(), "curves.svg");
  EXPECT_NE(file.find("<path d=\"M50 30A10 10 0 0 0 40 20\""), std::string::npos) << file;
  EXPECT_NE(file.find("<path d=\"M75 30A5 5 0 0 0 65 30A5 5 0 0 0 75 30\""), std::string::npos) << file;
}

TEST(PdfCurvesTest, OnlyTransformsThatKeepCirclesRoundKeepTheCurve) {
  FcMatrix2d turnedAndScaled;
  RotationMatrix(3, 4, 0.7, turnedAndScaled);
  FcMatrix2d scale;
  ScaleMatrix(2.5, 2.5, scale);
  MultiplyMatrix(turnedAndScaled, scale);
  FcMatrix2d stretched;
  ScaleMatrix(2, 1, stretched);
  FcMatrix2d mirrored;
  MirrorMatrix(0, 0, 1, 1, mirrored);
  EXPECT_TRUE(KeepsCirclesRound(FcMatrix2d{}));
  EXPECT_TRUE(KeepsCirclesRound(turnedAndScaled));
  EXPECT_FALSE(KeepsCirclesRound(stretched));
  EXPECT_FALSE(KeepsCirclesRound(mirrored));
}

}  // namespace
