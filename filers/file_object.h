#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Open flags, numbered as the file class of the original platform numbered
// them: either write bit means the file is opened for writing.
enum FcOpenFlags : unsigned {
  kFcOpenRead = 0x0000,
  kFcOpenWrite = 0x0001,
  kFcOpenReadWrite = 0x0002,
  kFcOpenCreate = 0x1000,  // create, or empty an existing file
};

enum class FcSeekOrigin : int { kBegin = 0, kCurrent = 1, kEnd = 2 };

// Raised by writes that cannot be carried out; the writer of a whole file
// catches it and reports the save as failed.
class FcFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file held wholly in memory: a memory file, or a disk file that is read
// whole when opened and written back in large blocks by Flush and Close.
// Parsers scan Data() in place instead of asking for one byte at a time.
// A disk file opened for reading may give back the pages a forward reader
// has left behind (ReleaseBehind); a later move back before them reads
// them from the file again, so Data() holds every byte from the position
// on.
class FcFile {
 public:
  // An empty memory file, open for reading and writing.
  FcFile() = default;
  // A memory file holding the bytes, positioned at their start.
  explicit FcFile(std::vector<char> bytes);
  // A read-only view of the file's bytes with a position of its own, so
  // that readers on several threads can share one file. The file must
  // outlive the view and stay unchanged meanwhile.
  static std::unique_ptr<FcFile> ViewOf(const FcFile& file);
  // Closes a disk file; a failure here goes unreported, so writers call
  // Close themselves.
  ~FcFile();
  FcFile(const FcFile&) = delete;
  FcFile& operator=(const FcFile&) = delete;

  // Opens a disk file. Reading loads the whole file; writing with
  // kFcOpenCreate starts an empty file, without it keeps the contents.
  // False when the file cannot be opened, created or read.
  bool Open(const std::string& path, unsigned flags);
  // Writes every changed byte of a disk file back; false when the
  // operating system refuses any of them. Memory files always succeed.
  bool Flush();
  // Flushes and closes a disk file; false when a byte could not be written
  // or the close failed. The file is closed either way.
  bool Close();

  // Copies up to count bytes from the position and moves past them; the
  // number copied, fewer at the end of the file.
  std::size_t Read(void* out, std::size_t count);
  // Writes at the position, growing the file; a gap left by a seek past
  // the end is filled with zeros. Raises FcFileException on a file opened
  // only for reading.
  void Write(const void* data, std::size_t count);
  // The new position, or -1 (position unchanged) when the target would lie
  // before the start. A position past the end is allowed.
  std::int64_t Seek(std::int64_t offset, FcSeekOrigin origin);

  std::int64_t GetPosition() const { return position_; }
  std::int64_t GetLength() const {
    return view_ != nullptr ? viewLength_ : static_cast<std::int64_t>(bytes_.size());
  }
  const char* Data() const { return view_ != nullptr ? view_ : bytes_.data(); }
  // Moves to a position the caller knows to lie within [0, length].
  void SetPosition(std::int64_t position) {
    if (position < releasedEnd_) Reload(position);
    position_ = position;
  }
  // Gives the memory of the bytes well behind the position back to the
  // system, in large steps; nothing for a memory file, a file open for
  // writing, or a small file.
  void ReleaseBehind();

  // The full path of a disk file (empty for a memory file) and its name.
  const std::string& GetFilePath() const { return path_; }
  std::string GetFileName() const;

  // Hands the contents out, leaving the file empty.
  std::vector<char> TakeBytes();

 private:
  // Reads the released bytes from the page of position on back in.
  void Reload(std::int64_t position);
  void CloseSource();

  std::vector<char> bytes_;
  // The bytes of the file a view looks at, in place of its own.
  const char* view_ = nullptr;
  std::int64_t viewLength_ = 0;
  std::int64_t position_ = 0;
  // The descriptor of a disk file open for reading, kept to read released
  // bytes again; [releasedStart_, releasedEnd_) are the released bytes.
  int sourceDescriptor_ = -1;
  std::int64_t releasedStart_ = 0;
  std::int64_t releasedEnd_ = 0;
  std::string path_;
  int descriptor_ = -1;
  bool writable_ = true;
  // Bytes before this offset are on disk as they are in memory.
  std::int64_t cleanUpTo_ = 0;
};
