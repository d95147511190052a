#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/dialogs/attribute_edit_dlg.h"
#include "database/entity_sets.h"
#include "entities/attribute.h"

namespace {

// A reference made before its block was redefined: the block now lists
// its definitions in another order and lacks one of the reference's tags.
class AttributeEditDlgTest : public ::testing::Test {
 protected:
  AttributeEditDlgTest() : definitions_(4) {
    for (const auto& [tag, text] : {std::pair{"ROOM", "B7"}, {"EXTRA", "X"}, {"OWNER", "KIM"}}) {
      auto& attribute = attributes_.emplace_back(std::make_unique<FcAttribute>());
      attribute->SetTag(tag);
      attribute->SetText(text);
      pointers_.push_back(attribute.get());
    }
    for (const auto& [tag, prompt] : {std::pair{"owner", "Owner"}, {"ROOM", "Room number"}}) {
      auto& definition = defs_.emplace_back(std::make_unique<FcAttributeDef>());
      definition->SetTag(tag);
      definition->SetPrompt(prompt);
      definitions_.Add(definition.get());
    }
    dialog_.m_pAttributes = &pointers_;
    dialog_.m_pAttributeDefs = &definitions_;
  }

  std::vector<std::unique_ptr<FcAttribute>> attributes_;
  std::vector<std::unique_ptr<FcAttributeDef>> defs_;
  std::vector<FcAttribute*> pointers_;
  FcEntitySets definitions_;
  CAttributeEditDlg dialog_;
};

TEST_F(AttributeEditDlgTest, EveryAttributeHasARowUnderThePromptOfItsOwnTag) {
  const std::vector<CAttributeEditDlg::Row> rows = dialog_.Rows();
  ASSERT_EQ(rows.size(), 4u);
  const struct {
    const char* name;
    const char* value;
    int attribute;
  } expected[] = {
      {"TAG[Prompt]", "Value", -1},
      {"ROOM[Room number]", "B7", 0},
      {"EXTRA[]", "X", 1},
      {"OWNER[Owner]", "KIM", 2},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, expected[i].name) << i;
    EXPECT_EQ(rows[i].value, expected[i].value) << i;
    EXPECT_EQ(rows[i].attribute, expected[i].attribute) << i;
  }
}

TEST_F(AttributeEditDlgTest, OkWritesEachRowIntoItsOwnAttributeOnly) {
  std::vector<CAttributeEditDlg::Row> rows = dialog_.Rows();
  rows[2].value = "Y";
  rows[3].value = "LEE";
  // A row for an attribute that is not there writes nothing.
  rows.push_back({"GHOST[]", "Z", 7});
  dialog_.OnOK(rows);
  EXPECT_EQ(attributes_[0]->GetText(), "B7");
  EXPECT_EQ(attributes_[1]->GetText(), "Y");
  EXPECT_EQ(attributes_[2]->GetText(), "LEE");
}

}  // namespace
