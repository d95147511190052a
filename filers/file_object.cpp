#include "filers/file_object.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {

// Large blocks keep the number of system calls small without holding a
// second copy of a big file.
constexpr std::size_t kBlockSize = std::size_t{8} << 20;

// A reader that steps back does so within a record, or to a section
// start it knows; the bytes kept behind the position cover the first
// without reading again, and releasing in steps keeps the system calls
// few. Whatever is kept adds to the peak of an open, which comes at the
// end of the file when the drawing is all built: steps of a quarter
// megabyte are some eighty calls for a file of 20 MB, and 64 KiB hold
// far longer records than drawings have.
constexpr std::int64_t kKeptBehind = std::int64_t{64} << 10;
constexpr std::int64_t kReleaseStep = std::int64_t{256} << 10;

std::uintptr_t PageSize() {
  static const auto size = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// The offset from data of the page boundary at or after (up) or at or
// before (down) data + offset.
std::int64_t PageBoundary(const char* data, std::int64_t offset, bool up) {
  const std::uintptr_t page = PageSize();
  const auto base = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t at = base + static_cast<std::uintptr_t>(offset);
  const std::uintptr_t boundary = up ? (at + page - 1) / page * page : at / page * page;
  return static_cast<std::int64_t>(boundary - base);
}

// Large pages make the first touch of a big buffer far cheaper; a kernel
// that refuses the advice just uses small ones.
void AdviseLargePages(char* data, std::size_t size) {
  const std::uintptr_t page = PageSize();
  const auto start = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
  const auto stop = (reinterpret_cast<std::uintptr_t>(data) + size) / page * page;
  if (stop > start) {
    madvise(reinterpret_cast<void*>(start), stop - start, MADV_HUGEPAGE);
  }
}

bool ReadAll(int descriptor, std::vector<char>& bytes) {
  struct stat info {};
  std::size_t used = 0;
  if (fstat(descriptor, &info) == 0 && info.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    AdviseLargePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(info.st_size));
  }
  // The size is only a hint: the file may change while it is read. The
  // read that finds the end goes to a small block, so that a file of the
  // expected size is never moved to a larger buffer.
  char probe[4096];
  for (;;) {
    const bool full = used == bytes.size();
    char* target = full ? probe : bytes.data() + used;
    const std::size_t want = full ? sizeof probe : std::min(bytes.size() - used, kBlockSize);
    const ssize_t got = ::read(descriptor, target, want);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return false;
    }
    if (got == 0) {
      break;
    }
    if (full) {
      bytes.insert(bytes.end(), probe, probe + got);
    }
    used += static_cast<std::size_t>(got);
  }
  bytes.resize(used);
  return true;
}

bool WriteAll(int descriptor, const char* data, std::size_t count, std::int64_t offset) {
  while (count > 0) {
    const ssize_t done = ::pwrite(descriptor, data, std::min(count, kBlockSize), offset);
    if (done < 0 && errno == EINTR) {
      continue;
    }
    if (done <= 0) {
      return false;
    }
    data += done;
    count -= static_cast<std::size_t>(done);
    offset += done;
  }
  return true;
}

}  // namespace

