#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "commands/dialogs/preview_dlg.h"
#include "commands/dialogs/print_dlg.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/command_script.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/recording_printer.h"

namespace {

class PlotCommandTest : public CommandScriptTest {
 protected:
  // The dialog as its widget runs it: opened, changed by the user, and on OK
  // accepted (an OK the dialog refuses fails the test).
  void AnswerPrint(std::function<int(CPrintDlg&)> user) {
    dialogs_.Answer<CPrintDlg>([user = std::move(user)](CPrintDlg& dialog) {
      dialog.OnInitDialog();
      const int code = user(dialog);
      if (code == CModalDialog::kOk) {
        EXPECT_EQ(dialog.Accept(), "");
      }
      if (code == CPrintDlg::kPickWindow) dialog.PickWindow();
      return code;
    });
  }
  // A line from 0,0 to 100,50 printed from the window around it at one
  // inch for 100 drawing units: 6 printer pixels per unit.
  void PrintLineAtSixPixelsPerUnit(const std::string& command) {
    ASSERT_TRUE(RunScript(script_, "line", {"0,0", "100,50", ""}));
    AnswerPrint([](CPrintDlg& dialog) {
      dialog.m_ptWindow[0] = {0, 0};
      dialog.m_ptWindow[1] = {100, 50};
      dialog.SelectArea(CPrintDlg::kAreaWindow);
      dialog.SetCenter(false);
      dialog.SetScaleFit(false);
      dialog.m_strScalePaper = "1";
      dialog.m_strScaleDrawing = "100";
      dialog.m_strOffsetX = "0.5";
      dialog.m_strOffsetY = "0.25";
      dialog.SelectRotation(1);
      return CModalDialog::kOk;
    });
    ASSERT_TRUE(RunScript(script_, command, {}));
  }

  std::vector<std::string> DrawnCalls() const {
    std::vector<std::string> drawn;
    for (const std::string& call : PrintedCalls::Calls())
      if (call.find("Rotated") != std::string::npos || call.rfind("BeginPrint", 0) == 0) drawn.push_back(call);
    return drawn;
  }

  DialogSettingsScope settings_;
  ScriptedDialogs dialogs_;
  PrinterScope printer_;
  PrintedCalls printed_;
};

// The preview the dialog fills shows the drawing being printed.
TEST_F(PlotCommandTest, ThePreviewGetsTheDrawing) {
  const FcGraph* shown = nullptr;
  AnswerPrint([&shown](CPrintDlg& dialog) {
    CPreviewDlg preview;
    EXPECT_EQ(dialog.FillPreview(preview), "");
    shown = preview.m_pGraph;
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(RunScript(script_, "print", {}));
  EXPECT_EQ(shown, &script_.Drawing());
}

// Both names print the dialog's window as one page of one job named after
// the drawing, at the dialog's scale, offsets and rotation.
TEST_F(PlotCommandTest, PrintsOnePageAtTheDialogsScaleAndPlace) {
  for (const char* command : {"plot", "print"}) {
    SCOPED_TRACE(command);
    printer_.printer->calls.clear();
    PrintedCalls::Calls().clear();
    PrintLineAtSixPixelsPerUnit(command);
    const std::string job = "StartJob KOVRA- " + script_.Drawing().GetSysVars().dwgname.str();
    EXPECT_EQ(printer_.printer->calls, (std::vector<std::string>{job, "StartPage", "EndPage", "EndJob"}));
    const std::vector<std::string> drawn = DrawnCalls();
    ASSERT_FALSE(drawn.empty());
    // Offsets 0.5 and 0.25 inch at 600 pixels per inch, one quarter turn.
    EXPECT_EQ(drawn.front(), "BeginPrint 300 150 1");
    // The line spans the window at 6 pixels per unit: 600 by 300.
    std::string all;
    for (const std::string& call : drawn) all += call + "\n";
    EXPECT_NE(all.find(" 600 "), std::string::npos) << all;
    EXPECT_EQ(all.find(" 4800 "), std::string::npos) << all;
  }
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

// Cancel, no printer, a job or a page that cannot start: nothing is drawn,
// and a started job is always ended.
TEST_F(PlotCommandTest, NothingPrintsWithoutAJobAndPage) {
  ASSERT_TRUE(RunScript(script_, "line", {"0,0", "100,50", ""}));
  const auto ok = [](CPrintDlg& dialog) {
    dialog.m_ptWindow[0] = {0, 0};
    dialog.m_ptWindow[1] = {100, 50};
    dialog.SelectArea(CPrintDlg::kAreaWindow);
    return CModalDialog::kOk;
  };

  AnswerPrint([](CPrintDlg&) { return CModalDialog::kCancel; });
  ASSERT_TRUE(RunScript(script_, "print", {}));
  EXPECT_TRUE(printer_.printer->calls.empty());

  printer_.printer->jobStarts = false;
  AnswerPrint(ok);
  ASSERT_TRUE(RunScript(script_, "print", {}));
  EXPECT_EQ(printer_.printer->calls.size(), 1u);

  printer_.printer->calls.clear();
  printer_.printer->jobStarts = true;
  printer_.printer->pageStarts = false;
  AnswerPrint(ok);
  ASSERT_TRUE(RunScript(script_, "print", {}));
  ASSERT_EQ(printer_.printer->calls.size(), 3u);
  EXPECT_EQ(printer_.printer->calls[2], "EndJob");
  EXPECT_TRUE(DrawnCalls().empty());

  // The printer went away while the dialog was open.
  AnswerPrint([&ok](CPrintDlg& dialog) {
    SetPrinter(nullptr);
    return ok(dialog);
  });
  ASSERT_TRUE(RunScript(script_, "print", {}));
  EXPECT_TRUE(DrawnCalls().empty());
}

// "Window Pick <" keeps the settings, asks for two corners and reopens the
// dialog on them; a cancelled corner ends the command without printing.
TEST_F(PlotCommandTest, WindowPickReopensTheDialogWithThePickedWindow) {
  std::vector<std::vector<double>> shown;
  AnswerPrint([](CPrintDlg& dialog) {
    dialog.m_nColors = CPrintDlg::kGray;
    dialog.SelectRotation(2);
    return CPrintDlg::kPickWindow;
  });
  AnswerPrint([&shown](CPrintDlg& dialog) {
    shown.push_back({static_cast<double>(dialog.m_nArea), dialog.m_pWindow[0].x, dialog.m_pWindow[0].y,
                     dialog.m_pWindow[1].x, dialog.m_pWindow[1].y, static_cast<double>(dialog.m_nColors),
                     static_cast<double>(dialog.m_nRotation)});
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "plot", {"10,10", "60,40"}));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], (std::vector<double>{CPrintDlg::kAreaWindow, 10, 10, 60, 40, CPrintDlg::kGray, 2}));
  EXPECT_EQ(printer_.printer->calls.size(), 4u);

  printer_.printer->calls.clear();
  AnswerPrint([](CPrintDlg&) { return CPrintDlg::kPickWindow; });
  ASSERT_TRUE(RunScript(script_, "plot", {"10,10", kEsc}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_TRUE(printer_.printer->calls.empty());
}

}  // namespace
