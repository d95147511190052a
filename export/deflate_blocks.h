#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Bytes compressed with libdeflate's fastest level into blocks, each a
// complete zlib stream of its own: a block is cut only between two Adds,
// once the bytes gathered since the last cut reach the block size. Whole
// buffers compress several times faster than zlib's streaming at its own
// fastest level, and into fewer bytes; the cuts keep the bytes held
// uncompressed to about one block.
class FcDeflateBlocks {
 public:
  static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 20;

  explicit FcDeflateBlocks(std::size_t blockSize = kDefaultBlockSize);

  // False, and failed from then on, when the compressor or the memory
  // gives up, or the blocks were already finished.
  bool Add(const void* bytes, std::size_t n);
  // Compresses what is left into a last block; nothing can be added
  // afterwards. Finishing twice does nothing more.
  bool Finish();

  bool Failed() const { return failed_; }
  // The bytes added so far.
  std::uint64_t InputSize() const { return inputSize_; }
  // The finished blocks in order; the caller may take them away.
  std::vector<std::vector<std::uint8_t>>& Blocks() { return blocks_; }

 private:
  bool CompressPending();

  std::size_t blockSize_;
  std::string pending_;
  std::vector<std::vector<std::uint8_t>> blocks_;
  std::uint64_t inputSize_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};
