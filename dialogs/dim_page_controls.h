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

// A page of the dimension style sheet. Each change it writes into the
// variables at once, then tells the sheet so that its sample follows.
class DimPageWidget : public QWidget {
 public:
  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

 protected:
  using QWidget::QWidget;
  void Changed() const;

 private:
  std::function<void()> onChange_;
};

// A drop-down list of the texts showing the entry at the index (none for
// an index outside the list). A user's choice writes its position into the
// index and runs apply; filling or showing the list writes nothing.
QComboBox* NewDimList(const char* name, const std::vector<std::string>& texts, int& index, std::function<void()> apply,
                      QWidget* parent);
// The precision lists of a unit format and of an angle format, their
// samples written with the user's decimal separator, and their refills
// after a change of format.
QComboBox* NewPrecisionList(const char* name, int unitFormat, int& precision, std::function<void()> apply,
                            QWidget* parent);
QComboBox* NewAnglePrecisionList(const char* name, int angleFormat, int& precision, std::function<void()> apply,
                                 QWidget* parent);
void FillPrecisionList(QComboBox& list, int unitFormat);
void FillAnglePrecisionList(QComboBox& list, int angleFormat);

// A form of labelled fields on a widget of its own under what the box
// holds, so that the fields can be greyed together.
QFormLayout* NewDimForm(QGroupBox* box);
// The rows "&Units" and "&Precision" of a unit format and its precision:
// choosing a format refills the precision list, its position kept, then
// runs formatChosen; choosing a precision runs apply.
void AddDimUnitRows(QFormLayout& form, int& unitFormat, int& precision, std::function<void()> formatChosen,
                    std::function<void()> apply);
// The rows "&Rounding value", "Prefi&x" and "&Suffix" of a measurement,
// each running apply when it is left. Prefix and suffix together take no
// more characters than the room their joined text leaves them.
void AddDimRoundingRows(QFormLayout& form, double& rounding, std::string& prefix, std::string& suffix, int room,
                        const std::function<void()>& apply);

// A number box that writes a number into the value each time it is left
// and then runs apply; text that is no number is refused and the box
// shows the value again.
QLineEdit* NewDimNumberBox(const char* name, double& value, std::function<void()> apply, QWidget* parent);
// A text box that does the same for a text.
QLineEdit* NewDimTextBox(const char* name, std::string& text, std::function<void()> apply, QWidget* parent);
// A check box that writes its state into the flag when clicked and runs apply.
QCheckBox* NewDimCheckBox(const char* name, const char* label, bool& flag, std::function<void()> apply,
                          QWidget* parent);

// The colour list with "Others...", which starts from the list's colour.
ColorComboBox* NewDimColorList(const char* name, int& value, std::function<void()> apply, QWidget* parent);

// Radio buttons of the labels added under what the box holds, their ids
// being their positions; the one at the index is checked (none for an index
// outside them).
QButtonGroup* NewDimRadios(const char* name, std::initializer_list<const char*> labels, int checked, QGroupBox* box);

// Enables or greys a control and the label a form layout put beside it.
void EnableDimField(QWidget* field, bool enabled);

// The four zero suppression switches of one unit code, bound to it.
class DimZeroBoxes : public QGroupBox {
 public:
  DimZeroBoxes(const char* name, DimZeroSuppression& zeros, std::function<void()> apply, QWidget* parent);
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
