#pragma once

#include <memory>

#include "core/point2d.h"
#include "shell/modal_dialog.h"

class FcDeviceContext;
class FcDisplaySurface;
class FcGraph;

// The print preview: the print as the print dialog set it up, in printer
// pixels, shown on a sheet that the user zooms and pans. The drawing is
// regenerated once into a list of the preview's own and printed from it
// through the printing pass at each zoom. It changes nothing.
class CPreviewDlg : public CModalDialog {
 public:
  // What the window does after an input: nothing, render the page at the
  // new zoom, or only move the rendered page.
  enum class Step { kNone, kRender, kCompose };
  // What a paint does: show the window without the page (the page is
  // rendered by the next paint), render the page and show it, or show the
  // page already rendered.
  enum class Paint { kShowWindow, kRender, kCompose };
  enum class Cursor { kZoom, kNoZoomIn, kNoZoomOut, kOpenHand, kGrabbing };

  // The sheet at the current zoom in screen pixels, and the screen pixels
  // per printer pixel across and down the printable area.
  struct Page {
    int width = 0;
    int height = 0;
    int marginX = 0;
    int marginY = 0;
    int printWidth = 0;
    int printHeight = 0;
    double scaleX = 0.0;
    double scaleY = 0.0;
  };

  CPreviewDlg();
  ~CPreviewDlg() override;
  CPreviewDlg(const CPreviewDlg&) = delete;
  CPreviewDlg& operator=(const CPreviewDlg&) = delete;

  // Opening on a client area of the size: the sheet fitted and centred, in
  // zoom mode, and the drawing regenerated into the preview's list.
  void OnInitDialog(int clientWidth, int clientHeight);
  // The window got another size: the fitted zoom follows it, and a sheet
  // still shown fitted is fitted again.
  Step Resize(int clientWidth, int clientHeight);
  // False when the printer gave no sheet or the window no room for it.
  bool HasSheet() const { return m_dFitZoom > 0.0; }
  Page PageAt() const;
  // The sheet's upper-left corner in a client area of that width or height.
  int SheetLeft(int clientWidth) const { return clientWidth / 2 - m_nPx; }
  int SheetTop(int clientHeight) const { return clientHeight / 2 - m_nPy; }
  // Prints the drawing for the printable area of the page onto the target,
  // as the printer prints it; false when nothing could be printed.
  bool PrintPage(FcDeviceContext* target);
  Paint NextPaint();

  Step ZoomIn();
  Step ZoomOut();
  Step ZoomFit();
  Step Wheel(bool forward) { return forward ? ZoomIn() : ZoomOut(); }
  void LeftDown(int x, int y);
  void MiddleDown(int x, int y);
  void ButtonUp();
  Step MouseMove(int x, int y);
  // 'F' fits, 'P' pans, 'Z' zooms.
  Step Key(char key);
  void SelectZoomMode(bool zoom) { m_bZoomMode = zoom; }
  Cursor CursorShape() const;

  // Filled by the print dialog.
  FcGraph* m_pGraph = nullptr;
  FcPoint2d m_ptWindow[2];
  double m_dScale = 0.0;
  short m_nColorMode = 0;
  int m_nOffsetX = 0;
  int m_nOffsetY = 0;
  short m_nRotation = 0;
  int m_nPhysWidth = 0;
  int m_nPhysHeight = 0;
  int m_nPrintWidth = 0;
  int m_nPrintHeight = 0;
  int m_nPhysOffsetX = 0;
  int m_nPhysOffsetY = 0;
  // The printer's resolution, which scales the pen widths.
  int m_nPixelsPerInchX = 0;

  // Screen pixels per printer pixel.
  double m_dFitZoom = 0.0;
  double m_dZoom = 0.0;
  // The sheet's upper-left corner lies this far left of and above the
  // client area's centre.
  int m_nPx = 0;
  int m_nPy = 0;
  bool m_bRender = false;
  bool m_bFirstPaint = false;
  bool m_bZoomMode = true;
  bool m_bLeftHeld = false;
  bool m_bMiddleHeld = false;
  int m_nLastX = 0;
  int m_nLastY = 0;

 private:
  void ComputeFitZoom(int clientWidth, int clientHeight);
  Step Scale(double factor);
  Step Pan(int x, int y);

  std::unique_ptr<FcDisplaySurface> surface_;
};
