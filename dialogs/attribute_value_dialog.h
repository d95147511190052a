#pragma once

#include <QDialog>
#include <vector>

#include "commands/dialogs/attribute_edit_dlg.h"

class CPropertyList;

// "Input attribute value": shows a CAttributeEditDlg's rows in a property
// grid of names and values. Enter or Esc in the grid goes to the grid: Enter
// takes the typed value and moves to the next row, Esc drops it; from
// outside the grid OK writes the values back and Cancel closes.
class AttributeValueDialog : public QDialog {
 public:
  AttributeValueDialog(CAttributeEditDlg& data, QWidget* parent);

  void accept() override;
  void reject() override;

 private:
  // Selects the next row and opens its editor, when there is one.
  void EditNextRow();

  CAttributeEditDlg& data_;
  std::vector<CAttributeEditDlg::Row> rows_;
  CPropertyList* grid_;
};
