#pragma once

#include <QDialog>

class CImgAttachDlg;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

// The attach box: shows the data's members and hands each click to the
// data, which decides what changes; a message the data returns is shown.
class ImgAttachDialog : public QDialog {
 public:
  ImgAttachDialog(CImgAttachDlg& data, QWidget* parent);

  void accept() override;

 private:
  // Members from the boxes, and the boxes from the members.
  void Take();
  void Show();
  // X and Y, scale and angle only where the screen does not give them.
  void Enable();
  void Warn(const std::string& message);
  void Browse();

  CImgAttachDlg& data_;
  QComboBox* name_;
  QLabel* found_;
  QLabel* saved_;
  QComboBox* pathType_;
  QCheckBox* pointOnScreen_;
  QDoubleSpinBox* x_;
  QDoubleSpinBox* y_;
  QCheckBox* scaleOnScreen_;
  QDoubleSpinBox* scale_;
  QCheckBox* rotationOnScreen_;
  QDoubleSpinBox* angle_;
};
