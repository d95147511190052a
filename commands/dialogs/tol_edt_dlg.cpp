#include "commands/dialogs/tol_edt_dlg.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

using tolerance_symbol::kBlank;

constexpr std::string_view kLineBreak = "^J";
constexpr std::string_view kCellBreak = "%%v";

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + separator.size());
  }
}

// The symbol of a "{...}" code starting at pos (the letter before its
// closing brace), pos moved past it; without a code there, the blank and
// pos unchanged.
int ReadCode(std::string_view cell, std::size_t& pos) {
  if (pos >= cell.size() || cell[pos] != '{') return kBlank;
  const std::size_t close = cell.find('}', pos + 1);
  if (close == std::string_view::npos) return kBlank;
  const int symbol = close > pos + 1 ? tolerance_symbol::FromLetter(cell[close - 1]) : kBlank;
  pos = close + 1;
  return symbol;
}

// The characters up to the next opening brace, and the code after them.
// A brace that no closing brace follows is typed text, kept in the entry
// so that opening and OK give it back.
std::string_view ReadEntry(std::string_view cell, std::size_t& pos, int& condition) {
  std::size_t end = std::min(cell.find('{', pos), cell.size());
  if (cell.find('}', end) == std::string_view::npos) end = cell.size();
  const std::string_view entry = cell.substr(pos, end - pos);
  pos = end;
  condition = ReadCode(cell, pos);
  return entry;
}

int ReadSymbolCell(std::string_view cell) {
  const std::size_t open = cell.find('{');
  if (open == std::string_view::npos) return kBlank;
  const std::size_t close = cell.find('}', open + 1);
  if (close == std::string_view::npos || close == open + 1) return kBlank;
  return tolerance_symbol::FromLetter(cell[close - 1]);
}

void ReadToleranceCell(std::string_view cell, int& diameter, std::string& value, int& condition) {
  std::size_t pos = cell.find_first_not_of(' ');
  if (pos == std::string_view::npos) pos = cell.size();
  diameter = ReadCode(cell, pos);
  value = ReadEntry(cell, pos, condition);
}

ToleranceFrameRow ReadRow(const std::vector<std::string_view>& cells) {
  ToleranceFrameRow row;
  row.m_nSymbol = ReadSymbolCell(cells[0]);
  for (std::size_t i = 0; i < 2 && 1 + i < cells.size(); ++i)
    ReadToleranceCell(cells[1 + i], row.m_nDiameter[i], row.m_strValue[i], row.m_nValueCondition[i]);
  for (std::size_t i = 0; i < 3 && 3 + i < cells.size(); ++i) {
    std::size_t pos = 0;
    row.m_strDatum[i] = ReadEntry(cells[3 + i], pos, row.m_nDatumCondition[i]);
  }
  return row;
}

std::string RowText(const ToleranceFrameRow& row) {
  using tolerance_symbol::Code;
  std::string text = Code(row.m_nSymbol);
  for (std::size_t i = 0; i < 2; ++i) {
    text += kCellBreak;
    text += Code(row.m_nDiameter[i]) + row.m_strValue[i] + Code(row.m_nValueCondition[i]);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    text += kCellBreak;
    text += row.m_strDatum[i] + Code(row.m_nDatumCondition[i]);
  }
  return text;
}

void AppendLine(std::string& text, const std::string& line) {
  if (!text.empty()) text += kLineBreak;
  text += line;
}

}  // namespace

bool ToleranceFrameRow::IsSet() const {
  const auto set = [](int picture) { return picture != kBlank; };
  const auto typed = [](const std::string& entry) { return !entry.empty(); };
  return set(m_nSymbol) || std::ranges::any_of(m_nDiameter, set) || std::ranges::any_of(m_strValue, typed) ||
         std::ranges::any_of(m_nValueCondition, set) || std::ranges::any_of(m_strDatum, typed) ||
         std::ranges::any_of(m_nDatumCondition, set);
}

void CTolEdtDlg::OnInitDialog() {
  m_rows = {};
  m_strHeight.clear();
  m_nProjectedZone = kBlank;
  m_strDatumIdentifier.clear();
  if (m_strToleranceText.empty()) return;
  bool heightRead = false;
  const std::vector<std::string_view> lines = Split(m_strToleranceText, kLineBreak);
  for (std::size_t number = 1; number <= lines.size(); ++number) {
    const std::string_view line = lines[number - 1];
    const std::vector<std::string_view> cells = Split(line, kCellBreak);
    if (cells.size() > 1 && number <= 2) {
      m_rows[number - 1] = ReadRow(cells);
      continue;
    }
    if (heightRead) {
      m_strDatumIdentifier = line;
      continue;
    }
    std::size_t pos = 0;
    m_strHeight = ReadEntry(line, pos, m_nProjectedZone);
    heightRead = true;
  }
}

std::string CTolEdtDlg::BuildText() const {
  std::string text;
  for (const ToleranceFrameRow& row : m_rows)
    if (row.IsSet()) AppendLine(text, RowText(row));
  if (!m_strHeight.empty() || m_nProjectedZone != kBlank)
    AppendLine(text, m_strHeight + tolerance_symbol::Code(m_nProjectedZone));
  if (!m_strDatumIdentifier.empty()) AppendLine(text, m_strDatumIdentifier);
  return text;
}

void CTolEdtDlg::OnOK() { m_strToleranceText = BuildText(); }

int CTolEdtDlg::Toggle(int picture, int symbol) { return picture == kBlank ? symbol : kBlank; }

bool CTolEdtDlg::TakePick(int& picture, int endCode) {
  const bool chosen = endCode == kBlank || (endCode > 0 && endCode < 128 && endCode != kOk && endCode != kCancel &&
                                            tolerance_symbol::FromLetter(static_cast<char>(endCode)) != kBlank);
  if (chosen) picture = endCode;
  return chosen;
}
