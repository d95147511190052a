#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "export/deflate_buffer.h"
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
  virtual bool Append(const void* bytes, std::size_t n);
  void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

  CPDFDictionary& GetDictionary() { return dictionary_; }
  CPDFObject& GetLengthObject() { return *lengthObject_; }
  // Data that should have gone in was lost: the stream fails the output
  // it is written to.
  void MarkLost() { lostData_ = true; }
  const std::vector<std::uint8_t>& GetData() const { return data_; }
  std::size_t GetCapacity() const { return data_.capacity(); }

 protected:
  // Appends to the kept bytes as they are.
  bool Store(const void* bytes, std::size_t n);

 private:
  std::vector<std::uint8_t> data_;
  bool lostData_ = false;
  std::unique_ptr<CPDFObject> lengthObject_;
  CPDFDictionary dictionary_;
};

// A stream whose data is compressed with zlib at the default level
// ("Filter" [/FlateDecode]) as it is appended: only the compressed bytes
// are kept, and the compression is finished when the stream is written.
class CPDFZLibStream : public CPDFStream {
 public:
  explicit CPDFZLibStream(CPDF& document);
  // A stream of a complete zlib stream compressed elsewhere (on another
  // thread), taken as it is; nothing can be appended to it.
  CPDFZLibStream(CPDF& document, std::vector<std::uint8_t>&& compressed);
  bool Append(const void* bytes, std::size_t n) override;
  std::size_t WriteData(CPDFOutput& out) override;
  const std::vector<std::uint8_t>& GetCompressed() const {
    return precompressed_ ? compressed_ : deflater_.Output();
  }

 private:
  FcDeflateBuffer deflater_;
  std::vector<std::uint8_t> compressed_;
  bool precompressed_ = false;
};
