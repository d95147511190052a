#include "export/export_file.h"

#include <filesystem>
#include <system_error>

#include "core/paths.h"
#include "platform/temp_files.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kStreamBuffer = std::size_t{1} << 20;

// A replaced file keeps the permissions of the one it replaces; a new one
// is readable by everyone, like any other document.
void SetPermissionsFor(const std::string& target, const std::string& replacement) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  const fs::perms perms = !error && fs::is_regular_file(status)
                              ? status.permissions()
                              : fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                    fs::perms::others_read;
  fs::permissions(replacement, perms, error);
}

}  // namespace

FcExportFile::~FcExportFile() { Abandon(); }

bool FcExportFile::Open(const std::string& path) {
  Abandon();
  failed_ = false;
  if (path.empty()) return false;
  std::error_code error;
  target_ = path;
  // Writing through a link replaces the file it points to, not the link.
  if (fs::is_symlink(fs::symlink_status(path, error))) {
    const fs::path resolved = fs::canonical(path, error);
    if (!error) target_ = resolved.string();
  }
  const fs::file_status status = fs::status(target_, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    file_ = std::fopen(target_.c_str(), "wb");
  } else {
    const std::string folder = PathDirectory(target_);
    // A hidden name, so that folder listings do not show a half-written file.
    std::string prefix = PathFileName(target_);
    prefix.insert(prefix.begin(), '.');
    prefix += '.';
    temporary_ = CreateTempFile(prefix, folder.empty() ? "." : folder);
    if (temporary_.empty()) return false;
    file_ = std::fopen(temporary_.c_str(), "wb");
  }
  if (file_ == nullptr) {
    Abandon();
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, kStreamBuffer);
  return true;
}

void FcExportFile::Write(std::string_view bytes) {
  if (file_ == nullptr || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

bool FcExportFile::Commit() {
  if (file_ == nullptr) return false;
  bool written = !failed_ && std::fflush(file_) == 0 && std::ferror(file_) == 0;
  if (std::fclose(file_) != 0) written = false;
  file_ = nullptr;
  if (temporary_.empty()) return written;
  if (written) {
    SetPermissionsFor(target_, temporary_);
    std::error_code error;
    fs::rename(temporary_, target_, error);
    written = !error;
  }
  if (!written) RemoveTempFile(temporary_);
  temporary_.clear();
  return written;
}

void FcExportFile::Abandon() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) RemoveTempFile(temporary_);
  temporary_.clear();
}
