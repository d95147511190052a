#include "commands/dialogs/number_char_filter.h"

#include "core/number_separators.h"

namespace {

constexpr char32_t kBackspace = U'\b';

bool Holds(std::u32string_view text, char32_t c) { return text.find(c) != std::u32string_view::npos; }

char32_t FilterNumberChar(std::u32string_view text, char32_t typed, bool signedNumber) {
  if (typed == kBackspace || (typed >= U'0' && typed <= U'9')) return typed;
  const auto separator = static_cast<char32_t>(static_cast<unsigned char>(GetNumberSeparators().decimal));
  if (typed == separator) return Holds(text, separator) ? 0 : typed;
  if (signedNumber && typed == U'-') return Holds(text, U'-') ? 0 : typed;
  return 0;
}

}  // namespace

char32_t FilterSignedNumberChar(std::u32string_view text, char32_t typed) {
  return FilterNumberChar(text, typed, true);
}

char32_t FilterUnsignedNumberChar(std::u32string_view text, char32_t typed) {
  return FilterNumberChar(text, typed, false);
}
