#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "commands/dialogs/export_dlg.h"
#include "database/graph.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/temp_dir.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ExportCommandTest : public CommandScriptTest {
 protected:
  // The export dialog as its widget runs it: opened, changed by the user,
  // and on OK accepted (an OK the dialog refuses fails the test).
  void AnswerExport(std::function<int(CExportDlg&)> user) {
    dialogs_.Answer<CExportDlg>([user = std::move(user)](CExportDlg& dialog) {
      dialog.OnInitDialog();
      const int code = user(dialog);
      if (code != CModalDialog::kOk) return code;
      EXPECT_EQ(dialog.Accept(), "");
      return code;
    });
  }
  // OK with the type and the file, over the given window.
  void AnswerOk(int type, const std::string& file, FcPoint2d corner1 = {0, 0}, FcPoint2d corner2 = {100, 50}) {
    AnswerExport([=](CExportDlg& dialog) {
      dialog.m_ptWindow[0] = corner1;
      dialog.m_ptWindow[1] = corner2;
      dialog.SelectArea(CExportDlg::kAreaWindow);
      dialog.SelectType(type);
      dialog.m_strFileName = file;
      return CModalDialog::kOk;
    });
  }
  void DrawLine() { ASSERT_TRUE(RunScript(script_, "line", {"0,0", "100,50", ""})); }

  struct State {
    short modified;
    std::size_t undoItems;
  };
  State DrawingState() {
    const short modified = script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().Modified; });
    return {modified, UndoNames().size()};
  }

  DialogSettingsScope settings_;
  ScriptedDialogs dialogs_;
  TempDir dir_;
};

