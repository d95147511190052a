#include "filers/filer.h"

#include <cmath>

#include "filers/dxf_group_codes.h"
#include "filers/dxf_values.h"
#include "filers/little_endian.h"

namespace {

constexpr int kCommentCode = 999;

void AppendCodeLine(std::string& out, std::int16_t code) {
  out += ' ';
  AppendDxfInteger(out, code);
  out += "\r\n";
}

// A text is written as a C string would be: up to its first NUL.
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

void FcFiler::WriteBytes(const void* data, std::size_t count) {
  if (!file_) {
    throw FcFileException("no file is open");
  }
  file_->Write(data, count);
}

void FcFiler::WriteReal(std::int16_t code, double value) {
  if (kind_ == FcFileKind::kBinaryDxf) {
    char bytes[10];
    StoreLittleEndian(bytes, static_cast<std::uint16_t>(code), 2);
    StoreLittleEndianDouble(bytes + 2, std::isfinite(value) ? value : 0.0);
    WriteBytes(bytes, sizeof bytes);
    return;
  }
  textBuffer_.clear();
  AppendCodeLine(textBuffer_, code);
  AppendDxfReal(textBuffer_, value, precision_);
  textBuffer_ += "\r\n";
  WriteBytes(textBuffer_.data(), textBuffer_.size());
}

void FcFiler::WriteInt(std::int16_t code, std::int32_t value) {
  if (kind_ == FcFileKind::kBinaryDxf) {
    char bytes[10];
    const std::size_t width = BinaryIntegerWidth(ClassifyGroupCode(code));
    StoreLittleEndian(bytes, static_cast<std::uint16_t>(code), 2);
    // Sign-extended, so that a 64-bit group keeps a negative value.
    StoreLittleEndian(bytes + 2, static_cast<std::uint64_t>(std::int64_t{value}), width);
    WriteBytes(bytes, 2 + width);
    return;
  }
  textBuffer_.clear();
  AppendCodeLine(textBuffer_, code);
  AppendDxfInteger(textBuffer_, value);
  textBuffer_ += "\r\n";
  WriteBytes(textBuffer_.data(), textBuffer_.size());
}

void FcFiler::WriteHandle(std::int16_t code, std::uint64_t handle) {
  textBuffer_.clear();
  if (kind_ == FcFileKind::kBinaryDxf) {
    textBuffer_.resize(2);
    StoreLittleEndian(textBuffer_.data(), static_cast<std::uint16_t>(code), 2);
    AppendDxfHandle(textBuffer_, handle);
    textBuffer_ += '\0';
  } else {
    AppendCodeLine(textBuffer_, code);
    AppendDxfHandle(textBuffer_, handle);
    textBuffer_ += "\r\n";
  }
  WriteBytes(textBuffer_.data(), textBuffer_.size());
}

void FcFiler::WriteString(std::int16_t code, const char* text) {
  WriteString(code, text == nullptr ? std::string_view() : std::string_view(text));
}

void FcFiler::WriteString(std::int16_t code, std::string_view text) {
  text = UpToNul(text);
  textBuffer_.clear();
  if (kind_ == FcFileKind::kBinaryDxf) {
    if (code == kCommentCode) {
      return;
    }
    textBuffer_.resize(2);
    StoreLittleEndian(textBuffer_.data(), static_cast<std::uint16_t>(code), 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "^J") == 0) {
        textBuffer_ += '\n';
        ++i;
      } else {
        textBuffer_ += text[i];
      }
    }
    textBuffer_ += '\0';
  } else {
    AppendCodeLine(textBuffer_, code);
    // A raw line break would split the value and shift every later group
    // by a line, so it is written in caret notation.
    for (const char c : text) {
      if (c == '\n') {
        textBuffer_ += "^J";
      } else if (c == '\r') {
        textBuffer_ += "^M";
      } else {
        textBuffer_ += c;
      }
    }
    textBuffer_ += "\r\n";
  }
  WriteBytes(textBuffer_.data(), textBuffer_.size());
}
