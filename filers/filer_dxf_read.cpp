#include "filers/filer.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "filers/dxf_group_codes.h"
#include "filers/dxf_values.h"
#include "filers/little_endian.h"

namespace {

// A code line: blanks around it allowed, the rest a decimal integer that
// fits the node's 16-bit type field.
bool ParseCodeLine(std::string_view line, int& code) {
  // Nearly every code line is up to four digits after blanks; those are
  // read here without the general parse.
  std::size_t first = 0;
  while (first < line.size() && line[first] == ' ') {
    ++first;
  }
  if (first < line.size() && line.size() - first <= 4) {
    int digits = 0;
    std::size_t at = first;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
      digits = digits * 10 + (line[at] - '0');
    }
    if (at == line.size()) {
      code = digits;
      return true;
    }
  }
  std::int32_t value = 0;
  const std::string_view text = TrimDxfBlanks(line);
  if (!ParseDxfInteger(text, value) || value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return false;
  }
  code = value;
  return true;
}

bool TakeBytes(FcFile& file, char* out, std::size_t count) {
  return file.Read(out, count) == count;
}

bool TakeCode(FcFile& file, int& code) {
  char bytes[2];
  if (!TakeBytes(file, bytes, 2)) {
    return false;
  }
  code = static_cast<std::int16_t>(LoadLittleEndian(bytes, 2));
  return true;
}

// Integers of 2 bytes are signed; bytes are not.
bool TakeInteger(FcFile& file, std::size_t width, std::int32_t& value) {
  char bytes[4];
  if (!TakeBytes(file, bytes, width)) {
    return false;
  }
  const std::uint64_t raw = LoadLittleEndian(bytes, width);
  value = width == 2 ? static_cast<std::int16_t>(raw) : static_cast<std::int32_t>(raw);
  return true;
}

bool TakeInteger64(FcFile& file, std::uint64_t& bits) {
  char bytes[8];
  if (!TakeBytes(file, bytes, 8)) {
    return false;
  }
  bits = LoadLittleEndian(bytes, 8);
  return true;
}

bool ParseInteger64(std::string_view text, std::uint64_t& bits) {
  std::int64_t value = 0;
  if (!ParseDxfInteger64(text, value)) {
    return false;
  }
  bits = static_cast<std::uint64_t>(value);
  return true;
}

bool ToRadians(double& degrees) {
  degrees *= kDegToRad;
  return true;
}

bool TakeReal(FcFile& file, double& value) {
  char bytes[8];
  if (!TakeBytes(file, bytes, 8)) {
    return false;
  }
  const double read = LoadLittleEndianDouble(bytes);
  if (!std::isfinite(read)) {
    return false;
  }
  value = read;
  return true;
}

// x, then code+10 with y, then code+20 with z when it follows.
bool TakePoint(FcFile& file, int code, FcResBuf& node) {
  double x = 0.0;
  double y = 0.0;
  int next_code = 0;
  if (!TakeReal(file, x) || !TakeCode(file, next_code) || next_code != code + 10 || !TakeReal(file, y)) {
    return false;
  }
  const std::int64_t after_y = file.GetPosition();
  if (!TakeCode(file, next_code)) {
    return false;
  }
  if (next_code == code + 20) {
    if (!TakeReal(file, node.z)) {
      return false;
    }
  } else {
    file.SetPosition(after_y);
  }
  node.x = x;
  node.y = y;
  return true;
}

// The text up to a NUL, which the view does not include but which follows
// it in the buffer.
bool TakeTerminatedText(FcFile& file, std::string_view& text) {
  const std::int64_t position = file.GetPosition();
  if (position >= file.GetLength()) {
    return false;
  }
  const char* start = file.Data() + position;
  const auto available = static_cast<std::size_t>(file.GetLength() - position);
  const void* terminator = std::memchr(start, 0, available);
  if (terminator == nullptr) {
    file.SetPosition(file.GetLength());
    return false;
  }
  text = std::string_view(start, static_cast<std::size_t>(static_cast<const char*>(terminator) - start));
  file.SetPosition(position + static_cast<std::int64_t>(text.size()) + 1);
  return true;
}

