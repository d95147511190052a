#include "shell/view_core.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "core/matrix2d.h"
#include "core/number_separators.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/temporary_entity.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/object_snap.h"

namespace {

constexpr char kEsc = 27;

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool IsCancelPiece(std::string_view piece) { return EqualsNoCase(piece, "^C"); }

bool IsRedraw(std::string_view text) { return EqualsNoCase(text, "Redraw") || EqualsNoCase(text, "_Redraw"); }

void DropUnderscore(std::string& text) {
  if (text.starts_with('_')) text.erase(0, 1);
}

// A clicked point as the typed text that answers with exactly that point:
// the shortest form that reads back to the same doubles, so that a snapped
// point is not moved off the geometry by rounding.
std::string ClickedPointText(const FcPoint2d& point) {
  char text[64];
  char* end = std::to_chars(text, text + 30, point.x).ptr;
  *end++ = GetNumberSeparators().list;
  end = std::to_chars(end, text + sizeof text, point.y).ptr;
  return std::string(text, end);
}

}  // namespace

CChildView::CChildView(WindowThread& window, ViewFrameLink& frame) : window_(window), frame_(frame) {
  ResetInputRequest(request_);
}

CChildView::~CChildView() = default;

void CChildView::Create() {
  thread_.SetOwnerView(this);
  thread_.Start();
}

bool CChildView::EndCommandThread() {
  if (thread_.PostCommand(WM_QUIT) == 0) return false;
  thread_.Join();
  return true;
}

void CChildView::ExecuteMacro(std::string_view macro, std::string_view extra) {
  if (macro.empty()) {
    // The running command may wait for input that only this thread can
    // give, so an empty macro does not wait for it.
    if (!CommandRuns()) OnCommandFinished(0);
    return;
  }
  SplitMacro(macro, queue_);
  for (std::string& piece : SplitPieces(extra)) queue_.push_back(std::move(piece));
  std::string piece;
  if (!TakeQueuedPiece(piece)) return;
  if (CommandRuns()) {
    if (IsCancelPiece(piece))
      StartCommand(piece, true);
    else
      AnswerWithPiece(std::move(piece));
    return;
  }
  if (IsCancelPiece(piece)) {
    if (frame_.HasTypedInput()) {
      std::string cancel = "*Cancel*";
      frame_.EchoCommandText(cancel);
    }
    if (!TakeNonCancelPiece(piece)) return;
  }
  frame_.EchoCommandText(piece);
  StartCommand(piece, true);
}

void CChildView::StartCommand(const std::string& text, bool remember) { StartCommand(text, remember, 0); }

void CChildView::StartCommand(const std::string& text, bool remember, int aliasRestarts) {
  if (remember) lastCommand_ = text;
  if (IsRedraw(text)) {
    frame_.RedrawDrawing();
    return;
  }
  if (text == "^C") {
    OnChar(kEsc);
    return;
  }
  if (aliasRestarts < kMaxAliasRestarts) {
    if (ExpandAlias(text, ProgramAliases(), queue_)) {
      std::string piece;
      if (TakeQueuedPiece(piece)) StartCommand(piece, false, aliasRestarts + 1);
      return;
    }
    TakeQueuedPiece(commandName_);
  } else {
    // An alias that keeps expanding into itself: the piece is taken as the
    // plain name it is.
    commandName_ = text;
  }
  // A command started by a macro while a grip prompt waits ends the grip
  // edit, so that its rubber band is not left as the command's drag object.
  if (grips_.IsPending()) grips_.EndGripEdit();
  frame_.SetCommandActive(true);
  frame_.ClearGrips();
  if (RunApplicationCommand(commandName_) != kCommandNotHandled) {
    OnCommandFinished(0);
    return;
  }
  handedOver_ = thread_.PostCommand(WM_FC_RUN_COMMAND, commandName_) == 1;
}

void CChildView::OnCommandFinished(int status) {
  thread_.WaitUntilNotRunning();
  handedOver_ = false;
  edit_.entity = nullptr;
  edit_.selection.RemoveAll(false);
  if (status == kCommandNotHandled) {
    PrintMessage("Unknown command or system variable \"" + lastCommand_ + "\".");
    lastCommand_.clear();
  }
  frame_.SetCommandActive(false);
  if (pickFirst_.GetCount() > 0) DropPickFirst();
  frame_.RefreshStatusPanes();
  frame_.UpdateTitle();
  if (status == kCloseDrawing) {
    thread_.SetReady();
    frame_.CloseDrawingWindow();
    return;
  }
  std::string piece;
  const bool more = TakeNonCancelPiece(piece);
  if (!more) frame_.AutoSaveIfDue();
  // Ready before the next piece starts, so that its hand-over is taken.
  thread_.SetReady();
  if (more) {
    frame_.EchoCommandText(piece);
    StartCommand(piece, false);
  }
  frame_.FocusView();
}

