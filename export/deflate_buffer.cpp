#include "export/deflate_buffer.h"

#include <zlib.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

FcDeflateBuffer::FcDeflateBuffer(int windowBits) : zlib_(std::make_unique<z_stream>()) {
  // The parameters compress2 uses at the default level.
  if (deflateInit2(zlib_.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    zlib_.reset();
    failed_ = true;
  }
}

FcDeflateBuffer::FcDeflateBuffer(FcDeflateBuffer&& other) noexcept
    : zlib_(std::move(other.zlib_)),
      output_(std::move(other.output_)),
      inputSize_(other.inputSize_),
      failed_(other.failed_),
      finished_(other.finished_) {
  other.failed_ = true;
}

FcDeflateBuffer& FcDeflateBuffer::operator=(FcDeflateBuffer&& other) noexcept {
  if (this == &other) return *this;
  if (zlib_ != nullptr) deflateEnd(zlib_.get());
  zlib_ = std::move(other.zlib_);
  output_ = std::move(other.output_);
  inputSize_ = other.inputSize_;
  failed_ = other.failed_;
  finished_ = other.finished_;
  other.failed_ = true;
  return *this;
}

FcDeflateBuffer::~FcDeflateBuffer() {
  if (zlib_ != nullptr) deflateEnd(zlib_.get());
}

bool FcDeflateBuffer::Deflate(int flush) {
  unsigned char buffer[1 << 16];
  int status = Z_OK;
  do {
    zlib_->next_out = buffer;
    zlib_->avail_out = sizeof buffer;
    status = deflate(zlib_.get(), flush);
    if (status == Z_STREAM_ERROR) return false;
    try {
      output_.insert(output_.end(), buffer, buffer + (sizeof buffer - zlib_->avail_out));
    } catch (const std::bad_alloc&) {
      return false;
    } catch (const std::length_error&) {
      return false;
    }
  } while (zlib_->avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
  return true;
}

bool FcDeflateBuffer::Add(const void* bytes, std::size_t n) {
  if (failed_ || finished_ || zlib_ == nullptr) {
    failed_ = true;
    return false;
  }
  // zlib counts its input in 32 bits.
  const auto* input = static_cast<const Bytef*>(bytes);
  while (n > 0) {
    const std::size_t piece = std::min<std::size_t>(n, std::size_t{1} << 30);
    zlib_->next_in = const_cast<Bytef*>(input);
    zlib_->avail_in = static_cast<uInt>(piece);
    if (!Deflate(Z_NO_FLUSH)) {
      failed_ = true;
      return false;
    }
    input += piece;
    n -= piece;
    inputSize_ += piece;
  }
  return true;
}

bool FcDeflateBuffer::Finish() {
  if (finished_) return !failed_;
  finished_ = true;
  if (failed_ || zlib_ == nullptr || !Deflate(Z_FINISH)) failed_ = true;
  return !failed_;
}
