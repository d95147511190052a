#include "export/pdf_stream.h"

#include <zlib.h>

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

bool CPDFStream::Append(const void* bytes, std::size_t n) {
  if (capacity_ - data_.size() < n || capacity_ == 0) {
    if (!Grow(growthStep_ * (n / growthStep_ + 1))) {
      lostData_ = true;
      return false;
    }
  }
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  data_.insert(data_.end(), p, p + n);
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

bool CPDFStream::Grow(std::size_t amount) {
  if (growthCounter_ < 2) {
    ++growthCounter_;
  } else {
    growthStep_ *= 2;
    growthCounter_ = 0;
  }
  try {
    data_.reserve(capacity_ + amount);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  capacity_ += amount;
  return true;
}

CPDFZLibStream::CPDFZLibStream(CPDF& document) : CPDFStream(document) {
  auto filter = std::make_unique<CPDFArray>();
  filter->AddName("FlateDecode");
  GetDictionary().Add("Filter", std::move(filter));
}

std::size_t CPDFZLibStream::WriteData(CPDFOutput& out) {
  const std::vector<std::uint8_t>& data = GetData();
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<Bytef> compressed(size);
  if (compress2(compressed.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION) !=
      Z_OK) {
    out.Fail();
    return 0;
  }
  out.Write(compressed.data(), size);
  return size;
}
