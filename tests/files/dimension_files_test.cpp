#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "entities/dim_angular.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dim_radial.h"
#include "entities/insert.h"
#include "entities/arrowhead_blocks.h"
#include "entities/dimension_arrow_choice.h"
#include "entities/solid.h"
#include "files/drawing_file.h"
#include "files/object_registrations.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

// As the library's script writes numbers: six decimals, trailing zeros
// dropped.
std::string Number(double value) {
  if (std::fabs(value) <= 5e-7) return "0";
  std::ostringstream text;
  text.setf(std::ios::fixed);
  text.precision(6);
  text << value;
  std::string s = text.str();
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string Point(const FcPoint2d& p) { return Number(p.x) + "," + Number(p.y); }

// One line per dimension as the script prints it.
std::string Describe(const FcDimension& dimension) {
  const FcBlock* block = dimension.GetReferencedBlock();
  return std::to_string(dimension.GetDimType() & 7) + " " + Point(dimension.GetDefPoint10()) + " " +
         Point(dimension.GetDefPoint13()) + " " + Point(dimension.GetDefPoint14()) + " " +
         Point(dimension.GetDefPoint15()) + " " + Number(dimension.GetMeasurement()) + " " +
         std::to_string(block != nullptr ? block->GetEntities().GetCount() : -1) +
         ((dimension.GetDimType() & 7) == kDimTypeAngular2Line ? " " + Point(dimension.GetDefPoint16()) : "") + "\n";
}

std::string DescribeModelSpace(const FcGraph& graph) {
  std::string text;
  for (const FcEntity* entity : graph.GetBlockList().FindByName("*Model_Space")->GetEntities()) {
    if (const auto* dimension = dynamic_cast<const FcDimension*>(entity)) text += Describe(*dimension);
  }
  return text;
}

// A drawing with one dimension of each kind this program lays out.
void AddEveryKind(FcGraph& graph) {
  auto* rotated = new FcDimRotate;
  rotated->SetDefPoint13({0, 0});
  rotated->SetDefPoint14({10, 5});
  rotated->SetDefPoint10({0, 8});
  auto* aligned = new FcDimAligned;
  aligned->SetDefPoint13({0, 0});
  aligned->SetDefPoint14({10, 5});
  aligned->SetDefPoint10({0, 8});
  auto* vertical = new FcDimRotate;
  vertical->SetDefPoint13({20, 0});
  vertical->SetDefPoint14({22, 7.5});
  vertical->SetDefPoint10({25, 0});
  vertical->SetRotation(kHalfPi);
  auto* ordinate = new FcDimOrdinate;
  ordinate->SetDefPoint13({5, 3});
  ordinate->SetDefPoint14({6, 6});
  auto* radius = new FcDimRadius;
  radius->SetDefPoint10({40, 0});
  radius->SetDefPoint15({43, 4});
  radius->SetTextMidpoint({41.5, 2});
  auto* diameter = new FcDimDiameter;
  diameter->SetDefPoint15({50, 0});
  diameter->SetDefPoint10({60, 0});
  auto* twoLines = new FcDim2LAng;
  twoLines->SetDefPoint13({70, 0});
  twoLines->SetDefPoint14({80, 0});
  twoLines->SetDefPoint15({71, 1});
  twoLines->SetDefPoint10({75, 5});
  twoLines->SetDefPoint16({72, -6});
  auto* threePoints = new FcDim3PAng;
  threePoints->SetDefPoint15({90, 0});
  threePoints->SetDefPoint13({100, 0});
  threePoints->SetDefPoint14({90, 10});
  threePoints->SetDefPoint10({85, -5});
  for (FcDimension* dimension :
       std::vector<FcDimension*>{rotated, aligned, vertical, ordinate, radius, diameter, twoLines, threePoints}) {
    graph.AddEntity(dimension, false);
    dimension->RebuildBlock();
  }
}

// The arrow references of the model space dimensions and the entities of
// the blocks they name, as the script prints them.
std::string DescribeArrows(const FcGraph& graph) {
  std::string text;
  std::vector<const FcBlock*> named;
  for (const FcEntity* entity : graph.GetBlockList().FindByName("*Model_Space")->GetEntities()) {
    const auto* dimension = dynamic_cast<const FcDimension*>(entity);
    if (dimension == nullptr) continue;
    for (const FcEntity* each : dimension->GetReferencedBlock()->GetEntities()) {
      const auto* arrow = dynamic_cast<const FcInsert*>(each);
      if (arrow == nullptr) continue;
      text += "INSERT " + arrow->GetBlockName() + " at " + Point(arrow->GetInsertionPoint()) + " scale " +
              Number(arrow->GetXScale()) + "," + Number(arrow->GetYScale()) + " rotation " +
              Number(arrow->GetRotation() * 180.0 / kPi) + " color " + std::to_string(arrow->GetColor()) + "\n";
      if (std::find(named.begin(), named.end(), arrow->GetBlockRecord()) == named.end()) {
        named.push_back(arrow->GetBlockRecord());
      }
    }
  }
  for (const FcBlock* block : named) {
    text += "BLOCK " + block->GetName() + ":";
    for (const FcEntity* each : block->GetEntities()) text += " " + each->GetRecordName();
    text += "\n";
  }
  return text;
}

// Saves the drawing, has the independent library describe the arrows of a
// DXF file as `written` describes them and audit it, then reads the file
// into `reread`.
void SaveAndReadBack(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge, const std::string& written,
                     FcGraph& reread) {
  ASSERT_EQ(SaveDrawing(graph, path, kind, purge, false), FcSaveResult::kDone);
  if (kind != FcFileKind::kDwg) {
    const CommandResult library =
        RunCommand("/usr/bin/python3 '" + LibraryScript() + "' dimension_arrows '" + path + "'");
    EXPECT_EQ(library.status, 0) << library.output;
    EXPECT_EQ(library.output, written);
  }
  ASSERT_EQ(OpenDrawing(reread, path, false, nullptr), FcOpenResult::kDone);
}

class DimensionFilesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
};

