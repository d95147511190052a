#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/corner_entity.h"
#include "entities/ellipse.h"
#include "entities/line.h"
#include "entities/spline.h"
#include "files/drawing_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

// Files that other programs write: drawings made by an independent DXF
// library at test time, and small hand-written files of the kind simple
// programs produce.

namespace {

const std::string kScript = LibraryScript();

// The library's drawings, written once for the whole test program; empty
// when the library is missing.
const std::string& LibraryDrawings() {
  static const TempDir folder;
  static const std::string path = [] {
    const CommandResult written = RunCommand("/usr/bin/python3 '" + kScript + "' write '" + folder.path() + "'");
    return written.status == 0 ? folder.path() : std::string();
  }();
  return path;
}

std::string SkippedText(const FcSkippedRecords& skipped) {
  std::string text;
  for (const auto& [kind, count] : skipped) text += kind + ":" + std::to_string(count) + " ";
  return text.empty() ? "-" : text;
}

struct Opened {
  FcOpenResult result = FcOpenResult::kUnknownKind;
  std::string entities;
  std::string skipped;
};

Opened OpenFile(FcGraph& graph, const std::string& path) {
  std::uint8_t anySkipped = 0;
  FcSkippedRecords skipped;
  Opened opened;
  opened.result = OpenDrawing(graph, path, false, &anySkipped, &skipped);
  opened.entities = EntitiesByKind(graph);
  opened.skipped = SkippedText(skipped);
  return opened;
}

std::string AuditErrors(const std::string& path) {
  const CommandResult audit = RunCommand("/usr/bin/python3 '" + kScript + "' audit '" + path + "'");
  return audit.status == 0 ? std::string() : "audit failed: " + audit.output;
}

// Every kind the program has, in model space and in no block; the block
// "FLAG" holds a line and a circle. Release 12 has no rays, construction
// lines, light polylines or images.
constexpr const char* kModernEntities =
    "3DFACE:1 ARC:1 CIRCLE:2 IMAGE:1 LINE:2 LWPOLYLINE:1 POINT:1 RAY:1 SOLID:1 TEXT:1 TRACE:1 XLINE:1 ";
constexpr const char* kModernSkipped = "INSERT:1 MATERIAL:3 MLEADERSTYLE:1 XRECORD:2 ";
// The standard set-up adds arrow blocks (a solid and two light polylines)
// and visual styles.
constexpr const char* kSetUpEntities =
    "3DFACE:1 ARC:1 CIRCLE:2 IMAGE:1 LINE:2 LWPOLYLINE:3 POINT:1 RAY:1 SOLID:2 TEXT:1 TRACE:1 XLINE:1 ";
constexpr const char* kSetUpSkipped = "INSERT:1 MATERIAL:3 MLEADERSTYLE:1 VISUALSTYLE:25 XRECORD:2 ";

TEST(DxfOtherWritersTest, LibraryDrawingsOpenAndSaveBackClean) {
  const std::string& folder = LibraryDrawings();
  if (folder.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
  struct Case {
    const char* file;
    FcOpenResult result;
    const char* entities;
    const char* skipped;
  } cases[] = {
      {"r2000.dxf", FcOpenResult::kDone, kModernEntities, kModernSkipped},
      {"r2000_bin.dxf", FcOpenResult::kDone, kModernEntities, kModernSkipped},
      {"r2000_setup.dxf", FcOpenResult::kDone, kSetUpEntities, kSetUpSkipped},
      {"r2000_setup_bin.dxf", FcOpenResult::kDone, kSetUpEntities, kSetUpSkipped},
      // Entities alone, without handles or subclass markers.
      {"simple.dxf", FcOpenResult::kDone, "3DFACE:1 ARC:1 CIRCLE:1 LINE:1 POINT:1 SOLID:1 TEXT:1 ", "-"},
      // Release 12 is refused, whether its header says so or its binary
      // form gives group codes one byte.
      {"r12.dxf", FcOpenResult::kOtherRelease, "-", "-"},
      {"r12_bin.dxf", FcOpenResult::kOtherRelease, "-", "-"},
      {"simple_bin.dxf", FcOpenResult::kOtherRelease, "-", "-"},
  };
  TempDir saved;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    FcGraph graph;
    const Opened opened = OpenFile(graph, folder + c.file);
    EXPECT_EQ(opened.result, c.result);
    EXPECT_EQ(opened.entities, c.entities);
    EXPECT_EQ(opened.skipped, c.skipped);
    if (opened.result != FcOpenResult::kDone) continue;
    const std::string path = saved.path() + c.file;
    ASSERT_EQ(WriteDxf(graph, path, true), FcSaveResult::kDone);
    EXPECT_EQ(AuditErrors(path), "");
    FcGraph again;
    EXPECT_EQ(OpenFile(again, path).entities, c.entities);
  }
}

// Records the program passes over hold groups of every value type; the
// binary reader must size each by its code to find the next record.
TEST(DxfOtherWritersTest, BinaryDrawingsReadAsTheirAsciiForm) {
  const std::string& folder = LibraryDrawings();
  if (folder.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
  for (const std::string name : {"r2000", "r2000_setup"}) {
    SCOPED_TRACE(name);
    FcGraph ascii;
    FcGraph binary;
    const Opened fromAscii = OpenFile(ascii, folder + name + ".dxf");
    const Opened fromBinary = OpenFile(binary, folder + name + "_bin.dxf");
    ASSERT_EQ(fromAscii.result, FcOpenResult::kDone);
    ASSERT_EQ(fromBinary.result, FcOpenResult::kDone);
    EXPECT_EQ(fromBinary.skipped, fromAscii.skipped);
    EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(binary), AsciiDxfWithoutSeed(ascii)), "");
  }
}

