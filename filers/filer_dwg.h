#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/handle.h"
#include "filers/filer.h"
#include "filers/object_map.h"

class FcDwgRecord;

// One entry of the section directory near the start of a DWG file.
struct DwgSectionLocator {
  std::uint8_t number = 0;
  std::int32_t address = 0;
  std::int32_t size = 0;
};

// The DWG file as a stream of bits: the primitive data types of the format,
// the bracket that turns the bits of one object into a complete record
// (size, data, CRC), the lookup of an object's position by handle and the
// CRC of a file range. Bits are taken from and put into each byte from the
// most significant down; raw multi-byte values are least significant byte
// first and need not start on a byte boundary.
//
// Readers return true when the whole value was read and false when the data
// ends first or the value is malformed; the output may then hold part of a
// value and the stream stands wherever the failure left it. Writers raise
// FcFileException when the file cannot take the bytes.
class FcFilerDwg : public FcFiler {
 public:
  static constexpr std::int32_t kVersionR13 = 0;
  static constexpr std::int32_t kVersionR13Late = 1;
  static constexpr std::int32_t kVersionR14 = 2;
  static constexpr std::int32_t kVersion2000 = 3;
  static constexpr std::uint16_t kObjectCrcSeed = 0xC0C1;

  FcFilerDwg();
  ~FcFilerDwg() override;

  // Drops the pending bits, then moves the file.
  std::int64_t Seek(std::int64_t offset, FcSeekOrigin origin) override;

  // B, BB, RC, RS, RL, RD, 2RD, 3RD.
  bool ReadBit(std::uint8_t& bit);
  bool ReadBitPair(std::uint8_t& pair);
  bool ReadRawChar(std::uint8_t& value);
  bool ReadRawShortBytes(std::uint16_t& value);
  bool ReadRawLong(std::uint32_t& value);
  bool ReadRawDouble(double& value);
  bool Read2RawDouble(double (&values)[2]);
  bool Read3RawDouble(double (&values)[3]);
  // BS, BL, BD, 3BD. BL and BD fail on the code 11.
  bool ReadBitShort(std::int16_t& value);
  bool ReadBitLong(std::int32_t& value);
  bool ReadBitDouble(double& value);
  bool Read3BitDouble(double (&values)[3]);
  // DD: a double stored against a default that both sides know.
  bool ReadDefaultDouble(double default_value, double& value);
  // BE and BT: release 2000 files spend one bit on the common value.
  bool ReadExtrusion(double (&values)[3]);
  bool ReadThickness(double& value);
  // TV: characters in the drawing's code page. A length of 0 or less gives
  // the empty text.
  bool ReadText(std::string& text);
  // H: resolves the relative codes 6, 8, 10 and 12 against the reference.
  bool ReadHandleRef(FcHandle& handle, FcHandle reference, std::uint8_t* code = nullptr);
  // MC, unsigned MC and MS take whole bytes straight from the file, without
  // using or changing the pending bits; a number longer than its widest
  // value fails.
  bool ReadModularChar(std::int32_t& value);
  bool ReadUnsignedModularChar(std::uint64_t& value);
  bool ReadModularShort(std::int32_t& value);
  bool SkipBits(std::uint64_t count);
  // Passes over an object's extended data.
  bool SkipExtendedData();

  // A reader that wants to come back saves its place and restores it.
  void SaveBitPosition();
  void RestoreBitPosition();
  // Drop the pending bits and read whole bytes from the file.
  bool ReadAlignedShort(std::uint16_t& value);
  bool CheckSentinel(const std::uint8_t (&sentinel)[16]);

