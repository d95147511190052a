#include "commands/dialogs/preview_dlg.h"

#include "core/floor_to_int.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/print_pass.h"

namespace {

constexpr double kStepIn = 1.1;
constexpr double kStepOut = 0.9;
// The zoom stays between these multiples of the fitted zoom; a step may end
// a little beyond them.
constexpr double kMostIn = 3.0;
constexpr double kMostOut = 0.5;
constexpr double kLimitTolerance = 0.000001;
// The fitted sheet leaves a tenth of the client area around it.
constexpr double kFitShare = 0.9;

int Rounded(double value) { return FloorToInt(value + 0.5); }

}  // namespace

CPreviewDlg::CPreviewDlg() = default;
CPreviewDlg::~CPreviewDlg() = default;

void CPreviewDlg::ComputeFitZoom(int clientWidth, int clientHeight) {
  m_dFitZoom = 0.0;
  // A sheet or printable area without size, or no room, shows no sheet
  // rather than dividing by zero.
  if (m_nPhysWidth <= 0 || m_nPhysHeight <= 0 || m_nPrintWidth <= 0 || m_nPrintHeight <= 0 || clientWidth <= 0 ||
      clientHeight <= 0)
    return;
  const double byHeight = static_cast<double>(clientHeight) / m_nPhysHeight;
  const double byWidth = static_cast<double>(clientWidth) / m_nPhysWidth;
  m_dFitZoom = kFitShare * (byHeight < byWidth ? byHeight : byWidth);
}

void CPreviewDlg::OnInitDialog(int clientWidth, int clientHeight) {
  ComputeFitZoom(clientWidth, clientHeight);
  ZoomFit();
  m_bRender = true;
  m_bFirstPaint = true;
  m_bZoomMode = true;
  m_bLeftHeld = false;
  m_bMiddleHeld = false;
  if (m_pGraph == nullptr) return;
  surface_ = std::make_unique<FcDisplaySurface>(m_pGraph);
  // Regenerated for the print on the printer itself: no zoom of the sheet
  // needs finer chords than that.
  FcPrintPlacement placement;
  placement.corner1 = m_ptWindow[0];
  placement.corner2 = m_ptWindow[1];
  placement.unitsX = m_dScale;
  placement.unitsY = m_dScale;
  if (!PlacePrint(*surface_, m_nPrintWidth, m_nPrintHeight, placement)) return;
  surface_->highPrecision = true;
  m_pGraph->RegenToSurface(*surface_);
}

CPreviewDlg::Step CPreviewDlg::Resize(int clientWidth, int clientHeight) {
  const bool fitted = m_dZoom == m_dFitZoom;
  ComputeFitZoom(clientWidth, clientHeight);
  return fitted || !HasSheet() ? ZoomFit() : Step::kNone;
}

CPreviewDlg::Page CPreviewDlg::PageAt() const {
  Page page;
  if (!HasSheet()) return page;
  page.width = Rounded(m_nPhysWidth * m_dZoom);
  page.height = Rounded(m_nPhysHeight * m_dZoom);
  page.marginX = Rounded(m_nPhysOffsetX * m_dZoom);
  page.marginY = Rounded(m_nPhysOffsetY * m_dZoom);
  // The printable area at the zoom itself: margins that differ left and
  // right would otherwise stretch the drawing one way more than the other.
  page.printWidth = Rounded(m_nPrintWidth * m_dZoom);
  page.printHeight = Rounded(m_nPrintHeight * m_dZoom);
  page.scaleX = static_cast<double>(page.printWidth) / m_nPrintWidth;
  page.scaleY = static_cast<double>(page.printHeight) / m_nPrintHeight;
  return page;
}

