#pragma once

#include <QDialog>

class CAttEdtDlg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Edit Attribute Definition": shows a CAttEdtDlg and writes the boxes
// back into it.
class AttEdtDialog : public QDialog {
 public:
  AttEdtDialog(CAttEdtDlg& data, QWidget* parent);

  void accept() override;

 private:
  void ApplyTagRule();

  CAttEdtDlg& data_;
  QCheckBox* invisible_;
  QCheckBox* constant_;
  QCheckBox* verify_;
  QCheckBox* preset_;
  QLineEdit* tag_;
  QLineEdit* prompt_;
  QLineEdit* value_;
  QComboBox* style_;
  QLineEdit* height_;
  QLineEdit* width_;
  QLineEdit* oblique_;
  QLabel* note_;
  QPushButton* ok_;
};
