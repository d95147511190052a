#pragma once

#include <string>
#include <string_view>

#include "core/point2d.h"

class FcGraph;
struct InputRequest;

// What the parsers of typed answers need from the view that holds the
// pending request. The view implements it; tests script it.
class TypedInputView {
 public:
  virtual ~TypedInputView() = default;
  // The view's pending request: the parsers read its kind, flags, keywords,
  // base point and point filter and write its answer fields.
  virtual InputRequest& Request() = 0;
  // The view's drawing: LASTPOINT, AUNITS, ANGBASE and ANGDIR.
  virtual FcGraph& Drawing() = 0;
  // The cursor's position in the current UCS, constrained from LASTPOINT
  // when ORTHOMODE is on; false when it cannot be read.
  virtual bool CursorPoint(FcPoint2d& point) = 0;
  // Shows the request again after a parser gave it a base point and a new
  // prompt (CChildView::BeginInputRequest). The parser then reports no
  // answer: when a queued piece answers the request at once, the view
  // itself wakes a command that waits for it.
  virtual void ShowRequestAgain() = 0;
  // Shows the text as the prompt on both command-line windows.
  virtual void ShowPromptText(const std::string& text) = 0;
  // Hands a typed point to the request's drag object as a click.
  virtual void TrackPreview(const FcPoint2d& point) = 0;
  // Wakes the command thread that waits for the answer.
  virtual void ResumeCommandThread() = 0;
};

// The texts the parsers refuse with; each is one history line followed by
// the prompt shown again.
inline constexpr const char* kNeedPoint = "Need point!";
inline constexpr const char* kExpectsPoint = "Expects a point!";
inline constexpr const char* kExpectsPointOr = "Expects a point or";
inline constexpr const char* kSelectionOptions = "Window/Last/Crossing/ALL/Add/Remove/Previous/CONdition";
inline constexpr const char* kNeedRealOrTwoPoints = "Need real number or two point!";
inline constexpr const char* kNeedAngleOrTwoPoints = "Need angle number or two point!";
inline constexpr const char* kNoNegative = "Can't input negative number!";
inline constexpr const char* kNoZero = "Can't input zero!";
inline constexpr const char* kNeedOneChar = "Must input one char at least!";
inline constexpr const char* kNeedReal = "Need real number!";
inline constexpr const char* kNeedInteger = "Need integer number!";
inline constexpr const char* kNeedKeyword = "Need key word!";
inline constexpr const char* kSecondPointPrompt = "Input the 2nd point";

// Answers the pending request with a typed line or a macro piece. At a
// point prompt (cursor mode 3) with resume set, ".x", ".y" and one-shot
// snap names only arm a filter or an override and re-show the prompt. With
// resume set, an answer wakes the command thread. True when the text
// answered the request.
bool DeliverInput(TypedInputView& view, std::string_view text, bool resume);

// The one-shot object-snap mode a typed name asks for ("end", "mid",
// "_cen", ...), as OSMODE bits; 0 for any other text.
int ParseSnapOverride(std::string_view text);
// "End", "Middle", ... for a single mode bit; empty for anything else.
std::string SnapModeName(int mode);

// Applies the ".x"/".y" point filter to a point just given, typed or
// clicked. True when the point (with a coordinate fixed earlier put in) is
// the answer; false when it only captured a coordinate and the prompt now
// asks for the other one.
bool ApplyPointFilter(TypedInputView& view, FcPoint2d& point);

// A typed point, made absolute from LASTPOINT when it is relative; false
// when the text is no point.
bool TypedPoint(TypedInputView& view, std::string_view text, FcPoint2d& point);
// ".x", ".y" and the snap names arm a filter or an override at a point
// prompt and show the prompt with what it now waits for; true when the text
// was one of them. A keyword the prompt offers is never taken for one.
bool ArmFilterOrOverride(TypedInputView& view, std::string_view text);

// One parser per request kind; true when the text answered the request.
// A refusal prints its message, shows the prompt again and answers false.
bool ParsePointInput(std::string_view text, TypedInputView& view);
bool ParseTrackInput(std::string_view text, TypedInputView& view);
bool ParseStringInput(std::string_view text, TypedInputView& view);
bool ParseDistanceInput(std::string_view text, TypedInputView& view);
bool ParseKeywordInput(std::string_view text, TypedInputView& view);
bool ParseAngleInput(std::string_view text, TypedInputView& view);
bool ParseRealInput(std::string_view text, TypedInputView& view);
bool ParseIntegerInput(std::string_view text, TypedInputView& view);
