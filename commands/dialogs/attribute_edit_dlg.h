#pragma once

#include <string>
#include <vector>

#include "shell/modal_dialog.h"

class FcAttribute;
class FcEntitySets;

// "Input attribute value": the values of a block reference's attributes in
// a grid, one row per attribute that has its definition, under a header
// row. OK writes the grid's values into the attributes' text.
class CAttributeEditDlg : public CModalDialog {
 public:
  // The reference's attributes in order, and its block's definitions in
  // order; an attribute and a definition pair by position.
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
  // The header row first, then one row per attribute with a definition.
  std::vector<Row> Rows() const;
  // Writes the values of rows as the grid left them into their attributes;
  // an attribute without a row keeps its text.
  void OnOK(const std::vector<Row>& rows);

  static constexpr const char* kNote = "Press \"Enter\" key to confirm input, press \"ESC\" key to cancel input.";
};
