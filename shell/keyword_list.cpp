#include "shell/keyword_list.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

std::string Lowered(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// text is already in lower case.
bool WordMatches(const KeywordWord& word, const std::string& text) {
  const std::string keyword = Lowered(word.keyword);
  if (word.abbreviation.empty()) return text == keyword;
  const std::string abbreviation = Lowered(word.abbreviation);
  if (text == abbreviation || text == keyword) return true;
  return text.starts_with(abbreviation) && keyword.find(text) != std::string::npos;
}

}  // namespace

KeywordWord SplitKeywordWord(std::string_view word) {
  const std::size_t comma = word.find(',');
  if (comma != std::string_view::npos) return {word.substr(0, comma), word.substr(comma + 1)};
  const auto first = std::find_if(word.begin(), word.end(), IsCapital);
  const auto last = std::find_if_not(first, word.end(), IsCapital);
  return {word, std::string_view(first, last)};
}

bool MatchKeyword(std::string_view keywordList, std::string& text) {
  if (keywordList.empty()) return false;
  if (text.starts_with('_')) text.erase(0, 1);
  if (text.empty()) return false;
  const std::string lower = Lowered(text);
  std::size_t start = 0;
  while (start < keywordList.size()) {
    const std::size_t blank = std::min(keywordList.find(' ', start), keywordList.size());
    const std::string_view word = keywordList.substr(start, blank - start);
    if (word.empty()) return false;
    const KeywordWord parts = SplitKeywordWord(word);
    if (WordMatches(parts, lower)) {
      text = std::string(parts.keyword);
      return true;
    }
    start = blank + 1;
  }
  return false;
}