FcFile::FcFile(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

std::unique_ptr<FcFile> FcFile::ViewOf(const FcFile& file) {
  auto view = std::make_unique<FcFile>();
  view->view_ = file.Data();
  view->viewLength_ = file.GetLength();
  view->writable_ = false;
  view->path_ = file.path_;
  return view;
}

FcFile::~FcFile() { Close(); }

bool FcFile::Open(const std::string& path, unsigned flags) {
  Close();
  bytes_.clear();
  releasedStart_ = 0;
  releasedEnd_ = 0;
  view_ = nullptr;
  viewLength_ = 0;
  position_ = 0;
  cleanUpTo_ = 0;
  const bool writing = (flags & (kFcOpenWrite | kFcOpenReadWrite)) != 0;
  const bool create = writing && (flags & kFcOpenCreate) != 0;
  int mode = O_CLOEXEC | (writing ? O_RDWR : O_RDONLY);
  if (create) {
    mode |= O_CREAT | O_TRUNC;
  }
  const int descriptor = ::open(path.c_str(), mode, 0666);
  if (descriptor < 0) {
    return false;
  }
  if (!create && !ReadAll(descriptor, bytes_)) {
    ::close(descriptor);
    bytes_.clear();
    return false;
  }
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  path_ = error ? path : full.string();
  writable_ = writing;
  cleanUpTo_ = GetLength();
  if (writing) {
    descriptor_ = descriptor;
  } else {
    sourceDescriptor_ = descriptor;
  }
  return true;
}

void FcFile::CloseSource() {
  if (sourceDescriptor_ < 0) return;
  ::close(sourceDescriptor_);
  sourceDescriptor_ = -1;
}

void FcFile::ReleaseBehind() {
  // Asked after every group: the common answer must be quick.
  if (sourceDescriptor_ < 0 || position_ - releasedEnd_ < kKeptBehind + kReleaseStep) return;
  const std::int64_t from = releasedEnd_ > releasedStart_ ? releasedEnd_ : PageBoundary(bytes_.data(), 0, true);
  const std::int64_t to = PageBoundary(bytes_.data(), position_ - kKeptBehind, false);
  if (to - from < kReleaseStep) return;
  if (madvise(bytes_.data() + from, static_cast<std::size_t>(to - from), MADV_DONTNEED) != 0) return;
  if (releasedEnd_ <= releasedStart_) releasedStart_ = from;
  releasedEnd_ = to;
}

void FcFile::Reload(std::int64_t position) {
  const std::int64_t from = std::max(releasedStart_, PageBoundary(bytes_.data(), std::max<std::int64_t>(position, 0), false));
  std::int64_t at = from;
  // A file that can no longer be read leaves the bytes zero, which no
  // reader takes for a valid record.
  while (at < releasedEnd_) {
    const ssize_t got = ::pread(sourceDescriptor_, bytes_.data() + at, static_cast<std::size_t>(releasedEnd_ - at), at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    at += got;
  }
  releasedEnd_ = from;
  if (releasedEnd_ <= releasedStart_) {
    releasedStart_ = 0;
    releasedEnd_ = 0;
  }
}

bool FcFile::Flush() {
  if (descriptor_ < 0 || cleanUpTo_ >= GetLength()) {
    return true;
  }
  const auto start = static_cast<std::size_t>(cleanUpTo_);
  if (!WriteAll(descriptor_, bytes_.data() + start, bytes_.size() - start, cleanUpTo_)) {
    return false;
  }
  cleanUpTo_ = GetLength();
  return true;
}

bool FcFile::Close() {
  CloseSource();
  if (descriptor_ < 0) {
    return true;
  }
  bool ok = Flush();
  ok = ::fsync(descriptor_) == 0 && ok;
  ok = ::close(descriptor_) == 0 && ok;
  descriptor_ = -1;
  writable_ = false;
  return ok;
}

std::size_t FcFile::Read(void* out, std::size_t count) {
  if (position_ >= GetLength()) {
    return 0;
  }
  const std::size_t available = static_cast<std::size_t>(GetLength() - position_);
  const std::size_t taken = std::min(count, available);
  if (taken == 0) {
    return 0;
  }
  std::memcpy(out, Data() + position_, taken);
  position_ += static_cast<std::int64_t>(taken);
  return taken;
}

void FcFile::Write(const void* data, std::size_t count) {
  if (!writable_) {
    throw FcFileException("the file is not open for writing");
  }
  if (count == 0) {
    return;
  }
  const auto start = static_cast<std::size_t>(position_);
  if (start > bytes_.size()) {
    bytes_.resize(start);
  }
  cleanUpTo_ = std::min(cleanUpTo_, position_);
  const auto* bytes = static_cast<const char*>(data);
  const std::size_t overwritten = std::min(count, bytes_.size() - start);
  if (overwritten > 0) {
    std::memcpy(bytes_.data() + start, bytes, overwritten);
  }
  bytes_.insert(bytes_.end(), bytes + overwritten, bytes + count);
  position_ += static_cast<std::int64_t>(count);
}

std::int64_t FcFile::Seek(std::int64_t offset, FcSeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == FcSeekOrigin::kCurrent) {
    base = position_;
  } else if (origin == FcSeekOrigin::kEnd) {
    base = GetLength();
  }
  if (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) {
    return -1;
  }
  if (base + offset < 0) {
    return -1;
  }
  SetPosition(base + offset);
  return position_;
}

std::string FcFile::GetFileName() const {
  return std::filesystem::path(path_).filename().string();
}

std::vector<char> FcFile::TakeBytes() {
  Reload(0);
  CloseSource();
  std::vector<char> taken = std::move(bytes_);
  bytes_.clear();
  position_ = 0;
  cleanUpTo_ = 0;
  return taken;
}
