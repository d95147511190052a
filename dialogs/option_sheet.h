#pragma once

#include <QDialog>
#include <QWidget>

#include "commands/dialogs/option_dlg.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QVBoxLayout;
class ColorComboBox;
class CPropertyList;

// The outline of a square of the slider's size, centred on the button
// face: how big a snap marker, snap box, pick box or grip will be.
class MarkerSample : public QWidget {
 public:
  explicit MarkerSample(int halfSide, QWidget* parent);
  int HalfSide() const { return halfSide_; }
  void SetHalfSide(int halfSide);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int halfSide_;
};

// The options sheet: its pages fill from the dialog's copies and write
// them back only when it ends with OK.
class OptionSheet : public QDialog {
 public:
  OptionSheet(COptionDlg& data, QWidget* parent);
  void done(int result) override;

 private:
  QWidget* SystemPage();
  QWidget* DisplayPage();
  QWidget* DraftPage();
  QWidget* GripPage();
  QWidget* ToolbarPage();
  // A slider of 1 to 20 with its sample, side by side under the label.
  QSlider* MarkerSlider(const char* name, const char* label, int value, QWidget* page, QVBoxLayout* layout);
  void SetEnabling();
  void Take();

  COptionDlg& data_;
  QTabWidget* tabs_;
  QListWidget* paths_ = nullptr;
  QPushButton* deletePath_ = nullptr;
  QCheckBox* autoSave_ = nullptr;
  QSpinBox* minutes_ = nullptr;
  QCheckBox* backup_ = nullptr;
  QLineEdit* template_ = nullptr;
  ColorComboBox* background_ = nullptr;
  ColorComboBox* cursorColor_ = nullptr;
  QSpinBox* cursorSize_ = nullptr;
  QComboBox* thickness_ = nullptr;
  QSpinBox* lines_ = nullptr;
  QCheckBox* snapBox_ = nullptr;
  ColorComboBox* snapColor_ = nullptr;
  QSlider* markerSize_ = nullptr;
  QSlider* snapBoxSize_ = nullptr;
  ColorComboBox* gripColor_ = nullptr;
  ColorComboBox* gripHot_ = nullptr;
  QSlider* pickBoxSize_ = nullptr;
  QSlider* gripSize_ = nullptr;
  CPropertyList* toolbars_ = nullptr;
  QCheckBox* bigIcons_ = nullptr;
};
