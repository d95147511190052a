#pragma once

#include <QDialog>

class CAttDefDlg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Attribute Definition": shows a CAttDefDlg and writes the boxes back
// into it. Ends with OK, Cancel or the code of one of its "<" buttons.
class AttDefDialog : public QDialog {
 public:
  AttDefDialog(CAttDefDlg& data, QWidget* parent);

 private:
  // The boxes into the members; false when a number box holds no number.
  bool TakeBoxes();
  void ApplyTagRule();
  void Leave(int code);

  CAttDefDlg& data_;
  QCheckBox* invisible_;
  QCheckBox* constant_;
  QCheckBox* verify_;
  QCheckBox* preset_;
  QLineEdit* tag_;
  QLineEdit* prompt_;
  QLineEdit* value_;
  QLineEdit* x_;
  QLineEdit* y_;
  QComboBox* justify_;
  QComboBox* style_;
  QLineEdit* height_;
  QLineEdit* rotation_;
  QLabel* note_;
  QPushButton* ok_;
};
