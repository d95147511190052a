#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/extended_data.h"
#include "database/graph.h"
#include "entities/tolerance.h"
#include "files/object_registrations.h"
#include "tests/support/entity_record_support.h"
#include "tests/support/primitive_sink.h"

namespace {

constexpr double kA = 0.18;
const FcPoint2d kP{2, 1};

class ToleranceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  void SetUp() override { graph.GetCurrentDimStyle()->dimtxt = kA; }

  FcTolerance* Add(const std::string& text) {
    auto* tolerance = new FcTolerance;
    tolerance->SetText(text);
    tolerance->SetInsertionPoint(kP);
    graph.AddEntity(tolerance, false);
    return tolerance;
  }

  // The frame points after a draw.
  std::vector<FcPoint2d> Frame(FcTolerance& tolerance, PrimitiveSink* sink = nullptr) {
    PrimitiveSink own(&graph);
    tolerance.Draw(sink != nullptr ? sink : &own);
    return tolerance.GetFramePoints();
  }

  FcGraph graph;
};

// The insertion point, then the corners of each row: top-left, top-right,
// bottom-left, bottom-right, rows 2A apart.
std::vector<FcPoint2d> Rows(const std::vector<double>& widths, double a) {
  std::vector<FcPoint2d> points{kP};
  for (std::size_t row = 0; row < widths.size(); ++row) {
    const double middle = kP.y - 2.0 * a * static_cast<double>(row);
    const double right = kP.x + widths[row] * a;
    points.insert(points.end(), {{kP.x, middle + a}, {right, middle + a}, {kP.x, middle - a}, {right, middle - a}});
  }
  return points;
}

void ExpectFrame(const std::vector<FcPoint2d>& actual, const std::vector<FcPoint2d>& expected, const std::string& where) {
  ASSERT_EQ(actual.size(), expected.size()) << where;
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectPointNear(actual[i], expected[i], 1e-12, where);
}

// Frame widths in text heights: 0.5 margins round cell contents, 0.1
// between two symbols of a cell, symbols 2A high and 1.5A ("j", "m"), 2A
// ("u") or 1A ("n", then a 0.1 gap) wide; an empty cell is not closed. A
// group without its closing brace draws nothing.
TEST_F(ToleranceTest, FrameLayoutOfRowsCellsAndSymbols) {
  struct Case {
    std::string text;
    std::vector<double> widths;
    int verticalEdges;
  };
  const Case cases[] = {
      {"", {0.5}, 2},
      {"%%v", {0.5}, 2},
      {"{\\Fgdt;j}", {0.5 + 1.5 + 0.5}, 2},
      {"{\\Fgdt;j}{\\Fgdt;m}", {0.5 + 1.5 + 0.1 + 1.5 + 0.5}, 2},
      {"{\\Fgdt;j}%%v{\\Fgdt;u}", {0.5 + 1.5 + 0.5 + 0.5 + 2.0 + 0.5}, 3},
      {"{\\Fgdt;j}%%v", {2.5}, 2},
      {"{\\Fgdt;j}%%v%%v%%v", {2.5}, 2},
      {"{\\Fgdt;n}", {0.5 + 1.0 + 0.1 + 0.5}, 2},
      {"{\\Fgdt;u}^J{\\Fgdt;j}", {3.0, 2.5}, 4},
      {"^J", {0.5, 0.5}, 4},
      {"{\\Fgdt;j", {0.5}, 2},
      {"{", {0.5}, 2},
      {"{}", {0.5 + 0.5}, 2},
      {"{\\Fgdt;z}", {0.5 + 0.5}, 2},
  };
  for (const Case& c : cases) {
    FcTolerance* tolerance = Add(c.text);
    PrimitiveSink sink(&graph);
    ExpectFrame(Frame(*tolerance, &sink), Rows(c.widths, kA), c.text);
    int vertical = 0;
    for (const PrimitiveSink::Line& line : sink.lines) {
      if (line.start.x == line.end.x && std::fabs(std::fabs(line.end.y - line.start.y) - 2 * kA) < 1e-12) ++vertical;
    }
    EXPECT_EQ(vertical, c.verticalEdges) << c.text;
  }
}

// The frame is built along the direction, turned about the insertion
// point; grips and snaps follow the last draw.
TEST_F(ToleranceTest, TurnedFrameGripsAndSnaps) {
  FcTolerance fresh;
  EXPECT_TRUE(GripsOf(fresh).empty());
  GeomSegmentList none;
  fresh.GetSnapSegments(0, {}, 0, FcMatrix2d{}, none);
  EXPECT_TRUE(none.empty());
  FcTolerance* tolerance = Add("");
  tolerance->SetDirection({0, 3});
  const std::vector<FcPoint2d> frame = Frame(*tolerance);
  ASSERT_EQ(frame.size(), 5u);
  ExpectPointNear(frame[1], {kP.x - kA, kP.y}, 1e-12);
  ExpectPointNear(frame[2], {kP.x - kA, kP.y + 0.5 * kA}, 1e-12);
  ExpectPointNear(frame[4], {kP.x + kA, kP.y + 0.5 * kA}, 1e-12);
  EXPECT_EQ(GripsOf(*tolerance), frame);
  GeomSegmentList edges;
  tolerance->GetSnapSegments(0, {}, 0, FcMatrix2d{}, edges);
  EXPECT_EQ(edges.size(), 4u);
  EXPECT_EQ(tolerance->MoveGripPoints(Indices({3}), {1, 1}), 5);
  ExpectPointNear(tolerance->GetInsertionPoint(), {kP.x + 1, kP.y + 1}, 0.0);
  ExpectPointNear(GripsOf(*tolerance)[2], {kP.x - kA + 1, kP.y + 0.5 * kA + 1}, 1e-12);
}

