#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <string_view>

#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "display/display_surface.h"
#include "platform/frame_link.h"
#include "window/drawing_view.h"

namespace {

constexpr char kEscape = 27;
constexpr char kBackspace = 8;
// The mouse key-state flag of Shift.
constexpr int kShiftKeyState = 0x04;

struct ModeVariable {
  DrawingView::Mode mode;
  const char* name;
};

constexpr ModeVariable kModeVariables[] = {
    {DrawingView::Mode::kSnap, "snapmode"},
    {DrawingView::Mode::kGrid, "gridmode"},
    {DrawingView::Mode::kOrtho, "orthomode"},
    {DrawingView::Mode::kObjectSnap, "osmode"},
};

// The bit of OSMODE that suspends object snap without losing its modes.
constexpr std::int32_t kObjectSnapOff = 0x4000;

std::string FormatPoint(const FcPoint2d& point) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g,%.10g", point.x, point.y);
  return text;
}

}  // namespace

bool DrawingView::ToggleMode(Mode mode) {
  if (!DrawingIsQuiet()) return false;
  FcGraph& graph = Drawing();
  FcSystemVar& vars = graph.GetSysVars();
  const char* name = nullptr;
  for (const ModeVariable& entry : kModeVariables)
    if (entry.mode == mode) name = entry.name;
  auto* item = new FcSysVarUndoItem;
  item->SetName("Change system variable");
  item->AddVariable(graph, name);
  switch (mode) {
    case Mode::kSnap:
      vars.snapmode = vars.snapmode != 0 ? 0 : 1;
      break;
    case Mode::kGrid:
      vars.gridmode = vars.gridmode != 0 ? 0 : 1;
      break;
    case Mode::kOrtho:
      vars.orthomode = vars.orthomode != 0 ? 0 : 1;
      break;
    case Mode::kObjectSnap:
      vars.osmode ^= kObjectSnapOff;
      break;
  }
  AddUndoItem(graph, item);
  if (mode == Mode::kGrid) RedrawNow();
  RefreshStatusPanes();
  UpdateTitle();
  return true;
}

void DrawingView::CycleCoords() {
  if (!DrawingIsQuiet()) return;
  short& coords = Drawing().GetSysVars().coords;
  coords = static_cast<short>((coords + 1) % 3);
}

void DrawingView::FeedText(const std::string& text) {
  for (char ch : text) core_.OnChar(ch);
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      core_.OnChar('\r');
      return;
    case Qt::Key_Escape:
      core_.OnChar(kEscape);
      return;
    case Qt::Key_Backspace:
      core_.OnChar(kBackspace);
      return;
    case Qt::Key_F3:
      ToggleMode(Mode::kObjectSnap);
      return;
    case Qt::Key_F6:
      CycleCoords();
      return;
    case Qt::Key_F7:
      ToggleMode(Mode::kGrid);
      return;
    case Qt::Key_F8:
      ToggleMode(Mode::kOrtho);
      return;
    case Qt::Key_F9:
      ToggleMode(Mode::kSnap);
      return;
    default:
      break;
  }
  const QByteArray text = event->text().toLatin1();
  if (text.isEmpty()) {
    QWidget::keyPressEvent(event);
    return;
  }
  for (char ch : text)
    if (static_cast<unsigned char>(ch) >= ' ') core_.OnChar(ch);
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
  cursor_ = event->position();
  setFocus();
  if (event->button() == Qt::MiddleButton) {
    if (!DrawingIsQuiet()) return;
    panAnchor_ = WorldAt(cursor_);
    panning_ = true;
    return;
  }
  if (event->button() == Qt::RightButton) {
    core_.OnChar('\r');
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (core_.IsWaitingForInput()) {
    FcPoint2d point;
    if (CursorPoint(point)) core_.AnswerWithPiece(FormatPoint(point));
    return;
  }
  const int keyState = (event->modifiers() & Qt::ShiftModifier) != 0 ? kShiftKeyState : 0;
  core_.OnIdleClick(WorldAt(cursor_), keyState);
  update();
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
  cursor_ = event->position();
  if (!DrawingIsQuiet()) return;
  if (!panning_) {
    core_.OnCursorMove(WorldAt(cursor_));
    update();
    return;
  }
  Surface().RequestRedrawStop(FcPendingInput::kMouseMove);
  Surface().Pan(WorldAt(cursor_), panAnchor_, false);
  RedrawNow();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
  cursor_ = event->position();
  if (event->button() != Qt::MiddleButton || !panning_) return;
  panning_ = false;
  RedrawNow();
}

void DrawingView::wheelEvent(QWheelEvent* event) {
  event->accept();
  cursor_ = event->position();
  const int delta = event->angleDelta().y();
  if (panning_ || delta == 0 || !DrawingIsQuiet()) return;
  const FcPoint2d about = WorldAt(cursor_);
  FcDisplaySurface& surface = Surface();
  if (delta > 0) {
    surface.WheelZoomIn(about.x, about.y);
  } else {
    surface.WheelZoomOut(about.x, about.y);
  }
  if (surface.NeedsRegen()) {
    surface.PopView();
    if (!core_.CommandRuns())
      PrintMessage(delta > 0 ? "Can't zoom in. Need regeneration!" : "Can't zoom out. Need regeneration!");
    return;
  }
  RedrawNow();
}
