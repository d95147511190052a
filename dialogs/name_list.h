#pragma once

#include <string>
#include <vector>

class QComboBox;
class QWidget;

// A drop-down list of the names, with the entry at selected chosen (none
// for -1), named for the tests that look for it.
QComboBox* NewNameList(const std::vector<std::string>& names, int selected, const char* objectName, QWidget* parent);