bool CPreviewDlg::PrintPage(FcDeviceContext* target) {
  const Page page = PageAt();
  if (surface_ == nullptr || page.printWidth <= 0 || page.printHeight <= 0) return false;
  const bool quarterTurned = m_nRotation == 1 || m_nRotation == 3;
  FcPrintPlacement placement;
  placement.corner1 = m_ptWindow[0];
  placement.corner2 = m_ptWindow[1];
  // The drawing's width lies down the sheet after a quarter turn.
  placement.unitsX = m_dScale * (quarterTurned ? page.scaleY : page.scaleX);
  placement.unitsY = m_dScale * (quarterTurned ? page.scaleX : page.scaleY);
  placement.offsetX = Rounded(m_nOffsetX * page.scaleX);
  placement.offsetY = Rounded(m_nOffsetY * page.scaleY);
  placement.quarterTurns = m_nRotation;
  placement.colorMode = m_nColorMode;
  placement.widthUnit = page.scaleX;
  placement.printerPixelsPerInch = m_nPixelsPerInchX;
  return PrintSurfaceWindow(*surface_, target, page.printWidth, page.printHeight, placement);
}

CPreviewDlg::Paint CPreviewDlg::NextPaint() {
  // The window shows before the slower rendering of the page.
  if (m_bFirstPaint) {
    m_bFirstPaint = false;
    m_bRender = true;
    return Paint::kShowWindow;
  }
  if (m_bRender) {
    m_bRender = false;
    return Paint::kRender;
  }
  return Paint::kCompose;
}

CPreviewDlg::Step CPreviewDlg::Scale(double factor) {
  m_dZoom *= factor;
  m_nPx = static_cast<int>(m_nPx * factor);
  m_nPy = static_cast<int>(m_nPy * factor);
  m_bRender = true;
  return Step::kRender;
}

CPreviewDlg::Step CPreviewDlg::ZoomIn() {
  if (!HasSheet() || m_dZoom >= kMostIn * m_dFitZoom) return Step::kNone;
  return Scale(kStepIn);
}

CPreviewDlg::Step CPreviewDlg::ZoomOut() {
  if (!HasSheet() || m_dZoom <= kMostOut * m_dFitZoom) return Step::kNone;
  return Scale(kStepOut);
}

CPreviewDlg::Step CPreviewDlg::ZoomFit() {
  m_dZoom = m_dFitZoom;
  m_nPx = Rounded(m_nPhysWidth * m_dZoom) / 2;
  m_nPy = Rounded(m_nPhysHeight * m_dZoom) / 2;
  m_bRender = true;
  return Step::kRender;
}

void CPreviewDlg::LeftDown(int x, int y) {
  m_nLastX = x;
  m_nLastY = y;
  m_bLeftHeld = true;
}

void CPreviewDlg::MiddleDown(int x, int y) {
  m_nLastX = x;
  m_nLastY = y;
  m_bMiddleHeld = true;
}

void CPreviewDlg::ButtonUp() {
  m_bLeftHeld = false;
  m_bMiddleHeld = false;
}

CPreviewDlg::Step CPreviewDlg::MouseMove(int x, int y) {
  if (m_bMiddleHeld || (m_bLeftHeld && !m_bZoomMode)) return Pan(x, y);
  if (!m_bLeftHeld) return Step::kNone;
  // Up zooms in, down zooms out, one step per move.
  const int lastY = m_nLastY;
  m_nLastY = y;
  if (y < lastY) return ZoomIn();
  if (y > lastY) return ZoomOut();
  return Step::kNone;
}

CPreviewDlg::Step CPreviewDlg::Pan(int x, int y) {
  // The sheet follows the mouse.
  m_nPx += m_nLastX - x;
  m_nPy += m_nLastY - y;
  m_nLastX = x;
  m_nLastY = y;
  return Step::kCompose;
}

CPreviewDlg::Step CPreviewDlg::Key(char key) {
  switch (key) {
    case 'F':
    case 'f':
      return ZoomFit();
    case 'P':
    case 'p':
      m_bZoomMode = false;
      return Step::kNone;
    case 'Z':
    case 'z':
      m_bZoomMode = true;
      return Step::kNone;
    default:
      return Step::kNone;
  }
}

CPreviewDlg::Cursor CPreviewDlg::CursorShape() const {
  if (m_bMiddleHeld) return Cursor::kGrabbing;
  if (!m_bZoomMode) return m_bLeftHeld ? Cursor::kGrabbing : Cursor::kOpenHand;
  if (m_dZoom >= kMostIn * m_dFitZoom - kLimitTolerance) return Cursor::kNoZoomIn;
  if (m_dZoom <= kMostOut * m_dFitZoom + kLimitTolerance) return Cursor::kNoZoomOut;
  return Cursor::kZoom;
}
