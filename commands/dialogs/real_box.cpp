#include "commands/dialogs/real_box.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/number_separators.h"
#include "core/value_parse.h"

std::string RealBoxText(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), result.ptr);
  std::replace(text.begin(), text.end(), '.', GetNumberSeparators().decimal);
  return text;
}

bool ReadRealBox(std::string_view text, double& value) {
  // Blanks after the number are as harmless as those before it.
  const std::size_t end = text.find_last_not_of(" \t");
  if (end == std::string_view::npos) return false;
  return ParseReal(text.substr(0, end + 1), value);
}
