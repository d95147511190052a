#include <algorithm>
#include <string>

#include "core/paths.h"
#include "database/graph.h"
#include "imaging/jpeg_reader.h"
#include "entities/raster_image.h"
#include "platform/file_system.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

namespace {

std::string WithSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// The folders searched for an image file, in order: the drawing's own
// folder once it has a name, the search path, the program folder. Empty
// entries are left out, since an empty entry ends the path-list search.
std::string ImageSearchList(const FcGraph* graph) {
  std::string list;
  const auto append = [&list](const std::string& entry) {
    if (entry.empty()) return;
    if (!list.empty()) list += ';';
    list += entry;
  };
  if (graph != nullptr && graph->GetSysVars().dwgtitled != 0) append(graph->GetSysVars().dwgprefix.str());
  const ProgramSettings& settings = GetProgramSettings();
  std::string searchPath = settings.search_path;
  std::replace(searchPath.begin(), searchPath.end(), ',', ';');
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    const std::size_t end = std::min(searchPath.find(';', start), searchPath.size());
    append(searchPath.substr(start, end - start));
    start = end + 1;
  }
  append(settings.program_directory);
  return list;
}

bool HasJpegExtension(const std::string& path) {
  std::string extension = PathExtension(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return extension == ".jpg" || extension == ".jpeg";
}

}  // namespace

std::string FcRasterImageDef::FindImageFile(const FcGraph* graph) const {
  const std::string path = WithSlashes(filePath_);
  if (path.empty()) return {};
  if (FileExists(path)) return path;
  const std::string list = ImageSearchList(graph);
  const std::string relative = path.size() > 2 && path.starts_with("./") ? path.substr(2) : path;
  std::string found;
  if (FindFileInPathList(list, &found, relative)) return found;
  if (FindFileInPathList(list, &found, PathFileName(path))) return found;
  return {};
}

bool FcRasterImageDef::ReadPicture(const std::string& path) {
  if (HasJpegExtension(path)) {
    CJpeg jpeg;
    if (jpeg.LoadDib(path) && jpeg.GetDib() != nullptr && picture_.CopyFrom(*jpeg.GetDib())) return true;
    if (jpeg.IsDecoderError()) {
      ShowMessageBox(kJpegErrorTitle, jpeg.GetErrorText());
      return false;
    }
    PrintMessage(jpeg.GetErrorText());
    return false;
  }
  std::string error;
  if (picture_.Load(path, &error)) return true;
  PrintMessage("Can not read image file " + path + ": " + error);
  return false;
}

bool FcRasterImageDef::AdoptPicture(const std::string& path) {
  const std::int64_t width = picture_.GetWidth();
  const std::int64_t height = picture_.GetHeight();
  if (width <= 0 || height <= 0 || width * height > kMaxImagePixels) {
    PrintMessage("Image file " + path + " is too large (" + std::to_string(width) + " x " +
                 std::to_string(height) + " pixels).");
    picture_.Free();
    return false;
  }
  if (!picture_.ConvertBitCount(24)) {
    PrintMessage("Can not convert image file " + path + " to true colour.");
    picture_.Free();
    return false;
  }
  pixelSize_ = {static_cast<double>(width), static_cast<double>(height)};
  normalizedSize_ = height < width ? FcPoint2d{1.0, static_cast<double>(height) / static_cast<double>(width)}
                                   : FcPoint2d{static_cast<double>(width) / static_cast<double>(height), 1.0};
  return true;
}

bool FcRasterImageDef::Load(const FcGraph* graph) {
  picture_.Free();
  const std::string path = FindImageFile(graph);
  if (path.empty()) {
    if (!filePath_.empty()) PrintMessage("Image file " + filePath_ + " not found.");
    return false;
  }
  resolvedPath_ = path.substr(0, kMaxPath);
  if (!ReadPicture(path)) {
    picture_.Free();
    return false;
  }
  return AdoptPicture(path);
}
