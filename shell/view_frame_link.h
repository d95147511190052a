#pragma once

#include <string>

#include "core/point2d.h"

class FcEntitySets;
struct InputRequest;

// What a drawing's view asks of its windows: the main frame's two
// command-line windows, the screen device and the parent frame. The window
// side implements it; tests record it. Every call comes on the window thread.
class ViewFrameLink {
 public:
  enum class LineEnd { kNone, kLine, kCancel };

  virtual ~ViewFrameLink() = default;

  // One typed character to both command lines. CR and LF end the line, so
  // does a blank unless blankIsText; Esc cancels it (" *Cancel*"); any
  // other character is added. On kLine, line receives the typed text.
  virtual LineEnd FeedCommandLineChar(char ch, bool blankIsText, std::string& line) = 0;
  // The command line holds typed, uncommitted input.
  virtual bool HasTypedInput() = 0;
  virtual void SetPromptText(const std::string& text) = 0;
  // Clearing also empties both prompts and takes the status bar out of its
  // progress mode.
  virtual void SetCommandActive(bool active) = 0;
  // Appends the text to the pending input and commits the line to the
  // history; the text becomes what was committed (pending input + text).
  virtual void EchoCommandText(std::string& text) = 0;

  // The drawing redrawn on the window thread (the "Redraw" command).
  virtual void RedrawDrawing() = 0;
  // The drawing's grips cleared and the view redrawn.
  virtual void ClearGrips() = 0;
  // The entities lose their highlight and the drawing is redrawn.
  virtual void Unhighlight(const FcEntitySets& entities) = 0;
  virtual void RefreshStatusPanes() = 0;
  // Window title with the modified mark; arms the autosave timer.
  virtual void UpdateTitle() = 0;
  // Saves now when the autosave timer fired while a command ran.
  virtual void AutoSaveIfDue() = 0;
  // Posts the close message to the view's parent frame.
  virtual void CloseDrawingWindow() = 0;
  // Gives the view the keyboard focus unless the text window has it.
  virtual void FocusView() = 0;

  // The screen device shows a pending request: cursor mode, rubber band
  // from the base point, drag object, temporary entity.
  virtual void ShowRequest(const InputRequest& request) = 0;
  // Back to the plain cursor; the preview is erased.
  virtual void EndRequestDisplay() = 0;
  // The cursor in the current UCS, ortho-constrained from LASTPOINT when
  // ORTHOMODE is on; false when it cannot be read.
  virtual bool CursorPoint(FcPoint2d& point) = 0;
  // A typed point handed to the request's drag object as a click.
  virtual void TrackPreview(const FcPoint2d& point) = 0;
};
