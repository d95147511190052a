#include <cstdint>

#include "filers/dwg_record.h"
#include "filers/filer_dwg.h"

namespace {

// An object's size is written as an MS of at most 31 bits.
constexpr std::int64_t kLargestRecord = INT32_MAX;

}  // namespace

void FcFilerDwg::PatchRawLong(const BitPlace& place, std::uint32_t value) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(file_->Data());
  const std::int64_t length = file_->GetLength();
  const unsigned used = place.bit_count;
  std::uint8_t bytes[5];
  std::size_t count = 0;
  std::uint8_t pending = place.pending;
  std::int64_t next = place.position;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<std::uint8_t>(value >> (8 * i));
    bytes[count++] = static_cast<std::uint8_t>(pending | (byte >> used));
    ++next;
    // The byte that follows in the file takes the rest of this one.
    pending = next < length ? data[next] : 0;
    if (used != 0) pending = static_cast<std::uint8_t>(pending | (byte << (8 - used)));
  }
  if (used != 0) bytes[count++] = pending;
  bitsWritten_ += 32;
  file_->SetPosition(place.position);
  file_->Write(bytes, count);
}

void FcFilerDwg::BeginObject(FcDwgRecord& object) {
  if (drawingFile_) {
    throw FcFileException("object records do not nest");
  }
  // A record starts on a byte of its own: bits left over from what came
  // before would otherwise travel into the record's buffer.
  FlushPendingByte();
  if (!file_) {
    throw FcFileException("no file is open for writing");
  }
  objectMap_.Insert(object.GetDwgHandle(), file_->GetPosition());
  drawingFile_ = std::move(file_);
  recordBuffer_.clear();
  file_ = std::make_unique<FcFile>(std::move(recordBuffer_));
  bitsWritten_ = 0;
  WriteBitShort(object.GetDwgType());
  sizeField_ = {file_->GetPosition(), pending_, bitCount_};
  WriteRawLong(0);
  WriteHandleRef(0, 0, object.GetDwgHandle());
  object.WriteDwgExtendedData(*this);
}

void FcFilerDwg::EndObject(FcDwgRecord& object) {
  if (!drawingFile_) {
    throw FcFileException("no object record is open");
  }
  FlushPendingByte();
  const std::int64_t length = file_->GetLength();

  // Patch the data bit size into its zero placeholder, wherever in a byte
  // the placeholder began; the neighbouring bits stay as they are.
  PatchRawLong(sizeField_, dataBitSize_);
  DropPendingBits();
  file_->SetPosition(length);

  if (length > kLargestRecord) {
    throw FcFileException("an object is too large for a DWG file");
  }
  std::unique_ptr<FcFile> record = std::move(file_);
  file_ = std::move(drawingFile_);
  const std::int64_t start = file_->GetPosition();
  WriteModularShort(static_cast<std::uint32_t>(length));
  file_->Write(record->Data(), static_cast<std::size_t>(length));
  recordBuffer_ = record->TakeBytes();
  FlushPendingByte();
  WriteRawShort(CrcOfRange(kObjectCrcSeed, start, file_->GetPosition()));

  if (FcDwgRecord* dictionary = object.GetExtensionDictionary()) {
    dictionary->WriteDwg(*this);
  }
}
