#include "filers/filer.h"

#include <algorithm>
#include <cstring>

#include "core/resbuf.h"
#include "platform/frame_link.h"

namespace {

constexpr char kBinarySentinel[] = "AutoCAD Binary DXF\r\n\x1A";
constexpr std::size_t kSentinelSize = 22;  // the text, 0x1A and its NUL
constexpr std::uint64_t kProgressSteps = 75;

}  // namespace

FcFiler::FcFiler() = default;

FcFiler::~FcFiler() = default;

bool FcFiler::Open(const std::string& path, unsigned flags, FcFileKind kind) {
  file_.reset();
  kind_ = kind;
  groupStartPosition_ = 0;
  groupStartLine_ = 0;
  markPosition_ = 0;
  markLine_ = 0;
  lineCount_ = 0;
  auto file = std::make_unique<FcFile>();
  if (!file->Open(path, flags)) {
    return false;
  }
  file_ = std::move(file);
  if ((flags & (kFcOpenWrite | kFcOpenReadWrite)) != 0) {
    if (kind == FcFileKind::kBinaryDxf) {
      WriteBytes(kBinarySentinel, kSentinelSize);
    }
    return true;
  }
  SetProgressTotal(static_cast<std::uint64_t>(file_->GetLength()));
  if (kind == FcFileKind::kDwg || kind == FcFileKind::kAsciiDxf || kind == FcFileKind::kBinaryDxf) {
    DetectKind();
  }
  return true;
}

void FcFiler::AttachFile(std::unique_ptr<FcFile> file, FcFileKind kind) {
  file_ = std::move(file);
  kind_ = kind;
  groupStartPosition_ = file_ ? file_->GetPosition() : 0;
  groupStartLine_ = 0;
  markPosition_ = groupStartPosition_;
  markLine_ = 0;
  lineCount_ = 0;
  SetProgressTotal(file_ ? static_cast<std::uint64_t>(file_->GetLength()) : 0);
}

std::unique_ptr<FcFile> FcFiler::DetachFile() { return std::move(file_); }

bool FcFiler::Close() {
  if (!file_) {
    return true;
  }
  const bool ok = file_->Close();
  file_.reset();
  return ok;
}

void FcFiler::DetectKind() {
  char head[kSentinelSize];
  const std::size_t count = file_->Read(head, kSentinelSize);
  if (count >= 4 && std::memcmp(head, "AC10", 4) == 0) {
    kind_ = FcFileKind::kDwg;
    file_->SetPosition(0);
    return;
  }
  if (count == kSentinelSize && std::memcmp(head, kBinarySentinel, kSentinelSize) == 0) {
    kind_ = FcFileKind::kBinaryDxf;
    return;
  }
  kind_ = FcFileKind::kAsciiDxf;
  file_->SetPosition(0);
}

std::int64_t FcFiler::Seek(std::int64_t offset, FcSeekOrigin origin) {
  return file_ ? file_->Seek(offset, origin) : -1;
}

void FcFiler::UnreadGroup() {
  Seek(groupStartPosition_, FcSeekOrigin::kBegin);
  if (kind_ == FcFileKind::kAsciiDxf) {
    lineCount_ = groupStartLine_;
  }
}

FcFiler::Place FcFiler::GetPlace() const { return {file_ ? file_->GetPosition() : 0, lineCount_}; }

void FcFiler::SeekToPlace(const Place& place) {
  Seek(place.position, FcSeekOrigin::kBegin);
  lineCount_ = place.line;
}

void FcFiler::SetMark() {
  markPosition_ = file_ ? file_->GetPosition() : 0;
  if (kind_ == FcFileKind::kAsciiDxf) {
    markLine_ = lineCount_;
  }
}

void FcFiler::SeekToMark() {
  Seek(markPosition_, FcSeekOrigin::kBegin);
  if (kind_ == FcFileKind::kAsciiDxf) {
    lineCount_ = markLine_;
  }
}

int FcFiler::SkipToNextEntity() {
  SetSkippedRecords();
  FcResBuf node;
  while (ReadGroup(node)) {
    if (node.type == 0) {
      UnreadGroup();
      return 0;
    }
  }
  return 1;
}

void FcFiler::SetProgressTotal(std::uint64_t total) {
  length_ = total;
  progressStep_ = total / kProgressSteps;
  progressCount_ = 0;
  lastReported_ = 0;
  nextReadCheck_ = 0;
}

void FcFiler::StepProgress(std::uint32_t count) {
  progressCount_ += count;
  ReportProgress(progressCount_, length_);
}

void FcFiler::CheckReadProgress() {
  // Asked after every group: before the next place where a report can fall
  // due there is nothing to do.
  if (!file_ || file_->GetPosition() < nextReadCheck_) {
    return;
  }
  // The bytes read are not needed again but for short steps back: a large
  // file need not stay in memory whole while the drawing is built from it.
  file_->ReleaseBehind();
  const auto position = static_cast<std::uint64_t>(file_->GetPosition());
  if (position - lastReported_ > progressStep_ || position >= length_) {
    ReportProgress(position, length_);
  }
  nextReadCheck_ = static_cast<std::int64_t>(std::min(lastReported_ + progressStep_ + 1, length_));
}

void FcFiler::ReportProgress(std::uint64_t done, std::uint64_t total) {
  // A reader that steps back has not lost progress, and a place already
  // reported is not reported again.
  if (total == 0 || done <= lastReported_) {
    return;
  }
  if (done - lastReported_ <= progressStep_ && done < total) {
    return;
  }
  const std::uint64_t percent = done >= total ? 100 : done * 100 / total;
  ::ProgressPosition(static_cast<int>(percent));
  lastReported_ = done;
}

std::string FcFiler::GetFileName() const { return file_ ? file_->GetFileName() : std::string(); }

std::string FcFiler::GetFilePath() const { return file_ ? file_->GetFilePath() : std::string(); }
