#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/object_registrations.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/layout.h"
#include "tests/support/dictionary_test_support.h"

namespace {

using GroupList = std::vector<std::pair<int, std::string>>;

std::string Point(const FcPoint2d& p) { return std::to_string(p.x) + "," + std::to_string(p.y) + ";"; }

// Every field of a layout as text, to compare a record read back with the
// one written.
std::string Fields(const FcLayout& l) {
  std::string text = l.pageSetupName.str() + "|" + l.printerName.str() + "|" + l.paperSizeName.str() + "|" +
                     l.plotViewName.str() + "|" + l.styleSheet.str() + "|" + l.layoutName.str() + "|";
  for (const double value : {l.leftMargin, l.bottomMargin, l.rightMargin, l.topMargin, l.paperWidth,
                             l.paperHeight, l.scaleNumerator, l.scaleDenominator, l.scaleFactor, l.elevation})
    text += std::to_string(value) + ";";
  for (const int value : {l.plotLayoutFlags, l.paperUnits, l.plotRotation, l.plotType, l.standardScaleType,
                          l.layoutFlags, l.tabOrder, l.ucsOrthoType})
    text += std::to_string(value) + ";";
  for (const FcPoint2d& p : {l.plotOrigin, l.windowLowerLeft, l.windowUpperRight, l.paperImageOrigin, l.limitsMin,
                             l.limitsMax, l.insertionBase, l.extentsMin, l.extentsMax, l.ucsOrigin, l.ucsXAxis,
                             l.ucsYAxis})
    text += Point(p);
  return text + std::to_string(l.blockRecord);
}

// A layout with a value of its own in every field.
void FillEveryField(FcLayout& layout) {
  layout.pageSetupName = "Setup";
  layout.printerName = "Plotter.pc3";
  layout.paperSizeName = "ISO A3";
  layout.plotViewName = "North";
  layout.styleSheet = "mono.ctb";
  layout.layoutName = "Sheet 2";
  layout.leftMargin = 7.5;
  layout.bottomMargin = 20.0;
  layout.rightMargin = 7.25;
  layout.topMargin = 20.5;
  layout.paperWidth = 420.0;
  layout.paperHeight = 297.0;
  layout.scaleNumerator = 2.0;
  layout.scaleDenominator = 50.0;
  layout.scaleFactor = 0.04;
  layout.elevation = -3.5;
  layout.plotLayoutFlags = 688;
  layout.paperUnits = 1;
  layout.plotRotation = 3;
  layout.plotType = 5;
  layout.standardScaleType = 16;
  layout.layoutFlags = 0;
  layout.tabOrder = 2;
  layout.ucsOrthoType = 4;
  layout.plotOrigin = {1.5, 2.5};
  layout.windowLowerLeft = {-10.0, -20.0};
  layout.windowUpperRight = {300.0, 200.0};
  layout.paperImageOrigin = {3.0, 4.0};
  layout.limitsMin = {-1.0, -2.0};
  layout.limitsMax = {420.0, 297.0};
  layout.insertionBase = {5.0, 6.0};
  layout.extentsMin = {7.0, 8.0};
  layout.extentsMax = {9.0, 10.0};
  layout.ucsOrigin = {11.0, 12.0};
  layout.ucsXAxis = {0.0, 1.0};
  layout.ucsYAxis = {-1.0, 0.0};
  layout.blockRecord = 0x1F;
}

class LayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectFactories();
    layouts.SetHandle(0x1A);
    layout = new FcLayout;
    layout->SetHandle(0x22);
    layout->SetDwgType(graph.GetCustomClassType("LAYOUT"));
    layouts.SetAt("Model", layout);
  }

  FcGraph graph;
  FcDictionary layouts;
  FcLayout* layout = nullptr;
};

