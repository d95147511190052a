#pragma once

#include <cstddef>
#include <string_view>

// The token of `text` that starts at `pos` and ends before the first of the
// separator characters; `pos` moves past that separator. Without one the
// token runs to the end of the text or to a zero byte, and `pos` stops
// there, so that every later call gives an empty token. Leading separators
// are not skipped: two in a row give an empty token, and callers loop until
// the token is empty.
std::string_view NextToken(std::string_view separators, std::size_t& pos, std::string_view text);
