#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text of DXF group values, the same in every locale.

// A real as ASCII DXF writes it: fixed notation with the given number of
// decimals, trailing zeros dropped down to one digit after the point; zero
// (of either sign) and values that are not finite give "0.0".
void AppendDxfReal(std::string& out, double value, int precision);
// Upper-case hexadecimal without leading zeros; 0 gives "0".
void AppendDxfHandle(std::string& out, std::uint64_t value);
void AppendDxfInteger(std::string& out, std::int32_t value);

// Leading white space is allowed, everything else must belong to the
// number. Reals must be finite; integers must fit 32 bits.
bool ParseDxfReal(std::string_view text, double& value);
bool ParseDxfInteger(std::string_view text, std::int32_t& value);
bool ParseDxfInteger64(std::string_view text, std::int64_t& value);
// The value of an integer group: a decimal integer, or a real with a whole
// value within 32 bits, which some writers put there ("1.0").
bool ParseDxfIntegerValue(std::string_view text, std::int32_t& value);
// Non-empty and wholly hexadecimal digits of either case; the value wraps
// at 64 bits.
bool ParseDxfHandle(std::string_view text, std::uint64_t& value);

// Without leading and trailing white space.
std::string_view TrimDxfBlanks(std::string_view text);
