#include "filers/filer_dwg.h"

#include <algorithm>

#include "core/crc16.h"

FcFilerDwg::FcFilerDwg() = default;

FcFilerDwg::~FcFilerDwg() = default;

std::int64_t FcFilerDwg::Seek(std::int64_t offset, FcSeekOrigin origin) {
  DropPendingBits();
  return FcFiler::Seek(offset, origin);
}

void FcFilerDwg::PutByte(std::uint8_t byte) {
  if (!file_) {
    throw FcFileException("no file is open for writing");
  }
  file_->Write(&byte, 1);
}

void FcFilerDwg::DropPendingBits() {
  pending_ = 0;
  bitCount_ = 0;
}

void FcFilerDwg::FlushPendingByte() {
  if (bitCount_ == 0) {
    return;
  }
  PutByte(pending_);
  DropPendingBits();
}

std::uint64_t FcFilerDwg::BitsLeft() const {
  const std::uint64_t in_pending = bitCount_ == 0 ? 0 : 8u - bitCount_;
  if (!file_) {
    return in_pending;
  }
  const std::int64_t position = std::max<std::int64_t>(file_->GetPosition(), 0);
  const std::int64_t bytes = std::max<std::int64_t>(file_->GetLength() - position, 0);
  return static_cast<std::uint64_t>(bytes) * 8u + in_pending;
}

void FcFilerDwg::SaveBitPosition() {
  savedPlace_ = {file_ ? file_->GetPosition() : 0, pending_, bitCount_};
}

void FcFilerDwg::RestoreBitPosition() {
  Seek(savedPlace_.position, FcSeekOrigin::kBegin);
  pending_ = savedPlace_.pending;
  bitCount_ = savedPlace_.bit_count;
}

bool FcFilerDwg::ReadAlignedShort(std::uint16_t& value) {
  DropPendingBits();
  std::uint8_t low = 0;
  std::uint8_t high = 0;
  if (!GetByte(low) || !GetByte(high)) {
    return false;
  }
  value = static_cast<std::uint16_t>(low | (high << 8));
  return true;
}

bool FcFilerDwg::CheckSentinel(const std::uint8_t (&sentinel)[16]) {
  DropPendingBits();
  bool equal = true;
  for (std::uint8_t expected : sentinel) {
    std::uint8_t byte = 0;
    if (!GetByte(byte)) {
      return false;
    }
    equal = equal && byte == expected;
  }
  return equal;
}

std::int64_t FcFilerDwg::FindObjectOffset(FcHandle handle) const { return objectMap_.Find(handle); }

void FcFilerDwg::ReadAlongside(const FcFilerDwg& reader) {
  if (reader.file_ != nullptr) AttachFile(FcFile::ViewOf(*reader.file_), reader.kind_);
  graph_ = reader.graph_;
  version_ = reader.version_;
  codePage_ = reader.codePage_;
  decodingAhead_ = true;
}

void FcFilerDwg::BeginChainWalk() {
  if (++chainWalk_ != 0) return;
  std::fill(walkMarks_.begin(), walkMarks_.end(), 0);
  chainWalk_ = 1;
}

bool FcFilerDwg::VisitRecord(FcHandle handle) {
  const std::size_t index = objectMap_.FindIndex(handle);
  if (index == FcObjectMap::kNotFound) return true;
  walkMarks_.resize(objectMap_.Entries().size(), 0);
  if (walkMarks_[index] == chainWalk_) return false;
  walkMarks_[index] = chainWalk_;
  return true;
}

std::int64_t FcFilerDwg::SeekObject(FcHandle handle, std::int64_t& size, std::int16_t& type) {
  const std::int64_t offset = FindObjectOffset(handle);
  if (offset <= 0 || Seek(offset, FcSeekOrigin::kBegin) != offset) {
    return -1;
  }
  std::int32_t record_size = 0;
  if (!ReadModularShort(record_size)) {
    return -1;
  }
  size = record_size + (file_->GetPosition() - offset);
  StepProgress(1);
  if (!ReadBitShort(type)) {
    return -1;
  }
  return offset;
}

std::uint16_t FcFilerDwg::CrcOfRange(std::uint16_t seed, std::int64_t start, std::int64_t end) {
  DropPendingBits();
  if (!file_ || start < 0 || end < start || end > file_->GetLength()) {
    return 0;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file_->Data());
  return Crc16Update(seed, static_cast<std::size_t>(end - start), bytes + start);
}