  // The offset of an object's record, or -1 when the map lacks it.
  std::int64_t FindObjectOffset(FcHandle handle) const;
  // A chain of records linked by their handles (the entities of a block)
  // must never come back to a record it passed, or reading it would not
  // end. BeginChainWalk starts a walk; VisitRecord is false for a record
  // the walk has passed already, and true for a handle the map lacks (the
  // seek to it fails). The marks take one number per object, kept for all
  // walks, so that a walk costs only the records it passes.
  void BeginChainWalk();
  bool VisitRecord(FcHandle handle);
  // Whether any walk has passed the object at that index of the map.
  bool WasVisited(std::size_t index) const { return index < walkMarks_.size() && walkMarks_[index] != 0; }

  // Makes this filer a reader of the other's file for another thread: a
  // view of the same bytes with a position of its own, the same release,
  // code page and drawing, but no object map. Records read through it are
  // decoded ahead: their readers leave what the drawing shares (such as a
  // layer's member list) to the thread that adds them to the drawing.
  void ReadAlongside(const FcFilerDwg& reader);
  bool IsDecodingAhead() const { return decodingAhead_; }
  // Threads that decode the records of a large file: 0 chooses by the
  // machine and the file's size, 1 reads on the calling thread alone.
  int GetDecodeThreads() const { return decodeThreads_; }
  void SetDecodeThreads(int count) { decodeThreads_ = count; }
  // Moves to the object's record and reads its MS size (counted from the
  // offset up to the object's CRC) and its BS type; the offset, or -1 when
  // the handle is absent or the record cannot be reached or read.
  std::int64_t SeekObject(FcHandle handle, std::int64_t& size, std::int16_t& type);
  // CRC of the file's bytes [start, end) from the seed, over the whole
  // range; 0 when the bytes are not all there. The file position is kept,
  // the pending bits are dropped.
  std::uint16_t CrcOfRange(std::uint16_t seed, std::int64_t start, std::int64_t end);

  void WriteBit(std::uint8_t bit);
  void WriteRawChar(std::int8_t value);
  void WriteRawByte(std::uint8_t value);
  void WriteRawShort(std::uint16_t value);
  void WriteRawLong(std::uint32_t value);
  void WriteRawDouble(double value);
  // The bit-coded writers choose the shortest code.
  void WriteBitShort(std::int16_t value);
  void WriteBitLong(std::int32_t value);
  void WriteBitDouble(double value);
  void WriteDefaultDouble(double default_value, double value);
  // A null or empty text is written as length 0. A text longer than a
  // length can say raises FcFileException.
  void WriteText(const char* text);
  void WriteText(std::string_view text);
  // Codes below 6 are written as given, with the handle absolute; for a
  // code of 6 or more the writer picks the relative form itself.
  void WriteHandleRef(std::uint8_t code, FcHandle reference, FcHandle handle);
  void WriteModularChar(std::int32_t value);
  void WriteUnsignedModularChar(std::uint64_t value);
  void WriteModularShort(std::uint32_t value);

  // The object bracket. Between the two calls the object's writer writes
  // its data, stores GetBitsWritten() with SetDataBitSize() and writes its
  // handle references; EndObject then writes the record to the drawing
  // file. Brackets do not nest.
  void BeginObject(FcDwgRecord& object);
  void EndObject(FcDwgRecord& object);

  std::int32_t GetVersion() const { return version_; }
  // The owner handle that records owned by another entity (attributes and
  // their SEQEND) write in place of their block's; 0 when none.
  FcHandle GetOwnerOverride() const { return ownerOverride_; }
  void SetOwnerOverride(FcHandle owner) { ownerOverride_ = owner; }
  void SetVersion(std::int32_t version) { version_ = version; }
  std::uint32_t GetBitsWritten() const { return bitsWritten_; }
  void SetDataBitSize(std::uint32_t size) { dataBitSize_ = size; }
  std::uint16_t GetCodePage() const { return codePage_; }
  void SetCodePage(std::uint16_t code_page) { codePage_ = code_page; }
  FcObjectMap& GetObjectMap() { return objectMap_; }
  const FcObjectMap& GetObjectMap() const { return objectMap_; }

