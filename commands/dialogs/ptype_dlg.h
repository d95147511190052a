#pragma once

#include <string>
#include <string_view>

#include "shell/modal_dialog.h"

// The point style dialog: one of twenty point symbols and the symbol size,
// relative to the screen or in drawing units. The command fills the
// members from PDMODE and PDSIZE and stores them after OK.
class CPTypeDlg : public CModalDialog {
 public:
  static constexpr int kSamples = 20;
  static constexpr int kRelativeSize = 0;
  static constexpr int kAbsoluteSize = 1;

  // 0 to 19, row by row from the top left; -1 when the point mode is none
  // of the twenty.
  int m_nSample = -1;
  int m_nSizeMode = kRelativeSize;
  double m_dSize = 0.0;

  // Sample s stands for the point mode (s / 5) * 32 + s % 5.
  static int ModeOfSample(int sample);
  // -1 for a mode that no sample shows.
  static int SampleOfMode(int mode);

  // The size box's text; "Parameter error!" when it is no number.
  std::string SetSizeText(std::string_view text);
  // The size box's text: four decimals with the user's separator.
  std::string SizeText() const;
};
