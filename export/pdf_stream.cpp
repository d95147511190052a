#include "export/pdf_stream.h"

#include <zlib.h>

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

CPDFZLibStream::CPDFZLibStream(CPDF& document) : CPDFStream(document), zlib_(std::make_unique<z_stream>()) {
  auto filter = std::make_unique<CPDFArray>();
  filter->AddName("FlateDecode");
  GetDictionary().Add("Filter", std::move(filter));
  // The parameters compress2 uses at the default level.
  if (deflateInit2(zlib_.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    zlib_.reset();
  }
}

CPDFZLibStream::~CPDFZLibStream() {
  if (zlib_ != nullptr) deflateEnd(zlib_.get());
}

bool CPDFZLibStream::Deflate(int flush) {
  unsigned char buffer[1 << 16];
  int status = Z_OK;
  do {
    zlib_->next_out = buffer;
    zlib_->avail_out = sizeof buffer;
    status = deflate(zlib_.get(), flush);
    if (status == Z_STREAM_ERROR || !Store(buffer, sizeof buffer - zlib_->avail_out)) return false;
  } while (zlib_->avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
  return true;
}

bool CPDFZLibStream::Append(const void* bytes, std::size_t n) {
  if (zlib_ == nullptr || finished_) {
    MarkLost();
    return false;
  }
  // zlib counts its input in 32 bits.
  const auto* input = static_cast<const Bytef*>(bytes);
  while (n > 0) {
    const std::size_t piece = std::min<std::size_t>(n, std::size_t{1} << 30);
    zlib_->next_in = const_cast<Bytef*>(input);
    zlib_->avail_in = static_cast<uInt>(piece);
    if (!Deflate(Z_NO_FLUSH)) {
      MarkLost();
      return false;
    }
    input += piece;
    n -= piece;
  }
  return true;
}

std::size_t CPDFZLibStream::WriteData(CPDFOutput& out) {
  if (!finished_) {
    finished_ = true;
    if (zlib_ == nullptr || !Deflate(Z_FINISH)) {
      out.Fail();
      return 0;
    }
  }
  return CPDFStream::WriteData(out);
}