 protected:
  // The BB codes of BS, BL and BD.
  static constexpr std::uint8_t kCodeFull = 0;  // a raw value follows
  static constexpr std::uint8_t kCodeByte = 1;  // one unsigned byte; BD: 1.0
  static constexpr std::uint8_t kCodeZero = 2;
  static constexpr std::uint8_t kCode11 = 3;  // BS: 256; BL and BD: invalid
  // The BB codes of DD.
  static constexpr std::uint8_t kDefaultSame = 0;
  static constexpr std::uint8_t kDefaultLowBytes = 1;  // bytes 0 to 3 follow
  static constexpr std::uint8_t kDefaultSixBytes = 2;  // bytes 4, 5 and 0 to 3 follow
  static constexpr std::uint8_t kDefaultReplaced = 3;  // an RD follows

  // A place in the stream: file position and pending bits.
  struct BitPlace {
    std::int64_t position = 0;
    std::uint8_t pending = 0;
    std::uint8_t bit_count = 0;
  };

  // Inline: every value read from a file passes through it.
  bool GetByte(std::uint8_t& byte) {
    if (!file_) {
      return false;
    }
    const std::int64_t position = file_->GetPosition();
    if (position < 0 || position >= file_->GetLength()) {
      return false;
    }
    byte = static_cast<std::uint8_t>(file_->Data()[position]);
    file_->SetPosition(position + 1);
    return true;
  }
  void PutByte(std::uint8_t byte);
  void DropPendingBits();
  // Writes a partly filled byte, padded with 0 bits.
  void FlushPendingByte();
  // Bits that can still be read, the pending ones included.
  std::uint64_t BitsLeft() const;
  // Count whole bytes from the bit position, as many ReadRawChar calls
  // would take them.
  bool ReadRawBytes(std::uint8_t* out, std::size_t count);
  // Count whole bytes at the bit position, as many WriteRawByte calls
  // would put them.
  void WriteRawBytes(const std::uint8_t* bytes, std::size_t count);
  // A width of 1 to 8 bytes.
  bool ReadLittleEndian(std::size_t width, std::uint64_t& value);
  void WriteLittleEndian(std::uint64_t value, std::size_t width);
  // BS and BL share their codes 00 (a raw value of the width), 01 (one
  // unsigned byte) and 10 (0); code 11 is left to the caller.
  bool ReadBitCodedInteger(std::size_t width, std::uint8_t& code, std::uint64_t& value);
  void WriteBitCodedInteger(std::int32_t value, std::size_t width);
  void WriteBitPair(std::uint8_t pair);
  // The bytes of a modular char: 7-bit groups, least significant first,
  // while bit 7 is set. The sum of the groups, the last byte and the shift
  // of its group; false when the data ends or more than max_bytes run on.
  bool ReadModularGroups(int max_bytes, std::uint64_t& sum, std::uint8_t& last, int& last_shift);
  // Writes an RL over the zero placeholder that was written at the place:
  // the place's pending bits begin its first byte and the bits after it
  // keep what the file holds.
  void PatchRawLong(const BitPlace& place, std::uint32_t value);

  std::uint8_t pending_ = 0;
  std::uint8_t bitCount_ = 0;
  std::int32_t version_ = kVersion2000;
  FcHandle ownerOverride_ = 0;
  FcObjectMap objectMap_;
  // The walk that last passed each object, by map index; 0 for none.
  std::vector<std::uint32_t> walkMarks_;
  std::uint32_t chainWalk_ = 0;
  bool decodingAhead_ = false;
  int decodeThreads_ = 0;
  BitPlace savedPlace_;
  // The drawing file, set aside while an object's record is assembled in a
  // memory file.
  std::unique_ptr<FcFile> drawingFile_;
  std::uint16_t codePage_ = 0;
  BitPlace sizeField_;
  std::uint32_t dataBitSize_ = 0;
  std::uint32_t bitsWritten_ = 0;
  // The bytes of the last record, kept so that the next record is
  // assembled without growing a buffer from nothing.
  std::vector<char> recordBuffer_;
};
