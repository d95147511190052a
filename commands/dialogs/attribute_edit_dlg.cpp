#include "commands/dialogs/attribute_edit_dlg.h"

#include "database/entity_sets.h"
#include "entities/attribute.h"

std::vector<CAttributeEditDlg::Row> CAttributeEditDlg::Rows() const {
  std::vector<Row> rows{{"TAG[Prompt]", "Value", -1}};
  if (m_pAttributes == nullptr) return rows;
  for (int i = 0; i < static_cast<int>(m_pAttributes->size()); ++i) {
    const FcAttribute* attribute = (*m_pAttributes)[i];
    const auto* definition = m_pAttributeDefs != nullptr && i < m_pAttributeDefs->GetCount()
                                 ? dynamic_cast<const FcAttributeDef*>(m_pAttributeDefs->GetAt(i))
                                 : nullptr;
    if (attribute == nullptr || definition == nullptr) continue;
    rows.push_back({definition->GetTag() + "[" + definition->GetPrompt() + "]", attribute->GetText(), i});
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
