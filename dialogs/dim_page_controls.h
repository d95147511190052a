#pragma once

#include <functional>
#include <initializer_list>

class ColorComboBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

// The controls of the dimension style pages, each bound to a member of its
// page: a change is written into the member and then `changed` runs, which
// applies the page to the style so that the sample follows at once.
using DimPageChanged = std::function<void()>;

// An edit field of a real number, taken when the edit is finished; text
// that is no number is refused and leaves the member as it was.
QLineEdit* NewDimNumberField(const char* name, double& value, DimPageChanged changed, QWidget* parent);
QCheckBox* NewDimCheckBox(const char* name, const char* text, bool& value, DimPageChanged changed, QWidget* parent);
// A drop-down list whose position is the member.
QComboBox* NewDimChoiceList(const char* name, std::initializer_list<const char*> texts, int& value,
                            DimPageChanged changed, QWidget* parent);
// The colour list with "Others...", which starts from the list's colour.
ColorComboBox* NewDimColorList(const char* name, int& value, DimPageChanged changed, QWidget* parent);
