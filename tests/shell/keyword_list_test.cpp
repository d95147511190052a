#include "shell/keyword_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MatchCase {
  const char* list;
  const char* typed;
  bool matches;
  const char* result;  // the text afterwards
};

TEST(KeywordListTest, MatchesAbbreviationsAliasesAndWholeWords) {
  const char* selection = "ALL Window Crossing Last Previous Add CONdition";
  const char* arc = "3Points,3P 2Points,2P Tangent Arc";
  const char* lengthen = "DElta Percent Total DYnamic";
  const MatchCase cases[] = {
      {selection, "con", true, "CONdition"},
      {selection, "CON", true, "CONdition"},
      {selection, "cond", true, "CONdition"},
      {selection, "condition", true, "CONdition"},
      {selection, "w", true, "Window"},
      {selection, "all", true, "ALL"},
      {selection, "a", true, "Add"},
      {selection, "al", false, "al"},
      {selection, "_window", true, "Window"},
      {selection, "_zz", false, "zz"},
      {selection, "", false, ""},
      {selection, "_", false, ""},
      {arc, "3p", true, "3Points"},
      {arc, "3points", true, "3Points"},
      {arc, "2P", true, "2Points"},
      {arc, "tangent", true, "Tangent"},
      {arc, "tan", true, "Tangent"},
      {arc, "a", true, "Arc"},
      {arc, "3", false, "3"},
      {lengthen, "de", true, "DElta"},
      {lengthen, "dy", true, "DYnamic"},
      {lengthen, "d", false, "d"},
      {lengthen, "p", true, "Percent"},
      // Begins with the abbreviation and occurs within the keyword.
      {lengthen, "tal", true, "Total"},
      {"Yes No", "YES", true, "Yes"},
      {"yes no", "y", false, "y"},
      {"yes no", "No", true, "no"},
      {"Close Undo", "closed", false, "closed"},
      {"", "x", false, "x"},
  };
  for (const MatchCase& c : cases) {
    std::string text = c.typed;
    EXPECT_EQ(MatchKeyword(c.list, text), c.matches) << c.list << " / " << c.typed;
    EXPECT_EQ(text, c.result) << c.list << " / " << c.typed;
  }
}

TEST(KeywordListTest, TwoBlanksEndTheList) {
  std::string text = "b";
  EXPECT_FALSE(MatchKeyword("Alpha  Beta", text));
  text = "a";
  EXPECT_TRUE(MatchKeyword("Alpha  Beta", text));
  text = "a";
  EXPECT_FALSE(MatchKeyword(" Alpha", text));
}

TEST(KeywordListTest, SplitsWordsIntoKeywordAndAbbreviation) {
  const struct {
    const char* word;
    const char* keyword;
    const char* abbreviation;
  } cases[] = {
      {"CONdition", "CONdition", "CON"},
      {"3Points,3P", "3Points", "3P"},
      {"x,Y,z", "x", "Y,z"},
      {"3Points", "3Points", "P"},
      {"width", "width", ""},
      {"aBcD", "aBcD", "B"},
  };
  for (const auto& c : cases) {
    const KeywordWord word = SplitKeywordWord(c.word);
    EXPECT_EQ(word.keyword, c.keyword) << c.word;
    EXPECT_EQ(word.abbreviation, c.abbreviation) << c.word;
  }
}

}  // namespace
