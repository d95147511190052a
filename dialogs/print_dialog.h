#pragma once

#include <QDialog>
#include <string>

class CPrintDlg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The print dialog: shows the data of a CPrintDlg, hands each change to it
// and shows the result again. Everything the dialog decides is the data's.
class PrintDialog : public QDialog {
 public:
  PrintDialog(CPrintDlg& data, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  void ShowMembers();
  // The number boxes and the copies into the data.
  void TakeBoxes();
  void DeviceSetup();
  // "Pre&view...": the preview of the print as it stands, or the refusal.
  void Preview();
  // The message, with the focus on the box to correct.
  void Refuse(const std::string& refusal);
  QLineEdit* FocusBox(int box) const;

  CPrintDlg& data_;
  QRadioButton* areas_[4] = {};
  QComboBox* colors_ = nullptr;
  QSpinBox* copies_ = nullptr;
  QRadioButton* inch_ = nullptr;
  QRadioButton* mm_ = nullptr;
  QLabel* paperSize_ = nullptr;
  QComboBox* rotation_ = nullptr;
  QLineEdit* offsetX_ = nullptr;
  QLineEdit* offsetY_ = nullptr;
  QCheckBox* center_ = nullptr;
  QLabel* scaleLabel_ = nullptr;
  QLineEdit* scalePaper_ = nullptr;
  QLineEdit* scaleDrawing_ = nullptr;
  QCheckBox* fit_ = nullptr;
};
