#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// The stream a PDF file is written to. It counts the position itself and
// remembers any write that the C stream refused, so that the file as a
// whole can be reported as failed.
class CPDFOutput {
 public:
  explicit CPDFOutput(std::FILE* file);

  void Write(std::string_view text) { Write(text.data(), text.size()); }
  void Write(const void* data, std::size_t size);
  void WriteInteger(std::int64_t value);
  // Marks the file as failed (a compression that did not work).
  void Fail() { failed_ = true; }

  bool Failed() const { return failed_; }
  std::int64_t Position() const { return position_; }

 private:
  std::FILE* file_;
  std::int64_t position_ = 0;
  bool failed_ = false;
};

// The decimal text of the number, independent of the locale.
std::string IntegerText(std::int64_t value);

// Sets the string to the printf-style formatted text, whatever its length.
// Only integers and texts go through here: a real goes in as a text made
// with std::to_chars, since printf's decimal point follows the locale.
void FormatString(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));
void FormatStringV(std::string& text, const char* format, std::va_list arguments);
