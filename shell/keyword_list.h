#pragma once

#include <string>
#include <string_view>

// The options a prompt offers, as one text of words separated by single
// blanks ("DElta Percent Total DYnamic", "3Points,3P 2Points,2P Tangent").
// A word is a keyword, optionally followed by a comma and its abbreviation;
// without a comma the abbreviation is the word's first run of capitals.
// Two blanks in a row end the list.

// One word of a keyword list.
struct KeywordWord {
  std::string_view keyword;
  // Empty when the word has neither a comma nor a capital letter.
  std::string_view abbreviation;
};

// Splits one word ("CONdition" gives CONdition and CON, "3Points,3P" gives
// 3Points and 3P).
KeywordWord SplitKeywordWord(std::string_view word);

// Matches the typed text against the list. A leading "_" is dropped from
// the text itself, matched or not. On a match the text becomes the word's
// keyword as the list writes it and the answer is true; the first matching
// word wins. An empty list or an empty text matches nothing.
bool MatchKeyword(std::string_view keywordList, std::string& text);
