#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "commands/dialogs/preview_dlg.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/letter_sheet.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/recording_device.h"

namespace {

using Step = CPreviewDlg::Step;
using Cursor = CPreviewDlg::Cursor;

// The sheet fits by whichever side of the client area limits it, with a
// tenth to spare, and is centred.
TEST(PreviewDlgTest, TheSheetFitsTheLimitingSideAndIsCentred) {
  struct Case {
    const char* name;
    int clientWidth;
    int clientHeight;
    double fit;
    int left;
    int top;
  };
  const Case cases[] = {
      {"portrait sheet on a wide screen", 1000, 800, 0.9 * 800 / 6600, 500 - 556 / 2, 400 - 720 / 2},
      {"sheet wider than the screen", 1000, 2000, 0.9 * 1000 / 5100, 500 - 900 / 2, 1000 - 1165 / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CPreviewDlg preview;
    LetterSheet(preview);
    preview.OnInitDialog(c.clientWidth, c.clientHeight);
    EXPECT_DOUBLE_EQ(preview.m_dFitZoom, c.fit);
    EXPECT_DOUBLE_EQ(preview.m_dZoom, c.fit);
    EXPECT_EQ(preview.SheetLeft(c.clientWidth), c.left);
    EXPECT_EQ(preview.SheetTop(c.clientHeight), c.top);
    EXPECT_EQ(preview.CursorShape(), Cursor::kZoom);
  }
}

// A fitted sheet follows the window's size; a zoomed one keeps its zoom
// but not its limits.
TEST(PreviewDlgTest, AResizedWindowRefitsOnlyAFittedSheet) {
  CPreviewDlg preview;
  LetterSheet(preview);
  preview.OnInitDialog(400, 300);
  EXPECT_EQ(preview.Resize(1000, 800), Step::kRender);
  EXPECT_DOUBLE_EQ(preview.m_dZoom, 0.9 * 800 / 6600);
  EXPECT_EQ(preview.SheetLeft(1000), 500 - 556 / 2);
  preview.ZoomIn();
  const double zoom = preview.m_dZoom;
  EXPECT_EQ(preview.Resize(250, 200), Step::kNone);
  EXPECT_EQ(preview.m_dZoom, zoom);
  EXPECT_EQ(preview.CursorShape(), Cursor::kNoZoomIn);
}

// Margins that differ left and right, or top and bottom, leave the drawing
// its proportions: across and down, a printer pixel is the zoom's worth of
// screen pixels.
TEST(PreviewDlgTest, UnevenMarginsDoNotStretchThePage) {
  CPreviewDlg preview;
  LetterSheet(preview);
  preview.m_nPhysOffsetX = 50;
  preview.m_nPhysOffsetY = 0;
  preview.OnInitDialog(1000, 800);
  const CPreviewDlg::Page page = preview.PageAt();
  EXPECT_NEAR(page.scaleX, preview.m_dZoom, 1.0 / preview.m_nPrintWidth);
  EXPECT_NEAR(page.scaleY, preview.m_dZoom, 1.0 / preview.m_nPrintHeight);
  EXPECT_EQ(page.marginX, 5);
}

// Twelve steps in from the fitted view reach about 3.14 times the fit and
// no further; steps out stop at about half the fit; the cursor says so.
TEST(PreviewDlgTest, ZoomStepsStopAtTheirLimits) {
  CPreviewDlg preview;
  LetterSheet(preview);
  preview.OnInitDialog(1000, 800);
  const int px = preview.m_nPx;
  EXPECT_EQ(preview.Wheel(true), Step::kRender);
  EXPECT_EQ(preview.m_nPx, static_cast<int>(px * 1.1));
  for (int i = 1; i < 12; ++i) EXPECT_EQ(preview.Wheel(true), Step::kRender) << i;
  EXPECT_NEAR(preview.m_dZoom / preview.m_dFitZoom, 3.138, 0.001);
  EXPECT_EQ(preview.CursorShape(), Cursor::kNoZoomIn);
  EXPECT_EQ(preview.Wheel(true), Step::kNone);

  int out = 0;
  while (preview.Wheel(false) == Step::kRender) ++out;
  EXPECT_EQ(out, 18);
  EXPECT_GT(preview.m_dZoom / preview.m_dFitZoom, 0.45);
  EXPECT_LE(preview.m_dZoom / preview.m_dFitZoom, 0.5);
  EXPECT_EQ(preview.CursorShape(), Cursor::kNoZoomOut);
}

// Dragging pans in pan mode and with the middle button, zooms in zoom
// mode (up in, down out); "F" brings back the centred, fitted sheet.
TEST(PreviewDlgTest, DraggingPansOrZoomsAndFitRestoresTheSheet) {
  CPreviewDlg preview;
  LetterSheet(preview);
  preview.OnInitDialog(1000, 800);
  const int left = preview.SheetLeft(1000);
  const int top = preview.SheetTop(800);

  EXPECT_EQ(preview.Key('P'), Step::kNone);
  EXPECT_EQ(preview.CursorShape(), Cursor::kOpenHand);
  EXPECT_EQ(preview.MouseMove(130, 90), Step::kNone);
  preview.LeftDown(100, 100);
  EXPECT_EQ(preview.CursorShape(), Cursor::kGrabbing);
  EXPECT_EQ(preview.MouseMove(130, 90), Step::kCompose);
  EXPECT_EQ(preview.SheetLeft(1000), left + 30);
  EXPECT_EQ(preview.SheetTop(800), top - 10);
  preview.ButtonUp();

  preview.Key('Z');
  preview.LeftDown(0, 100);
  EXPECT_EQ(preview.MouseMove(5, 90), Step::kRender);
  EXPECT_DOUBLE_EQ(preview.m_dZoom, preview.m_dFitZoom * 1.1);
  EXPECT_EQ(preview.MouseMove(5, 95), Step::kRender);
  EXPECT_EQ(preview.MouseMove(9, 95), Step::kNone);
  preview.ButtonUp();
  preview.MiddleDown(0, 0);
  EXPECT_EQ(preview.CursorShape(), Cursor::kGrabbing);
  EXPECT_EQ(preview.MouseMove(-20, 0), Step::kCompose);
  preview.ButtonUp();

  EXPECT_EQ(preview.Key('F'), Step::kRender);
  EXPECT_EQ(preview.m_dZoom, preview.m_dFitZoom);
  EXPECT_EQ(preview.SheetLeft(1000), left);
  EXPECT_EQ(preview.SheetTop(800), top);
}

// The window shows once before the page is rendered; a zoom renders again,
// a pan only moves the page.
TEST(PreviewDlgTest, TheFirstPaintShowsTheWindowBeforeTheRendering) {
  CPreviewDlg preview;
  LetterSheet(preview);
  preview.OnInitDialog(1000, 800);
  EXPECT_EQ(preview.NextPaint(), CPreviewDlg::Paint::kShowWindow);
  EXPECT_EQ(preview.NextPaint(), CPreviewDlg::Paint::kRender);
  EXPECT_EQ(preview.NextPaint(), CPreviewDlg::Paint::kCompose);
  preview.ZoomIn();
  EXPECT_EQ(preview.NextPaint(), CPreviewDlg::Paint::kRender);
  preview.Key('P');
  preview.LeftDown(0, 0);
  preview.MouseMove(10, 10);
  EXPECT_EQ(preview.NextPaint(), CPreviewDlg::Paint::kCompose);
}

// No sheet from the printer, or no room for one: nothing to zoom or print,
// and no division by zero.
TEST(PreviewDlgTest, WithoutASheetNothingIsShown) {
  FcGraph graph;
  AddTestLine(graph, {0, 0}, {10, 10});
  for (const int width : {0, 5100}) {
    CPreviewDlg preview;
    LetterSheet(preview);
    preview.m_nPhysWidth = width;
    preview.m_pGraph = &graph;
    preview.m_ptWindow[1] = {10, 10};
    preview.m_dScale = 6;
    preview.OnInitDialog(width == 0 ? 1000 : 0, 800);
    EXPECT_FALSE(preview.HasSheet());
    EXPECT_EQ(preview.PageAt().width, 0);
    EXPECT_EQ(preview.ZoomIn(), Step::kNone);
    EXPECT_EQ(preview.ZoomOut(), Step::kNone);
    EXPECT_FALSE(preview.PrintPage(nullptr));
  }
}

// Every call the devices of surfaces made during the test received.
class LoggedDevice : public RecordingDevice {
 public:
  LoggedDevice() { logColors = true; }
  ~LoggedDevice() override { Log().insert(Log().end(), calls.begin(), calls.end()); }
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
  static std::unique_ptr<FcDisplayDevice> Make() { return std::make_unique<LoggedDevice>(); }
};

struct Printed {
  std::string begin;
  std::vector<int> numbers;
  std::vector<std::string> widths;
};

// What one print pass drew: its BeginPrint line, the coordinates of its
// rotated moves and lines, its line widths.
Printed TakePrinted() {
  Printed printed;
  for (const std::string& call : LoggedDevice::Log()) {
    if (call.rfind("BeginPrint", 0) == 0) printed.begin = call;
    if (call.rfind("SetLineWidth", 0) == 0) printed.widths.push_back(call);
    if (call.find("ToRotated") == std::string::npos) continue;
    std::istringstream words(call.substr(call.find(' ')));
    for (int n = 0; words >> n;) printed.numbers.push_back(n);
  }
  LoggedDevice::Log().clear();
  return printed;
}

// The page is the print itself at the zoom: the same pass draws the same
// line, turned and placed alike, with every printer pixel a zoom's worth of
// screen pixels, and the pen widths scaled with it.
TEST(PreviewDlgTest, ThePageIsThePrintAtTheZoom) {
  ProgramSettingsGuard settings;
  GetProgramSettings().print_pen_width.fill(0.0);
  GetProgramSettings().print_pen_width[7] = 0.05;
  SetScreenDeviceFactory(&LoggedDevice::Make);
  LoggedDevice::Log().clear();
  FcGraph graph;
  AddTestLine(graph, {0, 0}, {100, 50});
  for (const short rotation : {0, 1}) {
    SCOPED_TRACE(rotation);
    ASSERT_TRUE(graph.PrintWindow(nullptr, 4800, 6300, 300, 150, rotation, 0, {0, 0}, {100, 50}, 6.0, 600));
    const Printed onPaper = TakePrinted();
    // The line spans 600 by 300 printer pixels and the pen is 0.05 inch.
    EXPECT_EQ(onPaper.widths.back(), "SetLineWidth 30");
    {
      CPreviewDlg preview;
      LetterSheet(preview);
      preview.m_pGraph = &graph;
      preview.m_ptWindow[1] = {100, 50};
      preview.m_dScale = 6.0;
      preview.m_nOffsetX = 300;
      preview.m_nOffsetY = 150;
      preview.m_nRotation = rotation;
      preview.OnInitDialog(1000, 800);
      for (int i = 0; i < 5; ++i) preview.ZoomIn();
      ASSERT_TRUE(preview.PrintPage(nullptr));
      const CPreviewDlg::Page page = preview.PageAt();
      EXPECT_EQ(page.width, static_cast<int>(5100 * preview.m_dZoom + 0.5));
      EXPECT_EQ(page.marginX, static_cast<int>(150 * preview.m_dZoom + 0.5));
    }
    const Printed onScreen = TakePrinted();
    const double zoom = 0.9 * 800 / 6600 * std::pow(1.1, 5);
    EXPECT_EQ(onScreen.begin, "BeginPrint " + std::to_string(static_cast<int>(300 * zoom + 0.5)) + " " +
                                  std::to_string(static_cast<int>(150 * zoom + 0.5)) + " " + std::to_string(rotation));
    ASSERT_EQ(onScreen.numbers.size(), onPaper.numbers.size());
    ASSERT_FALSE(onPaper.numbers.empty());
    for (std::size_t i = 0; i < onPaper.numbers.size(); ++i)
      EXPECT_NEAR(onScreen.numbers[i], onPaper.numbers[i] * zoom, 1.0) << i;
    EXPECT_EQ(onScreen.widths.back(), "SetLineWidth " + std::to_string(static_cast<int>(30 * zoom + 0.5)));
  }
  SetScreenDeviceFactory(nullptr);
}

}  // namespace
