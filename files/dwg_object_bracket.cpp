#include <cstdint>

#include "files/dwg_record.h"
#include "files/filer_dwg.h"

namespace {

// An object's size is written as an MS of at most 31 bits.
constexpr std::int64_t kLargestRecord = INT32_MAX;

}  // namespace

void FcFilerDwg::BeginObject(FcDwgRecord& object) {
  if (drawing_file_) {
    throw FcFileException("object records do not nest");
  }
  // A record starts on a byte of its own: bits left over from what came
  // before would otherwise travel into the record's buffer.
  FlushPendingByte();
  if (!file_) {
    throw FcFileException("no file is open for writing");
  }
  object_map_.Insert(object.GetDwgHandle(), file_->GetPosition());
  drawing_file_ = std::move(file_);
  file_ = std::make_unique<FcFile>();
  bits_written_ = 0;
  WriteBitShort(object.GetDwgType());
  size_field_ = {file_->GetPosition(), pending_, bit_count_};
  WriteRawLong(0);
  WriteHandleRef(0, 0, object.GetDwgHandle());
  object.WriteDwgExtendedData(*this);
}

void FcFilerDwg::EndObject(FcDwgRecord& object) {
  if (!drawing_file_) {
    throw FcFileException("no object record is open");
  }
  FlushPendingByte();
  const std::int64_t length = file_->GetLength();

  // Patch the data bit size into its zero placeholder, wherever in a byte
  // the placeholder began; the neighbouring bits stay as they are.
  file_->SetPosition(size_field_.position);
  pending_ = size_field_.pending;
  bit_count_ = size_field_.bit_count;
  overwrite_ = true;
  WriteRawLong(data_bit_size_);
  FlushPendingByte();
  // The read-ahead may have left a byte pending at a byte boundary.
  DropPendingBits();
  overwrite_ = false;
  file_->SetPosition(length);

  if (length > kLargestRecord) {
    throw FcFileException("an object is too large for a DWG file");
  }
  std::unique_ptr<FcFile> record = std::move(file_);
  file_ = std::move(drawing_file_);
  const std::int64_t start = file_->GetPosition();
  WriteModularShort(static_cast<std::uint32_t>(length));
  file_->Write(record->Data(), static_cast<std::size_t>(length));
  record.reset();
  FlushPendingByte();
  WriteRawShort(CrcOfRange(kObjectCrcSeed, start, file_->GetPosition()));

  if (FcDwgRecord* dictionary = object.GetExtensionDictionary()) {
    dictionary->WriteDwg(*this);
  }
}
