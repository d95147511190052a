#include "files/file_preview.h"

#include <array>
#include <fstream>

#include "core/paths.h"
#include "database/object.h"
#include "filers/filer_dwg.h"
#include "files/dwg_file.h"
#include "imaging/dib.h"
#include "imaging/jpeg_reader.h"
#include "platform/file_system.h"

namespace {

// Every DWG file starts with its release, "AC10..". Looking at these bytes
// first spares reading a whole large DXF or other file into memory only to
// find it has no preview.
bool StartsLikeDwg(const std::string& path) {
  std::array<char, 4> start{};
  std::ifstream file(path, std::ios::binary);
  return file.read(start.data(), start.size()) && std::string(start.data(), start.size()) == "AC10";
}

bool ReadDwgPreview(const std::string& path, CDib& picture) {
  if (!StartsLikeDwg(path)) return false;
  FcFilerDwg filer;
  if (!filer.Open(path, kFcOpenRead, FcFileKind::kDwg)) return false;
  FcFile bmp;
  if (!ReadDwgPreviewImage(bmp, filer)) return false;
  bmp.Seek(0, FcSeekOrigin::kBegin);
  return picture.ReadFile(bmp);
}

bool ReadJpeg(const std::string& path, CDib& picture) {
  CJpeg jpeg;
  return jpeg.LoadDib(path) && jpeg.GetDib() != nullptr && picture.CopyFrom(*jpeg.GetDib());
}

}  // namespace

bool ReadFilePreview(const std::string& path, CDib& picture) {
  picture.Free();
  if (path.empty() || !FileExists(path)) return false;
  const std::string extension = PathExtension(path);
  bool read = false;
  if (EqualsNoCase(extension, ".bmp")) {
    read = picture.Load(path);
  } else if (EqualsNoCase(extension, ".jpg") || EqualsNoCase(extension, ".jpeg")) {
    read = ReadJpeg(path, picture);
  } else {
    read = ReadDwgPreview(path, picture);
  }
  // A read that failed half-way must not leave a part of a picture.
  if (!read) picture.Free();
  return read;
}