// Scaling keeps the style and stores the new text height as the
// tolerance's own override, beside the overrides it had.
TEST_F(ToleranceTest, ScalingStoresTheTextHeightInItsOwnData) {
  FcTolerance* tolerance = Add("");
  FcMatrix2d scale;
  ScaleMatrix(2.0, 2.0, scale);
  tolerance->Transform(scale);
  EXPECT_EQ(graph.GetCurrentDimStyle()->dimtxt, kA);
  const FcExtendData* data = tolerance->GetXdata().FindByAppName("ACAD");
  ASSERT_NE(data, nullptr);
  FcResBuf* expected = BuildResBufList(1000, "DSTYLE", 1002, "{", 1070, 140, 1040, 2 * kA, 1002, "}", 0);
  const FcResBuf* want = expected;
  const FcResBuf* got = data->head;
  for (; want != nullptr && got != nullptr; want = want->next, got = got->next) {
    EXPECT_EQ(got->type, want->type);
    EXPECT_EQ(got->realValue, want->realValue);
    EXPECT_EQ(got->intValue, want->intValue);
  }
  EXPECT_TRUE(want == nullptr && got == nullptr);
  FreeResBufList(expected);
  tolerance->SetInsertionPoint(kP);
  ExpectFrame(Frame(*tolerance), Rows({0.5}, 2 * kA), "scaled");

  // A second scale changes the value in place; a colour override stays.
  FcExtendData* own = tolerance->GetXdata().FindByAppName("ACAD");
  own->SetChain(BuildResBufList(1000, "DSTYLE", 1002, "{", 1070, 176, 1070, 3, 1070, 140, 1040, 2 * kA, 1002, "}", 0));
  tolerance->Transform(scale);
  tolerance->SetInsertionPoint(kP);
  ExpectFrame(Frame(*tolerance), Rows({0.5}, 4 * kA), "scaled twice");
  PrimitiveSink sink(&graph);
  tolerance->Draw(&sink);
  for (const PrimitiveSink::Line& line : sink.lines) EXPECT_EQ(line.color, 3);
}

// Rows travel as "^J" in DXF and as line breaks in DWG; each form reads
// back the same.
TEST_F(ToleranceTest, RecordsRoundTrip) {
  FcTolerance* tolerance = Add("{\\Fgdt;j}%%v0.1^J{\\Fgdt;u}");
  tolerance->SetDirection({0, 1});
  std::string written;
  const std::unique_ptr<FcTolerance> dxf = DxfRoundTrip(*tolerance, FcFileKind::kAsciiDxf, graph, &written);
  ASSERT_NE(dxf, nullptr) << written;
  const std::unique_ptr<FcTolerance> dwg = DwgRoundTrip(*tolerance, graph);
  ASSERT_NE(dwg, nullptr);
  for (const FcTolerance* read : {dxf.get(), dwg.get()}) {
    EXPECT_EQ(read->GetText(), tolerance->GetText());
    ExpectPointNear(read->GetInsertionPoint(), kP, 0.0);
    ExpectPointNear(read->GetDirection(), {0, 1}, 0.0);
    EXPECT_EQ(read->GetDimStyle(), graph.GetCurrentDimStyle());
  }
  const std::vector<char> bytes = DwgBits([tolerance](FcFilerDwg& writer) { tolerance->WriteDwgData(writer); });
  FcFilerDwg reader;
  reader.AttachFile(std::make_unique<FcFile>(bytes), FcFileKind::kDwg);
  double values[3] = {};
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(reader.Read3BitDouble(values));
  std::string text;
  ASSERT_TRUE(reader.ReadText(text));
  EXPECT_EQ(text, "{\\Fgdt;j}%%v0.1\n{\\Fgdt;u}");
}

// A DWG text with other line breaks, or one that grows past the text
// field, reads within the field.
TEST_F(ToleranceTest, DwgTextIsKeptWithinTheField) {
  const std::string breaks(600, '\n');
  const std::vector<char> bytes = DwgBits([&breaks](FcFilerDwg& writer) {
    for (int i = 0; i < 9; ++i) writer.WriteBitDouble(i == 3 ? 1.0 : 0.0);
    writer.WriteText("a\r\nb\n\rc" + breaks);
  });
  FcTolerance read;
  ASSERT_EQ(ReadDwgDataPrefix(read, bytes, bytes.size(), FcFilerDwg::kVersion2000), kFcStatusOk);
  EXPECT_EQ(read.GetText().size(), FcTolerance::kMaxText);
  EXPECT_EQ(read.GetText().substr(0, 9), "a^Jb^Jc^J");
  FcTolerance shorter;
  EXPECT_EQ(ReadDwgDataPrefix(shorter, bytes, 10, FcFilerDwg::kVersion2000), kFcStatusReadError);
}

class ToleranceListTest : public EntityListTest {};

TEST_F(ToleranceListTest, ListsPositionTextAndStyle) {
  FcTolerance tolerance;
  tolerance.SetInsertionPoint({1, 2});
  tolerance.SetText("{\\Fgdt;j}");
  EXPECT_EQ(OwnLines(tolerance, 3),
            (std::vector<std::string>{"  Position: X= 1.0000    Y= 2.0000", "  Text: {\\Fgdt;j}",
                                      "dimension style: " + graph.GetCurrentDimStyle()->GetName()}));
}

}  // namespace
