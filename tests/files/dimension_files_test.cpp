#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/graph.h"
#include "entities/dim_angular.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dim_radial.h"
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

}  // namespace
