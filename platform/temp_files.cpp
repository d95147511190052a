#include "platform/temp_files.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

std::string CreateTempFile(const std::string& prefix, const std::string& folder) {
  std::string directory = folder;
  if (directory.empty()) {
    std::error_code error;
    directory = std::filesystem::temp_directory_path(error).string();
    if (error) return {};
  }
  if (directory.back() != '/') directory += '/';
  std::string pattern = directory + prefix + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return {};
  close(fd);
  return name.data();
}

bool RemoveTempFile(const std::string& path) { return !path.empty() && std::remove(path.c_str()) == 0; }
