#pragma once

#include <QDialog>

class CInsertBlkDlg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Insert block": shows a CInsertBlkDlg and writes the boxes back into it.
// Ends with OK (its button reads "Insert"), Cancel or Pick point's code.
class InsertBlockDialog : public QDialog {
 public:
  InsertBlockDialog(CInsertBlkDlg& data, QWidget* parent);

 private:
  bool TakeBoxes();
  void ApplyEnabling();
  void Browse();
  void Accept();

  CInsertBlkDlg& data_;
  QComboBox* name_;
  QLabel* path_;
  QCheckBox* onScreen_;
  QLineEdit* insertX_;
  QLineEdit* insertY_;
  QWidget* pickPoint_;
  QLineEdit* scaleX_;
  QLineEdit* scaleY_;
  QCheckBox* sameScale_;
  QLineEdit* angle_;
  QCheckBox* explode_;
  QSpinBox* columns_;
  QSpinBox* rows_;
  QLineEdit* columnSpacing_;
  QLineEdit* rowSpacing_;
};