// A small file built group by group, as a simple program writes it.
std::string Groups(std::initializer_list<std::pair<int, std::string>> groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += std::to_string(code) + "\n" + value + "\n";
  return text;
}

std::string Entities(const std::string& records) {
  return Groups({{0, "SECTION"}, {2, "ENTITIES"}}) + records + Groups({{0, "ENDSEC"}});
}

const std::string kEof = Groups({{0, "EOF"}});

const std::string kCircle = Groups({{0, "CIRCLE"}, {8, "0"}, {10, "1"}, {20, "2"}, {30, "0"}, {40, "3"}});
const std::string kFace = Groups({{0, "3DFACE"}, {8, "Faces"}, {62, "3"}, {10, "0"}, {20, "0"}, {30, "0"},
                                  {11, "2"}, {21, "0"}, {31, "0"}, {12, "2"}, {22, "1"}, {32, "0"}, {13, "0"},
                                  {23, "1"}, {33, "0"}});
const std::string kLine = Groups({{0, "LINE"}, {5, "2A"}, {8, "Survey"}, {6, "CONTINUOUS"}, {10, "1"}, {20, "2"},
                                  {30, "0"}, {11, "3"}, {21, "4"}, {31, "0"}});
// Tables as release 13 writes them, which a simple program may put after
// its entities.
const std::string kTables = Groups(
    {{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LTYPE"}, {5, "5"}, {100, "AcDbSymbolTable"}, {70, "1"},
     {0, "LTYPE"}, {5, "14"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbLinetypeTableRecord"}, {2, "CONTINUOUS"},
     {70, "0"}, {3, "Solid line"}, {72, "65"}, {73, "0"}, {40, "0"}, {0, "ENDTAB"}, {0, "TABLE"}, {2, "LAYER"},
     {5, "2"}, {100, "AcDbSymbolTable"}, {70, "1"}, {0, "LAYER"}, {5, "40"}, {100, "AcDbSymbolTableRecord"},
     {100, "AcDbLayerTableRecord"}, {2, "Survey"}, {70, "0"}, {62, "5"}, {6, "CONTINUOUS"}, {0, "ENDTAB"},
     {0, "ENDSEC"}});

std::string PointText(const FcPoint2d& point) {
  return std::to_string(static_cast<int>(point.x)) + "," + std::to_string(static_cast<int>(point.y));
}

// Each model-space entity: kind, layer with the layer's colour, own
// colour, and where it lies.
std::string EntityText(const FcGraph& graph) {
  const FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  if (modelSpace == nullptr) return "no model space";
  std::string text;
  for (const FcEntity* entity : modelSpace->GetEntities()) {
    const FcLayer* layer = entity->GetLayer();
    text += entity->GetRecordName() + " on " + entity->GetLayerName().str() + "(" +
            (layer != nullptr ? std::to_string(layer->GetColor()) : "none") + ") colour " +
            std::to_string(entity->GetColor());
    if (const auto* line = dynamic_cast<const FcLine*>(entity)) {
      text += " " + PointText(line->GetStartPoint()) + " " + PointText(line->GetEndPoint());
    }
    if (const auto* face = dynamic_cast<const FcCornerEntity*>(entity)) {
      for (const FcPoint2d& corner : face->GetCorners()) text += " " + PointText(corner);
    }
    text += entity->GetHandle() != 0 ? "; " : " without handle; ";
  }
  return text;
}

TEST(DxfOtherWritersTest, RecordsWithoutHeaderOrSubclassMarkersOpen) {
  struct Case {
    const char* name;
    std::string text;
    const char* entities;
    const char* skipped;
  } cases[] = {
      {"a lone circle", Entities(kCircle) + kEof, "CIRCLE on 0(7) colour 256; ", "-"},
      {"a lone face", Entities(kFace) + kEof, "3DFACE on Faces(7) colour 3 0,0 2,0 2,1 0,1; ", "-"},
      {"a line", Entities(kLine) + kEof, "LINE on Survey(7) colour 256 1,2 3,4; ", "-"},
      {"tables first", kTables + Entities(kCircle + kFace + kLine) + kEof,
       "CIRCLE on 0(7) colour 256; 3DFACE on Faces(7) colour 3 0,0 2,0 2,1 0,1; LINE on Survey(5) colour 256 1,2 3,4; ",
       "-"},
      {"tables after the entities", Entities(kLine + kFace) + kTables + kEof,
       "LINE on Survey(5) colour 256 1,2 3,4; 3DFACE on Faces(7) colour 3 0,0 2,0 2,1 0,1; ", "-"},
  };
  TempDir saved;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    FcSkippedRecords skipped;
    std::uint8_t anySkipped = 0;
    ASSERT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(c.text.begin(), c.text.end()), &anySkipped, &skipped),
              FcOpenResult::kDone);
    EXPECT_EQ(EntityText(graph), c.entities);
    EXPECT_EQ(SkippedText(skipped), c.skipped);
    const std::string path = saved.path() + "saved.dxf";
    graph.SetFileKind(FcFileKind::kAsciiDxf);
    ASSERT_EQ(WriteDxf(graph, path, true), FcSaveResult::kDone);
    if (!LibraryDrawings().empty()) {
      EXPECT_EQ(AuditErrors(path), "");
    }
  }
}

}  // namespace

