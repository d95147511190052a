#pragma once

#include <QGroupBox>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "commands/dialogs/dim_zero_suppression.h"

class ColorComboBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

// A page of the dimension style sheet. Every control of the page writes
// its value into the page and reports the change here, the one path of a
// change: the page writes the variables at once and sets what it greys,
// then tells the sheet, whose sample follows.
class DimPageWidget : public QWidget {
 public:
  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
  void Changed();

 protected:
  using QWidget::QWidget;
  // Writes the page into the variables and greys what no longer applies.
  virtual void Apply() = 0;

 private:
  std::function<void()> onChange_;
};

// The controls below are made on a page (their parent is the page or lies
// on it): a user's change writes the value and is reported to that page.

// A drop-down list of the texts showing the entry at the index (none for
// an index outside the list). A user's choice writes its position into the
// index and runs chosen before the change is reported; filling or showing
// the list writes nothing.
QComboBox* NewDimList(const char* name, const std::vector<std::string>& texts, int& index, QWidget* parent,
                      std::function<void()> chosen = {});
// The precision lists of a unit format and of an angle format, their
// samples written with the user's decimal separator, and their refills
// after a change of format.
QComboBox* NewPrecisionList(const char* name, int unitFormat, int& precision, QWidget* parent);
QComboBox* NewAnglePrecisionList(const char* name, int angleFormat, int& precision, QWidget* parent);
void FillPrecisionList(QComboBox& list, int unitFormat);
void FillAnglePrecisionList(QComboBox& list, int angleFormat);

// A form of labelled fields on a widget of its own under what the box
// holds, so that the fields can be greyed together.
QFormLayout* NewDimForm(QGroupBox* box);
// The rows "&Units" and "&Precision" of a unit format and its precision:
// choosing a format refills the precision list, its position kept.
void AddDimUnitRows(QFormLayout& form, int& unitFormat, int& precision);
// The rows "&Rounding value", "Prefi&x" and "&Suffix" of a measurement,
// each taken when it is left. Prefix and suffix together take no more
// characters than the room their joined text leaves them.
void AddDimRoundingRows(QFormLayout& form, double& rounding, std::string& prefix, std::string& suffix, int room);

// A number box that writes a number into the value each time it is left;
// text that is no number is refused and the box shows the value again.
QLineEdit* NewDimNumberBox(const char* name, double& value, QWidget* parent);
// A text box that writes its text into the text each time it is left.
QLineEdit* NewDimTextBox(const char* name, std::string& text, QWidget* parent);
// A check box that writes its state into the flag when clicked.
QCheckBox* NewDimCheckBox(const char* name, const char* label, bool& flag, QWidget* parent);

// The colour list with "Others...", which starts from the list's colour.
ColorComboBox* NewDimColorList(const char* name, int& value, QWidget* parent);

// Radio buttons of the labels added under what the box holds, their ids
// being their positions; the one at the index is checked (none for an index
// outside them). What a click means the page writes and reports itself.
QButtonGroup* NewDimRadios(const char* name, std::initializer_list<const char*> labels, int checked, QGroupBox* box);

// Enables or greys a control and the label a form layout put beside it.
void EnableDimField(QWidget* field, bool enabled);

// The four zero suppression switches of one unit code, bound to it.
class DimZeroBoxes : public QGroupBox {
 public:
  DimZeroBoxes(const char* name, DimZeroSuppression& zeros, QWidget* parent);
  // Shows the switches of the code again.
  void Show();
  void Enable(bool leadingTrailing, bool feetInches);

 private:
  DimZeroSuppression& zeros_;
  QCheckBox* leading_;
  QCheckBox* trailing_;
  QCheckBox* feet_;
  QCheckBox* inches_;
};
