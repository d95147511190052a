#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "display/print_pass.h"
#include "entities/circle.h"
#include "tests/support/recording_device.h"

namespace {

// The calls of every print device, kept when the device goes.
class PrintLog : public RecordingDevice {
 public:
  ~PrintLog() override { Calls().insert(Calls().end(), calls.begin(), calls.end()); }
  static std::vector<std::string>& Calls() {
    static std::vector<std::string> all;
    return all;
  }
  static std::unique_ptr<FcDisplayDevice> Make() { return std::make_unique<PrintLog>(); }
};

// A circle of one unit printed at 600 pixels per unit is cut into chords
// for the print's scale, not for whatever view the list had: none lies
// more than a pixel inside the circle. Without a print device nothing
// prints.
TEST(PrintPassTest, CurvesAreCutAsFineAsThePrintNeeds) {
  FcGraph graph;
  auto* circle = new FcCircle;
  circle->SetCenter({1, 1});
  circle->SetRadius(1);
  graph.AddEntity(circle, false);
  EXPECT_FALSE(graph.PrintWindow(nullptr, 1300, 1300, 0, 0, 0, 0, {0, 0}, {2, 2}, 600.0, 600));

  PrintLog::Calls().clear();
  SetPrintDeviceFactory(&PrintLog::Make);
  EXPECT_TRUE(graph.PrintWindow(nullptr, 1300, 1300, 0, 0, 0, 0, {0, 0}, {2, 2}, 600.0, 600));
  SetPrintDeviceFactory(nullptr);
  int chords = 0;
  for (const std::string& call : PrintLog::Calls()) {
    if (call.rfind("LineToRotated", 0) == 0) ++chords;
  }
  EXPECT_GE(chords, static_cast<int>(std::ceil(M_PI / std::acos(1.0 - 1.0 / 600.0))));
}

}  // namespace