// The chosen type decides the writer even when the name says otherwise, and
// the export leaves the drawing, its modified state and its undo list alone.
TEST_F(ExportCommandTest, EachTypeWritesItsFormatAndTheDrawingStaysAsItWas) {
  DrawLine();
  const State before = DrawingState();
  const struct {
    int type;
    const char* file;
    std::string head;
  } cases[] = {
      {CExportDlg::kTypeHpgl, "a.plt", "IN;"},
      {CExportDlg::kTypePdf, "a.pdf", "%PDF"},
      {CExportDlg::kTypeSvg, "a.svg", "<?xml"},
      {CExportDlg::kTypeSvgz, "a.svgz", "\x1f\x8b"},
      {CExportDlg::kTypeEps, "a.eps", "%!PS"},
      {CExportDlg::kTypePdf, "named.svg", "%PDF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = dir_.path() + c.file;
    AnswerOk(c.type, path);
    ASSERT_TRUE(RunScript(script_, "export", {}));
    EXPECT_EQ(ReadFile(path).substr(0, c.head.size()), c.head);
  }
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  for (const std::string& line : Printed()) EXPECT_TRUE(line == "Regenerating..." || line == "Exporting...") << line;
  const State after = DrawingState();
  EXPECT_EQ(after.modified, before.modified);
  EXPECT_EQ(after.undoItems, before.undoItems);
}

// The output size handed to the device is its scale times the size in
// device units: 800 by 600 SVG pixels give a drawing 800 wide.
TEST_F(ExportCommandTest, TheDefaultSvgSizeIsThePagesSize) {
  DrawLine();
  const std::string path = dir_.path() + "a.svg";
  AnswerOk(CExportDlg::kTypeSvg, path, {0, 0}, {100, 75});
  ASSERT_TRUE(RunScript(script_, "export", {}));
  const std::string svg = ReadFile(path);
  EXPECT_NE(svg.find("width=\"800"), std::string::npos) << svg.substr(0, 300);
  EXPECT_NE(svg.find("height=\"600"), std::string::npos);
}

// The candidate windows: the limits in either order give one window, the
// extents are those of what is drawn, the file name is the drawing's.
TEST_F(ExportCommandTest, TheDialogIsGivenTheCandidateWindows) {
  DrawLine();
  script_.OnWindowThread([this] {
    FcSystemVar& vars = script_.Drawing().GetSysVars();
    vars.limmin = {420, 297};
    vars.limmax = {-10, 5};
    return 0;
  });
  CExportDlg seen;
  dialogs_.Answer<CExportDlg>([&seen](CExportDlg& dialog) {
    for (int i = 0; i < 2; ++i) {
      seen.m_ptLimits[i] = dialog.m_ptLimits[i];
      seen.m_ptExtents[i] = dialog.m_ptExtents[i];
    }
    seen.m_bFirstShow = dialog.m_bFirstShow;
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(RunScript(script_, "export", {}));
  EXPECT_TRUE(seen.m_bFirstShow);
  EXPECT_EQ(seen.m_ptLimits[0].x, -10.0);
  EXPECT_EQ(seen.m_ptLimits[0].y, 5.0);
  EXPECT_EQ(seen.m_ptLimits[1].x, 420.0);
  EXPECT_EQ(seen.m_ptLimits[1].y, 297.0);
  EXPECT_NEAR(seen.m_ptExtents[0].x, 0.0, 1e-6);
  EXPECT_NEAR(seen.m_ptExtents[1].x, 100.0, 1e-6);
  EXPECT_NEAR(seen.m_ptExtents[1].y, 50.0, 1e-6);
}

// "Pick Window <" asks for two corners and shows the dialog again with
// them as the window; a second pick replaces them.
TEST_F(ExportCommandTest, PickWindowReturnsToTheDialogWithThePickedWindow) {
  DrawLine();
  const std::string path = dir_.path() + "picked.eps";
  std::vector<std::vector<double>> shown;
  auto pick = [&shown](CExportDlg& dialog) {
    shown.push_back({static_cast<double>(dialog.m_nArea), dialog.m_pWindow[0].x, dialog.m_pWindow[0].y,
                     dialog.m_pWindow[1].x, dialog.m_pWindow[1].y});
    return CExportDlg::kPickWindow;
  };
  AnswerExport(pick);
  AnswerExport(pick);
  AnswerExport([&](CExportDlg& dialog) {
    shown.push_back({static_cast<double>(dialog.m_nArea), dialog.m_pWindow[0].x, dialog.m_pWindow[0].y,
                     dialog.m_pWindow[1].x, dialog.m_pWindow[1].y});
    dialog.SelectType(CExportDlg::kTypeEps);
    dialog.m_strFileName = path;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "export", {"10,10", "60,40", "20,30", "5,1"}));
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1], (std::vector<double>{CExportDlg::kAreaWindow, 10, 10, 60, 40}));
  EXPECT_EQ(shown[2], (std::vector<double>{CExportDlg::kAreaWindow, 20, 30, 5, 1}));
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

// A cancelled corner prompt ends the command: no second dialog, no file.
TEST_F(ExportCommandTest, CancellingACornerEndsTheCommand) {
  for (const std::vector<std::string>& answers : {std::vector<std::string>{kEsc}, {"10,10", kEsc}}) {
    ScriptedDialogs dialogs;
    dialogs.Answer<CExportDlg>([](CExportDlg& dialog) {
      dialog.OnInitDialog();
      return CExportDlg::kPickWindow;
    });
    ASSERT_TRUE(RunScript(script_, "export", answers));
    EXPECT_EQ(dialogs.Shown(), 1);
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

// A file that cannot be written is reported and nothing is left behind; an
// area without width or height writes nothing and says so.
TEST_F(ExportCommandTest, FailuresAreReportedAndLeaveNoFile) {
  DrawLine();
  AnswerOk(CExportDlg::kTypePdf, dir_.path() + "missing/folder/a.pdf");
  ASSERT_TRUE(RunScript(script_, "export", {}));
  EXPECT_EQ(LastPrinted(), "Export failure! Please try again!");
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));

  AnswerOk(CExportDlg::kTypeEps, "/dev/full");
  ASSERT_TRUE(RunScript(script_, "export", {}));
  EXPECT_EQ(LastPrinted(), "Export failure! Please try again!");

  AnswerOk(CExportDlg::kTypeSvg, dir_.path() + "flat.svg", {5, 5}, {50, 5});
  ASSERT_TRUE(RunScript(script_, "export", {}));
  EXPECT_EQ(LastPrinted(), "Nothing to export: the area has no width or no height.");
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

// A size that reaches the command unchecked is refused before the device
// sizes are computed.
TEST_F(ExportCommandTest, SizesWithoutOutputAreRefused) {
  DrawLine();
  for (const double width : {0.0, -3.0, 1e12}) {
    SCOPED_TRACE(width);
    dialogs_.Answer<CExportDlg>([this, width](CExportDlg& dialog) {
      dialog.OnInitDialog();
      dialog.m_strFileName = dir_.path() + "a.plt";
      dialog.m_dWidth = width;
      return CModalDialog::kOk;
    });
    ASSERT_TRUE(RunScript(script_, "export", {}));
    EXPECT_EQ(LastPrinted(), CheckExportSize(width, 600, 1000.0));
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

}  // namespace
