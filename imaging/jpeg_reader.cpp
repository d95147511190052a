#include "imaging/jpeg_reader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>

namespace {

// The decoder's working memory (whole-image coefficient buffers of
// progressive pictures); beyond it the decoder reports an error instead of
// asking for more.
constexpr long kMaxDecoderMemory = 512L << 20;

// Huffman-coded data spends at least one bit on every 8 x 8 block of its
// finest component, so a byte holds at most 512 pixels; a header that
// claims more describes data that is not there (the decoder would make up
// the missing rows). Arithmetic coding packs flat areas tighter.
constexpr std::uint64_t kMaxPixelsPerHuffmanByte = 512;
constexpr std::uint64_t kMaxPixelsPerArithmeticByte = 32768;

// The decoder reports a fatal error by jumping back to the step that
// called it. Everything between that step and the decoder is plain data,
// so the jump skips no destructor; the steps hand a result code to the
// caller, which owns the buffers and the file.
struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

struct JpegSession {
  jpeg_decompress_struct cinfo;
  JpegErrorManager error;
};

enum class JpegStep { kDone, kDecoderError, kTooLarge, kTooLittleData };

void JpegErrorExit(j_common_ptr cinfo) {
  auto* error = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, error->message);
  std::longjmp(error->jump, 1);
}

// Warnings about recoverable damage are not printed; the picture is read
// as far as it goes.
void JpegIgnoreMessage(j_common_ptr) {}

// `size` is the length of the data, read from the file when there is one.
JpegStep JpegStart(JpegSession* s, std::FILE* file, const unsigned char* data, unsigned long size) {
  s->cinfo.err = jpeg_std_error(&s->error.pub);
  s->error.pub.error_exit = JpegErrorExit;
  s->error.pub.output_message = JpegIgnoreMessage;
  if (setjmp(s->error.jump)) return JpegStep::kDecoderError;
  jpeg_create_decompress(&s->cinfo);
  if (file) {
    jpeg_stdio_src(&s->cinfo, file);
  } else {
    jpeg_mem_src(&s->cinfo, data, size);
  }
  jpeg_read_header(&s->cinfo, TRUE);
  const std::uint64_t pixels = std::uint64_t{s->cinfo.image_width} * s->cinfo.image_height;
  if (pixels > kMaxDibPixels) return JpegStep::kTooLarge;
  const std::uint64_t per_byte = s->cinfo.arith_code ? kMaxPixelsPerArithmeticByte : kMaxPixelsPerHuffmanByte;
  if (pixels / per_byte > size) return JpegStep::kTooLittleData;
  s->cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_start_decompress(&s->cinfo);
  return JpegStep::kDone;
}

// Rows of 3 components are copied as they are, greyscale rows spread to
// three equal channels; rows of other component counts stay zero. The
// picture grows by the rows the decoder delivers, so that a header alone
// claims no memory.
JpegStep JpegReadRows(JpegSession* s, std::vector<std::uint8_t>& pixels) {
  if (setjmp(s->error.jump)) return JpegStep::kDecoderError;
  j_decompress_ptr cinfo = &s->cinfo;
  const JDIMENSION width = cinfo->output_width;
  const int components = cinfo->output_components;
  JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                               width * static_cast<JDIMENSION>(components), 1);
  while (cinfo->output_scanline < cinfo->output_height) {
    if (jpeg_read_scanlines(cinfo, row, 1) != 1) {
      std::strcpy(s->error.message, "The JPEG data ends before the picture.");
      return JpegStep::kDecoderError;
    }
    pixels.resize(pixels.size() + std::size_t{width} * 3);
    unsigned char* out = pixels.data() + pixels.size() - std::size_t{width} * 3;
    if (components == 3) {
      std::memcpy(out, row[0], std::size_t{width} * 3);
    } else if (components == 1) {
      for (JDIMENSION x = 0; x < width; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = row[0][x];
    }
  }
  jpeg_finish_decompress(cinfo);
  return JpegStep::kDone;
}

struct SessionCloser {
  void operator()(JpegSession* s) const {
    jpeg_destroy_decompress(&s->cinfo);
    delete s;
  }
};

