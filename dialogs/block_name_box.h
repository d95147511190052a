#pragma once

#include <string>

class FcGraph;
class QComboBox;
class QWidget;

// The editable list of the drawing's block names that the block dialogs
// share, showing the text given.
QComboBox* BlockNameBox(const FcGraph* graph, const std::string& text, QWidget* parent);
