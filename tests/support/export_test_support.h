#pragma once

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "export/export_device.h"
#include "export/hpgl_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"

// A folder of its own under the system's temporary folder, removed with
// everything in it when the test ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("kovra_export_" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Inflates a zlib or gzip stream (windowBits 15 + 32 detects either); empty
// when the data is not a complete stream.
inline std::string Inflate(const std::string& data) {
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 32) != Z_OK) return {};
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[65536];
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    status = inflate(&stream, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - stream.avail_out);
  }
  inflateEnd(&stream);
  return status == Z_STREAM_END ? out : std::string();
}

// Every export format by its file extension, with a maker of a fresh device.
inline std::vector<std::pair<std::string, std::function<std::unique_ptr<FcExportDevice>()>>> ExportFormats() {
  return {
      {"eps", [] { return std::make_unique<FcEpsExportDevice>(); }},
      {"plt", [] { return std::make_unique<FcHPGLExportDevice>(); }},
      {"svg", [] { return std::make_unique<FcSVGExportDevice>(); }},
      {"svgz",
       [] {
         auto device = std::make_unique<FcSVGExportDevice>();
         device->compressed = true;
         return device;
       }},
      {"pdf", [] { return std::make_unique<FcPDFExportDevice>(); }},
  };
}
