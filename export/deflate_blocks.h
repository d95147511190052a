#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct libdeflate_compressor;

// Blocks of bytes, each compressed whole into a complete zlib stream of its
// own with libdeflate's fastest level: whole buffers compress several times
// faster than zlib's streaming at its own fastest level, and into fewer
// bytes. One compressor and one scratch buffer, made with the first block,
// serve every block.
class FcDeflateBlocks {
 public:
  FcDeflateBlocks();
  FcDeflateBlocks(const FcDeflateBlocks&) = delete;
  FcDeflateBlocks& operator=(const FcDeflateBlocks&) = delete;
  ~FcDeflateBlocks();

  // Compresses the bytes as the next block; an empty block adds nothing.
  // False, and failed from then on, when the compressor or the memory
  // gives up.
  bool AddBlock(const void* bytes, std::size_t n);

  // Frees the compressor and its scratch buffer, which the next block
  // makes again: a finished slice keeps only its blocks.
  void ReleaseWorkspace();

  bool Failed() const { return failed_; }
  // The bytes added so far.
  std::uint64_t InputSize() const { return inputSize_; }
  // The blocks in order; the caller may take them away.
  std::vector<std::vector<std::uint8_t>>& Blocks() { return blocks_; }

 private:
  struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const;
  };

  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor_;
  std::vector<std::uint8_t> scratch_;
  std::vector<std::vector<std::uint8_t>> blocks_;
  std::uint64_t inputSize_ = 0;
  bool failed_ = false;
};
