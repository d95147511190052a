#include "export/parallel_gzip.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// Large enough that the byte-boundary ends cost nothing measurable, small
// enough that a drawing of a few megabytes keeps every thread busy.
constexpr std::size_t kPieceSize = std::size_t{1} << 20;
// Deflate looks back this far.
constexpr std::size_t kWindow = std::size_t{1} << 15;
// What zlib writes before a gzip member at the default level: no name, no
// time, no extra flags, made on Unix.
constexpr std::uint8_t kHeader[] = {0x1F, 0x8B, 8, 0, 0, 0, 0, 0, 0, 3};

void AppendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

FcParallelGzip::FcParallelGzip(int threads)
    : threads_(threads > 0 ? threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))) {
  output_.assign(std::begin(kHeader), std::end(kHeader));
  crc_ = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
}

FcParallelGzip::~FcParallelGzip() {
  for (std::future<Piece>& piece : running_) {
    if (piece.valid()) piece.wait();
  }
}

FcParallelGzip::Piece FcParallelGzip::Compress(std::string input, std::string dictionary, bool last) {
  Piece piece;
  piece.inputSize = input.size();
  z_stream zlib{};
  if (deflateInit2(&zlib, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return piece;
  try {
    if (!dictionary.empty()) {
      deflateSetDictionary(&zlib, reinterpret_cast<const Bytef*>(dictionary.data()),
                           static_cast<uInt>(dictionary.size()));
    }
    // The bound holds for a finished stream; a byte-boundary end adds a
    // few bytes more.
    piece.bytes.resize(deflateBound(&zlib, static_cast<uLong>(input.size())) + 64);
    zlib.next_in = reinterpret_cast<Bytef*>(input.data());
    zlib.avail_in = static_cast<uInt>(input.size());
    zlib.next_out = piece.bytes.data();
    zlib.avail_out = static_cast<uInt>(piece.bytes.size());
    const int status = deflate(&zlib, last ? Z_FINISH : Z_SYNC_FLUSH);
    piece.ok = zlib.avail_in == 0 && (last ? status == Z_STREAM_END : status == Z_OK && zlib.avail_out > 0);
    piece.bytes.resize(zlib.total_out);
  } catch (const std::bad_alloc&) {
    piece.ok = false;
  } catch (const std::length_error&) {
    piece.ok = false;
  }
  deflateEnd(&zlib);
  piece.crc = static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(input.data()), static_cast<uInt>(input.size())));
  return piece;
}

void FcParallelGzip::StartPiece(std::string input, bool last) {
  while (static_cast<int>(running_.size()) >= threads_) TakeOldest();
  struct Job {
    std::string input;
    std::string dictionary;
    bool last;
  };
  auto job = std::make_shared<Job>(Job{std::move(input), std::move(dictionary_), last});
  dictionary_.assign(job->input, job->input.size() - std::min(job->input.size(), kWindow), kWindow);
  const auto compress = [job] { return Compress(std::move(job->input), std::move(job->dictionary), job->last); };
  if (threads_ > 1) {
    try {
      running_.push_back(std::async(std::launch::async, compress));
      return;
    } catch (const std::system_error&) {
      // No thread to be had: the piece is compressed when it is taken.
    }
  }
  running_.push_back(std::async(std::launch::deferred, compress));
}

void FcParallelGzip::TakeOldest() {
  Piece piece = running_.front().get();
  running_.pop_front();
  if (failed_) return;
  if (!piece.ok) {
    failed_ = true;
    return;
  }
  try {
    output_.insert(output_.end(), piece.bytes.begin(), piece.bytes.end());
  } catch (const std::bad_alloc&) {
    failed_ = true;
    return;
  }
  crc_ = static_cast<std::uint32_t>(crc32_combine(crc_, piece.crc, static_cast<z_off_t>(piece.inputSize)));
}

bool FcParallelGzip::Add(const void* bytes, std::size_t n) {
  if (failed_ || finished_) {
    failed_ = true;
    return false;
  }
  const auto* input = static_cast<const char*>(bytes);
  try {
    while (n > 0) {
      const std::size_t taken = std::min(n, kPieceSize + 1 - std::min(pending_.size(), kPieceSize));
      pending_.append(input, taken);
      input += taken;
      n -= taken;
      inputSize_ += taken;
      // A full piece starts once more input follows it, so that the last
      // piece, which ends the stream, is never empty after a full one.
      if (pending_.size() > kPieceSize) {
        std::string rest = pending_.substr(kPieceSize);
        pending_.resize(kPieceSize);
        StartPiece(std::move(pending_), false);
        pending_ = std::move(rest);
        pending_.reserve(kPieceSize + 1);
      }
    }
  } catch (const std::bad_alloc&) {
    failed_ = true;
  } catch (const std::length_error&) {
    failed_ = true;
  }
  return !failed_;
}

bool FcParallelGzip::Finish() {
  if (finished_) return !failed_;
  finished_ = true;
  if (failed_) return false;
  try {
    StartPiece(std::move(pending_), true);
    while (!running_.empty()) TakeOldest();
    if (failed_) return false;
    AppendLittleEndian(output_, crc_);
    AppendLittleEndian(output_, static_cast<std::uint32_t>(inputSize_));
  } catch (const std::bad_alloc&) {
    failed_ = true;
  }
  return !failed_;
}
