#pragma once

#include <QDialog>

class CUnitsDlg;
class QCheckBox;
class QComboBox;
class QLabel;

// The units dialog: unit types and precisions with their samples, the
// direction of angles, and the direction sub-dialog for the base angle.
// OK writes the lists back into the data; Pick in the sub-dialog ends the
// dialog with the data's pick result.
class UnitsDialog : public QDialog {
 public:
  UnitsDialog(CUnitsDlg& data, QWidget* parent = nullptr);

  void accept() override;

 private:
  void ReadControls();
  void FillPrecisions(QComboBox& list, const std::vector<std::string>& samples, int index);
  void ShowSamples();
  void OpenDirection();

  CUnitsDlg& data_;
  QComboBox* lengthType_;
  QComboBox* lengthPrec_;
  QComboBox* angleType_;
  QComboBox* anglePrec_;
  QCheckBox* clockwise_;
  QLabel* lengthSample_;
  QLabel* angleSample_;
};

// The direction sub-dialog: four compass directions or a typed angle.
class DirectionDialog : public QDialog {
 public:
  // The angle in degrees and the direction of CUnitsDlg::Direction.
  DirectionDialog(double degrees, int direction, QWidget* parent = nullptr);
  // The chosen angle in degrees; after Pick, the typed one.
  double Degrees() const;
};