// The bytes from the file's position to its end; the position is kept.
// A file that cannot seek (a pipe) reports the most it could hold.
std::size_t RemainingFileSize(std::FILE* file) {
  const long start = std::ftell(file);
  if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return static_cast<std::size_t>(-1);
  const long end = std::ftell(file);
  std::fseek(file, start, SEEK_SET);
  return end < start ? 0 : static_cast<std::size_t>(end - start);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::vector<std::uint8_t> CJpeg::Decode(std::FILE* file, const std::uint8_t* data, std::size_t size, int* width,
                                        int* height) {
  // Zeroed, so that destroying a session the decoder never finished
  // creating is safe.
  std::unique_ptr<JpegSession, SessionCloser> session(new JpegSession{});
  const auto decoder_failed = [this, &session] {
    errorText_ = session->error.message;
    decoderError_ = true;
    return std::vector<std::uint8_t>();
  };
  decoderError_ = false;
  if (file) size = RemainingFileSize(file);
  const auto picture_size = [&session] {
    return std::to_string(session->cinfo.image_width) + " x " + std::to_string(session->cinfo.image_height);
  };
  switch (JpegStart(session.get(), file, data, static_cast<unsigned long>(size))) {
    case JpegStep::kDecoderError:
      return decoder_failed();
    case JpegStep::kTooLarge:
      errorText_ = "JpegFile :\nThe picture of " + picture_size() + " pixels is larger than the limit of " +
                    std::to_string(kMaxDibPixels) + " pixels";
      return {};
    case JpegStep::kTooLittleData:
      errorText_ = "JpegFile :\nThe picture of " + picture_size() + " pixels is larger than its " +
                    std::to_string(size) + " bytes of data can hold";
      return {};
    case JpegStep::kDone:
      break;
  }
  const JDIMENSION w = session->cinfo.output_width;
  const JDIMENSION h = session->cinfo.output_height;
  std::vector<std::uint8_t> pixels;
  try {
    if (JpegReadRows(session.get(), pixels) != JpegStep::kDone) return decoder_failed();
  } catch (const std::bad_alloc&) {
    errorText_ = "JpegFile :\nOut of memory";
    return {};
  }
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return pixels;
}

std::vector<std::uint8_t> CJpeg::ReadRgb(const std::string& path, int* width, int* height) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    errorText_ = "JPEG :\nCan't open " + path + "\n";
    decoderError_ = false;
    return {};
  }
  return Decode(file.get(), nullptr, 0, width, height);
}

std::vector<std::uint8_t> CJpeg::ReadRgbFromMemory(const std::uint8_t* data, std::size_t size, int* width,
                                                   int* height) {
  return Decode(nullptr, data, size, width, height);
}

bool CJpeg::LoadDib(const std::string& path) {
  int width = 0;
  int height = 0;
  const std::vector<std::uint8_t> rgb = ReadRgb(path, &width, &height);
  return !rgb.empty() && TakeRgb(rgb, width, height);
}

bool CJpeg::LoadDibFromMemory(const std::uint8_t* data, std::size_t size) {
  int width = 0;
  int height = 0;
  const std::vector<std::uint8_t> rgb = ReadRgbFromMemory(data, size, &width, &height);
  return !rgb.empty() && TakeRgb(rgb, width, height);
}

// The top-down red, green, blue rows become bottom-up blue, green, red rows
// padded to 4 bytes.
bool CJpeg::TakeRgb(const std::vector<std::uint8_t>& rgb, int width, int height) {
  auto dib = std::make_unique<CDib>();
  if (!dib->CreateBlank(24, width, height)) {
    errorText_ = "JpegFile :\nOut of memory";
    return false;
  }
  int bit_count = 0;
  int stride = 0;
  std::uint8_t* rows = dib->GetBits(&bit_count, &stride);
  const std::size_t w = static_cast<std::size_t>(width);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = rgb.data() + static_cast<std::size_t>(y) * w * 3;
    std::uint8_t* to = rows + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(stride);
    for (std::size_t x = 0; x < w; ++x) {
      to[3 * x] = from[3 * x + 2];
      to[3 * x + 1] = from[3 * x + 1];
      to[3 * x + 2] = from[3 * x];
    }
  }
  picture_ = std::move(dib);
  return true;
}
