#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The part of a search path that is looked at, as long as it always was.
constexpr std::size_t kMaxPathListLength = 4095;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// The entry of the directory named like the component (exactly, or else
// without regard to case) that is of the wanted kind. Of several that differ
// only in case the smallest name wins, so the answer does not depend on the
// order the file system lists them in.
std::optional<fs::path> FindEntry(const fs::path& directory, const std::string& component, bool want_directory) {
  auto is_wanted = [want_directory](const fs::path& p) { return want_directory ? IsDirectory(p) : IsRegularFile(p); };
  fs::path exact = directory / component;
  if (is_wanted(exact)) return exact;
  std::optional<std::string> best;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (!EqualIgnoringCase(name, component) || !is_wanted(it->path())) continue;
    if (!best || name < *best) best = name;
  }
  if (!best) return std::nullopt;
  return directory / *best;
}

// Resolves a relative file name, which may have several components, below
// the directory without regard to case.
std::optional<fs::path> ResolveIgnoringCase(const fs::path& directory, const std::string& file_name) {
  fs::path current = directory;
  fs::path relative(file_name);
  for (auto it = relative.begin(); it != relative.end(); ++it) {
    std::string component = it->string();
    if (component.empty()) continue;
    bool last = std::next(it) == relative.end();
    std::optional<fs::path> found = FindEntry(current, component, !last);
    if (!found) return std::nullopt;
    current = *found;
  }
  if (!IsRegularFile(current)) return std::nullopt;
  return current;
}

bool WildcardMatches(const std::string& mask, const std::string& name) {
  std::size_t m = 0;
  std::size_t n = 0;
  std::size_t star = std::string::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || LowerAscii(mask[m]) == LowerAscii(name[n]))) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == '*') {
      star = m++;
      star_name = n;
    } else if (star != std::string::npos) {
      m = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

// Masks keep their old meaning: "*.*" is every file, and "name.*" takes
// "name" without an extension too.
bool MaskMatches(const std::string& mask, const std::string& name) {
  if (WildcardMatches(mask, name)) return true;
  return mask.size() >= 2 && mask.ends_with(".*") && WildcardMatches(mask.substr(0, mask.size() - 2), name);
}

}  // namespace

bool FileExists(const std::string& path) { return !path.empty() && IsRegularFile(path); }

bool DirectoryExists(const std::string& path) {
  std::string trimmed = path;
  if (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  return !trimmed.empty() && IsDirectory(trimmed);
}

bool GetFileTimeAndSize(const std::string& path, std::chrono::system_clock::time_point* creation_time,
                        std::uint64_t* size) {
  struct statx info {};
  if (path.empty() || statx(AT_FDCWD, path.c_str(), 0, STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &info) != 0)
    return false;
  if (!S_ISREG(info.stx_mode)) return false;
  const struct statx_timestamp& stamp = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_mtime;
  *creation_time =
      std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
  *size = info.stx_size;
  return true;
}

bool FindFileInPathList(const std::string& path_list, std::string* full_path, const std::string& file_name) {
  if (path_list.empty() || file_name.empty()) return false;
  const std::string list = path_list.substr(0, kMaxPathListLength);
  std::size_t position = 0;
  while (position < list.size()) {
    std::size_t end = list.find_first_of(",;", position);
    if (end == std::string::npos) end = list.size();
    std::string entry = list.substr(position, end - position);
    if (entry.empty()) return false;
    if (std::optional<fs::path> found = ResolveIgnoringCase(entry, file_name)) {
      *full_path = found->string();
      return true;
    }
    position = end + 1;
  }
  return false;
}

void FindFilesRecursive(const std::string& directory, const std::string& mask, bool recurse,
                        std::vector<std::string>* paths) {
  std::string prefix = directory;
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  std::vector<std::string> files;
  std::vector<std::string> subdirectories;
  std::error_code error;
  for (fs::directory_iterator it(prefix, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (IsRegularFile(it->path())) {
      if (MaskMatches(mask, name)) files.push_back(name);
      continue;
    }
    // A linked directory may lead back up the tree; it is not followed.
    std::error_code link_error;
    if (IsDirectory(it->path()) && !it->is_symlink(link_error)) subdirectories.push_back(name);
  }
  std::sort(files.begin(), files.end(), LessIgnoringCase);
  for (const std::string& name : files) paths->push_back(prefix + name);
  if (!recurse) return;
  std::sort(subdirectories.begin(), subdirectories.end(), LessIgnoringCase);
  for (const std::string& name : subdirectories) FindFilesRecursive(prefix + name, mask, true, paths);
}

std::string ReadTextLine(std::FILE* file) {
  auto ends_line = [](int c) { return c == 0 || c == '\n' || c == '\r'; };
  int c = std::getc(file);
  while (c != EOF && ends_line(c)) c = std::getc(file);
  std::string line;
  while (c != EOF && !ends_line(c)) {
    line += static_cast<char>(c);
    c = std::getc(file);
  }
  return line;
}