// The eight bytes at the pointer, the first in the lowest bits.
std::uint64_t LoadWord(const char* bytes) {
  if constexpr (std::endian::native != std::endian::little) {
    return LoadLittleEndian(bytes, 8);
  }
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// The first CR or LF from at, or end. Only a byte up to CR can end a line,
// and such bytes are rare inside one, so eight bytes are tested at once.
const char* FindLineBreak(const char* at, const char* end) {
  constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  while (end - at >= 8) {
    const std::uint64_t word = LoadWord(at);
    // Marks the first byte below CR + 1 exactly; marks after it may be
    // false, so only the first is taken.
    const std::uint64_t marks = (word - kEveryByte * ('\r' + 1)) & ~word & kHighBits;
    if (marks == 0) {
      at += 8;
      continue;
    }
    at += std::countr_zero(marks) / 8;
    if (*at == '\r' || *at == '\n') {
      return at;
    }
    ++at;
  }
  while (at != end && *at != '\r' && *at != '\n') {
    ++at;
  }
  return at;
}

bool StoreText(FcResBuf& node, std::string& scratch, std::string_view text) {
  scratch.assign(text);
  return node.SetString(scratch.c_str());
}

// Group 5 keeps its text even when it is not a handle; other handle groups
// must be hexadecimal.
bool StoreHandle(FcResBuf& node, std::string& scratch, int code, std::string_view text) {
  const bool parsed = ParseDxfHandle(text, node.handle);
  if (code != 5) {
    return parsed;
  }
  return StoreText(node, scratch, text);
}

}  // namespace

bool FcFiler::ReadLineView(std::string_view& out) {
  ++lineCount_;
  out = {};
  if (!file_ || file_->GetPosition() >= file_->GetLength()) {
    return false;
  }
  const char* data = file_->Data();
  const char* start = data + file_->GetPosition();
  const char* end = data + file_->GetLength();
  const char* stop = FindLineBreak(start, end);
  out = std::string_view(start, static_cast<std::size_t>(stop - start));
  if (stop == end) {
    file_->SetPosition(end - data);
    return true;
  }
  const char* next = stop + 1;
  // CR LF and LF CR are one break; a repeated break character starts an
  // empty line.
  if (next != end && (*next == '\r' || *next == '\n') && *next != *stop) {
    ++next;
  }
  file_->SetPosition(next - data);
  return true;
}

bool FcFiler::ReadLine(std::string& out) {
  std::string_view line;
  const bool ok = ReadLineView(line);
  out.assign(line);
  return ok;
}

bool FcFiler::ReadBinaryString(std::string& out) {
  std::string_view text;
  const bool ok = file_ && TakeTerminatedText(*file_, text);
  out.assign(text);
  return ok;
}

bool FcFiler::ReadBinaryChunk(std::string& out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.clear();
  unsigned char count = 0;
  if (!file_ || file_->Read(&count, 1) != 1) {
    return false;
  }
  unsigned char bytes[255];
  if (file_->Read(bytes, count) != count) {
    return false;
  }
  for (std::size_t i = 0; i < count; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0x0F];
  }
  return true;
}

bool FcFiler::ReadGroup(FcResBuf& node) {
  bool ok = false;
  if (kind_ == FcFileKind::kAsciiDxf) {
    ok = ReadAsciiGroup(node);
  } else if (kind_ == FcFileKind::kBinaryDxf) {
    ok = ReadBinaryGroup(node);
  } else {
    return false;
  }
  CheckReadProgress();
  return ok;
}

