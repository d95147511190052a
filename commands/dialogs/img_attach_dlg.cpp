#include "commands/dialogs/img_attach_dlg.h"

#include <atomic>

#include "core/paths.h"
#include "database/dictionary.h"
#include "database/object.h"
#include "entities/raster_image.h"

namespace {

// The on-screen choices of the last box that closed with OK, for the next
// one; the box is made on a command thread and closed on the window thread.
std::atomic<int> s_bLastImagePointOnScreen{1};
std::atomic<int> s_bLastImageScaleOnScreen{1};
std::atomic<int> s_bLastImageRotationOnScreen{0};

// The non-empty folder names of a path, split at "/", "\" and ":".
std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::string name;
  for (const char c : folder) {
    if (c == '/' || c == '\\' || c == ':') {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else {
      name += c;
    }
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

}  // namespace

int PathTypeOf(const std::string& savedPath) {
  if (savedPath.starts_with("./") || savedPath.starts_with(".\\") || savedPath.starts_with("../") ||
      savedPath.starts_with("..\\")) {
    return CImgAttachDlg::kRelativePath;
  }
  if (savedPath.find_first_of("/\\:") == std::string::npos) return CImgAttachDlg::kNoPath;
  return CImgAttachDlg::kFullPath;
}

std::string RelativeImagePath(const std::string& folder, const std::string& file) {
  const std::vector<std::string> from = FolderNames(folder);
  const std::vector<std::string> to = FolderNames(PathDirectory(file));
  std::size_t common = 0;
  while (common < from.size() && common < to.size() && EqualsNoCase(from[common], to[common])) ++common;
  if (common == 0) return {};
  std::string relative;
  for (std::size_t i = common; i < from.size(); ++i) relative += "../";
  if (relative.empty()) relative = "./";
  for (std::size_t i = common; i < to.size(); ++i) relative += to[i] + "/";
  return relative + PathFileName(file);
}

CImgAttachDlg::CImgAttachDlg()
    : m_bPointOnScreen(s_bLastImagePointOnScreen.load()),
      m_bScaleOnScreen(s_bLastImageScaleOnScreen.load()),
      m_bRotationOnScreen(s_bLastImageRotationOnScreen.load()) {}

std::vector<FcRasterImageDef*> CImgAttachDlg::Definitions() const {
  std::vector<FcRasterImageDef*> definitions;
  if (m_pImageDict == nullptr) return definitions;
  for (int i = 0; i < m_pImageDict->GetEntryCount(); ++i) {
    if (auto* definition = dynamic_cast<FcRasterImageDef*>(m_pImageDict->GetEntry(i).object)) {
      definitions.push_back(definition);
    }
  }
  return definitions;
}

void CImgAttachDlg::BuildNames() {
  names_.clear();
  if (!m_strNewFile.empty()) names_.push_back(PathFileTitle(m_strNewFile));
  if (m_pImageDict == nullptr) return;
  for (int i = 0; i < m_pImageDict->GetEntryCount(); ++i) {
    const FcDictionaryEntry& entry = m_pImageDict->GetEntry(i);
    if (dynamic_cast<FcRasterImageDef*>(entry.object) != nullptr) names_.push_back(entry.name);
  }
}

FcRasterImageDef* CImgAttachDlg::ChosenDefinition() const {
  const int index = m_nNameIndex - (m_strNewFile.empty() ? 0 : 1);
  const std::vector<FcRasterImageDef*> definitions = Definitions();
  if (index < 0 || index >= static_cast<int>(definitions.size())) return nullptr;
  return definitions[static_cast<std::size_t>(index)];
}

int CImgAttachDlg::IndexOfFoundPath(const std::string& path) const {
  const std::vector<FcRasterImageDef*> definitions = Definitions();
  for (std::size_t i = 0; i < definitions.size(); ++i) {
    if (EqualsNoCase(definitions[i]->GetResolvedPath(), path)) return static_cast<int>(i);
  }
  return -1;
}

void CImgAttachDlg::InitDialog() {
  m_nNameIndex = 0;
  BuildNames();
  if (m_strNewFile.empty()) {
    const int index = IndexOfFoundPath(m_strFoundPath);
    if (index >= 0) {
      m_nNameIndex = index;
      m_strSavedPath = Definitions()[static_cast<std::size_t>(index)]->GetFilePath();
    }
  }
  m_nPathType = m_strNewFile.empty() ? PathTypeOf(m_strSavedPath) : kFullPath;
}

void CImgAttachDlg::ChangeName(int index) {
  m_nNameIndex = index;
  if (ChoosesNewFile()) {
    m_strFoundPath = m_strNewFile;
    m_strSavedPath = m_strNewFile;
    m_nPathType = kFullPath;
    return;
  }
  const FcRasterImageDef* definition = ChosenDefinition();
  if (definition == nullptr) return;
  m_strFoundPath = definition->GetResolvedPath();
  m_strSavedPath = definition->GetFilePath();
  m_nPathType = PathTypeOf(m_strSavedPath);
}

std::string CImgAttachDlg::ChangePathType(int type) {
  const int previous = m_nPathType;
  m_nPathType = type;
  switch (type) {
    case kFullPath:
      m_strSavedPath = m_strFoundPath;
      return {};
    case kRelativePath: {
      // The list shows the type the saved path still has.
      if (m_strDrawingFolder.empty()) {
        m_nPathType = previous;
        return kNoRelativePath;
      }
      const std::string relative = RelativeImagePath(m_strDrawingFolder, m_strFoundPath);
      if (relative.empty()) {
        m_nPathType = kFullPath;
        m_strSavedPath = m_strFoundPath;
        return kNoRelativePath;
      }
      m_strSavedPath = relative;
      return {};
    }
    case kNoPath:
      m_strSavedPath = PathFileName(m_strFoundPath);
      return {};
    default:
      return {};
  }
}

std::string CImgAttachDlg::TakeBrowsedFile(const std::string& path) {
  const std::vector<FcRasterImageDef*> definitions = Definitions();
  const std::string title = PathFileTitle(path);
  const FcRasterImageDef* same = nullptr;
  for (auto it = definitions.rbegin(); it != definitions.rend(); ++it) {
    if (EqualsNoCase(PathFileTitle((*it)->GetFilePath()), title)) {
      same = *it;
      break;
    }
  }
  if (same != nullptr && !EqualsNoCase(same->GetResolvedPath(), path)) return kSameName;
  m_strNewFile = same != nullptr ? std::string() : path;
  m_strFoundPath = path;
  m_strSavedPath = same != nullptr ? same->GetFilePath() : path;
  m_nNameIndex = 0;
  BuildNames();
  if (same != nullptr) m_nNameIndex = IndexOfFoundPath(path);
  m_nPathType = m_strNewFile.empty() ? PathTypeOf(m_strSavedPath) : kFullPath;
  return {};
}

std::string CImgAttachDlg::Accept() {
  if (!(m_dScale > 0.0)) return kScaleNotPositive;
  s_bLastImagePointOnScreen = m_bPointOnScreen;
  s_bLastImageScaleOnScreen = m_bScaleOnScreen;
  s_bLastImageRotationOnScreen = m_bRotationOnScreen;
  return {};
}
