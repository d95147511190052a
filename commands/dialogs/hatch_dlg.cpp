#include "commands/dialogs/hatch_dlg.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "commands/hatch/hatch_settings.h"
#include "database/object.h"
#include "filers/filer.h"
#include "filers/file_object.h"

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

constexpr std::string_view kAnsiPrefix = "ANSI";
constexpr std::string_view kIsoPrefix = "KOVRA_ISO";

// The patterns with a picture of their own; the rest show the default.
constexpr std::string_view kPictured[] = {
    "SOLID",    "ANGLE",    "AR-B816",  "AR-B816C", "AR-B88",  "AR-BRELM", "AR-BRSTD", "AR-CONC", "AR-HBONE",
    "AR-PARQ1", "AR-RROOF", "AR-RSHKE", "AR-SAND",  "BOX",     "BRASS",    "BRICK",    "BRSTONE", "CLAY",
    "CROSS",    "DASH",     "DOLMIT",   "DOTS",     "EARTH",   "ESCHER",   "FLEX",     "GRASS",   "GRATE",
    "HEX",      "HONEY",    "HOUND",    "INSUL",    "ANSI31",  "ANSI32",   "ANSI33",   "ANSI34",  "ANSI35",
    "ANSI36",   "ANSI37",   "ANSI38",   "LINE",     "MUDST",   "NET",      "NET3",     "PLAST",   "PLASTI",
    "SACNCR",   "SQUARE",   "STARS",    "STEEL",    "SWAMP",   "TRANS",    "TRIANG",   "ZIGZAG",  "WATER",
    "WOOD",     "GRAVL"};

bool IsPicturedIso(const std::string& upper) {
  if (upper.size() != kIsoPrefix.size() + 6 || upper.rfind(kIsoPrefix, 0) != 0) return false;
  const std::string number = upper.substr(kIsoPrefix.size(), 2);
  if (upper.substr(kIsoPrefix.size() + 2) != "W100" || !std::isdigit(static_cast<unsigned char>(number[0])) ||
      !std::isdigit(static_cast<unsigned char>(number[1]))) {
    return false;
  }
  const int n = std::stoi(number);
  return n >= 2 && n <= 15;
}

}  // namespace

std::string CHatchDlg::LoadPatterns() {
  m_names.clear();
  m_memos.clear();
  std::string path;
  if (!FindPatternFile(path)) return "Can't find kovra.pat file!";
  FcFiler filer;
  if (!filer.Open(path, kFcOpenRead, FcFileKind::kAsciiDxf)) return "Can't open kovra.pat file!";
  std::string line;
  while (filer.ReadLine(line)) {
    const std::size_t start = line.find_first_not_of(" \t\r\n\f\v");
    if (start == std::string::npos || line[start] != '*') continue;
    const std::string header = line.substr(start + 1);
    const std::size_t comma = header.find(',');
    std::string name = header.substr(0, comma);
    if (name.empty()) continue;
    std::string memo = comma == std::string::npos ? std::string() : header.substr(comma + 1);
    m_names.push_back(std::move(name));
    m_memos.push_back(memo.empty() ? " " : std::move(memo));
  }
  return {};
}

int CHatchDlg::OnInitDialog() {
  m_list = m_names;
  if (m_strPattern.empty()) return m_list.empty() ? -1 : 0;
  const auto found = std::find(m_list.begin(), m_list.end(), m_strPattern);
  if (found != m_list.end()) return static_cast<int>(found - m_list.begin());
  m_list.push_back(m_strPattern);
  return static_cast<int>(m_list.size()) - 1;
}

std::string CHatchDlg::MemoText(int entry) const {
  if (entry < 0 || entry >= static_cast<int>(m_memos.size())) return "No memo";
  return "Memo: " + m_memos[entry];
}

std::string CHatchDlg::Refusal() const {
  if (m_nPatternType == kPredefined && m_dScale <= 0.0) return "Scale must be greater than zero!";
  if (m_nPatternType == kUserDefined && m_dSpacing == 0.0) return "Space can't be zero!";
  return {};
}

bool CHatchDlg::Close(int code, bool boxesRead, const std::string& selected, std::string& message) {
  message = boxesRead ? Refusal() : std::string();
  const bool accepting = code == kApply || code == kPreview;
  if (accepting && (!boxesRead || !message.empty())) return false;
  if (accepting && IsPredefined() && selected.empty()) return false;
  if (!selected.empty()) m_strPattern = selected;
  return true;
}

std::string HatchPictureName(const std::string& pattern) {
  const std::string upper = Upper(pattern);
  if (upper == "CORK") return "CLAY";
  if (IsPicturedIso(upper)) return upper;
  return std::find(std::begin(kPictured), std::end(kPictured), upper) != std::end(kPictured) ? upper : std::string();
}

int CHatchPatDlg::PageOf(const std::string& pattern) {
  if (StartsWithNoCase(pattern, kAnsiPrefix)) return kAnsiPage;
  if (StartsWithNoCase(pattern, kIsoPrefix)) return kIsoPage;
  return kOtherPage;
}

std::vector<std::string> CHatchPatDlg::NamesOn(int page) const {
  std::vector<std::string> names;
  if (m_pNames == nullptr) return names;
  for (const std::string& name : *m_pNames)
    if (PageOf(name) == page) names.push_back(name);
  return names;
}