bool FcFiler::ReadAsciiGroup(FcResBuf& node) {
  if (!file_) {
    return false;
  }
  groupStartPosition_ = file_->GetPosition();
  groupStartLine_ = lineCount_;
  std::string_view line;
  int code = 0;
  if (!ReadLineView(line) || !ParseCodeLine(line, code)) {
    return false;
  }
  std::string_view value;
  if (!ReadLineView(value)) {
    return false;
  }
  const DxfGroupClass group_class = ClassifyGroupCode(code);
  if (group_class == DxfGroupClass::kPoint) {
    return ReadAsciiPoint(node, code, value);
  }
  node.type = static_cast<std::int16_t>(code);
  switch (group_class) {
    case DxfGroupClass::kReal:
      return ParseDxfReal(value, node.realValue);
    case DxfGroupClass::kAngle:
      return ParseDxfReal(value, node.realValue) && ToRadians(node.realValue);
    case DxfGroupClass::kInt16:
    case DxfGroupClass::kInt32:
    case DxfGroupClass::kByte:
      return ParseDxfIntegerValue(value, node.intValue);
    case DxfGroupClass::kInt64:
      return ParseInteger64(value, node.handle);
    case DxfGroupClass::kHandle:
      return StoreHandle(node, textBuffer_, code, value);
    case DxfGroupClass::kString:
    case DxfGroupClass::kChunk:
      return StoreText(node, textBuffer_, value);
    default:
      return true;
  }
}

bool FcFiler::ReadAsciiPoint(FcResBuf& node, int code, std::string_view x_line) {
  double x = 0.0;
  double y = 0.0;
  std::string_view line;
  int next_code = 0;
  if (!ParseDxfReal(TrimDxfBlanks(x_line), x) || !ReadLineView(line) ||
      !ParseCodeLine(line, next_code) || next_code != code + 10 || !ReadLineView(line) ||
      !ParseDxfReal(line, y)) {
    return false;
  }
  const std::int64_t after_y = file_->GetPosition();
  const std::int32_t after_y_line = lineCount_;
  if (!ReadLineView(line) || !ParseCodeLine(line, next_code)) {
    return false;
  }
  if (next_code == code + 20) {
    if (!ReadLineView(line)) {
      return false;
    }
    if (!ParseDxfReal(line, node.z)) {
      node.z = 0.0;
    }
  } else {
    file_->SetPosition(after_y);
    lineCount_ = after_y_line;
  }
  node.type = static_cast<std::int16_t>(code);
  node.x = x;
  node.y = y;
  return true;
}

bool FcFiler::ReadBinaryGroup(FcResBuf& node) {
  if (!file_) {
    return false;
  }
  FcFile& file = *file_;
  groupStartPosition_ = file.GetPosition();
  int code = 0;
  if (!TakeCode(file, code)) {
    return false;
  }
  node.type = static_cast<std::int16_t>(code);
  std::string_view text;
  const DxfGroupClass group_class = ClassifyGroupCode(code);
  switch (group_class) {
    case DxfGroupClass::kPoint:
      return TakePoint(file, code, node);
    case DxfGroupClass::kReal:
    case DxfGroupClass::kBinaryReal:
      return TakeReal(file, node.realValue);
    case DxfGroupClass::kAngle:
      return TakeReal(file, node.realValue) && ToRadians(node.realValue);
    case DxfGroupClass::kInt16:
    case DxfGroupClass::kInt32:
    case DxfGroupClass::kByte:
      return TakeInteger(file, BinaryIntegerWidth(group_class), node.intValue);
    case DxfGroupClass::kInt64:
      return TakeInteger64(file, node.handle);
    case DxfGroupClass::kHandle:
      return TakeTerminatedText(file, text) && StoreHandle(node, textBuffer_, code, text);
    case DxfGroupClass::kString: {
      if (!TakeTerminatedText(file, text)) {
        return false;
      }
      // The text is followed by its NUL in the buffer.
      if (text.find('\n') == std::string_view::npos) {
        return node.SetString(text.data());
      }
      textBuffer_.clear();
      for (const char c : text) {
        if (c == '\n') {
          textBuffer_ += "^J";
        } else {
          textBuffer_ += c;
        }
      }
      return node.SetString(textBuffer_.c_str());
    }
    case DxfGroupClass::kChunk:
      return ReadBinaryChunk(textBuffer_) && node.SetString(textBuffer_.c_str());
    default:
      return false;
  }
}
