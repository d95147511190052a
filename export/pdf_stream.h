#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "export/pdf_objects.h"

// The content of a stream object: a dictionary, "\nstream\n", the bytes,
// "\nendstream". Its length goes into an indirect integer object of its
// own, written right after the stream's object.
class CPDFStream : public CPDFBase {
 public:
  explicit CPDFStream(CPDF& document);
  void Write(CPDFOutput& out, CXRefTable& table) override;
  bool IsStream() const override { return true; }
  // Writes the data and returns the number of bytes written.
  virtual std::size_t WriteData(CPDFOutput& out);

  // False, with nothing appended, when the buffer cannot grow; the stream
  // then remembers the loss and fails the output it is written to.
  bool Append(const void* bytes, std::size_t n);
  void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

  CPDFDictionary& GetDictionary() { return dictionary_; }
  CPDFObject& GetLengthObject() { return *lengthObject_; }
  const std::vector<std::uint8_t>& GetData() const { return data_; }
  std::size_t GetCapacity() const { return capacity_; }
  std::size_t GetGrowthStep() const { return growthStep_; }

 private:
  // The capacity grows by the amount; every third growth doubles the step
  // for the growths after it.
  bool Grow(std::size_t amount);

  int growthCounter_ = 0;
  std::vector<std::uint8_t> data_;
  std::size_t capacity_ = 0;
  std::size_t growthStep_ = 1048576;
  bool lostData_ = false;
  std::unique_ptr<CPDFObject> lengthObject_;
  CPDFDictionary dictionary_;
};

// A stream whose data is compressed with zlib at the default level when it
// is written ("Filter" [/FlateDecode]); the data kept stays uncompressed.
class CPDFZLibStream : public CPDFStream {
 public:
  explicit CPDFZLibStream(CPDF& document);
  std::size_t WriteData(CPDFOutput& out) override;
};
