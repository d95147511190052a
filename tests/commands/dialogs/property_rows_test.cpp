#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "commands/dialogs/property_rows.h"

namespace {

using Strings = std::vector<std::string>;

TEST(PropertyRowsTest, OptionsGiveOnlyThePiecesThatEndWithABar) {
  const struct {
    const char* options;
    Strings choices;
  } cases[] = {
      {"Show|Hide|", {"Show", "Hide"}},
      {"Show|Hide", {"Show"}},
      {"", {}},
      {"||", {"", ""}},
      {"One", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(PropertyChoices(c.options), c.choices) << c.options;
}

TEST(PropertyRowsTest, RowsKeepTheirOrderAndADropDownOpensOnTheValueElseTheFirst) {
  CPropertyRows rows;
  EXPECT_EQ(rows.AddItem("Draw", "Hide", kPropertyChoice, "Show|Hide|"), 0);
  EXPECT_EQ(rows.AddItem("Modify", "Shown", kPropertyChoice, "Show|Hide|"), 1);
  EXPECT_EQ(rows.AddItem("Zoom", "Hide", kPropertyChoice, "Show|Hide"), 2);
  EXPECT_EQ(rows.Item(1).name, "Modify");
  EXPECT_EQ(rows.ChoiceIndex(0), 1);
  EXPECT_EQ(rows.ChoiceIndex(1), 0);
  // "Hide" is no choice when no bar follows it.
  EXPECT_EQ(rows.ChoiceIndex(2), 0);
  // A new row has no number and no range until its owner sets them.
  EXPECT_EQ(rows.Item(0).number, 0);
  EXPECT_EQ(rows.Item(0).minimum, 0);
  EXPECT_EQ(rows.Item(0).maximum, 0);
}

TEST(PropertyRowsTest, EachKindOpensItsOwnEditor) {
  const struct {
    int kind;
    PropertyEditor editor;
  } cases[] = {
      {kPropertyHeading, PropertyEditor::kNone},     {kPropertyChoice, PropertyEditor::kChoice},
      {kPropertyText, PropertyEditor::kEdit},        {kPropertyRgb, PropertyEditor::kBrowse},
      {kPropertyReadOnly, PropertyEditor::kNone},    {kPropertyInteger, PropertyEditor::kSpinEdit},
      {kPropertyFont, PropertyEditor::kBrowse},      {kPropertyFile, PropertyEditor::kBrowse},
      {kPropertyAction, PropertyEditor::kBrowse},    {kPropertyColorIndex, PropertyEditor::kBrowse},
      {kPropertyButton, PropertyEditor::kNone},      {kPropertyRaised, PropertyEditor::kNone},
      {11, PropertyEditor::kBrowse},                 {-2, PropertyEditor::kBrowse},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorOfKind(c.kind), c.editor) << c.kind;
}

// An integer row of 1 to 5 standing at 5.
class IntegerRowTest : public ::testing::Test {
 protected:
  IntegerRowTest() {
    row_ = rows_.AddItem("Count", "5", kPropertyInteger);
    CPropertyItem& item = rows_.Item(row_);
    item.number = 5;
    item.minimum = 1;
    item.maximum = 5;
  }

  CPropertyRows rows_;
  int row_ = 0;
};

TEST_F(IntegerRowTest, StepsWrapAtBothEndsOfTheRange) {
  EXPECT_TRUE(rows_.Step(row_, 1));
  EXPECT_EQ(rows_.Item(row_).number, 1);
  EXPECT_EQ(rows_.Item(row_).value, "1");
  EXPECT_TRUE(rows_.Step(row_, -1));
  EXPECT_EQ(rows_.Item(row_).number, 5);
  EXPECT_TRUE(rows_.Step(row_, -1));
  EXPECT_EQ(rows_.Item(row_).value, "4");
}

TEST_F(IntegerRowTest, OnlyAWholeNumberInTheRangeIsStored) {
  for (const char* refused : {"9", "0", "", "3.5", "3x", "x", "99999999999"}) {
    EXPECT_FALSE(rows_.OfferNumberText(row_, refused)) << refused;
    EXPECT_EQ(rows_.Item(row_).number, 5) << refused;
    EXPECT_EQ(rows_.Item(row_).value, "5") << refused;
  }
  EXPECT_TRUE(rows_.OfferNumberText(row_, "2"));
  EXPECT_EQ(rows_.Item(row_).number, 2);
  EXPECT_EQ(rows_.Item(row_).value, "2");
}

TEST(PropertyRowsTest, AStepAtTheEndsOfIntWrapsInsteadOfOverflowing) {
  CPropertyRows rows;
  const int row = rows.AddItem("Wide", "", kPropertyInteger);
  rows.Item(row).minimum = INT_MIN;
  rows.Item(row).maximum = INT_MAX;
  rows.Item(row).number = INT_MAX;
  EXPECT_TRUE(rows.Step(row, 1));
  EXPECT_EQ(rows.Item(row).number, INT_MIN);
  EXPECT_TRUE(rows.Step(row, -1));
  EXPECT_EQ(rows.Item(row).number, INT_MAX);
}

// The owner is asked before each change; a refusal keeps the old value,
// and only a value that differs is offered at all.
TEST(PropertyRowsTest, TheOwnerSeesEveryChangeAndMayRefuseIt) {
  CPropertyRows rows;
  const int text = rows.AddItem("Name", "A", kPropertyText);
  const int choice = rows.AddItem("Draw", "Show", kPropertyChoice, "Show|Hide|");
  const int button = rows.AddItem("Apply", "", kPropertyButton);
  struct Asked {
    std::string name, text;
    int number;
  };
  std::vector<Asked> asked;
  bool accept = false;
  rows.SetQuestion([&](const CPropertyItem& row, const std::string& value, int number) {
    asked.push_back({row.name, value, number});
    return accept;
  });

  EXPECT_FALSE(rows.OfferText(text, "A"));
  EXPECT_TRUE(asked.empty());
  EXPECT_FALSE(rows.OfferText(text, "B"));
  EXPECT_EQ(rows.Item(text).value, "A");
  EXPECT_FALSE(rows.OfferChoice(choice, 1));
  EXPECT_EQ(rows.Item(choice).value, "Show");

  accept = true;
  EXPECT_TRUE(rows.OfferText(text, "B"));
  EXPECT_EQ(rows.Item(text).value, "B");
  EXPECT_TRUE(rows.OfferChoice(choice, 1));
  EXPECT_EQ(rows.Item(choice).value, "Hide");
  EXPECT_FALSE(rows.OfferChoice(choice, 2));
  rows.Notify(button, 1);
  ASSERT_EQ(asked.size(), 5u);
  EXPECT_EQ(asked[0].text, "B");
  EXPECT_EQ(asked[1].text, "Hide");
  EXPECT_EQ(asked[4].name, "Apply");
  EXPECT_EQ(asked[4].number, 1);
  EXPECT_EQ(rows.Item(button).value, "");
}

TEST(PropertyRowsTest, AColourValueNamesItsColourElseBlack) {
  const struct {
    const char* value;
    int red, green, blue;
  } cases[] = {
      {"RGB(255,0,0)", 255, 0, 0},
      {"RGB(1,2,3)", 1, 2, 3},
      {"Red", 0, 0, 0},
      {"RGB(1,2)", 0, 0, 0},
      {"RGB(a,b,c)", 0, 0, 0},
      {"RGB(300,-4,7)", 255, 0, 7},
  };
  for (const auto& c : cases) {
    const PropertyRgb rgb = RgbOfValue(c.value);
    EXPECT_EQ(rgb.red, c.red) << c.value;
    EXPECT_EQ(rgb.green, c.green) << c.value;
    EXPECT_EQ(rgb.blue, c.blue) << c.value;
  }
  EXPECT_EQ(RgbValueText({12, 34, 56}), "RGB(12,34,56)");
}

TEST(PropertyRowsTest, AFileChooserStartsInTheFolderOfTheValue) {
  EXPECT_EQ(PropertyFileFolder("C:\\pictures\\logo.gif"), "C:\\pictures");
  EXPECT_EQ(PropertyFileFolder("/home/ann/logo.gif"), "/home/ann");
  EXPECT_EQ(PropertyFileFolder("logo.gif"), "");
}

}  // namespace
