#pragma once

#include <cstdint>

#include "imaging/dib.h"
#include "shell/modal_dialog.h"

// The adjust box of a raster image: brightness, contrast and fade with a
// preview of the picture, and whether the image is shown.
class CImgAdjustDlg : public CModalDialog {
 public:
  static constexpr int kMinValue = 0;
  static constexpr int kMaxValue = 100;
  static constexpr int kDefaultBrightness = 50;
  static constexpr int kDefaultContrast = 50;
  static constexpr int kDefaultFade = 0;

  int m_nBrightness = kDefaultBrightness;
  int m_nContrast = kDefaultContrast;
  int m_nFade = kDefaultFade;
  int m_bShowImage = 1;
  // RGB, red in the low byte: the colour Fade blends toward.
  std::uint32_t m_crBackground = 0;
  // A copy of the image's picture.
  CDib m_dibOriginal;

  // Reset: the neutral values, the image shown.
  void Reset();
  // The picture with the present values applied; false (preview empty)
  // when there is none.
  bool MakePreview(CDib& preview) const;
};
