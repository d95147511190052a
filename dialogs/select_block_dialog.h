#pragma once

#include <QDialog>

class CSelectBlkDlg;
class QComboBox;
class QPushButton;

// "Select Block": shows a CSelectBlkDlg; OK is enabled only while a block
// is selected.
class SelectBlockDialog : public QDialog {
 public:
  SelectBlockDialog(CSelectBlkDlg& data, QWidget* parent);

 private:
  CSelectBlkDlg& data_;
  QComboBox* names_;
  QPushButton* ok_;
};
