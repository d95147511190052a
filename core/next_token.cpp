#include "core/next_token.h"

std::string_view NextToken(std::string_view separators, std::size_t& pos, std::string_view text) {
  if (pos > text.size()) pos = text.size();
  std::string_view rest = text.substr(pos);
  rest = rest.substr(0, rest.find('\0'));
  const std::size_t cut = rest.find_first_of(separators);
  if (cut == std::string_view::npos) {
    pos += rest.size();
    return rest;
  }
  pos += cut + 1;
  return rest.substr(0, cut);
}
