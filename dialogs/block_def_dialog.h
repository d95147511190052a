#pragma once

#include <QDialog>

class CBlkDefDlg;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

// "Block define": shows a CBlkDefDlg and writes the boxes back into it.
// Ends with OK, Cancel or the code of a pick button.
class BlockDefDialog : public QDialog {
 public:
  BlockDefDialog(CBlkDefDlg& data, QWidget* parent);

 private:
  // The boxes into the members; false when a number box holds no number.
  bool TakeBoxes();
  void Pick(int code);
  void Accept();

  CBlkDefDlg& data_;
  QComboBox* name_;
  QLineEdit* x_;
  QLineEdit* y_;
  QButtonGroup* mode_;
};
