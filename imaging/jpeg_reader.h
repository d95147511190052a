#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib.h"

// The title under which the window side shows a decoder's error.
inline constexpr char kJpegErrorTitle[] = "JPEG Fatal Error";

// Reads a JPEG file into a 24-bit bottom-up picture. A failure keeps the
// previous picture and leaves its reason in the error text: a failure the
// reader detects itself (a file that cannot be opened, a picture too large)
// reads "JPEG :\n..." or "JpegFile :\n..."; a failure of the decoder
// (corrupt data, an unsupported format) is the decoder's own message and is
// marked as such, for the caller to show under kJpegErrorTitle.
class CJpeg {
 public:
  CJpeg() = default;
  CJpeg(const CJpeg&) = delete;
  CJpeg& operator=(const CJpeg&) = delete;

  // True when the file was decoded and the picture replaced.
  bool LoadDib(const std::string& path);
  bool LoadDibFromMemory(const std::uint8_t* data, std::size_t size);

  // The decoded picture top-down, 3 bytes per pixel in red, green, blue
  // order without row padding; a greyscale picture gives equal channels.
  // Empty on failure.
  std::vector<std::uint8_t> ReadRgb(const std::string& path, int* width, int* height);
  std::vector<std::uint8_t> ReadRgbFromMemory(const std::uint8_t* data, std::size_t size, int* width,
                                              int* height);

  const std::string& GetErrorText() const { return errorText_; }
  // Whether the last failure was the decoder's.
  bool IsDecoderError() const { return decoderError_; }
  // The picture of the last successful read, null before one.
  CDib* GetDib() const { return picture_.get(); }

 private:
  std::vector<std::uint8_t> Decode(std::FILE* file, const std::uint8_t* data, std::size_t size, int* width,
                                   int* height);
  bool TakeRgb(const std::vector<std::uint8_t>& rgb, int width, int height);

  std::string errorText_ = "No Error";
  bool decoderError_ = false;
  std::unique_ptr<CDib> picture_;
};
