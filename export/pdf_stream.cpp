#include "export/pdf_stream.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <new>
#include <string>

CPDFStream::CPDFStream(CPDF& document)
    : lengthObject_(std::make_unique<CPDFObject>(document, std::make_unique<CPDFInteger>(0))) {}

void CPDFStream::Write(CPDFOutput& out, CXRefTable& table) {
  if (lostData_) out.Fail();
  dictionary_.SetValue("Length", std::make_unique<CPDFObjectRef>(lengthObject_.get()));
  dictionary_.Write(out, table);
  out.Write("\nstream\n");
  const std::int64_t start = out.Position();
  WriteData(out);
  const std::int64_t length = out.Position() - start;
  if (length > INT32_MAX) out.Fail();
  static_cast<CPDFInteger&>(*lengthObject_->GetContent()).SetValue(static_cast<std::int32_t>(length));
  out.Write("\nendstream");
}

std::size_t CPDFStream::WriteData(CPDFOutput& out) {
  out.Write(data_.data(), data_.size());
  return data_.size();
}

bool CPDFStream::Append(const void* bytes, std::size_t n) { return Store(bytes, n); }

bool CPDFStream::Store(const void* bytes, std::size_t n) {
  // The vector grows geometrically: a page of hundreds of megabytes is
  // copied a few times while it grows, not once per megabyte.
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  try {
    data_.insert(data_.end(), p, p + n);
  } catch (const std::bad_alloc&) {
    lostData_ = true;
    return false;
  } catch (const std::length_error&) {
    lostData_ = true;
    return false;
  }
  return true;
}

void CPDFStream::AppendFormat(const char* format, ...) {
  std::string text;
  std::va_list arguments;
  va_start(arguments, format);
  FormatStringV(text, format, arguments);
  va_end(arguments);
  Append(text.data(), text.size());
}

CPDFZLibStream::CPDFZLibStream(CPDF& document) : CPDFStream(document) {
  auto filter = std::make_unique<CPDFArray>();
  filter->AddName("FlateDecode");
  GetDictionary().Add("Filter", std::move(filter));
}

CPDFZLibStream::CPDFZLibStream(CPDF& document, std::vector<std::uint8_t>&& compressed)
    : CPDFZLibStream(document) {
  compressed_ = std::move(compressed);
  precompressed_ = true;
}

bool CPDFZLibStream::Append(const void* bytes, std::size_t n) {
  if (!precompressed_ && deflater_.Add(bytes, n)) return true;
  MarkLost();
  return false;
}

std::size_t CPDFZLibStream::WriteData(CPDFOutput& out) {
  if (precompressed_) {
    out.Write(compressed_.data(), compressed_.size());
    return compressed_.size();
  }
  if (!deflater_.Finish()) {
    out.Fail();
    return 0;
  }
  const std::vector<std::uint8_t>& bytes = deflater_.Output();
  out.Write(bytes.data(), bytes.size());
  return bytes.size();
}
