#include "core/paths.h"

#include <algorithm>
#include <filesystem>

namespace {

struct SplitPath {
  std::string directory;
  std::string title;
  std::string extension;
};

SplitPath Split(std::string_view path) {
  std::string slashed(path);
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  const std::size_t slash = slashed.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::filesystem::path name(slashed.substr(nameStart));
  return {slashed.substr(0, nameStart), name.stem().string(), name.extension().string()};
}

}  // namespace

std::string PathDirectory(std::string_view path) { return Split(path).directory; }

std::string PathFileName(std::string_view path) {
  SplitPath parts = Split(path);
  return parts.title + parts.extension;
}

std::string PathFileTitle(std::string_view path) { return Split(path).title; }

std::string PathExtension(std::string_view path) { return Split(path).extension; }

std::string PathWithoutExtension(std::string_view path, std::string_view suffix) {
  SplitPath parts = Split(path);
  return parts.directory + parts.title + std::string(suffix);
}
