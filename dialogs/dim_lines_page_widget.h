#pragma once

#include <QWidget>

#include "commands/dialogs/dim_lines_page.h"

class QComboBox;
class QLineEdit;
struct FcDimVars;

// The "Line & Arrow" page of the dimension style sheet: it fills from the
// page and writes each change into the page and at once into the style's
// variables.
class DimLinesPageWidget : public QWidget {
 public:
  DimLinesPageWidget(CDimLinesPage& page, FcDimVars& vars, QWidget* parent);

 private:
  void Apply();
  // Every arrow list anew, each with its arrow selected.
  void FillArrows();
  void ChooseArrow(CDimLinesPage::Arrow arrow, int index);

  CDimLinesPage& page_;
  FcDimVars& vars_;
  QComboBox* arrows_[3] = {};
  QLineEdit* centerSize_ = nullptr;
};
