#include "commands/dialogs/img_mng_dlg.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "core/paths.h"
#include "database/dictionary.h"
#include "database/object.h"
#include "entities/raster_image.h"
#include "imaging/jpeg_reader.h"
#include "platform/file_system.h"

namespace {

bool IsBmpPath(const std::string& path) { return EqualsNoCase(PathExtension(path), ".bmp"); }

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The file's time as the file system keeps it, not turned to local time.
std::string FormatFileDate(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[64];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %d:%d:%d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}

// Size and date of the file; blanks when it is missing.
void FileSizeAndDate(const std::string& path, bool details, std::string& size, std::string& date) {
  std::chrono::system_clock::time_point time;
  std::uint64_t bytes = 0;
  if (path.empty() || !GetFileTimeAndSize(path, &time, &bytes)) {
    size.clear();
    date.clear();
    return;
  }
  size = FormatImageFileSize(bytes, details);
  date = FormatFileDate(time);
}

// Loads the definition to learn where its file is, keeping an unloaded
// one unloaded.
void LoadForListing(FcRasterImageDef& definition, const FcGraph* graph) {
  if (definition.IsImageLoaded()) return;
  definition.Load(graph);
  if (definition.GetLoaded() == 0) definition.UnloadImage();
}

}  // namespace

std::string FormatImageFileSize(std::uint64_t size, bool details) {
  if (size <= 1024) return std::to_string(size) + "bytes";
  const double bytes = static_cast<double>(size);
  if (size <= 1048576) return Format(details ? "%-.2fKb" : "%-.1fK", bytes / 1024.0);
  return Format(details ? "%-.2fMb" : "%-.1fM", bytes / 1048576.0);
}

int CImgMngDlg::ReferenceCount(const FcRasterImageDef& definition) const {
  if (m_pGraph == nullptr) return 0;
  const FcRasterImageDef* inDrawing = FindImageDef(*m_pGraph, definition.GetHandle());
  return inDrawing != nullptr ? inDrawing->GetReactors().GetCount() : 0;
}

std::vector<ImageRow> CImgMngDlg::Rows() {
  std::vector<ImageRow> rows;
  if (m_pImageDict == nullptr) return rows;
  for (int i = 0; i < m_pImageDict->GetEntryCount(); ++i) {
    const FcDictionaryEntry& entry = m_pImageDict->GetEntry(i);
    auto* definition = dynamic_cast<FcRasterImageDef*>(entry.object);
    if (definition == nullptr) continue;
    LoadForListing(*definition, m_pGraph);
    ImageRow row;
    row.entry = i;
    row.name = entry.name;
    if (ReferenceCount(*definition) == 0) {
      row.status = "Unreferenced";
    } else {
      row.status = definition->GetLoaded() != 0 && definition->IsImageLoaded() ? "Loaded" : "Unloaded";
    }
    const std::string& found = definition->GetResolvedPath();
    FileSizeAndDate(found, false, row.size, row.date);
    row.type = IsBmpPath(found) ? "BMP" : "JPG";
    row.savedPath = definition->GetFilePath();
    rows.push_back(row);
  }
  return rows;
}

FcRasterImageDef* CImgMngDlg::SelectedDefinition() const {
  if (m_pImageDict == nullptr || m_nSelectedRow < 0 || m_nSelectedRow >= m_pImageDict->GetEntryCount()) {
    return nullptr;
  }
  return dynamic_cast<FcRasterImageDef*>(m_pImageDict->GetEntry(m_nSelectedRow).object);
}

void CImgMngDlg::SelectRow(int entry) {
  m_nSelectedRow = entry;
  const FcRasterImageDef* definition = SelectedDefinition();
  if (definition == nullptr) m_nSelectedRow = -1;
  m_strFoundPath = definition != nullptr && definition->IsImageLoaded() ? definition->GetResolvedPath() : "";
  m_bModified = true;
}

bool CImgMngDlg::CanDetach() const {
  const FcRasterImageDef* definition = SelectedDefinition();
  return definition != nullptr && ReferenceCount(*definition) == 0;
}

void CImgMngDlg::Detach() {
  if (!CanDetach()) return;
  m_pImageDict->RemoveAt(m_nSelectedRow);
  m_nSelectedRow = -1;
  m_strFoundPath.clear();
  m_bModified = true;
}

void CImgMngDlg::Reload() {
  FcRasterImageDef* definition = SelectedDefinition();
  if (definition == nullptr) return;
  definition->SetLoaded(!definition->GetFilePath().empty());
  definition->Load(m_pGraph);
  m_bModified = true;
}

void CImgMngDlg::Unload() {
  FcRasterImageDef* definition = SelectedDefinition();
  if (definition == nullptr) return;
  definition->UnloadImage();
  definition->SetLoaded(false);
  m_bModified = true;
}

std::string CImgMngDlg::SavePath() {
  FcRasterImageDef* definition = SelectedDefinition();
  if (definition == nullptr || EqualsNoCase(m_strFoundPath, definition->GetFilePath())) return {};
  // A path the definition cannot hold whole would name another file.
  if (m_strFoundPath.size() > FcRasterImageDef::kMaxPath) return kCannotLoad;
  const std::string old = definition->GetFilePath();
  definition->SetFilePath(m_strFoundPath);
  const bool loaded = definition->Load(m_pGraph);
  if (!loaded) {
    definition->SetFilePath(old);
    definition->Load(m_pGraph);
  }
  if (definition->GetLoaded() == 0) definition->UnloadImage();
  if (!loaded) return kCannotLoad;
  m_bModified = true;
  return {};
}

void CImgDetailDlg::Fill() {
  CDib& picture = m_dibPicture;
  picture.Free();
  if (IsBmpPath(m_strFoundPath)) {
    m_strFileType = "Bitmap file";
    picture.Load(m_strFoundPath);
  } else {
    m_strFileType = "JPEG file";
    CJpeg jpeg;
    if (jpeg.LoadDib(m_strFoundPath) && jpeg.GetDib() != nullptr) picture.CopyFrom(*jpeg.GetDib());
  }
  const int width = picture.GetWidth();
  const int height = picture.GetHeight();
  m_strPixelWidth = std::to_string(width);
  m_strPixelHeight = std::to_string(height);
  FileSizeAndDate(m_strFoundPath, true, m_strFileSize, m_strFileDate);
  if (!picture.IsEmpty() && !picture.ConvertBitCount(24)) picture.Free();
  if (width <= 0 || height <= 0) {
    m_strDefaultSize.clear();
    return;
  }
  const double w = width >= height ? 1.0 : static_cast<double>(width) / height;
  const double h = width >= height ? static_cast<double>(height) / width : 1.0;
  m_strDefaultSize = Format("%-.2f", w) + " x " + Format("%-.2f", h) + " drawing units";
}