// The independent library reads every dimension back with its kind,
// definition points, measurement and block, and finds nothing to mend;
// this program reads the same back, the blocks as they were written.
TEST_F(DimensionFilesTest, DxfDimensionsReadBackAlike) {
  TempDir dir;
  FcGraph graph;
  AddEveryKind(graph);
  const std::string written = DescribeModelSpace(graph);
  ASSERT_FALSE(written.empty());
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::string path = dir.path() + (kind == FcFileKind::kAsciiDxf ? "ascii.dxf" : "binary.dxf");
    ASSERT_EQ(SaveDrawing(graph, path, kind, false, false), FcSaveResult::kDone);
    const CommandResult library = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' dimensions '" + path + "'");
    EXPECT_EQ(library.status, 0) << library.output;
    EXPECT_EQ(library.output, written);
    FcGraph reread;
    ASSERT_EQ(OpenDrawing(reread, path, false, nullptr), FcOpenResult::kDone);
    EXPECT_EQ(DescribeModelSpace(reread), written);
  }
}

// Arrows drawn from the style's blocks: the independent library finds each
// reference in the dimension's block with the block it names, and nothing
// to mend in any of the arrow blocks; this program reads the same back
// from DXF and DWG.
TEST_F(DimensionFilesTest, ArrowBlocksReadBackAlike) {
  TempDir dir;
  FcGraph graph;
  for (const std::string_view name : DimArrowheadNames()) ASSERT_NE(CreateArrowheadBlock(graph, name), nullptr);
  FcDimStyle& style = *graph.GetCurrentDimStyle();
  style.dimsah = 1;
  style.dimasz = 0.5;
  style.dimclrd = 1;
  style.SetDimblk1("_Dot");
  style.SetDimblk2("_Integral");
  AddEveryKind(graph);
  const std::string written = DescribeArrows(graph);
  ASSERT_NE(written.find("BLOCK _Dot: LINE LWPOLYLINE\nBLOCK _Integral: ARC ARC\n"), std::string::npos) << written;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf, FcFileKind::kDwg}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::string path = dir.path() + (kind == FcFileKind::kDwg ? "arrows.dwg" : "arrows.dxf");
    FcGraph reread;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(graph, path, kind, false, written, reread));
    EXPECT_EQ(DescribeArrows(reread), written);
  }
}

