#pragma once

#include <string>
#include <vector>

#include "shell/modal_dialog.h"

class FcAttribute;
class FcEntitySets;

// "Input attribute value": the values of a block reference's attributes in
// a grid, one row per attribute under a header row, each named by its tag
// and the prompt of the block's definition of that tag. OK writes the
// grid's values into the attributes' text.
class CAttributeEditDlg : public CModalDialog {
 public:
  // The reference's attributes in order, and its block's definitions.
  const std::vector<FcAttribute*>* m_pAttributes = nullptr;
  const FcEntitySets* m_pAttributeDefs = nullptr;
  std::string m_strBlockName;

  struct Row {
    std::string name;
    std::string value;
    // The attribute the row edits; -1 for the header row.
    int attribute = -1;
  };

  std::string Heading() const { return "Block name: " + m_strBlockName; }
  // The header row first, then one row per attribute.
  std::vector<Row> Rows() const;
  // Writes the values of rows as the grid left them into their attributes;
  // an attribute without a row keeps its text.
  void OnOK(const std::vector<Row>& rows);

  static constexpr const char* kNote = "Press \"Enter\" key to confirm input, press \"ESC\" key to cancel input.";
};
