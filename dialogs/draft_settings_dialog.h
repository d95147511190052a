#pragma once

#include <QDialog>

class CDraftSetDlg;
class QCheckBox;
class QLineEdit;
class QTabWidget;

// The drafting settings sheet: the "Snap" page (snap and grid) and the
// "Object Snap" page. A page's values reach the data when it is left and
// at OK; the snap page refuses spacings of 0.
class DraftSettingsDialog : public QDialog {
 public:
  DraftSettingsDialog(CDraftSetDlg& data, QWidget* parent = nullptr);

  void accept() override;

 private:
  QWidget* SnapPage();
  QWidget* ObjectSnapPage();
  // Reads the snap page into the data; false, after the message, when a
  // box holds no number or a spacing is 0.
  bool ReadSnapPage();
  void ReadObjectSnapPage();
  void ShowModes();

  CDraftSetDlg& data_;
  QTabWidget* pages_;
  QCheckBox* snapOn_;
  QCheckBox* gridOn_;
  QLineEdit* boxes_[7];
  QCheckBox* osnapOn_;
  QCheckBox* modes_[10];
  int shownPage_ = 0;
};
