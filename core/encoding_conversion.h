#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What takes the place of input that cannot be converted: given the input
// from the faulty character on (never empty), it appends its stand-in, in
// the target encoding, to output and answers how many input bytes that
// stands for (at least one is always skipped, at most what is left).
using UnconvertibleInput = std::function<std::size_t(std::string_view rest, std::string& output)>;

// Converts text between two encodings that iconv knows by name (such as
// "CP1252", "UTF-8", "UTF-16LE"), going on after every piece of input it
// cannot convert. Nullopt when iconv cannot convert between the two.
std::optional<std::string> ConvertEncoding(std::string_view text, const char* from, const char* to,
                                           const UnconvertibleInput& unconvertible);
