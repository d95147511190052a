#pragma once

#include <QDialog>

class CExportDlg;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The export dialog: shows the data of a CExportDlg, hands each change to
// it, and on OK or "Pick Window <" writes the boxes back. Everything the
// dialog decides is the data's.
class ExportDialog : public QDialog {
 public:
  ExportDialog(CExportDlg& data, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  void ShowMembers();
  void ShowFileAndUnits();
  void ShowSize();
  // The file box and the size boxes into the data; false (after the
  // message) when a size box holds no number.
  bool TakeBoxes();
  void Browse();
  void PickWindow();

  CExportDlg& data_;
  QLineEdit* file_ = nullptr;
  QComboBox* type_ = nullptr;
  QRadioButton* areas_[4] = {};
  QLineEdit* width_ = nullptr;
  QLineEdit* height_ = nullptr;
  QLabel* unitsLabel_ = nullptr;
  QComboBox* units_ = nullptr;
};
