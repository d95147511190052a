#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/dialogs/color_list.h"
#include "commands/dialogs/property_rows.h"
#include "platform/program_settings.h"
#include "shell/application_link.h"
#include "shell/modal_dialog.h"

// The program's options sheet: copies of the program settings its pages
// show, taken when it is built. Nothing reaches the settings until the
// command writes the copies back after OK, so Cancel changes nothing.
class COptionDlg : public CModalDialog {
 public:
  explicit COptionDlg(const ProgramSettings& settings);

  std::string m_strCaption = "Options";
  int m_nFirstPage = 0;
  // The "Tool bars" page is there only while a drawing window is open.
  bool m_bToolBarPage = false;

  // System page.
  std::vector<std::string> m_supportPaths;
  bool m_bAutoSave = false;
  int m_nSaveMinutes = 0;
  bool m_bBackup = true;
  std::string m_strTemplateFile;

  // Display page. The command-bar lines come from the main frame.
  int m_nBackgroundColor = 7;
  int m_nCursorColor = 7;
  int m_nCursorSize = 100;
  int m_nThicknessChoice = 0;  // 0, 1, 2: one, three or five pixels
  int m_nCmdLines = 3;
  CommandLineWindowSettings m_cmdWindow;

  // Draft page.
  bool m_bSnapBox = true;
  int m_nSnapColor = 6;
  int m_nSnapMarkerSize = 6;
  int m_nSnapBoxSize = 5;

  // Grip points page.
  int m_nGripColor = 5;
  int m_nGripHotColor = 1;
  int m_nPickBoxSize = 5;
  int m_nGripSize = 4;

  // Tool bars page: the rows the command fills from the main frame.
  std::vector<ApplicationLink::ToolbarState> m_toolbars;
  bool m_bBigIcons = false;
  // One choice row per toolbar, "Show" or "Hide", in order.
  void FillToolbarRows(CPropertyRows& rows) const;
  // A toolbar is shown when its row says "Show", in any case.
  void TakeToolbarRows(const CPropertyRows& rows);

  // Why OK cannot store the pages: a support path longer than the store
  // reads back, or the range message of the first number out of its
  // range, in page order. Nothing when every page may be stored.
  std::optional<std::string> Refusal() const;
  // Writes every page's copies into the settings.
  void WriteBack(ProgramSettings& settings) const;
};

inline constexpr int kMaxSaveMinutes = 480;
inline constexpr int kMaxCursorSize = 100;
inline constexpr int kMaxCommandBarLines = 100;
// The sliders of the draft and grip pages.
inline constexpr int kMaxMarkerSize = 20;

// "Please enter an integer between <low> and <high>."
std::string IntegerRangeMessage(int low, int high);

std::string SupportPathTooLongMessage();

// The directories of a stored search path, in order; empty pieces are
// skipped so that a doubled separator loses none of the later ones.
std::vector<std::string> SplitSupportPath(const std::string& path);
std::string JoinSupportPath(const std::vector<std::string>& paths);

int CursorThicknessChoice(int pixels);
int CursorThicknessPixels(int choice);

// The colour lists of the sheet: the seven named colours, with "Black" for
// 0 in front on the display page, the colour's own entry when it is one of
// 8 to 255, and "Others...". No ByLayer or ByBlock.
std::vector<ColorListEntry> OptionColorEntries(int color, bool withBlack);
std::string OptionColorText(int color);
