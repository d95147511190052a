#pragma once

#include "dialogs/dim_page_controls.h"

class CDimTextPage;
struct FcDimVars;

// The "Text" page of the dimension style sheet: the dimension text's
// style, colour, height, frame, placement and orientation. Its "..."
// closes the sheet with its own code, so that the command lets the user
// edit the text styles and opens the sheet again.
class DimTextPageWidget : public DimPageWidget {
 public:
  DimTextPageWidget(CDimTextPage& page, FcDimVars& vars, QWidget* parent);

 protected:
  void Apply() override;

 private:
  CDimTextPage& page_;
  FcDimVars& vars_;
};
