#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "database/block.h"
#include "database/graph.h"
#include "entities/line.h"
#include "entities/hatch.h"
#include "files/drawing_file.h"
#include "filers/filer_dwg.h"
#include "platform/thread_slot.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/object_test_support.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

// A patterned hatch with a polyline loop that has an arc and an island of
// a line, an arc, a line and a half ellipse; and a solid one.
void AddHatches(FcGraph& graph) {
  CurrentThreadSlot().graph = &graph;
  auto* patterned = new FcHatch;
  patterned->GetPattern().SetName("USER");
  patterned->GetPattern().SetType(kPatternUserDefined);
  FcHPLine family;
  family.base = {1, 2};
  family.offset = {0.5, 3};
  family.dashCount = 3;
  family.dashes = {2, -1, 0};
  patterned->GetPattern().AddLine(family);
  auto outer = std::make_unique<FcPLineEdge>();
  outer->AddVertex({0, 0}, 0);
  outer->AddVertex({10, 0}, 0.5);
  outer->AddVertex({10, 10}, 0);
  outer->AddVertex({0, 10}, 0);
  outer->SetClosed(true);
  patterned->GetLoops().Append(std::move(outer));
  auto island = std::make_unique<FcOtherEdge>();
  island->AppendFlattened(std::make_unique<FcLineEdge>(FcPoint2d{2, 2}, FcPoint2d{4, 2}));
  island->AppendFlattened(std::make_unique<FcArcEdge>(FcPoint2d{4, 3}, 1.0, -kHalfPi, kHalfPi, true));
  island->AppendFlattened(std::make_unique<FcLineEdge>(FcPoint2d{4, 4}, FcPoint2d{2, 4}));
  island->AppendFlattened(std::make_unique<FcEllipseEdge>(FcPoint2d{2, 3}, FcPoint2d{0, 1}, 0.5, 0.0, kPi, true));
  patterned->GetLoops().Append(std::move(island));
  patterned->AddSeedPoint({5, 5});
  graph.AddEntity(patterned, false);

  auto* solid = new FcHatch;
  solid->GetPattern().SetName("SOLID");
  solid->SetSolid(true);
  auto ring = std::make_unique<FcPLineEdge>();
  ring->AddVertex({20, 0}, 0);
  ring->AddVertex({30, 0}, 0);
  ring->AddVertex({25, 8}, 0);
  ring->SetClosed(true);
  solid->GetLoops().Append(std::move(ring));
  graph.AddEntity(solid, false);
  CurrentThreadSlot() = {};
}

const char* const kExpected =
    "HATCH USER solid 0\n"
    "polyline closed 1: 0,0,0 10,0,0.5 10,10,0 0,10,0\n"
    "edges: line 2,2 4,2; arc 4,3 r 1 270 450 ccw 1; line 4,4 2,4; ellipse 2,3 axis 0,1 ratio 0.5 0 180 ccw 1\n"
    "line 0 1,2 0.5,3 2 -1 0\n"
    "seeds 5,5\n"
    "HATCH SOLID solid 1\n"
    "polyline closed 1: 20,0,0 30,0,0 25,8,0\n"
    "seeds\n";

std::string IndependentReading(const std::string& path) {
  const CommandResult read = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' hatches '" + path + "'");
  EXPECT_EQ(read.status, 0) << read.output;
  return read.output;
}