TEST_F(DimensionFilesTest, DwgDimensionsReadBackAlike) {
  TempDir dir;
  FcGraph graph;
  AddEveryKind(graph);
  const std::string path = dir.path() + "dimensions.dwg";
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kDwg, false, false), FcSaveResult::kDone);
  FcGraph reread;
  ASSERT_EQ(OpenDrawing(reread, path, false, nullptr), FcOpenResult::kDone);
  EXPECT_EQ(DescribeModelSpace(reread), DescribeModelSpace(graph));
}

// A style choosing no arrow at one end keeps that choice through DXF and
// DWG, also when unused blocks are purged on saving: "_None" goes out as an
// empty block, as the files of other programs carry it, and the dimension
// rebuilt from the file read back still has its one arrow.
TEST_F(DimensionFilesTest, NoArrowChoiceReadsBack) {
  TempDir dir;
  FcGraph graph;
  FcDimStyle& style = *graph.GetCurrentDimStyle();
  style.dimsah = 1;
  style.SetDimblk1(PrepareDimArrow(graph, "_none").value_or("?"));
  style.SetDimblk2(PrepareDimArrow(graph, "_DOT").value_or("?"));
  ASSERT_EQ(style.dimblk1.str(), "_None");
  ASSERT_EQ(style.dimblk2.str(), "_Dot");
  SetDimVarsFromStyle(graph.GetSysVars(), style);
  auto* rotated = new FcDimRotate;
  rotated->SetDefPoint13({0, 0});
  rotated->SetDefPoint14({10, 0});
  rotated->SetDefPoint10({5, 5});
  graph.AddEntity(rotated, false);
  rotated->RebuildBlock();
  const std::string written = DescribeArrows(graph);
  ASSERT_EQ(written.find("INSERT _Dot"), written.rfind("INSERT _Dot")) << written;
  ASSERT_NE(written.find("BLOCK _Dot: LINE LWPOLYLINE\n"), std::string::npos) << written;
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kDwg}) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::string path = dir.path() + (kind == FcFileKind::kDwg ? "none.dwg" : "none.dxf");
    FcGraph reread;
    ASSERT_NO_FATAL_FAILURE(SaveAndReadBack(graph, path, kind, true, written, reread));
    const FcDimStyle& back = *reread.GetCurrentDimStyle();
    EXPECT_EQ(back.dimblk1.str(), "_None");
    EXPECT_EQ(back.dimblk2.str(), "_Dot");
    EXPECT_EQ(reread.GetSysVars().dimblk1.str(), "_None");
    const FcBlock* none = reread.GetBlockList().FindByHandle(back.dimblk1Handle);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->GetEntities().GetCount(), 0);
    for (FcEntity* entity : reread.GetBlockList().FindByName("*Model_Space")->GetEntities()) {
      auto* dimension = dynamic_cast<FcDimension*>(entity);
      if (dimension == nullptr) continue;
      dimension->RebuildBlock();
      EXPECT_EQ(DescribeArrows(reread), written);
      const auto& parts = dimension->GetReferencedBlock()->GetEntities();
      EXPECT_EQ(std::count_if(parts.begin(), parts.end(),
                              [](const FcEntity* part) { return dynamic_cast<const FcSolid*>(part) != nullptr; }),
                0);
    }
  }
}

}  // namespace
