#pragma once

#include "commands/dialogs/dim_lines_page.h"
#include "dialogs/dim_page_controls.h"

class QComboBox;
class QLineEdit;
struct FcDimVars;

// The "Line & Arrow" page of the dimension style sheet: dimension and
// extension lines, arrowheads and the centre mark.
class DimLinesPageWidget : public DimPageWidget {
 public:
  DimLinesPageWidget(CDimLinesPage& page, FcDimVars& vars, QWidget* parent);

 protected:
  void Apply() override;

 private:
  // A centre mark of type "None" has no size.
  void EnableCenterSize();
  // Every arrow list anew, each with its arrow selected.
  void FillArrows();
  void ChooseArrow(CDimLinesPage::Arrow arrow, int index);

  CDimLinesPage& page_;
  FcDimVars& vars_;
  QComboBox* arrows_[3] = {};
  QLineEdit* centerSize_ = nullptr;
};
