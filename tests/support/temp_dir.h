#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

// A fresh directory under the system's temporary folder, removed with
// everything in it when the test ends.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kovra_test_XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern + "/" : std::string();
  }
  ~TempDir() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory, with a trailing '/'.
  const std::string& path() const { return path_; }

  // Writes a file below the directory, making its folders; returns its path.
  std::string Write(const std::string& relative, const std::string& contents = "x") const {
    std::filesystem::path file = path_ + relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
    return file.string();
  }

  std::string MakeDirectory(const std::string& relative) const {
    std::filesystem::create_directories(path_ + relative);
    return path_ + relative;
  }

 private:
  std::string path_;
};
