#pragma once

#include <string_view>

#include "core/handle.h"

// Reading of the numbers and distances the user types. The parsers accept
// the program's decimal separator (core/number_separators.h) and never
// depend on the C locale. They write their outputs only when they return
// true; values that are not finite or do not fit are refused.

// True when the whole text, after leading white space, is one real number.
// With a decimal separator other than '.', a '.' is refused.
bool ParseReal(std::string_view text, double& value);

// True when the whole text, after leading white space, is one decimal
// integer within the range of int.
bool ParseInteger(std::string_view text, int& value);

// True when the text is non-empty and every character is a hexadecimal
// digit; the value wraps at 64 bits. The handle is set to 0 first, and on a
// bad character holds what was read from the right up to it.
bool ParseHexHandle(FcHandle& handle, std::string_view text);

// A whole ("2"), a fraction ("1/2"), a whole and a fraction ("2-1/2") or a
// whole and a real ("2-0.5"). A leading "-" is a sign that applies to the
// whole value: "-2-1/2" is -2.5.
bool ParseFraction(std::string_view text, double& value);

// A distance in any linear unit form; the unit type gets the form seen:
// 1 scientific ("1.5e2"), 2 decimal, 3 engineering ("2'6.5\""),
// 4 architectural ("2'6-1/2\""), 5 fractional ("2-1/2"). A "-" right after
// the foot mark separates feet and inches, and the sign of the feet applies
// to the inches too: "-2'-6\"" is -30. After a foot mark the inch mark may
// be left out: "2'6" is 30.
bool ParseDistance(std::string_view text, double& value, int* unit_type = nullptr);
