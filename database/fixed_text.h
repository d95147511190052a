#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A text that fits the 512-byte name fields of the drawing formats: at most
// 511 characters, ending at the first null character, so that whatever is
// stored here can be written back into such a field unchanged. A longer
// text is cut, never refused.
class FcFixedText {
 public:
  static constexpr std::size_t kMaxLength = 511;

  FcFixedText() = default;
  FcFixedText(std::string_view text) { Assign(text); }
  FcFixedText(const char* text) { Assign(text); }

  FcFixedText& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  FcFixedText& operator=(const char* text) {
    Assign(text);
    return *this;
  }

  // The part of the text such a field keeps.
  static std::string_view Fit(std::string_view text) {
    return text.substr(0, text.find('\0')).substr(0, kMaxLength);
  }

  const std::string& str() const { return text_; }
  const char* c_str() const { return text_.c_str(); }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

  friend bool operator==(const FcFixedText& a, const FcFixedText& b) = default;
  friend bool operator==(const FcFixedText& a, std::string_view b) { return a.text_ == b; }
  friend bool operator==(const FcFixedText& a, const char* b) {
    return a.text_ == (b ? std::string_view(b) : std::string_view());
  }

 private:
  void Assign(const char* text) { Assign(text ? std::string_view(text) : std::string_view()); }
  void Assign(std::string_view text) { text_.assign(Fit(text)); }

  std::string text_;
};
