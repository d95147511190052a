#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/hatch_dlg.h"
#include "entities/line.h"
#include "platform/program_settings.h"
#include "tests/support/temp_dir.h"

namespace {

// The pattern file is looked for in the program directory and then along
// the search path; the test points both at its own folder.
class HatchDlgTest : public testing::Test {
 protected:
  HatchDlgTest() : saved_(GetProgramSettings()) {
    GetProgramSettings().program_directory = folder_.path() + "none";
    GetProgramSettings().search_path = folder_.path();
  }
  ~HatchDlgTest() override { GetProgramSettings() = saved_; }

  void WritePatterns(const std::string& text) { folder_.Write("kovra.pat", text); }

  TempDir folder_;
  ProgramSettings saved_;
};

TEST_F(HatchDlgTest, TheListTakesEveryHeaderWithItsMemoInFileOrder) {
  WritePatterns(
      ";; comment *NOT, a header\n"
      "*ZED, Last letter, first here\r\n"
      "45, 0,0, 0,.125\n"
      "\n"
      "   \t*BARE\n"
      "*,nameless\n"
      "*EMPTY,\n"
      "*ANSI31, ANSI Iron\n");
  CHatchDlg dialog;
  EXPECT_EQ(dialog.LoadPatterns(), "");
  EXPECT_EQ(dialog.m_names, (std::vector<std::string>{"ZED", "BARE", "EMPTY", "ANSI31"}));
  EXPECT_EQ(dialog.m_memos, (std::vector<std::string>{" Last letter, first here", " ", " ", " ANSI Iron"}));
  EXPECT_EQ(dialog.OnInitDialog(), 0);
  EXPECT_EQ(dialog.MemoText(1), "Memo:  ");
}

// A pattern the file lacks is added at the end of the list, not of the
// names the sheet shows, and has no memo.
TEST_F(HatchDlgTest, ThePatternToSelectIsFoundExactlyOrAppended) {
  WritePatterns("*ANSI31, ANSI Iron\n*BRICK, Brick\n");
  const struct {
    const char* pattern;
    int selected;
    std::size_t listed;
    const char* memo;
  } cases[] = {
      {"", 0, 2, "Memo:  ANSI Iron"},
      {"BRICK", 1, 2, "Memo:  Brick"},
      {"brick", 2, 3, "No memo"},
      {"MYOWN", 2, 3, "No memo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    CHatchDlg dialog;
    dialog.m_strPattern = c.pattern;
    ASSERT_EQ(dialog.LoadPatterns(), "");
    EXPECT_EQ(dialog.OnInitDialog(), c.selected);
    EXPECT_EQ(dialog.m_list.size(), c.listed);
    EXPECT_EQ(dialog.m_names.size(), 2u);
    EXPECT_EQ(dialog.MemoText(c.selected), c.memo);
  }
}

TEST_F(HatchDlgTest, WithoutAPatternFileTheListIsEmptyAndThePatternsCannotBeBrowsed) {
  CHatchDlg dialog;
  dialog.m_names = {"STALE"};
  EXPECT_EQ(dialog.LoadPatterns(), "Can't find kovra.pat file!");
  EXPECT_TRUE(dialog.m_names.empty());
  EXPECT_EQ(dialog.OnInitDialog(), -1);
  EXPECT_FALSE(dialog.CanBrowse());
}

TEST_F(HatchDlgTest, TheBoundaryRequestsAndApplyAreEnabledByModeAndBoundary) {
  FcLine line;
  CHatchDlg dialog;
  EXPECT_TRUE(dialog.CanChangeBoundary());
  EXPECT_FALSE(dialog.CanShowBoundary());
  EXPECT_FALSE(dialog.CanApply());
  dialog.m_boundary.Add(&line);
  EXPECT_TRUE(dialog.CanShowBoundary());
  EXPECT_TRUE(dialog.CanApply());
  dialog.m_boundary.RemoveAll(false);
  dialog.m_nEditMode = 1;
  EXPECT_FALSE(dialog.CanChangeBoundary());
  EXPECT_FALSE(dialog.CanShowBoundary());
  EXPECT_TRUE(dialog.CanApply());
}

// Apply and Preview stay open on a bad value or, for a predefined pattern,
// without a selection; the boundary requests show the message and close.
TEST_F(HatchDlgTest, ClosingButtonsCheckTheValuesAsTheirKindRequires) {
  const struct {
    const char* name;
    int type;
    double scale;
    double spacing;
    bool boxesRead;
    const char* selected;
    int code;
    bool ends;
    const char* message;
    const char* pattern;
  } cases[] = {
      {"apply", CHatchDlg::kPredefined, 2, 0, true, "BRICK", CHatchDlg::kApply, true, "", "BRICK"},
      {"zero scale", CHatchDlg::kPredefined, 0, 1, true, "BRICK", CHatchDlg::kApply, false,
       "Scale must be greater than zero!", "OLD"},
      {"negative scale", CHatchDlg::kPredefined, -1, 1, true, "BRICK", CHatchDlg::kPreview, false,
       "Scale must be greater than zero!", "OLD"},
      {"zero spacing", CHatchDlg::kUserDefined, 1, 0, true, "BRICK", CHatchDlg::kApply, false,
       "Space can't be zero!", "OLD"},
      {"negative spacing", CHatchDlg::kUserDefined, 1, -2, true, "", CHatchDlg::kApply, true, "", "OLD"},
      {"zero spacing, pick", CHatchDlg::kUserDefined, 1, 0, true, "BRICK", CHatchDlg::kPickPoint, true,
       "Space can't be zero!", "BRICK"},
      {"no number, select", CHatchDlg::kPredefined, 1, 1, false, "BRICK", CHatchDlg::kSelectBoundary, true, "",
       "BRICK"},
      {"no number, apply", CHatchDlg::kPredefined, 1, 1, false, "BRICK", CHatchDlg::kApply, false, "", "OLD"},
      {"nothing selected", CHatchDlg::kPredefined, 1, 1, true, "", CHatchDlg::kApply, false, "", "OLD"},
      {"zero scale, user-defined", CHatchDlg::kUserDefined, 0, 1, true, "", CHatchDlg::kApply, true, "", "OLD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CHatchDlg dialog;
    dialog.m_strPattern = "OLD";
    dialog.m_nPatternType = c.type;
    dialog.m_dScale = c.scale;
    dialog.m_dSpacing = c.spacing;
    std::string message;
    EXPECT_EQ(dialog.Close(c.code, c.boxesRead, c.selected, message), c.ends);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(dialog.m_strPattern, c.pattern);
  }
}

TEST(HatchPatternPicturesTest, NamesChooseTheirPictureAndPage) {
  const struct {
    const char* name;
    const char* picture;
    int page;
  } cases[] = {
      {"ansi31", "ANSI31", CHatchPatDlg::kAnsiPage},
      {"ANSI39", "", CHatchPatDlg::kAnsiPage},
      {"Kovra_Iso05w100", "KOVRA_ISO05W100", CHatchPatDlg::kIsoPage},
      {"KOVRA_ISO16W100", "", CHatchPatDlg::kIsoPage},
      {"KOVRA_ISO01W100", "", CHatchPatDlg::kIsoPage},
      {"cork", "CLAY", CHatchPatDlg::kOtherPage},
      {"AR-B816C", "AR-B816C", CHatchPatDlg::kOtherPage},
      {"MYOWN", "", CHatchPatDlg::kOtherPage},
      {"", "", CHatchPatDlg::kOtherPage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HatchPictureName(c.name), c.picture);
    EXPECT_EQ(CHatchPatDlg::PageOf(c.name), c.page);
  }
  const std::vector<std::string> names = {"BRICK", "KOVRA_ISO02W100", "ANSI31", "ansi32", "SOLID"};
  CHatchPatDlg sheet;
  sheet.m_pNames = &names;
  EXPECT_EQ(sheet.NamesOn(CHatchPatDlg::kAnsiPage), (std::vector<std::string>{"ANSI31", "ansi32"}));
  EXPECT_EQ(sheet.NamesOn(CHatchPatDlg::kIsoPage), (std::vector<std::string>{"KOVRA_ISO02W100"}));
  EXPECT_EQ(sheet.NamesOn(CHatchPatDlg::kOtherPage), (std::vector<std::string>{"BRICK", "SOLID"}));
}

}  // namespace
