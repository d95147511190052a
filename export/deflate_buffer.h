#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct z_stream_s;

// zlib compression at the default level, fed in pieces, into a byte buffer
// held in memory: only the compressed bytes stay. The output is the same
// whatever the sizes of the pieces. It can move, so that a buffer filled on
// one thread can be handed to another.
class FcDeflateBuffer {
 public:
  // 15 window bits give a zlib stream; 15 + 16 a gzip member.
  explicit FcDeflateBuffer(int windowBits = 15);
  FcDeflateBuffer(FcDeflateBuffer&& other) noexcept;
  FcDeflateBuffer& operator=(FcDeflateBuffer&& other) noexcept;
  ~FcDeflateBuffer();

  // False, and failed from then on, when zlib or the buffer gives up or the
  // stream was already finished.
  bool Add(const void* bytes, std::size_t n);
  // Ends the stream; nothing can be added afterwards. Finishing twice does
  // nothing more.
  bool Finish();

  bool Failed() const { return failed_; }
  bool Finished() const { return finished_; }
  // The bytes added so far.
  std::uint64_t InputSize() const { return inputSize_; }
  const std::vector<std::uint8_t>& Output() const { return output_; }
  // Forgets the output so far, once it is written elsewhere.
  void DiscardOutput() { output_.clear(); }

 private:
  bool Deflate(int flush);

  std::unique_ptr<z_stream_s> zlib_;
  std::vector<std::uint8_t> output_;
  std::uint64_t inputSize_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};
