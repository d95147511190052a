#pragma once

#include "dialogs/dim_page_controls.h"

class CDimAltUnitsPage;
struct FcDimVars;

// The "Alternate Units" page: the second measurement, its units, and
// whether it stands after or below the primary one.
class DimAltUnitsPageWidget : public DimPageWidget {
 public:
  DimAltUnitsPageWidget(CDimAltUnitsPage& page, FcDimVars& vars, QWidget* parent);

 protected:
  void Apply() override;

 private:
  void SetEnabling();

  CDimAltUnitsPage& page_;
  FcDimVars& vars_;
  QWidget* fields_;
  DimZeroBoxes* zeros_;
  QGroupBox* position_;
};
