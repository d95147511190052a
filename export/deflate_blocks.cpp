#include "export/deflate_blocks.h"

#include <libdeflate.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

struct CompressorDeleter {
  void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

}  // namespace

FcDeflateBlocks::FcDeflateBlocks(std::size_t blockSize) : blockSize_(blockSize) {}

bool FcDeflateBlocks::Add(const void* bytes, std::size_t n) {
  if (failed_ || finished_) {
    failed_ = true;
    return false;
  }
  try {
    // Room for a whole block and the piece that ends it, so that the
    // bytes held are not copied while a block gathers.
    if (pending_.empty()) pending_.reserve(blockSize_ + n);
    pending_.append(static_cast<const char*>(bytes), n);
  } catch (const std::bad_alloc&) {
    failed_ = true;
  } catch (const std::length_error&) {
    failed_ = true;
  }
  if (failed_) return false;
  inputSize_ += n;
  if (pending_.size() >= blockSize_) return CompressPending();
  return true;
}

bool FcDeflateBlocks::Finish() {
  if (finished_) return !failed_;
  finished_ = true;
  if (!failed_ && !pending_.empty()) CompressPending();
  pending_ = std::string();
  return !failed_;
}

bool FcDeflateBlocks::CompressPending() {
  const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(libdeflate_alloc_compressor(1));
  if (compressor == nullptr) {
    failed_ = true;
    return false;
  }
  try {
    std::vector<std::uint8_t> block(libdeflate_zlib_compress_bound(compressor.get(), pending_.size()));
    const std::size_t size =
        libdeflate_zlib_compress(compressor.get(), pending_.data(), pending_.size(), block.data(), block.size());
    if (size == 0) {
      failed_ = true;
      return false;
    }
    block.resize(size);
    block.shrink_to_fit();
    blocks_.push_back(std::move(block));
  } catch (const std::bad_alloc&) {
    failed_ = true;
    return false;
  } catch (const std::length_error&) {
    failed_ = true;
    return false;
  }
  pending_.clear();
  return true;
}
