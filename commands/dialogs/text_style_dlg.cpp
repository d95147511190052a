#include "commands/dialogs/text_style_dlg.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

#include "core/paths.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "fonts/fontconfig_faces.h"
#include "fonts/shape_info.h"
#include "fonts/truetype_registry.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"

namespace {

constexpr const char* kSameStyle = "There is the same style!\nPlease input other style name!";
constexpr double kDegrees = 180.0 / std::numbers::pi;

// The kind ProbeFontFile gives the font file found along the search path;
// 0 when it is not found or is no shape font.
int ShxKind(const std::string& fileName, std::string& found) {
  int kind = 0;
  if (fileName.empty() || !FindFileInPathList(GetProgramSettings().search_path, &found, fileName)) return 0;
  return CShapeInfo::ProbeFontFile(found, nullptr, &kind) ? kind : 0;
}

bool ContainsNoCase(const std::vector<std::string>& names, std::string_view name) {
  return std::ranges::any_of(names, [name](const std::string& entry) { return EqualsNoCase(entry, name); });
}

std::unique_ptr<FcTextStyle> CopyStyle(const FcTextStyle& style) {
  auto copy = std::make_unique<FcTextStyle>();
  copy->CopyFrom(style);
  return copy;
}

// Sets or clears a generation flag; true when it changed.
bool SetFlag(FcTextStyle& style, std::int16_t flag, bool on) {
  const bool was = (style.GetGenerationFlags() & flag) != 0;
  if (was == on) return false;
  style.SetGenerationFlags(static_cast<std::int16_t>(on ? style.GetGenerationFlags() | flag
                                                         : style.GetGenerationFlags() & ~flag));
  return true;
}

}  // namespace

std::string FindRegularShxFont(const std::string& fileName) {
  std::string found;
  return ShxKind(fileName, found) == CShapeInfo::kProbePrimary ? found : std::string();
}

std::string FindBigShxFont(const std::string& fileName) {
  std::string found;
  const int kind = ShxKind(fileName, found);
  return kind != 0 && kind != CShapeInfo::kProbePrimary ? found : std::string();
}

CTextStyleDlg::CTextStyleDlg() = default;
CTextStyleDlg::~CTextStyleDlg() = default;

void CTextStyleDlg::Load() {
  m_styles.clear();
  m_nCurrent = -1;
  m_bModified = false;
  m_bTableChanged = false;
  if (m_pGraph == nullptr) return;
  const FcTextStyleList& table = m_pGraph->GetTextStyleList();
  for (int i = 0; i < table.GetCount(); ++i) {
    m_styles.push_back(CopyStyle(*table.GetAt(i)));
    if (table.GetAt(i) == m_pGraph->GetCurrentTextStyle()) m_nCurrent = i;
  }
  ShowStyleAt(m_nCurrent >= 0 ? m_nCurrent : 0);
}

void CTextStyleDlg::CollectFonts() {
  m_shxFonts.clear();
  m_bigFonts.clear();
  m_ttFaces.clear();
  {
    std::lock_guard lock(FontEngineLock());
    for (const FaceLocation& face : InstalledFaces())
      if (!face.families.empty() && !ContainsNoCase(m_ttFaces, face.families.front()))
        m_ttFaces.push_back(face.families.front());
  }
  std::string folders = GetProgramSettings().search_path;
  std::replace(folders.begin(), folders.end(), ',', ';');
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t end = std::min(folders.find(';', start), folders.size());
    const std::string folder = folders.substr(start, end - start);
    start = end + 1;
    if (folder.empty()) continue;
    std::vector<std::string> paths;
    FindFilesRecursive(folder, "*.shx", false, &paths);
    for (const std::string& path : paths) {
      int kind = 0;
      if (!CShapeInfo::ProbeFontFile(path, nullptr, &kind)) continue;
      std::vector<std::string>& list = kind == CShapeInfo::kProbePrimary ? m_shxFonts : m_bigFonts;
      if (!ContainsNoCase(list, PathFileName(path))) list.push_back(PathFileName(path));
    }
  }
}

FcTextStyle* CTextStyleDlg::ShownStyle() const {
  return m_nStyle >= 0 && m_nStyle < static_cast<int>(m_styles.size()) ? m_styles[static_cast<std::size_t>(m_nStyle)].get()
                                                                         : nullptr;
}

int CTextStyleDlg::FindStyle(std::string_view name) const {
  for (std::size_t i = 0; i < m_styles.size(); ++i)
    if (EqualsNoCase(m_styles[i]->GetName(), name)) return static_cast<int>(i);
  return -1;
}

void CTextStyleDlg::ShowStyle(std::string_view name) {
  const int found = FindStyle(name.empty() ? std::string_view("standard") : name);
  ShowStyleAt(found >= 0 ? found : std::max(m_nCurrent, 0));
}

