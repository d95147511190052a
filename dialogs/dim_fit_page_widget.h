#pragma once

#include <functional>

#include "dialogs/dim_page_controls.h"

class CDimAdjustPage;
struct FcDimVars;

// The "Adjust" page: where text and arrows go when they do not fit, how
// placed text moves, and the overall scale.
class DimFitPageWidget : public DimPageWidget {
 public:
  DimFitPageWidget(CDimAdjustPage& page, FcDimVars& vars, QWidget* parent);
  // Run before the change is reported when it changed DIMSCALE: the
  // sample is built at the overall scale, so the sheet builds it again.
  void SetOnRescale(std::function<void()> onRescale) { onRescale_ = std::move(onRescale); }

 protected:
  void Apply() override;

 private:
  CDimAdjustPage& page_;
  FcDimVars& vars_;
  std::function<void()> onRescale_;
};
