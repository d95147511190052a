#pragma once

#include <QDialog>
#include <QImage>

class CImgAdjustDlg;
class CPaintBox;
class QCheckBox;
class QSlider;
class QSpinBox;

// The adjust box: a slider and a number box (0 to 100) for each of
// brightness, contrast and fade, Show image, Reset and the preview.
class ImgAdjustDialog : public QDialog {
 public:
  ImgAdjustDialog(CImgAdjustDlg& data, QWidget* parent);

  // Enter in a number box updates the preview instead of closing.
  void accept() override;

 private:
  struct Setting {
    QSlider* slider;
    QSpinBox* number;
    int* value;
  };

  // The members into every slider and number box.
  void Show();
  void RefreshPreview();

  CImgAdjustDlg& data_;
  Setting settings_[3];
  QCheckBox* showImage_;
  CPaintBox* preview_;
  // What the preview box shows.
  QImage picture_;
};