// Written in every form, read back, and written as DXF again: the
// independent library finds the same pattern, loops, lines and seeds each
// time, with a clean audit.
TEST(HatchFilesTest, EveryFileFormKeepsLoopsPatternAndSeeds) {
  TempDir dir;
  FcGraph graph;
  AddHatches(graph);
  const std::string first = dir.path() + "first.dxf";
  ASSERT_EQ(SaveDrawing(graph, first, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
  EXPECT_EQ(IndependentReading(first), kExpected);
  const struct {
    const char* name;
    FcFileKind kind;
  } forms[] = {{"ascii.dxf", FcFileKind::kAsciiDxf}, {"binary.dxf", FcFileKind::kBinaryDxf}, {"drawing.dwg", FcFileKind::kDwg}};
  for (const auto& form : forms) {
    SCOPED_TRACE(form.name);
    const std::string path = dir.path() + form.name;
    ASSERT_EQ(SaveDrawing(graph, path, form.kind, false, false), FcSaveResult::kDone);
    FcGraph read;
    ASSERT_EQ(OpenDrawing(read, path, false, nullptr), FcOpenResult::kDone);
    EXPECT_EQ(read.GetSkippedRecords().count("HATCH"), 0u);
    const std::string again = dir.path() + "again.dxf";
    ASSERT_EQ(SaveDrawing(read, again, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
    EXPECT_EQ(IndependentReading(again), kExpected);
  }
}

// Hatches that no one here drew: each corpus drawing with hatches, opened
// and saved as DXF, reads back in the independent library with the same
// patterns, loops, pattern lines and seeds as the original.
TEST(HatchFilesTest, CorpusHatchesSavedAsDxfReadBackAsTheOriginals) {
  const std::string directory = CorpusDirectory();
  const std::vector<CorpusFile> files = CorpusFiles(directory, "dxf/");
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  TempDir dir;
  int compared = 0;
  for (const CorpusFile& file : files) {
    if (file.role != "target" || file.types.find("HATCH") == std::string::npos) continue;
    SCOPED_TRACE(file.name);
    const std::string original = IndependentReading(directory + "/" + file.name);
    FcGraph graph;
    ASSERT_EQ(OpenDrawing(graph, directory + "/" + file.name, false, nullptr), FcOpenResult::kDone);
    const std::string saved = dir.path() + "saved.dxf";
    ASSERT_EQ(SaveDrawing(graph, saved, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
    EXPECT_EQ(IndependentReading(saved), original);
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

int ReadHatch(const std::string& groups, FcHatch& hatch) {
  FcGraph graph;
  FcFiler filer;
  StartReading(filer, groups, FcFileKind::kAsciiDxf, &graph);
  return hatch.ReadDxf(filer);
}

const char* const kHead = "5\n2A\n100\nAcDbEntity\n8\n0\n100\nAcDbHatch\n2\nX\n70\n0\n";
const char* const kSquareLoop = "91\n1\n92\n2\n72\n0\n73\n1\n93\n3\n10\n0\n20\n0\n10\n1\n20\n0\n10\n1\n20\n1\n";

TEST(HatchFilesTest, DxfRecordsThatCannotBeKeptAreRefused) {
  const struct {
    const char* name;
    std::string groups;
    int result;
  } cases[] = {
      {"whole", std::string(kHead) + kSquareLoop + "75\n0\n76\n1\n52\n0\n41\n1\n77\n0\n78\n0\n98\n1\n10\n1\n20\n2\n0\nEOF\n", 0},
      // A solid hatch whose record ends after its style and type.
      {"solid without seeds", std::string(kHead) + kSquareLoop + "75\n0\n76\n1\n0\nEOF\n", 0},
      // A spline edge drops the hatch, its groups read to the end.
      {"spline edge", std::string(kHead) +
                          "91\n1\n92\n1\n93\n1\n72\n4\n94\n3\n73\n0\n74\n0\n95\n2\n96\n1\n40\n0\n40\n1\n10\n0\n20\n0\n"
                          "42\n1\n98\n0\n0\nEOF\n",
       kHatchSplineDropped},
      // A seed count followed by something other than a point.
      {"seed", std::string(kHead) + kSquareLoop + "98\n2\n10\n1\n20\n2\n40\n1\n0\nEOF\n", 2},
      // Arc edge groups out of order.
      {"arc order", std::string(kHead) + "91\n1\n92\n1\n93\n1\n72\n2\n40\n1\n10\n0\n20\n0\n0\nEOF\n", 2},
      // A vertex count larger than the record: nothing is reserved for it.
      {"huge count", std::string(kHead) + "91\n1\n92\n2\n72\n0\n73\n1\n93\n2000000000\n10\n0\n20\n0\n", 1},
      {"not a number", std::string(kHead) + "91\n1\n92\n1\n93\n1\n72\n1\n10\nnan\n20\n0\n11\n1\n21\n1\n0\nEOF\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcHatch hatch;
    EXPECT_EQ(ReadHatch(c.groups, hatch), c.result);
  }
}

// The DWG reader of a loop trusts no count: a loop that announces more
// vertices than its record holds fails without reserving them.
TEST(HatchFilesTest, DwgLoopCountsBeyondTheDataFail) {
  FcFilerDwg writer;
  StartMemory(writer, FcFileKind::kDwg, nullptr);
  writer.WriteBitLong(1);
  writer.WriteBitLong(2);
  writer.WriteBit(0);
  writer.WriteBit(1);
  writer.WriteBitLong(2000000000);
  writer.WriteRawDouble(1.0);
  while (writer.GetBitsWritten() % 8 != 0) writer.WriteBit(0);
  FcFilerDwg reader;
  reader.AttachFile(writer.DetachFile(), FcFileKind::kDwg);
  reader.Seek(0, FcSeekOrigin::kBegin);
  FcHatchEdgeList loops;
  bool pixelSize = false;
  EXPECT_EQ(loops.ReadDwg(reader, pixelSize), -2);
}

// A spline edge cannot be kept: in DXF its hatch is dropped and the drawing
// goes on loading; in DWG the edge alone is passed over and the loop keeps
// its other edges in order.
TEST(HatchFilesTest, SplineEdgesDropTheirHatchInDxfAndThemselvesInDwg) {
  const std::string text = std::string("0\nSECTION\n2\nENTITIES\n0\nHATCH\n") + kHead +
                           "91\n1\n92\n1\n93\n2\n72\n1\n10\n0\n20\n0\n11\n1\n21\n0\n"
                           "72\n4\n94\n3\n73\n0\n74\n0\n95\n2\n96\n1\n40\n0\n40\n1\n10\n1\n20\n0\n"
                           "97\n0\n75\n0\n76\n1\n98\n0\n"
                           "0\nLINE\n5\n2B\n100\nAcDbEntity\n8\n0\n100\nAcDbLine\n10\n0\n20\n0\n11\n1\n21\n1\n"
                           "0\nENDSEC\n0\nEOF\n";
  FcGraph graph;
  ASSERT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), nullptr), FcOpenResult::kDone);
  ASSERT_EQ(graph.GetCurrentEntitySet()->GetCount(), 1);
  EXPECT_NE(dynamic_cast<FcLine*>(graph.GetCurrentEntitySet()->GetAt(0)), nullptr);

  FcFilerDwg writer;
  StartMemory(writer, FcFileKind::kDwg, nullptr);
  writer.WriteBitLong(3);
  writer.WriteRawByte(kHatchLineEdge);
  for (double value : {0.0, 0.0, 4.0, 0.0}) writer.WriteRawDouble(value);
  writer.WriteRawByte(kHatchSplineEdge);
  writer.WriteBitLong(3);
  writer.WriteBit(1);
  writer.WriteBit(0);
  writer.WriteBitLong(2);
  writer.WriteBitLong(1);
  writer.WriteBitDouble(0.0);
  writer.WriteBitDouble(1.0);
  writer.WriteRawDouble(4.0);
  writer.WriteRawDouble(4.0);
  writer.WriteBitDouble(1.0);
  writer.WriteRawByte(kHatchLineEdge);
  for (double value : {4.0, 4.0, 0.0, 0.0}) writer.WriteRawDouble(value);
  while (writer.GetBitsWritten() % 8 != 0) writer.WriteBit(0);
  FcFilerDwg reader;
  reader.AttachFile(writer.DetachFile(), FcFileKind::kDwg);
  reader.Seek(0, FcSeekOrigin::kBegin);
  FcOtherEdge loop;
  ASSERT_EQ(loop.ReadDwg(reader), 0);
  ASSERT_EQ(loop.GetEdges().size(), 2u);
  const auto* first = dynamic_cast<const FcLineEdge*>(loop.GetEdges()[0].get());
  const auto* second = dynamic_cast<const FcLineEdge*>(loop.GetEdges()[1].get());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->GetEnd(), (FcPoint2d{4, 0}));
  EXPECT_EQ(second->GetStart(), (FcPoint2d{4, 4}));
}

}  // namespace
