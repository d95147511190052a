#include "database/graph.h"
#include "shell/view_core.h"

bool CChildView::AnswerClick(int keyState, FcPoint2d point) {
  if (!IsWaitingForInput() || frame_.HasTypedInput()) return false;
  const std::int32_t kind = request_.requestKind;
  if (kind != kRequestPoint && kind != kRequestPointOrObjects) return false;
  // Point filters belong to the crosshair; a pick cursor takes the click
  // as it is.
  if (request_.cursorMode == kCursorPoint && !ApplyPointFilter(*this, point)) return true;
  Drawing().GetSysVars().SetLastPoint(point);
  request_.answerPoint = point;
  request_.answerText.clear();
  request_.pickKeyState = keyState;
  request_.answerKind = kAnswerPoint;
  MarkAnswered();
  return true;
}
