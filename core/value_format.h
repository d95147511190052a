#pragma once

#include <string>

// Text of the numbers, distances and areas the user sees. Every formatter
// writes the program's decimal separator (core/number_separators.h) in place
// of the point and never depends on the C locale. A precision outside 0..20
// is taken as the nearest of those bounds.

// Fixed notation with `precision` decimals: FormatDecimal(2, 3.14159) is "3.14".
std::string FormatDecimal(int precision, double value);

// Exponent notation with `precision` decimals, an upper-case "E" and an
// exponent of at least three digits: FormatScientific(4, 1500) is "1.5000E+003".
std::string FormatScientific(int precision, double value);

// Feet and decimal inches (12 drawing units to the foot): "2'-6.00\"".
std::string FormatEngineering(int precision, double value);

// Feet and fractional inches: "-2'-6 1/4\"".
std::string FormatArchitectural(int precision, double value);

// A whole number and a fraction whose denominator is at most 2^precision:
// "2 3/8". A fraction that rounds to nothing or to one is dropped or carried.
std::string FormatFractional(int precision, double value);

// By linear unit type (LUNITS): 1 scientific, 3 engineering, 4 architectural,
// 5 fractional, any other decimal.
std::string FormatDistance(double value, int unit_type, int precision);

// By linear unit type: 1 scientific; 3 and 4 square inches followed by square
// feet; 5 fractional; any other decimal.
std::string FormatArea(double value, int unit_type, int precision);

// The colour's name for the standard indices ("ByBlock", "Red" ... "White",
// "ByLayer", "Others..."), else the index as a number.
std::string ColorIndexToText(short color_index);

std::string IntToString(int value);
