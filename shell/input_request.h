#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/point2d.h"
#include "database/entity_sets.h"
#include "platform/event.h"

class FcDragObject;
class FcEntity;

// Statuses of the prompts.
inline constexpr int FC_INPUT_OK = 5100;
inline constexpr int FC_INPUT_NONE = 5000;
inline constexpr int FC_INPUT_TEXT = 5005;
inline constexpr int FC_INPUT_KEYWORD = -5005;
inline constexpr int FC_INPUT_CANCEL = -5002;
// The pick-first selection was handed over to a point-or-select prompt.
inline constexpr int FC_INPUT_OBJECTS = 5007;
// A point was picked where a text line was asked for.
inline constexpr int FC_INPUT_PICKED = 5002;

// What a prompt asks for. 7 to 9 are the view's own prompts while no
// command runs.
enum InputRequestKind : std::int32_t {
  kRequestNone = 0,
  kRequestPoint = 4,
  kRequestTrack = 5,
  kRequestPointOrObjects = 6,
  kRequestBoxCorner = 7,
  kRequestGripStretch = 8,
  kRequestGripBase = 9,
  kRequestString = 10,
  kRequestTextLine = 11,
  kRequestDistance = 12,
  kRequestKeyword = 13,
  kRequestAngle = 14,
  kRequestReal = 15,
  kRequestInteger = 16,
};

// What the view answered. kAnswerEmpty is also the reset value.
enum InputAnswerKind : std::int32_t {
  kAnswerCancel = 1,
  kAnswerEmpty = 3,
  kAnswerPoint = 4,
  kAnswerText = 10,
  kAnswerDistance = 12,
  kAnswerKeyword = 13,
  kAnswerAngle = 14,
  kAnswerReal = 15,
  kAnswerInteger = 16,
  kAnswerObjects = 17,
};

// Flags given with the keyword list, for the next prompt only.
inline constexpr std::int32_t kInputRefuseEmpty = 0x01;
inline constexpr std::int32_t kInputRefuseZero = 0x02;
inline constexpr std::int32_t kInputRefuseNegative = 0x04;
inline constexpr std::int32_t kInputDottedBand = 0x20;
inline constexpr std::int32_t kInputAnyText = 0x80;

// Drawn from the base point to the cursor while a request is pending.
enum RubberBandKind : std::int32_t {
  kBandNone = 0,
  kBandLine = 1,
  kBandDottedLine = 2,
  kBandBox = 3,
  kBandSelectionBox = 4,
  kBandDottedBox = 5,
};

// Cursor shapes while a request is pending; object snap and point filters
// apply only to kCursorPoint.
enum CursorMode : std::int32_t {
  kCursorBandOnly = 0,
  kCursorTextOrPick = 1,
  kCursorPointOrPick = 2,
  kCursorPoint = 3,
};

// The one pending prompt of a view. The command thread writes it before the
// begin message and after the end message; the window thread only between
// them, while the command thread is blocked or suspended.
struct InputRequest {
  std::int32_t flags = 0;
  // One-shot object-snap mode (OSMODE bits) for the next pick; 0 uses OSMODE.
  std::int32_t snapOverride = 0;
  // 0 none, 1 ".x" typed, 2 ".y" typed.
  std::int32_t pointFilter = 0;
  std::uint8_t xKnown = 0;
  double xValue = 0.0;
  std::uint8_t yKnown = 0;
  double yValue = 0.0;
  std::string keywords;
  FcDragObject* dragObject = nullptr;  // not owned
  std::uint8_t blankIsText = 0;
  std::int32_t requestKind = kRequestNone;
  std::int32_t answerKind = kAnswerEmpty;
  std::string prompt;
  FcEntity* tempEntity = nullptr;  // not owned
  FcPoint2d basePoint;             // current UCS
  std::int32_t rubberBand = kBandNone;
  std::int32_t cursorMode = kCursorTextOrPick;
  std::uint8_t hasBase = 0;
  std::string answerText;
  FcPoint2d answerPoint;  // current UCS
  double answerAngle = 0.0;
  double answerNumber = 0.0;
  std::int32_t answerInteger = 0;
  // Mouse key-state flags of the click that gave the point; 0 when typed.
  std::int32_t pickKeyState = 0;
  FcEntitySets selection{128};
};

// Back to the state between prompts. The answer text, answer values and
// the selection keep their contents.
void ResetInputRequest(InputRequest& request);

// How a command thread waits for its answer. Arm forgets any earlier
// wake-up, so a late one from the previous prompt cannot answer this one;
// a Resume that comes before the Wait is kept, so the answer is not lost
// when the window thread is quicker than the command thread.
class AnswerGate {
 public:
  // Command thread, before the begin message.
  void Arm() { answered_.Reset(); }
  // Window thread, as the last step of storing an answer.
  void Resume() { answered_.Set(); }
  // Command thread: until resumed; consumes the wake-up.
  void Wait() { answered_.Wait(); }

 private:
  Event answered_{Event::ResetMode::kAuto};
};

// The prompts, called by commands on their command thread. Each fills the
// request of the thread's view, hands it over, waits for the answer and
// returns one of the statuses above; text is emptied first and receives the
// answer text where the status says so. An empty prompt shows the prompt's
// default text. Called on a thread without a view they return
// FC_INPUT_CANCEL. A null base point means none.
int GetPoint(const FcPoint2d* base, std::string_view prompt, FcPoint2d& point, std::string& text);
int GetCorner(const FcPoint2d& base, std::string_view prompt, FcPoint2d& point, std::string& text);
int GetDistance(const FcPoint2d* base, std::string_view prompt, double& distance, std::string& text);
// A value angle also leaves the typed answer in text (empty for a click).
int GetAngle(const FcPoint2d* base, std::string_view prompt, double& angle, std::string& text);
// GetAngle turned into a direction: ANGBASE plus the answer (which already
// follows ANGDIR), normalised.
int GetAbsoluteAngle(const FcPoint2d* base, std::string_view prompt, double& angle, std::string& text);
int GetReal(std::string_view prompt, double& number, std::string& text);
int GetInteger(std::string_view prompt, int& number, std::string& text);
int GetString(std::string_view prompt, std::string& text);
// 5100 with the full keyword in keyword; 5005 with free text in text.
int GetKeyword(std::string_view prompt, std::string& keyword, std::string& text);
// The text entity is redrawn by the view while the line is typed. 5100 with
// the typed line, 5002 with a picked point.
int GetText(FcEntity* textEntity, FcPoint2d& point, std::string& text);
// A point, or with objects given the pick-first selection handed over
// (5007, merged into objects). boxStyle 0 selection box, 1 solid box, other
// dotted box; pickMode 1 shows the pick box only.
int GetPointOrSelect(const FcPoint2d* base, std::string_view prompt, FcPoint2d& point, std::string& text,
                     int boxStyle, int pickMode, int& keyState, FcEntitySets* objects);
// Waits until the drag object reports completion (5100) or Esc (-5002).
int TrackPoint(const FcPoint2d& base, FcDragObject* dragObject, std::string_view prompt);

// For the next prompt only, on the command thread, while no prompt waits.
void SetKeywords(std::string_view keywordList, std::int32_t flags);
void SetDragObject(FcDragObject* dragObject);
void SetTempEntity(FcEntity* entity);