void CTextStyleDlg::ShowStyleAt(int index) {
  m_nStyle = index;
  const FcTextStyle* style = ShownStyle();
  if (style == nullptr) return;
  m_bBigFontEnabled = !FindRegularShxFont(style->GetFontFile()).empty();
  if (m_bBigFontEnabled) {
    m_strFont = style->GetFontFile();
    m_strBigFont = ContainsNoCase(m_bigFonts, style->GetBigFontFile()) ? style->GetBigFontFile() : std::string();
    m_bUseBigFont = m_bUseBigFont || !m_strBigFont.empty();
  } else {
    m_strFont = style->GetFaceName();
    m_strBigFont.clear();
    m_bUseBigFont = false;
  }
  m_dHeight = style->GetFixedHeight();
  m_dWidthFactor = style->GetWidthFactor();
  m_dOblique = style->GetObliqueAngle() * kDegrees;
  m_bUpsideDown = (style->GetGenerationFlags() & FcTextStyle::kUpsideDown) != 0;
  m_bBackward = (style->GetGenerationFlags() & FcTextStyle::kBackward) != 0;
}

std::string CTextStyleDlg::ProposedName() const {
  std::string name;
  for (int n = 1; name.empty() || FindStyle(name) >= 0; ++n) name = "Style" + std::to_string(n);
  return name;
}

std::string CTextStyleDlg::NewStyle(std::string_view name) {
  if (name.empty()) return "It is faiult to create new style!";
  if (FindStyle(name) >= 0) return kSameStyle;
  auto style = std::make_unique<FcTextStyle>();
  style->SetName(name);
  m_styles.push_back(std::move(style));
  m_bTableChanged = true;
  ShowStyleAt(static_cast<int>(m_styles.size()) - 1);
  return {};
}

std::string CTextStyleDlg::Rename(std::string_view name) {
  FcTextStyle* style = ShownStyle();
  if (style == nullptr) return {};
  if (EqualsNoCase(style->GetName(), "standard")) return "Can't rename \"standard\" style!";
  if (name.empty()) return "The style name can't be empty!";
  if (FindStyle(name) >= 0) return kSameStyle;
  style->SetName(name);
  m_bTableChanged = true;
  return {};
}

void CTextStyleDlg::Apply() {
  FcTextStyle* style = ShownStyle();
  if (style == nullptr) return;
  const std::string font = m_strFont.empty() ? std::string(kDefaultFont) : m_strFont;
  if (!FindRegularShxFont(font).empty()) {
    if (!EqualsNoCase(font, style->GetFontFile())) {
      style->SetFontFile(font);
      m_bModified = true;
    }
    if (m_bUseBigFont && !m_strBigFont.empty() && !FindBigShxFont(m_strBigFont).empty()) {
      if (!EqualsNoCase(m_strBigFont, style->GetBigFontFile())) {
        style->SetBigFontFile(m_strBigFont);
        m_bModified = true;
      }
    } else if (!style->GetBigFontFile().empty()) {
      // Dropping the big font changes how the style's text looks.
      style->SetBigFontFile("");
      m_bModified = true;
    }
  } else if (!EqualsNoCase(font, style->GetFaceName())) {
    style->SetTrueTypeFace(font);
    m_bModified = true;
  }
  if (m_dHeight >= 0.0 && m_dHeight != style->GetFixedHeight()) {
    style->SetFixedHeight(std::fabs(m_dHeight));
    m_bModified = true;
  }
  if (m_dWidthFactor > 0.0 && m_dWidthFactor != style->GetWidthFactor()) {
    style->SetWidthFactor(std::fabs(m_dWidthFactor));
    m_bModified = true;
  }
  // Compared in degrees as shown, so that an unchanged angle stays exact.
  if (m_dOblique != style->GetObliqueAngle() * kDegrees) {
    style->SetObliqueAngle(m_dOblique * std::numbers::pi * (1.0 / 180.0));
    m_bModified = true;
  }
  if (SetFlag(*style, FcTextStyle::kUpsideDown, m_bUpsideDown)) m_bModified = true;
  if (SetFlag(*style, FcTextStyle::kBackward, m_bBackward)) m_bModified = true;
}

std::string CTextStyleDlg::Commit() {
  if (m_pGraph == nullptr) return {};
  FcTextStyleList& table = m_pGraph->GetTextStyleList();
  for (const auto& copy : m_styles) {
    FcTextStyle* record = copy->GetHandle() != 0 ? table.FindByHandle(copy->GetHandle()) : nullptr;
    if (record == nullptr && (record = m_pGraph->NewTextStyle()) == nullptr) continue;
    const FcHandle handle = record->GetHandle();
    record->CopyFrom(*copy);
    record->SetHandle(handle);
    copy->SetHandle(handle);
  }
  const FcTextStyle* shown = ShownStyle();
  return shown != nullptr ? shown->GetName() : std::string();
}
