#pragma once

#include "dialogs/dim_page_controls.h"

class CDimUnitsPage;
struct FcDimVars;

// The "Main units" page: how linear and angular measurements are written.
class DimUnitsPageWidget : public DimPageWidget {
 public:
  DimUnitsPageWidget(CDimUnitsPage& page, FcDimVars& vars, QWidget* parent);

 protected:
  void Apply() override;

 private:
  void SetEnabling();

  CDimUnitsPage& page_;
  FcDimVars& vars_;
  QComboBox* fraction_;
  QComboBox* separator_;
  DimZeroBoxes* zeros_;
  QComboBox* anglePrecision_;
};
