#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// An export's output file. It is written as a temporary file beside the
// target that takes the target's place only when every write, the flush and
// the close worked, so a failed export leaves the old file as it was. A
// target that exists and is not a regular file (a device or a pipe) is
// written directly, since it cannot be replaced.
class FcExportFile {
 public:
  FcExportFile() = default;
  FcExportFile(const FcExportFile&) = delete;
  FcExportFile& operator=(const FcExportFile&) = delete;
  // A file still open is abandoned: the temporary file is removed.
  ~FcExportFile();

  // False when the file cannot be created.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // Nothing when the file is not open; a refused write fails the file.
  void Write(std::string_view bytes);
  // For writers that take a C stream; they report their failures through
  // MarkFailed.
  std::FILE* GetStream() const { return file_; }
  void MarkFailed() { failed_ = true; }
  // Flushes, closes and puts the file in the target's place; false when
  // anything failed, in which case the temporary file is removed.
  bool Commit();

 private:
  void Abandon();

  std::string target_;
  // Empty while the target itself is written.
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};
