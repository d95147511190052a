#pragma once

#include <QDialog>

class CPTypeDlg;
class QButtonGroup;
class QLabel;
class CEditEx;

// The point style dialog: twenty symbol samples to click, the size box
// and whether the size is relative to the screen or in drawing units.
class PointStyleDialog : public QDialog {
 public:
  PointStyleDialog(CPTypeDlg& data, QWidget* parent = nullptr);

  void accept() override;

 private:
  CPTypeDlg& data_;
  QButtonGroup* samples_;
  QButtonGroup* sizeModes_;
  CEditEx* size_;
  QLabel* unit_;
};
