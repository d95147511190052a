#include "commands/dialogs/attribute_edit_dlg.h"

#include "database/entity_sets.h"
#include "database/object.h"
#include "entities/attribute.h"

namespace {

// The block's definition of the tag; null when the block (perhaps
// redefined since) has none.
const FcAttributeDef* DefinitionOf(const FcEntitySets* definitions, const std::string& tag) {
  if (definitions == nullptr) return nullptr;
  for (const FcEntity* entity : *definitions) {
    const auto* definition = dynamic_cast<const FcAttributeDef*>(entity);
    if (definition != nullptr && EqualsNoCase(definition->GetTag(), tag)) return definition;
  }
  return nullptr;
}

}  // namespace

std::vector<CAttributeEditDlg::Row> CAttributeEditDlg::Rows() const {
  std::vector<Row> rows{{"TAG[Prompt]", "Value", -1}};
  if (m_pAttributes == nullptr) return rows;
  // Attributes and definitions pair by tag: after the block was redefined
  // their orders and numbers may differ, and pairing by position would
  // show one attribute's value under another's prompt.
  for (int i = 0; i < static_cast<int>(m_pAttributes->size()); ++i) {
    const FcAttribute* attribute = (*m_pAttributes)[i];
    if (attribute == nullptr) continue;
    const FcAttributeDef* definition = DefinitionOf(m_pAttributeDefs, attribute->GetTag());
    const std::string prompt = definition != nullptr ? definition->GetPrompt() : std::string();
    rows.push_back({attribute->GetTag() + "[" + prompt + "]", attribute->GetText(), i});
  }
  return rows;
}

void CAttributeEditDlg::OnOK(const std::vector<Row>& rows) {
  if (m_pAttributes == nullptr) return;
  // Each row goes to its own attribute: an attribute without a definition
  // in between must not shift the later values onto the wrong ones.
  for (const Row& row : rows) {
    if (row.attribute < 0 || row.attribute >= static_cast<int>(m_pAttributes->size())) continue;
    if (FcAttribute* attribute = (*m_pAttributes)[row.attribute]) attribute->SetText(row.value);
  }
}
