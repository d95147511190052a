#include "export/deflate_blocks.h"

#include <libdeflate.h>

#include <new>
#include <stdexcept>
#include <utility>

void FcDeflateBlocks::CompressorDeleter::operator()(libdeflate_compressor* compressor) const {
  libdeflate_free_compressor(compressor);
}

FcDeflateBlocks::FcDeflateBlocks() = default;

FcDeflateBlocks::~FcDeflateBlocks() = default;

bool FcDeflateBlocks::AddBlock(const void* bytes, std::size_t n) {
  if (failed_) return false;
  if (n == 0) return true;
  if (compressor_ == nullptr) compressor_.reset(libdeflate_alloc_compressor(1));
  if (compressor_ == nullptr) {
    failed_ = true;
    return false;
  }
  try {
    scratch_.resize(libdeflate_zlib_compress_bound(compressor_.get(), n));
    const std::size_t size = libdeflate_zlib_compress(compressor_.get(), bytes, n, scratch_.data(), scratch_.size());
    if (size == 0) {
      failed_ = true;
      return false;
    }
    blocks_.emplace_back(scratch_.begin(), scratch_.begin() + static_cast<std::ptrdiff_t>(size));
  } catch (const std::bad_alloc&) {
    failed_ = true;
    return false;
  } catch (const std::length_error&) {
    failed_ = true;
    return false;
  }
  inputSize_ += n;
  return true;
}

void FcDeflateBlocks::ReleaseWorkspace() {
  compressor_.reset();
  std::vector<std::uint8_t>().swap(scratch_);
}
