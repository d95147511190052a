#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <string_view>

#include "commands/dialogs/draft_set_dlg.h"
#include "commands/settings/draft_settings_edit.h"
#include "core/matrix2d.h"
#include "database/graph.h"
#include "database/undo_setting_items.h"
#include "display/display_surface.h"
#include "platform/frame_link.h"
#include "shell/coordinates_text.h"
#include "window/drawing_view.h"

namespace {

constexpr char kEscape = 27;
constexpr char kBackspace = 8;

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

// The Shift flag of a click's key state, which selection prompts read.
constexpr int kShiftKeyState = 0x04;

// The bit of OSMODE that suspends object snap without losing its modes.
constexpr std::int32_t kObjectSnapOff = 0x4000;

// A drag shorter than this (in pixels, across and up) is a click.
constexpr double kDragPixels = 4.0;

// The other corner of a selection box (a pick prompt with a box from its
// base point).
bool AsksForBoxCorner(const InputRequest& request) {
  const std::int32_t band = request.rubberBand;
  return request.hasBase != 0 && request.cursorMode == kCursorPointOrPick &&
         (band == kBandBox || band == kBandSelectionBox || band == kBandDottedBox);
}

}  // namespace

bool DrawingView::AnswerClick(const MouseClick& click) {
  const InputRequest& request = core_.GetInputRequest();
  FcPoint2d point = WorldAt(click.pixel);
  // Ortho and the other crosshair aids do not move a pick.
  if (request.cursorMode == kCursorPoint) {
    cursor_ = click.pixel;
    if (!CursorPoint(point)) return false;
  }
  TransformPoint(Drawing().GetSysVars().WorldToUcs, point);
  const int keyState = click.modifiers.testFlag(Qt::ShiftModifier) ? kShiftKeyState : 0;
  return core_.AnswerClick(keyState, point);
}

void DrawingView::ShowRequest(const InputRequest& request) {
  overlay_.Show(Surface(), request, WorldAt(cursor_));
  QueuePreviewSlice();
  update();
  if (!dragEnd_) return;
  const MouseClick end = *dragEnd_;
  dragEnd_.reset();
  // The prompt is open for answers while it is shown; one answered here
  // goes back to the command at once.
  if (AsksForBoxCorner(request)) AnswerClick(end);
}

bool DrawingView::ToggleMode(Mode mode) {
  if (!DrawingIsQuiet()) return false;
  FcGraph& graph = Drawing();
  FcSystemVar& vars = graph.GetSysVars();
  // Suspending no modes would do nothing; the user is asked for some.
  if (mode == Mode::kObjectSnap && (vars.osmode & ~kObjectSnapOff) == 0) return EditObjectSnapModes();
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

bool DrawingView::EditObjectSnapModes() {
  if (!DrawingIsQuiet()) return false;
  if (!EditDraftSettings(Drawing(), CDraftSetDlg::kObjectSnapPage)) return false;
  RedrawNow();
  RefreshStatusPanes();
  UpdateTitle();
  return true;
}

void DrawingView::CycleCoords() {
  if (!DrawingIsQuiet()) return;
  short& coords = Drawing().GetSysVars().coords;
  coords = static_cast<short>((coords + 1) % 3);
}

void DrawingView::ShowCoordinates() {
  if (!onCoordinates_ || !DrawingIsQuiet()) return;
  const FcPoint2d point = core_.ConstrainedPoint(WorldAt(cursor_));
  const InputRequest& request = core_.GetInputRequest();
  const bool hasBase = core_.IsWaitingForInput() && request.hasBase != 0;
  const std::string text = CoordinatesText(Drawing().GetSysVars(), point, hasBase ? &request.basePoint : nullptr);
  onCoordinates_(QString::fromStdString(text));
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
    default:
      break;
  }
  // With Shift or Ctrl held a function key is only the menu file's
  // accelerator, which the frame's shortcuts run before the key gets here.
  const bool plain = (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) == 0;
  switch (plain ? event->key() : 0) {
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
  leftDown_ = false;
  dragEnd_.reset();
  if (!core_.IsWaitingForInput()) {
    const int keyState = (event->modifiers() & Qt::ShiftModifier) != 0 ? kShiftKeyState : 0;
    core_.OnIdleClick(WorldAt(cursor_), keyState);
    update();
    return;
  }
  const std::int32_t cursorMode = core_.GetInputRequest().cursorMode;
  // Only a press at a pick prompt may begin a selection box to drag.
  leftDown_ = cursorMode != kCursorPoint;
  leftPressAt_ = cursor_;
  // Pick prompts take the click itself, so that they see whether Shift was
  // held; point prompts snap it, the other prompts parse it as typed.
  if (cursorMode != kCursorPoint && AnswerClick({cursor_, event->modifiers()})) return;
  core_.OnPointClick(WorldAt(cursor_));
  ShowSnapMarker();
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
  cursor_ = event->position();
  cursorInView_ = true;
  if (!panning_) {
    ShowCoordinates();
    ShowSnapMarker();
  }
  if (!panning_ || !DrawingIsQuiet()) {
    // The view's own grip prompts preview here; a command's prompts on the
    // overlay.
    if (!panning_ && DrawingIsQuiet() && !core_.IsWaitingForInput()) core_.OnCursorMove(WorldAt(cursor_));
    MoveOverlayCursor();
    return;
  }
  Surface().RequestRedrawStop(FcPendingInput::kMouseMove);
  Surface().Pan(WorldAt(cursor_), panAnchor_, false);
  RedrawNow();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
  cursor_ = event->position();
  if (event->button() == Qt::LeftButton && leftDown_) {
    leftDown_ = false;
    const QPointF moved = cursor_ - leftPressAt_;
    if (std::abs(moved.x()) + std::abs(moved.y()) <= kDragPixels || !core_.CommandRuns()) return;
    // A press in empty space at a selection prompt started a box; letting
    // go elsewhere is its other corner, now or once the command asks.
    const MouseClick end{cursor_, event->modifiers()};
    if (core_.IsWaitingForInput() && AsksForBoxCorner(core_.GetInputRequest())) {
      AnswerClick(end);
    } else {
      dragEnd_ = end;
    }
    return;
  }
  if (event->button() != Qt::MiddleButton || !panning_) return;
  panning_ = false;
  RedrawNow();
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event) {
  cursor_ = event->position();
  if (event->button() == Qt::MiddleButton) {
    // The macro's words would answer a running command's prompt as typed
    // text, so the extents are shown only between commands.
    if (core_.CommandRuns()) return;
    PrintMessage("Zoom");
    core_.ExecuteMacro("zoom", "e");
    return;
  }
  // The first press of the pair has selected; the second opens the editor
  // of what is there, or, with nothing to edit, is a press like the first.
  if (event->button() == Qt::LeftButton && core_.OnDoubleClick(WorldAt(cursor_))) {
    update();
    return;
  }
  mousePressEvent(event);
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
  // The preview is built for the view it was made in.
  MoveOverlayCursor();
}
