#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Writes small shape fonts of the three kinds for the tests: each shape is
// given as its bytes after the name.
class ShapeFontBuilder {
 public:
  using Bytes = std::vector<std::uint8_t>;

  ShapeFontBuilder& Above(int above) {
    above_ = above;
    return *this;
  }
  ShapeFontBuilder& Shape(int number, Bytes bytes) {
    Bytes data = {0};
    data.insert(data.end(), bytes.begin(), bytes.end());
    shapes_[number] = data;
    return *this;
  }

  Bytes Regular() const {
    Bytes out = Signature(28);
    Put16(out, static_cast<int>(shapes_.size()) + 1);
    const Bytes info = Info();
    Put16(out, 0);
    Put16(out, static_cast<int>(info.size()));
    for (const auto& [number, data] : shapes_) {
      Put16(out, number);
      Put16(out, static_cast<int>(data.size()));
    }
    Append(out, info);
    for (const auto& [number, data] : shapes_) Append(out, data);
    return out;
  }

  Bytes Unicode() const {
    Bytes out = Signature(25);
    const Bytes info = Info();
    Put16(out, static_cast<int>(shapes_.size()) + 1);
    Put16(out, 0);
    Put16(out, static_cast<int>(info.size()));
    Append(out, info);
    for (const auto& [number, data] : shapes_) {
      Put16(out, number);
      Put16(out, static_cast<int>(data.size()));
      Append(out, data);
    }
    return out;
  }

  Bytes Big() const {
    Bytes out = Signature(27);
    const int count = static_cast<int>(shapes_.size()) + 1;
    Put16(out, count);
    Put16(out, 1);
    Append(out, {0x81, 0x00, 0xFE, 0x00});
    const Bytes info = Info();
    std::size_t offset = out.size() + 8 * static_cast<std::size_t>(count);
    const auto entry = [&](int number, const Bytes& data) {
      Put16(out, number);
      Put16(out, static_cast<int>(data.size()));
      Put32(out, static_cast<std::uint32_t>(offset));
      offset += data.size();
    };
    entry(0, info);
    for (const auto& [number, data] : shapes_) entry(number, data);
    Append(out, info);
    for (const auto& [number, data] : shapes_) Append(out, data);
    return out;
  }

 private:
  static Bytes Signature(std::size_t size) {
    const std::string text = "test shapes\r\n\x1a";
    Bytes out(text.begin(), text.end());
    out.resize(size, 0);
    return out;
  }
  Bytes Info() const { return {'t', 0, static_cast<std::uint8_t>(above_), 2, 0, 0}; }
  static void Put16(Bytes& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  static void Put32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  static void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

  int above_ = 10;
  std::map<int, Bytes> shapes_;
};