TEST_F(LayoutTest, NewLayoutWritesEveryGroupWithItsDefault) {
  layout->layoutName = "Model";
  layout->blockRecord = 0x1F;
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  ASSERT_EQ(layout->WriteDxf(filer), kFcStatusOk);
  const GroupList expected = {
      {0, "LAYOUT"}, {5, "22"}, {330, "1A"}, {102, "{ACAD_REACTORS"}, {330, "1A"}, {102, "}"},
      {100, "AcDbPlotSettings"}, {1, ""}, {2, ""}, {4, ""}, {6, ""}, {40, "0.0"}, {41, "0.0"},
      {42, "0.0"}, {43, "0.0"}, {44, "0.0"}, {45, "0.0"}, {46, "0.0"}, {47, "0.0"}, {48, "0.0"},
      {49, "0.0"}, {140, "0.0"}, {141, "0.0"}, {142, "1.0"}, {143, "1.0"}, {70, "1712"}, {72, "0"},
      {73, "0"}, {74, "0"}, {7, ""}, {75, "1"}, {147, "0.0"}, {148, "0.0"}, {149, "0.0"},
      {100, "AcDbLayout"}, {1, "Model"}, {70, "1"}, {71, "0"}, {10, "0.0"}, {20, "0.0"}, {11, "12.0"},
      {21, "9.0"}, {12, "0.0"}, {22, "0.0"}, {32, "0.0"}, {14, "0.0"}, {24, "0.0"}, {34, "0.0"},
      {15, "0.0"}, {25, "0.0"}, {35, "0.0"}, {146, "0.0"}, {13, "0.0"}, {23, "0.0"}, {33, "0.0"},
      {16, "1.0"}, {26, "0.0"}, {36, "0.0"}, {17, "0.0"}, {27, "1.0"}, {37, "0.0"}, {76, "0"},
      {330, "1F"}};
  EXPECT_EQ(Contents(filer), Groups(expected));
}

TEST_F(LayoutTest, EveryFieldSurvivesDxfAndDwg) {
  FillEveryField(*layout);
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    FcDictionary read;
    ASSERT_TRUE(DxfRoundTrip(layouts, kind, graph, read));
    const auto* readLayout = dynamic_cast<const FcLayout*>(read.GetAt("Model"));
    ASSERT_NE(readLayout, nullptr);
    EXPECT_EQ(Fields(*readLayout), Fields(*layout));
  }

  FcFilerDwg filer;
  FcDictionary read;
  ASSERT_EQ(DwgRoundTrip(layouts, graph, filer, read), kFcStatusOk);
  const auto* readLayout = dynamic_cast<const FcLayout*>(read.GetAt("Model"));
  ASSERT_NE(readLayout, nullptr);
  EXPECT_EQ(Fields(*readLayout), Fields(*layout));

  FcFilerDwg damaged;
  StartDamagedCopy(filer, damaged, &graph);
  FcLayout broken;
  broken.SetHandle(0x22);
  broken.SetDwgType(layout->GetDwgType());
  EXPECT_EQ(broken.ReadDwg(damaged), kFcStatusReadError);
}

// Groups of codes the record does not have are passed over and not
// written back.
TEST_F(LayoutTest, PlotSettingsKeepOnlyTheirOwnGroups) {
  FcPlotSettings settings;
  settings.SetHandle(0x30);
  settings.paperSizeName = "Letter";
  settings.plotRotation = 1;
  FcFiler writer;
  StartMemory(writer, FcFileKind::kAsciiDxf, &graph);
  settings.WriteDxf(writer);
  const std::string written = Contents(writer);
  const std::string marker = Groups({{100, "AcDbPlotSettings"}});
  const std::string withStranger =
      written.substr(0, written.find(marker) + marker.size()) + Groups({{90, "7"}, {300, "note"}}) +
      written.substr(written.find(marker) + marker.size()) + Groups({{0, "ENDSEC"}});

  FcFiler reader;
  StartReading(reader, withStranger, FcFileKind::kAsciiDxf, &graph);
  FcPlotSettings read;
  ASSERT_EQ(ReadRecord(reader, read), kFcStatusOk);
  FcFiler rewriter;
  StartMemory(rewriter, FcFileKind::kAsciiDxf, &graph);
  read.WriteDxf(rewriter);
  EXPECT_EQ(Contents(rewriter), written);
}

TEST_F(LayoutTest, MalformedDxfRecordsFail) {
  struct Case {
    const char* name;
    GroupList groups;
  };
  const Case cases[] = {
      {"no plot-settings marker", {{5, "22"}, {100, "AcDbLayout"}, {1, "Model"}, {0, "ENDSEC"}}},
      {"no layout marker", {{5, "22"}, {100, "AcDbPlotSettings"}, {70, "0"}, {100, "AcDbOther"}}},
      {"input ends", {{5, "22"}, {100, "AcDbPlotSettings"}, {100, "AcDbLayout"}, {1, "Model"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    FcLayout read;
    EXPECT_EQ(read.ReadDxf(filer), kFcStatusEnd);
  }
}

}  // namespace
