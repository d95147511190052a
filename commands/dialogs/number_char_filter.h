#pragma once

#include <string_view>

// Keystroke filters of the dialogs' number boxes. Each takes the box's
// text and the typed character and gives the character to insert, or 0 to
// drop the keystroke. Backspace always passes; the decimal separator is
// the user's.

// Digits, one decimal separator and one "-".
char32_t FilterSignedNumberChar(std::u32string_view text, char32_t typed);
// Digits and one decimal separator.
char32_t FilterUnsignedNumberChar(std::u32string_view text, char32_t typed);
