#pragma once

#include <QDialog>

class CAttExtDlg;
class QLineEdit;
class QRadioButton;

// "Attribute Extraction": shows a CAttExtDlg; its file buttons browse for
// the template and the output file.
class AttExtDialog : public QDialog {
 public:
  AttExtDialog(CAttExtDlg& data, QWidget* parent);

  void accept() override;

 private:
  void TakeBoxes();

  CAttExtDlg& data_;
  QRadioButton* sdf_;
  QLineEdit* template_;
  QLineEdit* output_;
};
