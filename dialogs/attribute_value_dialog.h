#pragma once

#include <QDialog>
#include <vector>

#include "commands/dialogs/attribute_edit_dlg.h"

class QTableWidget;

// "Input attribute value": shows a CAttributeEditDlg's rows in a grid of
// names and values. Enter in the grid takes the typed value and moves to
// the next row; OK from outside the grid writes the values back.
class AttributeValueDialog : public QDialog {
 public:
  AttributeValueDialog(CAttributeEditDlg& data, QWidget* parent);

  void accept() override;

 private:
  bool GridHasFocus() const;
  // Selects the next value row and opens its editor, when there is one.
  void EditNextRow();

  CAttributeEditDlg& data_;
  std::vector<CAttributeEditDlg::Row> rows_;
  QTableWidget* grid_;
};
