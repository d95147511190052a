#include <QEvent>
#include <QTimer>

#include "core/matrix2d.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "shell/input_request.h"
#include "window/drawing_view.h"

void DrawingView::EndRequestDisplay() {
  overlay_.End();
  update();
}

void DrawingView::TrackPreview(const FcPoint2d& point) {
  overlay_.TrackPoint(point);
  update();
}

void DrawingView::MoveOverlayCursor() {
  const FcPoint2d cursor = WorldAt(cursor_);
  if (!core_.IsWaitingForInput()) {
    RequestOverlay::PlaceCursor(Surface(), cursor);
    update();
    return;
  }
  // The preview follows the cursor as a click would give it: on the snap
  // grid, captured by a grip, squared by ortho from the base point.
  FcPoint2d constrained = core_.ConstrainedPoint(cursor);
  TransformPoint(Drawing().GetSysVars().UcsToWorld, constrained);
  if (overlay_.MoveCursor(constrained)) {
    // The tracking preview says the track is complete: that answers it.
    core_.Request().answerKind = kAnswerPoint;
    core_.ResumeCommandThread();
  }
  QueuePreviewSlice();
  update();
}

void DrawingView::QueuePreviewSlice() {
  if (sliceQueued_ || !overlay_.Unfinished()) return;
  sliceQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    sliceQueued_ = false;
    if (!core_.IsWaitingForInput()) return;
    overlay_.Continue();
    update();
    QueuePreviewSlice();
  });
}

void DrawingView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  cursorInView_ = false;
  update();
}
