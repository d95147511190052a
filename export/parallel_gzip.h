#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <future>
#include <string>
#include <vector>

// A gzip member at zlib's default level, compressed a piece of fixed size at
// a time on several threads: each piece is deflated on its own, primed with
// the 32 KB of input before it and ended on a byte boundary, and the pieces
// join in order into one deflate stream, as gzip readers expect one member.
// The bytes depend neither on the number of threads nor on the sizes of the
// pieces added, and an input of no more than one piece gives exactly what
// FcDeflateBuffer(15 + 16) gives. Only the compressed bytes stay, and no
// more pieces compress at once than there are threads.
class FcParallelGzip {
 public:
  // threads 0: as many as the machine has cores.
  explicit FcParallelGzip(int threads = 0);
  FcParallelGzip(const FcParallelGzip&) = delete;
  FcParallelGzip& operator=(const FcParallelGzip&) = delete;
  // Waits for the pieces still compressing.
  ~FcParallelGzip();

  // False, and failed from then on, when zlib or the memory gives up or the
  // member was already finished.
  bool Add(const void* bytes, std::size_t n);
  // Ends the member; nothing can be added afterwards. Finishing twice does
  // nothing more.
  bool Finish();

  bool Failed() const { return failed_; }
  // The compressed bytes of the pieces done so far, in order.
  const std::vector<std::uint8_t>& Output() const { return output_; }
  // Forgets the output so far, once it is written elsewhere.
  void DiscardOutput() { output_.clear(); }

 private:
  struct Piece {
    std::vector<std::uint8_t> bytes;
    std::uint32_t crc = 0;
    std::size_t inputSize = 0;
    bool ok = false;
  };

  static Piece Compress(std::string input, std::string dictionary, bool last);
  void StartPiece(std::string input, bool last);
  // Appends the oldest piece to the output, waiting for it if need be.
  void TakeOldest();

  int threads_;
  // Input not yet given to a piece.
  std::string pending_;
  // The end of the input given to the last piece.
  std::string dictionary_;
  std::deque<std::future<Piece>> running_;
  std::vector<std::uint8_t> output_;
  std::uint32_t crc_ = 0;
  std::uint64_t inputSize_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};
