#include "commands/dialogs/print_dlg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "commands/dialogs/area_window.h"
#include "commands/dialogs/preview_dlg.h"
#include "core/value_format.h"
#include "core/value_parse.h"

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kInchPerMm = 0.03937007874015748;
// Printer pixels stay well inside the integers the device works with.
constexpr double kMaxPixels = 1.0e9;

std::optional<double> BoxNumber(const std::string& text) {
  double value = 0.0;
  if (!ParseReal(text, value) || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string BoxText(double value) { return FormatDecimal(6, value); }

// Half up, truncated; nothing beyond the pixel range.
std::optional<int> ToPixels(double value) {
  const double rounded = std::trunc(value + 0.5);
  if (!std::isfinite(rounded) || std::abs(rounded) > kMaxPixels) return std::nullopt;
  return static_cast<int>(rounded);
}

}  // namespace

void CPrintDlg::OnInitDialog() {
  const std::shared_ptr<FcPrinter> printer = GetPrinter();
  std::optional<FcPrinterPage> page;
  if (printer != nullptr) {
    m_nCopies = printer->Copies();
    page = printer->Page();
  }
  InitFrom(LoadPrintDlgSettings(), page);
}

void CPrintDlg::InitFrom(const std::optional<PrintDlgSettings>& stored, const std::optional<FcPrinterPage>& page) {
  m_nFocus = kNoBox;
  if (!stored) {
    SelectArea(kAreaDisplay);
    m_ptWindow[0] = m_ptDisplay[0];
    m_ptWindow[1] = m_ptDisplay[1];
  } else {
    const int area = stored->area.value_or(kAreaDisplay);
    SelectArea(area == kAreaDisplay || area == kAreaWindow || area == kAreaLimits ? area : kAreaExtents);
    if (m_bFirstShow) {
      if (stored->window) {
        const std::array<double, 4>& corners = *stored->window;
        m_ptWindow[0] = {corners[0], corners[1]};
        m_ptWindow[1] = {corners[2], corners[3]};
      } else {
        m_ptWindow[0] = m_ptDisplay[0];
        m_ptWindow[1] = m_ptDisplay[1];
      }
    }
  }
  // Back from a window pick the picked corners are the part to print.
  if (!m_bFirstShow) SelectArea(kAreaWindow);
  const PrintDlgSettings values = stored.value_or(PrintDlgSettings{});
  m_nColors = std::clamp(values.colors.value_or(kColors256), 0, 2);
  m_nRotation = std::clamp(values.rotate.value_or(0), 0, 3);
  m_nUnit = values.unit.value_or(kUnitInch) == kUnitInch ? kUnitInch : kUnitMm;
  m_strOffsetX = BoxText(values.offsetX.value_or(0.0));
  m_strOffsetY = BoxText(values.offsetY.value_or(0.0));
  m_strScalePaper = BoxText(values.scalePaperUnit.value_or(1.0));
  m_strScaleDrawing = values.scaleDrawingUnit ? BoxText(*values.scaleDrawingUnit) : "1";
  m_bCenter = values.center.value_or(1) != 0;
  m_bScaleFit = values.scaleFit.value_or(1) != 0;
  ReadPage(page);
  Refresh();
}

void CPrintDlg::ReadPage(const std::optional<FcPrinterPage>& page) {
  if (!page) return;
  m_nPhysWidth = page->physWidth;
  m_nPhysHeight = page->physHeight;
  m_nPrintWidth = page->printWidth;
  m_nPrintHeight = page->printHeight;
  m_nPixelsPerInchX = page->pixelsPerInchX;
  m_nPixelsPerInchY = page->pixelsPerInchY;
  m_nPhysOffsetX = page->physOffsetX;
  m_nPhysOffsetY = page->physOffsetY;
  ComputePaperSize();
}

void CPrintDlg::ComputePaperSize() {
  // Each side by its own resolution, in either unit.
  if (m_nPixelsPerInchX <= 0 || m_nPixelsPerInchY <= 0) return;
  const double factor = m_nUnit == kUnitMm ? kMmPerInch : 1.0;
  m_dPaperWidth = static_cast<double>(m_nPrintWidth) / m_nPixelsPerInchX * factor;
  m_dPaperHeight = static_cast<double>(m_nPrintHeight) / m_nPixelsPerInchY * factor;
}

void CPrintDlg::SelectArea(int area) {
  m_nArea = static_cast<short>(std::clamp(area, static_cast<int>(kAreaDisplay), static_cast<int>(kAreaLimits)));
  m_pWindow = AreaWindow(*this, m_nArea);
  Refresh();
}

void CPrintDlg::SelectRotation(int rotation) {
  m_nRotation = std::clamp(rotation, 0, 3);
  Refresh();
}

void CPrintDlg::SelectUnit(int unit) {
  m_nUnit = unit == kUnitInch ? kUnitInch : kUnitMm;
  // Boxes that are neither fitted nor centred keep their numbers as typed.
  ComputePaperSize();
  Refresh();
}

void CPrintDlg::SetCenter(bool center) {
  m_bCenter = center;
  Refresh();
}

void CPrintDlg::SetScaleFit(bool fit) {
  m_bScaleFit = fit;
  Refresh();
}

void CPrintDlg::Refresh() {
  if (m_bScaleFit) Fit();
  if (m_bCenter) Centre();
}

void CPrintDlg::TakePrinterSetup(int copies, const std::optional<FcPrinterPage>& page) {
  m_nCopies = copies;
  ReadPage(page);
  Refresh();
}

namespace {

// The window's width and height, turned a quarter when the print is.
bool WindowSize(const FcPoint2d* window, bool quarterTurned, double& width, double& height) {
  if (window == nullptr) return false;
  width = std::abs(window[1].x - window[0].x);
  height = std::abs(window[1].y - window[0].y);
  // A window without extent has no scale: fitting it would divide by zero.
  if (width == 0.0 || height == 0.0) return false;
  if (quarterTurned) std::swap(width, height);
  return true;
}

}  // namespace

void CPrintDlg::Fit() {
  double ww = 0.0, wh = 0.0;
  if (!WindowSize(m_pWindow, QuarterTurned(), ww, wh)) return;
  const bool heightLimits = m_dPaperHeight / wh < m_dPaperWidth / ww;
  m_strScalePaper = BoxText(heightLimits ? m_dPaperHeight : m_dPaperWidth);
  m_strScaleDrawing = BoxText(heightLimits ? wh : ww);
}

bool CPrintDlg::ComputeScale() {
  if (m_bScaleFit) {
    double ww = 0.0, wh = 0.0;
    if (!WindowSize(m_pWindow, QuarterTurned(), ww, wh) || m_nPrintWidth <= 0 || m_nPrintHeight <= 0) return false;
    const double byHeight = m_nPrintHeight / wh;
    const double byWidth = m_nPrintWidth / ww;
    m_dScale = m_dPaperHeight / wh < m_dPaperWidth / ww ? byHeight : byWidth;
    return true;
  }
  const std::optional<double> paper = BoxNumber(m_strScalePaper);
  if (!paper || *paper <= 0.0) {
    m_nFocus = kBoxScalePaper;
    return false;
  }
  const std::optional<double> drawing = BoxNumber(m_strScaleDrawing);
  if (!drawing || *drawing <= 0.0) {
    m_nFocus = kBoxScaleDrawing;
    return false;
  }
  const double inches = m_nUnit == kUnitMm ? *paper * kInchPerMm : *paper;
  m_dScale = inches * m_nPixelsPerInchY / *drawing;
  return std::isfinite(m_dScale) && m_dScale > 0.0;
}

void CPrintDlg::Centre() {
  double ww = 0.0, wh = 0.0;
  if (!WindowSize(m_pWindow, QuarterTurned(), ww, wh) || m_nPixelsPerInchY <= 0) return;
  const int focus = m_nFocus;
  const bool scaled = ComputeScale();
  m_nFocus = static_cast<Box>(focus);
  if (!scaled) return;
  // A print larger than the pixel range cannot be placed.
  const std::optional<int> w = ToPixels(ww * m_dScale);
  const std::optional<int> h = ToPixels(wh * m_dScale);
  if (!w || !h) return;
  const int f = (m_nPrintWidth - *w) / 2;
  const int g = (m_nPrintHeight - *h) / 2;
  static constexpr int kSignX[4] = {1, -1, -1, 1};
  static constexpr int kSignY[4] = {1, 1, -1, -1};
  const double factor = m_nUnit == kUnitMm ? kMmPerInch : 1.0;
  m_strOffsetX = BoxText(kSignX[m_nRotation] * static_cast<double>(f) / m_nPixelsPerInchY * factor);
  m_strOffsetY = BoxText(kSignY[m_nRotation] * static_cast<double>(g) / m_nPixelsPerInchY * factor);
}

bool CPrintDlg::ConvertOffsets() {
  const double toInches = m_nUnit == kUnitMm ? kInchPerMm : 1.0;
  const std::string* texts[2] = {&m_strOffsetX, &m_strOffsetY};
  int* targets[2] = {&m_nOffsetX, &m_nOffsetY};
  const Box boxes[2] = {kBoxOffsetX, kBoxOffsetY};
  for (int i = 0; i < 2; ++i) {
    const std::optional<double> value = BoxNumber(*texts[i]);
    const std::optional<int> pixels = value ? ToPixels(*value * toInches * m_nPixelsPerInchY) : std::nullopt;
    if (!pixels) {
      m_nFocus = boxes[i];
      return false;
    }
    *targets[i] = *pixels;
  }
  return true;
}

std::string CPrintDlg::Accept() {
  if (!ComputeScale() || !ConvertOffsets()) return kParameterError;
  // No copies is refused before anything is stored.
  if (m_nCopies <= 0) {
    m_nFocus = kBoxCopies;
    return kParameterError;
  }
  PickWindow();
  const std::shared_ptr<FcPrinter> printer = GetPrinter();
  if (printer != nullptr) printer->SetCopies(m_nCopies);
  return {};
}

void CPrintDlg::PickWindow() {
  // A store that cannot be written loses the choices, not the print.
  SavePrintDlgSettings(Settings());
}

std::string CPrintDlg::FillPreview(CPreviewDlg& preview) {
  if (m_pWindow == nullptr || !ComputeScale() || !ConvertOffsets()) return kParameterError;
  preview.m_pGraph = m_pGraph;
  preview.m_ptWindow[0] = m_pWindow[0];
  preview.m_ptWindow[1] = m_pWindow[1];
  preview.m_dScale = m_dScale;
  preview.m_nColorMode = static_cast<short>(ColorMode());
  preview.m_nOffsetX = m_nOffsetX;
  preview.m_nOffsetY = m_nOffsetY;
  preview.m_nRotation = static_cast<short>(m_nRotation);
  preview.m_nPhysWidth = m_nPhysWidth;
  preview.m_nPhysHeight = m_nPhysHeight;
  preview.m_nPrintWidth = m_nPrintWidth;
  preview.m_nPrintHeight = m_nPrintHeight;
  preview.m_nPhysOffsetX = m_nPhysOffsetX;
  preview.m_nPhysOffsetY = m_nPhysOffsetY;
  preview.m_nPixelsPerInchX = m_nPixelsPerInchX;
  return {};
}

PrintDlgSettings CPrintDlg::Settings() const {
  PrintDlgSettings settings;
  settings.area = m_nArea;
  settings.window = std::array<double, 4>{m_ptWindow[0].x, m_ptWindow[0].y, m_ptWindow[1].x, m_ptWindow[1].y};
  settings.colors = m_nColors;
  settings.unit = m_nUnit;
  settings.rotate = m_nRotation;
  settings.offsetX = BoxNumber(m_strOffsetX).value_or(0.0);
  settings.offsetY = BoxNumber(m_strOffsetY).value_or(0.0);
  settings.center = m_bCenter ? 1 : 0;
  settings.scalePaperUnit = BoxNumber(m_strScalePaper).value_or(0.0);
  settings.scaleDrawingUnit = BoxNumber(m_strScaleDrawing).value_or(0.0);
  settings.scaleFit = m_bScaleFit ? 1 : 0;
  return settings;
}

std::string CPrintDlg::PaperSizeText() const {
  return "Paper Size " + FormatDecimal(2, m_dPaperWidth) + " by " + FormatDecimal(2, m_dPaperHeight);
}

std::string CPrintDlg::ScaleLabel() const { return m_nUnit == kUnitMm ? "Print mm" : "Print Inches"; }
