#include "commands/dialogs/option_dlg.h"

#include <string_view>

#include "database/object.h"
#include "core/next_token.h"
#include "core/value_format.h"

namespace {

constexpr int kBlack = 0;

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

COptionDlg::COptionDlg(const ProgramSettings& settings)
    : m_supportPaths(SplitSupportPath(settings.search_path)),
      m_bAutoSave(settings.save_time > 0),
      m_nSaveMinutes(settings.save_time > 0 ? settings.save_time : 0),
      m_bBackup(settings.save_backup != 0),
      m_strTemplateFile(settings.template_file),
      m_nBackgroundColor(settings.background_color),
      m_nCursorColor(settings.cursor_color),
      m_nCursorSize(settings.cursor_size),
      m_nThicknessChoice(CursorThicknessChoice(settings.cursor_thickness)),
      m_cmdWindow(settings.command_line),
      m_bSnapBox(settings.apbox != 0),
      m_nSnapColor(settings.osnap_color),
      m_nSnapMarkerSize(settings.snap_marker_size),
      m_nSnapBoxSize(settings.snap_box_size),
      m_nGripColor(settings.grip_color),
      m_nGripHotColor(settings.grip_hot),
      m_nPickBoxSize(settings.select_box_size),
      m_nGripSize(settings.grip_size),
      m_bBigIcons(settings.big_icon_toolbar != 0) {}

void COptionDlg::FillToolbarRows(CPropertyRows& rows) const {
  for (const ApplicationLink::ToolbarState& toolbar : m_toolbars) {
    rows.AddItem(toolbar.name, toolbar.shown ? "Show" : "Hide", kPropertyChoice, "Show|Hide|");
  }
}

void COptionDlg::TakeToolbarRows(const CPropertyRows& rows) {
  for (std::size_t i = 0; i < m_toolbars.size() && rows.Has(static_cast<int>(i)); ++i) {
    m_toolbars[i].shown = EqualsNoCase(rows.Item(static_cast<int>(i)).value, "Show");
  }
}

std::optional<std::string> COptionDlg::Refusal() const {
  // A longer path would not be read back at the next start, and the
  // program would fall back to its own folders.
  if (JoinSupportPath(m_supportPaths).size() > kMaxStoredPathLength) return SupportPathTooLongMessage();
  if (m_bAutoSave && !InRange(m_nSaveMinutes, 0, kMaxSaveMinutes)) return IntegerRangeMessage(0, kMaxSaveMinutes);
  if (!InRange(m_nCursorSize, 1, kMaxCursorSize)) return IntegerRangeMessage(1, kMaxCursorSize);
  if (!InRange(m_nCmdLines, 1, kMaxCommandBarLines)) return IntegerRangeMessage(1, kMaxCommandBarLines);
  return std::nullopt;
}

void COptionDlg::WriteBack(ProgramSettings& settings) const {
  settings.save_backup = m_bBackup ? 1 : 0;
  settings.save_time = m_bAutoSave ? m_nSaveMinutes : 0;
  settings.search_path = JoinSupportPath(m_supportPaths);
  settings.template_file = m_strTemplateFile;

  settings.cursor_color = m_nCursorColor;
  settings.background_color = m_nBackgroundColor;
  settings.cursor_size = m_nCursorSize;
  settings.cursor_thickness = CursorThicknessPixels(m_nThicknessChoice);
  settings.command_line = m_cmdWindow;

  settings.apbox = m_bSnapBox ? 1 : 0;
  settings.snap_marker_size = m_nSnapMarkerSize;
  settings.snap_box_size = m_nSnapBoxSize;
  settings.osnap_color = m_nSnapColor;

  settings.grip_color = m_nGripColor;
  settings.grip_hot = m_nGripHotColor;
  settings.select_box_size = m_nPickBoxSize;
  settings.grip_size = m_nGripSize;

  settings.big_icon_toolbar = m_bBigIcons ? 1 : 0;
}

std::string IntegerRangeMessage(int low, int high) {
  return "Please enter an integer between " + IntToString(low) + " and " + IntToString(high) + ".";
}

std::string SupportPathTooLongMessage() {
  return "The support path is too long: at most " + IntToString(static_cast<int>(kMaxStoredPathLength)) +
         " characters.";
}

std::vector<std::string> SplitSupportPath(const std::string& path) {
  std::vector<std::string> paths;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const std::size_t start = pos;
    const std::string_view piece = NextToken(";", pos, path);
    // A zero byte ends the text without moving on.
    if (pos == start) break;
    if (!piece.empty()) paths.emplace_back(piece);
  }
  return paths;
}

std::string JoinSupportPath(const std::vector<std::string>& paths) {
  std::string joined;
  for (const std::string& path : paths) {
    if (!joined.empty()) joined += ';';
    joined += path;
  }
  return joined;
}

int CursorThicknessChoice(int pixels) {
  if (pixels == 3) return 1;
  if (pixels == 5) return 2;
  return 0;
}

int CursorThicknessPixels(int choice) {
  if (choice == 1) return 3;
  if (choice == 2) return 5;
  return 1;
}

std::string OptionColorText(int color) { return color == kBlack ? "Black" : ColorListText(color); }

std::vector<ColorListEntry> OptionColorEntries(int color, bool withBlack) {
  std::vector<ColorListEntry> entries;
  if (withBlack) entries.push_back({OptionColorText(kBlack), kBlack});
  for (int named = 1; named <= 7; ++named) entries.push_back({OptionColorText(named), named});
  if (color >= 8 && color <= 255) entries.push_back({OptionColorText(color), color});
  entries.push_back({ColorIndexToText(kColorListOthers), kColorListOthers});
  return entries;
}
