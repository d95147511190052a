#pragma once

#include <string>
#include <string_view>

#include "database/entity_sets.h"
#include "platform/window_thread.h"
#include "shell/grip_editing.h"
#include "shell/idle_selection_box.h"
#include "shell/command_aliases.h"
#include "shell/command_view_link.h"
#include "shell/entity_editing.h"
#include "shell/input_request.h"
#include "shell/typed_input_parsers.h"
#include "shell/view_frame_link.h"
#include "shell/work_thread.h"

// The window-thread end of one drawing's command machinery, without any
// widget: the queue of command-line pieces, the start and finish of
// commands, typed lines and the hand-over of the pending prompt. The
// drawing window forwards its keys, macros and messages here and draws what
// the frame link asks for.
//
// Unless said otherwise every operation runs on the window thread. "A
// command runs" means, for the view, from the hand-over of a name until its
// completion has been processed, so that nothing typed in between is
// started while the thread cannot take it.
class CChildView : public CommandViewLink, public TypedInputView {
 public:
  CChildView(WindowThread& window, ViewFrameLink& frame);
  CChildView(const CChildView&) = delete;
  CChildView& operator=(const CChildView&) = delete;
  ~CChildView() override;

  // The window exists: the command thread starts.
  void Create();
  // Hands the quit over to an idle thread and waits for it to end; false
  // (and nothing ended) while a command runs or its completion is pending.
  bool EndCommandThread();

  // A menu, toolbar or frame macro, with extra pieces queued at the end.
  void ExecuteMacro(std::string_view macro, std::string_view extra = {});
  // Starts one piece as a command; remember makes it the last command text.
  void StartCommand(const std::string& text, bool remember);
  // WM_FC_COMMAND_DONE.
  void OnCommandFinished(int status);
  // One character typed into the view (or the command line).
  void OnChar(char ch);
  // Answers the waiting prompt with a piece; the piece stays queued for the
  // next prompt while the command computes.
  void AnswerWithPiece(std::string text);
  // WM_FC_INPUT_REQUEST.
  int OnInputRequest(int wParam);
  int BeginInputRequest();
  int EndInputRequest();
  // A left click at a point (current UCS) with the mouse key state (Shift
  // is 0x04) while a point or selection prompt waits: the click answers it.
  // False when no such prompt waits or typed input is pending, so that the
  // click does nothing.
  bool AnswerClick(int keyState, FcPoint2d point);

  // Object snap for the waiting point prompt (cursor mode 3) at the cursor,
  // both in world coordinates: the one-shot override, else OSMODE, with
  // LASTPOINT as the base point. False when the prompt does not snap or
  // nothing was found; mode receives the mode found (0 then).
  bool FindSnapPoint(const FcPoint2d& cursor, FcPoint2d& point, int& mode);
  // A left click at the cursor (world coordinates) while a prompt waits:
  // the cursor point, snapped where object snap applies, answers it. A
  // one-shot override that finds nothing refuses the click and is dropped.
  void OnPointClick(const FcPoint2d& cursor);

  // "Paste text to command bar": the clipboard's text typed into the
  // command line up to its first line end; a blank is typed only while a
  // waiting prompt takes blanks as text, otherwise it ends the paste, so
  // that nothing starts or answers before the user's Enter
  // (view_paste.cpp).
  void PasteText(std::string_view text);
  void PasteClipboardText();
  // The clipboard holds text and the command line takes it: no command
  // runs, or one waits at a prompt.
  bool CanPasteText();

  bool CommandRuns() const { return handedOver_; }
  // A command waits for the answer of its prompt.
  bool IsWaitingForInput() const { return handedOver_ && requestOpen_; }
  CWorkThread& GetWorkThread() { return thread_; }
  ViewFrameLink& Frame() { return frame_; }
  GripEditor& Grips() { return grips_; }

  // The mouse, in the drawing's world coordinates. A left click while no
  // command runs (keyState 0x04 Shift) selects, starts or answers grip
  // editing (grip_editing.cpp); the cursor moving previews a pending
  // request's rubber band and ends a tracked point (view_cursor.cpp).
  void OnIdleClick(const FcPoint2d& world, int keyState);
  // A double click while no command runs and nothing is typed: a pending
  // selection box or grip stretch ends and the entity under the aperture
  // is edited by a command of its own (WM_FC_EDIT_ENTITY) with the
  // pick-first selection (view_double_click.cpp). False when nothing was
  // found or the view is busy; nothing changes then.
  bool OnDoubleClick(const FcPoint2d& world);
  void OnCursorMove(const FcPoint2d& world);
  // The cursor pipeline: the world point on the snap grid (SNAPMODE),
  // captured by a grip, then in the current UCS and, from the pending
  // request's base point with ORTHOMODE on, made horizontal or vertical.
  FcPoint2d ConstrainedPoint(const FcPoint2d& world);
  FcEntitySets& GetPickFirstSelection() { return pickFirst_; }
  CommandQueue& GetCommandQueue() { return queue_; }
  const std::string& GetLastCommandText() const { return lastCommand_; }

  // CommandViewLink, called on the command thread except TakeQueuedPiece.
  InputRequest& GetInputRequest() override { return request_; }
  AnswerGate& GetAnswerGate() override { return gate_; }
  int SendInputRequest(int wParam) override;
  void PostCommandDone(int status) override;
  bool TakeQueuedPiece(std::string& piece) override;
  FcEntityEdit* GetEntityEdit() override { return &edit_; }

  // TypedInputView, for the parsers of typed answers.
  InputRequest& Request() override { return request_; }
  FcGraph& Drawing() override { return thread_.GetGraph(); }
  bool CursorPoint(FcPoint2d& point) override { return frame_.CursorPoint(point); }
  void ShowRequestAgain() override;
  void ShowPromptText(const std::string& text) override { frame_.SetPromptText(text); }
  void TrackPreview(const FcPoint2d& point) override { frame_.TrackPreview(point); }
  void ResumeCommandThread() override { MarkAnswered(); }

 private:
  void StartCommand(const std::string& text, bool remember, int aliasRestarts);
  // The request holds its answer: no further input reaches it, and a
  // command thread that waits is woken.
  void MarkAnswered();
  // Esc or "^C" at a waiting prompt.
  void CancelPrompt();
  // A queued piece offered to the prompt while it begins; false when the
  // piece did not answer it.
  bool AnswerFromQueue(std::string piece);
  // The pick-first selection handed to a selection prompt (reply 1).
  void HandOverPickFirst();
  void DropPickFirst();
  // Skips "^C" pieces; the first other piece, or false when none is left.
  bool TakeNonCancelPiece(std::string& piece);
  void ClearFilterAndOverride();

  WindowThread& window_;
  ViewFrameLink& frame_;
  std::string lastCommand_;
  // The request waits for input; cleared as soon as it holds its answer.
  bool requestOpen_ = false;
  // The command thread waits at the gate for this request's answer.
  bool commandWaiting_ = false;
  bool handedOver_ = false;
  FcEntitySets pickFirst_{128};
  // 0 no selection prompt, 1 one has just begun, 2 it is under way.
  int selectionState_ = 0;
  CommandQueue queue_;
  InputRequest request_;
  AnswerGate gate_;
  std::string commandName_;
  GripEditor grips_{*this};
  IdleSelectionBox box_{*this};
  // What the running double-click edit works on; empty otherwise.
  FcEntityEdit edit_;
  // Last, so that it ends first: its commands use the members above.
  CWorkThread thread_;
};