void CChildView::OnChar(char ch) {
  if (CommandRuns() && !requestOpen_) return;
  std::string line;
  const bool blankIsText = requestOpen_ && request_.blankIsText != 0;
  const ViewFrameLink::LineEnd end = frame_.FeedCommandLineChar(ch, blankIsText, line);
  if (end == ViewFrameLink::LineEnd::kNone) return;
  if (CommandRuns()) {
    if (end == ViewFrameLink::LineEnd::kCancel)
      CancelPrompt();
    else
      DeliverInput(*this, line, true);
    return;
  }
  if (grips_.IsPending()) {
    if (end == ViewFrameLink::LineEnd::kCancel)
      grips_.Cancel();
    else
      grips_.TypedLine(line);
    return;
  }
  if (box_.IsPending()) {
    if (end == ViewFrameLink::LineEnd::kCancel)
      box_.Abandon();
    else
      box_.Typed(line);
    return;
  }
  ClearFilterAndOverride();
  if (end == ViewFrameLink::LineEnd::kCancel) {
    if (pickFirst_.GetCount() > 0) DropPickFirst();
    frame_.ClearGrips();
    frame_.RedrawDrawing();
    frame_.SetCommandActive(false);
    frame_.RefreshStatusPanes();
    frame_.UpdateTitle();
    return;
  }
  if (!line.empty()) {
    StartCommand(line, true);
    return;
  }
  if (lastCommand_.empty()) return;
  const std::string repeated = lastCommand_;
  std::string echoed = repeated;
  frame_.EchoCommandText(echoed);
  StartCommand(repeated, true);
}

void CChildView::AnswerWithPiece(std::string text) {
  if (!requestOpen_) {
    // No prompt waits: the piece answers the next one, or starts after the
    // command, instead of being written into a request the command thread
    // is using.
    queue_.push_front(std::move(text));
    return;
  }
  frame_.EchoCommandText(text);
  DeliverInput(*this, text, true);
}

bool CChildView::TakeQueuedPiece(std::string& piece) {
  if (queue_.empty()) return false;
  piece = std::move(queue_.front());
  queue_.pop_front();
  return true;
}

bool CChildView::TakeNonCancelPiece(std::string& piece) {
  while (TakeQueuedPiece(piece))
    if (!IsCancelPiece(piece)) return true;
  return false;
}

int CChildView::OnInputRequest(int wParam) {
  switch (wParam) {
    case 1: {
      commandWaiting_ = false;
      const int reply = BeginInputRequest();
      commandWaiting_ = reply == 0;
      return reply;
    }
    case 0:
      return EndInputRequest();
    case 2:
      selectionState_ = 1;
      return 0;
    case 3:
      selectionState_ = 0;
      return 0;
    default:
      return 0;
  }
}

int CChildView::BeginInputRequest() {
  requestOpen_ = true;
  frame_.SetPromptText(request_.prompt);
  const std::int32_t kind = request_.requestKind;
  const bool keepsPickFirst = kind >= kRequestPointOrObjects && kind <= kRequestGripBase;
  if (!keepsPickFirst && pickFirst_.GetCount() > 0) DropPickFirst();
  std::string piece;
  if (kind == kRequestPointOrObjects && selectionState_ == 1) {
    if (TakeQueuedPiece(piece)) {
      selectionState_ = 2;
      if (piece == "\\") {
        if (pickFirst_.GetCount() > 0) {
          HandOverPickFirst();
          return 1;
        }
      } else {
        if (pickFirst_.GetCount() > 0) DropPickFirst();
        if (AnswerFromQueue(std::move(piece))) return 2;
      }
    } else if (pickFirst_.GetCount() > 0) {
      selectionState_ = 2;
      HandOverPickFirst();
      return 1;
    }
  } else if (selectionState_ == 0 && TakeQueuedPiece(piece)) {
    // A lone backslash pauses the macro for the user.
    if (piece != "\\" && AnswerFromQueue(std::move(piece))) return 2;
  }
  if (kind == kRequestPointOrObjects) selectionState_ = 2;
  // The entity under construction shows while its prompt waits, and object
  // snap finds its points there.
  if (request_.tempEntity != nullptr) DrawTemporaryEntity(Drawing(), request_.tempEntity);
  frame_.ShowRequest(request_);
  return requestOpen_ ? 0 : 2;
}

