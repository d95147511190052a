#pragma once

#include <string>

#include "shell/input_request.h"

struct FcEntityEdit;

// What a command thread needs of its drawing's view. The view lives on the
// window thread; everything here except the request, the gate and the two
// messages runs there.
class CommandViewLink {
 public:
  virtual ~CommandViewLink() = default;

  virtual InputRequest& GetInputRequest() = 0;
  virtual AnswerGate& GetAnswerGate() = 0;
  // WM_FC_INPUT_REQUEST (0x801E), sent: returns the view's reply once the
  // window thread has handled it. wParam 1 begins a request (reply 2
  // answered at once, 1 pick-first selection handed over, 0 wait), 0 ends
  // it, 2 and 3 mark the start and end of a selection prompt.
  virtual int SendInputRequest(int wParam) = 0;
  // WM_FC_COMMAND_DONE (0x8014), posted to the window thread.
  virtual void PostCommandDone(int status) = 0;
  // Window thread: the front piece of the command queue, removed; false
  // when the queue is empty.
  virtual bool TakeQueuedPiece(std::string& piece) = 0;
  // What WM_FC_EDIT_ENTITY edits; the view leaves it alone until the
  // command has finished. Null when the view double-clicks nothing.
  virtual FcEntityEdit* GetEntityEdit() { return nullptr; }
};