namespace {

std::string CurveText(const FcGraph& graph) {
  const FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  if (modelSpace == nullptr) return "no model space";
  const auto number = [](double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", std::fabs(value) < 5e-7 ? 0.0 : value);
    std::string trimmed = text;
    trimmed.erase(trimmed.find_last_not_of('0') + 1);
    if (trimmed.back() == '.') trimmed.pop_back();
    return trimmed;
  };
  const auto point = [&number](const FcPoint2d& p) { return number(p.x) + "," + number(p.y); };
  std::string text;
  for (const FcEntity* entity : modelSpace->GetEntities()) {
    if (const auto* arc = dynamic_cast<const FcArc*>(entity)) {
      text += "ARC " + point(arc->GetCenter()) + " r " + number(arc->GetRadius()) + " from " +
              point(arc->GetStartPoint()) + " to " + point(arc->GetEndPoint()) + "\n";
    } else if (const auto* circle = dynamic_cast<const FcCircle*>(entity)) {
      text += "CIRCLE " + point(circle->GetCenter()) + " r " + number(circle->GetRadius()) + "\n";
    } else if (const auto* ellipse = dynamic_cast<const FcEllipse*>(entity)) {
      double start = 0.0;
      double end = 0.0;
      ellipse->GetParams(start, end);
      text += "ELLIPSE " + point(ellipse->GetCenter()) + " axis " + point(ellipse->GetMajorAxis()) + " ratio " +
              number(ellipse->GetRadiusRatio()) + " from " + number(start) + " to " + number(end) + "\n";
    } else if (const auto* read = dynamic_cast<const FcSPline*>(entity)) {
      // A fit-point spline is written with the control data derived from
      // its fit points.
      FcSPline spline(*read);
      if (spline.GetFitPoints().size() > 1) spline.ComputeControlPoints();
      text += "SPLINE degree " + std::to_string(spline.GetDegree()) + " control";
      for (const FcPoint2d& p : spline.GetControlPoints()) text += " " + point(p);
      const std::vector<double>& weights = spline.GetWeights();
      if (std::any_of(weights.begin(), weights.end(), [](double w) { return w != 1.0; })) {
        text += " weights";
        for (double w : weights) text += " " + number(w);
      }
      text += " knots";
      for (double k : spline.GetKnots()) text += " " + number(k);
      if (!spline.GetFitPoints().empty()) {
        text += " fit";
        for (const FcPoint2d& p : spline.GetFitPoints()) text += " " + point(p);
      }
      text += "\n";
    }
  }
  return text;
}

// Circles and arcs drawn seen from below come in as the same world curves,
// and the library reads what is saved as those curves again.
TEST(DxfOtherWritersTest, ReversedCurvesKeepTheirWorldPlace) {
  const std::string& folder = LibraryDrawings();
  if (folder.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
  FcGraph graph;
  const Opened opened = OpenFile(graph, folder + "reversed.dxf");
  ASSERT_EQ(opened.result, FcOpenResult::kDone);
  EXPECT_EQ(opened.skipped, "MATERIAL:3 MLEADERSTYLE:1 ");
  const std::string expected = "CIRCLE -2,1 r 3\nARC -2,1 r 3 from -2,4 to -5,1\n";
  EXPECT_EQ(CurveText(graph), expected);
  TempDir saved;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    const std::string path = saved.path() + "curves.dxf";
    graph.SetFileKind(kind);
    ASSERT_EQ(WriteDxf(graph, path, true), FcSaveResult::kDone);
    const CommandResult read = RunCommand("/usr/bin/python3 '" + kScript + "' curves '" + path + "'");
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.output, expected);
  }
}

