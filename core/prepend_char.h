#pragma once

#include <string>
#include <string_view>

// A new string: the character followed by the text.
inline std::string PrependChar(char character, std::string_view text) {
  std::string result(1, character);
  result += text;
  return result;
}