int CChildView::EndInputRequest() {
  requestOpen_ = false;
  commandWaiting_ = false;
  // The command changes the entity before its next prompt shows it again.
  if (FcDisplaySurface* surface = Drawing().GetDisplaySurface()) surface->EraseXorEntity();
  frame_.EndRequestDisplay();
  return 0;
}

bool CChildView::AnswerFromQueue(std::string piece) {
  if (IsCancelPiece(piece)) {
    // "^C" cancels a waiting prompt wherever it comes from.
    CancelPrompt();
    return true;
  }
  frame_.EchoCommandText(piece);
  DropUnderscore(piece);
  if (DeliverInput(*this, piece, false)) MarkAnswered();
  // A parser that showed the request again may have answered it from the
  // queue already.
  return !requestOpen_;
}

void CChildView::ShowRequestAgain() { BeginInputRequest(); }

bool CChildView::FindSnapPoint(const FcPoint2d& cursor, FcPoint2d& point, int& mode) {
  mode = 0;
  // The view's own grip prompts snap too, with no command running.
  if (!requestOpen_ || request_.cursorMode != kCursorPoint) return false;
  FcGraph& graph = thread_.GetGraph();
  FcDisplaySurface* surface = graph.GetDisplaySurface();
  const FcSystemVar& vars = graph.GetSysVars();
  mode = request_.snapOverride != 0 ? request_.snapOverride : vars.osmode;
  if (surface == nullptr || !ObjectSnapSearches(mode)) {
    mode = 0;
    return false;
  }
  FcPoint2d base = vars.GetLastPoint();
  TransformPoint(vars.UcsToWorld, base);
  return SnapSearch(*surface, request_.tempEntity, &base, cursor, mode, point);
}

void CChildView::OnPointClick(const FcPoint2d& cursor) {
  if (!IsWaitingForInput()) return;
  FcPoint2d point;
  if (!frame_.CursorPoint(point)) return;
  FcPoint2d snapped;
  int mode = 0;
  if (FindSnapPoint(cursor, snapped, mode)) {
    // The snapped point is the geometry's own: ortho does not move it.
    TransformPoint(thread_.GetGraph().GetSysVars().WorldToUcs, snapped);
    point = snapped;
  } else if (request_.cursorMode == kCursorPoint && ObjectSnapSearches(request_.snapOverride)) {
    PrintMessage("Can't find the " + SnapModeName(request_.snapOverride) + " point!");
    ClearFilterAndOverride();
    ShowPrompt(request_.prompt);
    frame_.SetPromptText(request_.prompt);
    return;
  }
  request_.snapOverride = 0;
  AnswerWithPiece(ClickedPointText(point));
}

void CChildView::MarkAnswered() {
  requestOpen_ = false;
  if (!commandWaiting_) return;
  commandWaiting_ = false;
  gate_.Resume();
}

void CChildView::CancelPrompt() {
  request_.answerKind = kAnswerCancel;
  ClearFilterAndOverride();
  MarkAnswered();
}

void CChildView::HandOverPickFirst() {
  PrintMessage(std::to_string(pickFirst_.GetCount()) + " Object(s) selected.");
  request_.selection.RemoveAll(false);
  request_.selection.Merge(pickFirst_);
  request_.answerKind = kAnswerObjects;
  pickFirst_.RemoveAll(false);
  frame_.ClearGrips();
  // The command goes on without an end message for this request.
  requestOpen_ = false;
}

void CChildView::DropPickFirst() {
  frame_.Unhighlight(pickFirst_);
  pickFirst_.RemoveAll(false);
}

void CChildView::ClearFilterAndOverride() {
  request_.snapOverride = 0;
  request_.pointFilter = 0;
}

int CChildView::SendInputRequest(int wParam) {
  int reply = 0;
  window_.Send([this, wParam, &reply] { reply = OnInputRequest(wParam); });
  return reply;
}

void CChildView::PostCommandDone(int status) {
  window_.Post([this, status] { OnCommandFinished(status); });
}