TEST(DxfOtherWritersTest, SavedArcsReadTheSameInTheLibrary) {
  if (LibraryDrawings().empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
  FcGraph graph;
  struct Arc {
    FcPoint2d centre;
    double radius;
    double start;
    double end;
  } arcs[] = {{{1, 2}, 3, 350, 10}, {{-4, 0.5}, 0.25, 45, 45}, {{0, 0}, 2, 90, 270}};
  for (const Arc& a : arcs) {
    auto* arc = new FcArc;
    arc->SetCenter(a.centre);
    arc->SetRadius(a.radius);
    arc->SetStartAngle(a.start * kPi / 180);
    arc->SetEndAngle(a.end * kPi / 180);
    graph.AddEntity(arc, false);
  }
  auto* circle = new FcCircle;
  circle->SetCenter({7.5, -1});
  circle->SetRadius(1.125);
  graph.AddEntity(circle, false);
  TempDir saved;
  const std::string path = saved.path() + "arcs.dxf";
  graph.SetFileKind(FcFileKind::kAsciiDxf);
  ASSERT_EQ(WriteDxf(graph, path, true), FcSaveResult::kDone);
  const CommandResult read = RunCommand("/usr/bin/python3 '" + kScript + "' curves '" + path + "'");
  EXPECT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(read.output, CurveText(graph));
}

// Full and partial rotated ellipses, a rational spline and a fit-point
// spline with end tangents.
void AddCurves(FcGraph& graph) {
  const struct {
    FcPoint2d centre;
    FcPoint2d axis;
    double ratio;
    double start;
    double end;
  } ellipses[] = {{{1, 2}, {3, 4}, 0.25, 0, 360}, {{-4, 0.5}, {-1, 2}, 0.625, 300, 100}, {{0, 0}, {0, -2}, 1, 45, 90}};
  for (const auto& e : ellipses) {
    auto* ellipse = new FcEllipse;
    ellipse->SetCenter(e.centre);
    ellipse->SetMajorAxis(e.axis);
    ellipse->SetRadiusRatio(e.ratio);
    ellipse->SetStartAngle(ellipse->GetRotation() + e.start * kPi / 180);
    ellipse->SetEndAngle(ellipse->GetRotation() + e.end * kPi / 180);
    graph.AddEntity(ellipse, false);
  }
  auto* rational = new FcSPline;
  for (const FcPoint2d& p : {FcPoint2d{0, 0}, FcPoint2d{1.5, 2}, FcPoint2d{3, 2.25}, FcPoint2d{4, 0}, FcPoint2d{6, -1}}) {
    rational->AppendControlPoint(p);
  }
  rational->MakeUniformKnots();
  rational->SetWeight(2.5, 1);
  rational->SetWeight(0.5, 3);
  graph.AddEntity(rational, false);
  auto* fitted = new FcSPline;
  for (const FcPoint2d& p : {FcPoint2d{0, 0}, FcPoint2d{2, 3}, FcPoint2d{5, 1}, FcPoint2d{8, 4}}) fitted->AppendFitPoint(p);
  fitted->SetStartTangent({0, 1});
  fitted->SetEndTangent({1, -1});
  graph.AddEntity(fitted, false);
}

// The library audits the saved curves clean and reads the same centres,
// axes, ratios, parameters, control points, weights, knots and fit points.
TEST(DxfOtherWritersTest, SavedEllipsesAndSplinesReadTheSameInTheLibrary) {
  if (LibraryDrawings().empty()) GTEST_SKIP() << "python3 with ezdxf is not installed";
  FcGraph graph;
  AddCurves(graph);
  TempDir saved;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(kind == FcFileKind::kAsciiDxf ? "ASCII" : "binary");
    const std::string path = saved.path() + "curves.dxf";
    graph.SetFileKind(kind);
    ASSERT_EQ(WriteDxf(graph, path, true), FcSaveResult::kDone);
    const CommandResult read = RunCommand("/usr/bin/python3 '" + kScript + "' curves '" + path + "'");
    EXPECT_EQ(read.status, 0) << read.output;
    EXPECT_EQ(read.output, CurveText(graph));
  }
}

TEST(DxfOtherWritersTest, EllipsesAndSplinesComeBackFromEveryFileForm) {
  FcGraph graph;
  AddCurves(graph);
  const std::string written = CurveText(graph);
  ASSERT_EQ(std::count(written.begin(), written.end(), '\n'), 5);
  TempDir saved;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf, FcFileKind::kDwg}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::string path = saved.path() + (kind == FcFileKind::kDwg ? "curves.dwg" : "curves.dxf");
    ASSERT_EQ(SaveDrawing(graph, path, kind, true, false), FcSaveResult::kDone);
    FcGraph again;
    ASSERT_EQ(OpenDrawing(again, path, false, nullptr), FcOpenResult::kDone);
    EXPECT_EQ(CurveText(again), written);
  }
}

}  // namespace
