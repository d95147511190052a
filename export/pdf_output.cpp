#include "export/pdf_output.h"

#include <charconv>

CPDFOutput::CPDFOutput(std::FILE* file) : file_(file) {
  const long start = std::ftell(file);
  position_ = start > 0 ? start : 0;
}

void CPDFOutput::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  if (std::fwrite(data, 1, size, file_) != size) failed_ = true;
  position_ += static_cast<std::int64_t>(size);
}

void CPDFOutput::WriteInteger(std::int64_t value) { Write(IntegerText(value)); }

std::string IntegerText(std::int64_t value) {
  char buffer[24];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void FormatString(std::string& text, const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  FormatStringV(text, format, arguments);
  va_end(arguments);
}

void FormatStringV(std::string& text, const char* format, std::va_list arguments) {
  char scratch[256];
  std::va_list again;
  va_copy(again, arguments);
  const int length = std::vsnprintf(scratch, sizeof scratch, format, arguments);
  if (length < 0) {
    text.clear();
  } else if (static_cast<std::size_t>(length) < sizeof scratch) {
    text.assign(scratch, static_cast<std::size_t>(length));
  } else {
    text.resize(static_cast<std::size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
}
