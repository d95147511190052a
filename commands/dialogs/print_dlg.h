#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/point2d.h"
#include "shell/modal_dialog.h"
#include "shell/printer.h"

class CPreviewDlg;
class FcGraph;

// What the print dialog remembers between runs; a value that is missing or
// cannot be read is empty.
struct PrintDlgSettings {
  std::optional<int> area;
  // Corner 1 x, y, corner 2 x, y; only when all four were read.
  std::optional<std::array<double, 4>> window;
  std::optional<int> colors;
  std::optional<int> unit;
  std::optional<int> rotate;
  std::optional<double> offsetX;
  std::optional<double> offsetY;
  std::optional<int> center;
  std::optional<double> scalePaperUnit;
  std::optional<double> scaleDrawingUnit;
  std::optional<int> scaleFit;
};

// The "PrintCfg" section of the dialog store; nothing when the section does
// not exist. Saving answers false when the store cannot be written.
std::optional<PrintDlgSettings> LoadPrintDlgSettings();
bool SavePrintDlgSettings(const PrintDlgSettings& settings);

// The print dialog's data: the part of the drawing, the colours, the copies,
// the paper unit, the rotation, the place on the sheet and the scale. The
// number boxes hold the text the user typed; the handlers are the dialog's
// behaviour and the widget only shows the members and calls them. After OK
// the members hold what printing takes, in printer pixels.
class CPrintDlg : public CModalDialog {
 public:
  static constexpr int kPickWindow = 6;
  static constexpr const char* kParameterError = "Parameter error!";

  enum Area : short { kAreaDisplay = 1, kAreaWindow = 2, kAreaExtents = 3, kAreaLimits = 4 };
  enum Unit : int { kUnitInch = 1, kUnitMm = 2 };
  enum Colors : int { kBlackWhite = 0, kGray = 1, kColors256 = 2 };
  // The boxes a refusal sends the focus to.
  enum Box : int { kNoBox, kBoxOffsetX, kBoxOffsetY, kBoxScalePaper, kBoxScaleDrawing, kBoxCopies };

  CPrintDlg() = default;
  // m_pWindow points into the object itself.
  CPrintDlg(const CPrintDlg&) = delete;
  CPrintDlg& operator=(const CPrintDlg&) = delete;

  // Every showing starts here: the printer's copies and page, the stored
  // settings, then the fitting and centring the check boxes ask for.
  void OnInitDialog();
  void InitFrom(const std::optional<PrintDlgSettings>& stored, const std::optional<FcPrinterPage>& page);
  // Takes the printer's page; nothing changes without one.
  void ReadPage(const std::optional<FcPrinterPage>& page);

  // The handlers; each refits and recentres where the check boxes ask.
  void SelectArea(int area);
  void SelectRotation(int rotation);
  void SelectUnit(int unit);
  void SetCenter(bool center);
  void SetScaleFit(bool fit);
  // Leaving a number box, or Enter in one: the fitting and centring again.
  void Refresh();
  // After the printer setup dialog: its copies and page.
  void TakePrinterSetup(int copies, const std::optional<FcPrinterPage>& page);

  // m_dScale from the boxes or by fitting; false, with m_nFocus on the bad
  // box, when it cannot be.
  bool ComputeScale();
  // m_nOffsetX and m_nOffsetY from the boxes; false with m_nFocus set when
  // a box holds no number or one off the sheet's range.
  bool ConvertOffsets();

  // OK: empty when the values are accepted, which stores them; else the
  // message to show, with m_nFocus on the box to correct.
  std::string Accept();
  // "Window Pick <": the settings are stored first, so the dialog reopens
  // with them.
  void PickWindow();
  // "Preview...": fills the preview, or answers the message to show.
  std::string FillPreview(CPreviewDlg& preview);

  PrintDlgSettings Settings() const;
  // "Paper Size 8.00 by 10.50".
  std::string PaperSizeText() const;
  // "Print mm" or "Print Inches".
  std::string ScaleLabel() const;
  // The colour mode printing takes: 0 colour, 1 grey, 2 black and white.
  int ColorMode() const { return 2 - m_nColors; }

  // The drawing to print, which the preview shows.
  FcGraph* m_pGraph = nullptr;
  int m_nCopies = 1;
  bool m_bFirstShow = false;
  FcPoint2d m_ptWindow[2];
  FcPoint2d m_ptDisplay[2];
  FcPoint2d m_ptExtents[2];
  FcPoint2d m_ptLimits[2];
  FcPoint2d* m_pWindow = nullptr;
  int m_nPhysWidth = 0;
  int m_nPhysHeight = 0;
  int m_nPrintWidth = 0;
  int m_nPrintHeight = 0;
  double m_dPaperWidth = 0.0;
  double m_dPaperHeight = 0.0;
  double m_dScale = 0.0;
  int m_nOffsetX = 0;
  int m_nOffsetY = 0;
  int m_nRotation = 0;
  int m_nColors = kColors256;

  // The controls' state.
  short m_nArea = kAreaDisplay;
  int m_nUnit = kUnitInch;
  bool m_bCenter = true;
  bool m_bScaleFit = true;
  std::string m_strOffsetX;
  std::string m_strOffsetY;
  std::string m_strScalePaper;
  std::string m_strScaleDrawing;
  Box m_nFocus = kNoBox;

  // The printer's resolution and margins, from its page.
  int m_nPixelsPerInchX = 0;
  int m_nPixelsPerInchY = 0;
  int m_nPhysOffsetX = 0;
  int m_nPhysOffsetY = 0;

 private:
  void ComputePaperSize();
  void Fit();
  void Centre();
  void Refit();
  bool QuarterTurned() const { return m_nRotation == 1 || m_nRotation == 3; }
};
