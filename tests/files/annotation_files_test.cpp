#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/leader.h"
#include "entities/tolerance.h"
#include "files/drawing_file.h"
#include "files/object_registrations.h"
#include "tests/support/point_expect.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const kFrameText = "{\\Fgdt;j}%%v%%c0.1{\\Fgdt;m}%%vA^J{\\Fgdt;u}%%v0.02";

// A hooked straight leader, a spline leader and a two-row tolerance along
// the y axis, in a drawing whose current style makes hooks 0.36 long.
void AddAnnotations(FcGraph& graph) {
  FcDimStyle* style = graph.GetCurrentDimStyle();
  style->dimasz = 0.18;
  style->dimscale = 2.0;
  auto* hooked = new FcLeader;
  for (const FcPoint2d& p : {FcPoint2d{0, 0}, FcPoint2d{4, 3}, FcPoint2d{9.64, 3}, FcPoint2d{10, 3}}) {
    hooked->AppendVertex(p);
  }
  hooked->SetHookDirection(0);
  hooked->SetAnnotationWidth(1.5);
  hooked->SetDimStyle(style);
  graph.AddEntity(hooked, false);
  auto* spline = new FcLeader;
  for (const FcPoint2d& p : {FcPoint2d{20, 0}, FcPoint2d{22, 4}, FcPoint2d{18, 6}}) spline->AppendVertex(p);
  spline->SetPathType(1);
  spline->SetHookLine(0);
  spline->SetArrowhead(0);
  spline->SetDimStyle(style);
  graph.AddEntity(spline, false);
  auto* tolerance = new FcTolerance;
  tolerance->SetText(kFrameText);
  tolerance->SetInsertionPoint({5, -4});
  tolerance->SetDirection({0, 1});
  graph.AddEntity(tolerance, false);
}

std::string Expected(const std::string& style) {
  return "LEADER " + style + " path 0 hook 1 direction 0 arrow 1 along 1,0 vertices 0,0 4,3 9.64,3 10,3\n" +
         "LEADER " + style + " path 1 hook 0 direction 1 arrow 0 along 1,0 vertices 20,0 22,4 18,6\n" +
         "TOLERANCE " + style + " at 5,-4 direction 0,1 text " + kFrameText + "\n";
}

template <typename Kind>
std::vector<const Kind*> ModelSpace(const FcGraph& graph) {
  std::vector<const Kind*> found;
  for (const FcEntity* entity : graph.GetBlockList().FindByName("*Model_Space")->GetEntities()) {
    if (const auto* kind = dynamic_cast<const Kind*>(entity)) found.push_back(kind);
  }
  return found;
}

class AnnotationFilesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
};

// The independent library reads our leaders (vertices, style, flags) and
// tolerance back and finds nothing to mend; so does this program.
TEST_F(AnnotationFilesTest, DxfLeadersAndTolerancesReadBackAlike) {
  TempDir dir;
  FcGraph graph;
  AddAnnotations(graph);
  const std::string style = graph.GetCurrentDimStyle()->GetName();
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::string path = dir.path() + (kind == FcFileKind::kAsciiDxf ? "ascii.dxf" : "binary.dxf");
    ASSERT_EQ(SaveDrawing(graph, path, kind, false, false), FcSaveResult::kDone);
    const CommandResult library = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' annotations '" + path + "'");
    EXPECT_EQ(library.status, 0) << library.output;
    EXPECT_EQ(library.output, Expected(style));
    FcGraph reread;
    ASSERT_EQ(OpenDrawing(reread, path, false, nullptr), FcOpenResult::kDone);
    EXPECT_TRUE(reread.GetSkippedRecords().empty());
    const std::vector<const FcLeader*> leaders = ModelSpace<FcLeader>(reread);
    ASSERT_EQ(leaders.size(), 2u);
    EXPECT_EQ(leaders[0]->GetVertices(), ModelSpace<FcLeader>(graph)[0]->GetVertices());
    EXPECT_EQ(leaders[1]->GetPathType(), 1);
    ASSERT_EQ(ModelSpace<FcTolerance>(reread).size(), 1u);
    EXPECT_EQ(ModelSpace<FcTolerance>(reread)[0]->GetText(), kFrameText);
  }
}

// A whole DWG file: the hooked leader's hook vertex is left out and put
// back at the style's arrow size; the tolerance keeps its rows.
TEST_F(AnnotationFilesTest, DwgLeadersAndTolerancesReadBack) {
  TempDir dir;
  FcGraph graph;
  AddAnnotations(graph);
  FcLeader* hooked = const_cast<FcLeader*>(ModelSpace<FcLeader>(graph)[0]);
  hooked->SetVertex(2, {9, 3});
  const std::string path = dir.path() + "annotations.dwg";
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kDwg, false, false), FcSaveResult::kDone);
  FcGraph reread;
  ASSERT_EQ(OpenDrawing(reread, path, false, nullptr), FcOpenResult::kDone);
  EXPECT_TRUE(reread.GetSkippedRecords().empty());
  const std::vector<const FcLeader*> leaders = ModelSpace<FcLeader>(reread);
  ASSERT_EQ(leaders.size(), 2u);
  const std::vector<FcPoint2d> expected{{0, 0}, {4, 3}, {9.64, 3}, {10, 3}};
  ASSERT_EQ(leaders[0]->GetVertexCount(), 4);
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectPointNear(leaders[0]->GetVertices()[i], expected[i], 1e-12);
  EXPECT_EQ(leaders[1]->GetVertices(), ModelSpace<FcLeader>(graph)[1]->GetVertices());
  EXPECT_EQ(leaders[1]->GetHookLine(), 0);
  ASSERT_EQ(ModelSpace<FcTolerance>(reread).size(), 1u);
  EXPECT_EQ(ModelSpace<FcTolerance>(reread)[0]->GetText(), kFrameText);
  ExpectPointNear(ModelSpace<FcTolerance>(reread)[0]->GetDirection(), {0, 1}, 0.0);
}

}  // namespace
