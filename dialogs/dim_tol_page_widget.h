#pragma once

#include "dialogs/dim_page_controls.h"

class CDimTolPage;
struct FcDimVars;

// The "Tolerance" page: how tolerances are written with the measurement.
// Its precision samples and switches follow the two unit pages, so each
// time it comes to the front it takes their formats again.
class DimTolPageWidget : public DimPageWidget {
 public:
  DimTolPageWidget(CDimTolPage& page, FcDimVars& vars, QWidget* parent);

 protected:
  void showEvent(QShowEvent* event) override;
  void Apply() override;

 private:
  void Show();
  void SetEnabling();

  CDimTolPage& page_;
  FcDimVars& vars_;
  QComboBox* method_;
  QComboBox* precision_;
  QLineEdit* upper_;
  QLineEdit* lower_;
  QLineEdit* heightScale_;
  QComboBox* justification_;
  DimZeroBoxes* zeros_;
  QComboBox* altPrecision_;
  DimZeroBoxes* altZeros_;
};
