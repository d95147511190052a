#include "commands/dialogs/save_dwg_dlg.h"

#include <filesystem>

std::string CSaveDWGDlg::NameForType(const std::string& name, int filterIndex) {
  std::filesystem::path file = std::filesystem::path(name).filename();
  if (file.empty()) return {};
  file.replace_extension(filterIndex == kDwgType ? ".dwg" : ".dxf");
  return file.string();
}

FcFileKind CSaveDWGDlg::ChosenKind() const {
  if (m_nFilterIndex == kDwgType) return FcFileKind::kDwg;
  return m_bBinaryDxf ? FcFileKind::kBinaryDxf : FcFileKind::kAsciiDxf;
}
