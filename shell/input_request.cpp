#include "shell/input_request.h"

#include "core/geometry_basics.h"
#include "shell/command_view_link.h"
#include "shell/work_thread.h"

namespace {

// The view of the calling command thread; null on any other thread.
CommandViewLink* CurrentView() {
  CWorkThread* thread = CWorkThread::Current();
  return thread == nullptr ? nullptr : thread->GetOwnerView();
}

// What one kind of prompt puts into the request.
struct PromptShape {
  std::int32_t requestKind;
  std::int32_t cursorMode;
  std::string_view defaultPrompt;
  std::int32_t band;        // with a base point
  std::int32_t dottedBand;  // the same with kInputDottedBand
};

constexpr PromptShape kPointShape{kRequestPoint, kCursorPoint, "Input point", kBandLine, kBandDottedLine};
constexpr PromptShape kCornerShape{kRequestPoint, kCursorPoint, "Input corner point", kBandBox, kBandDottedBox};
constexpr PromptShape kDistanceShape{kRequestDistance, kCursorPoint, "Input distance", kBandLine, kBandDottedLine};
constexpr PromptShape kAngleShape{kRequestAngle, kCursorPoint, "Input angle", kBandLine, kBandDottedLine};
constexpr PromptShape kRealShape{kRequestReal, kCursorTextOrPick, "Input real number", kBandNone, kBandNone};
constexpr PromptShape kIntegerShape{kRequestInteger, kCursorTextOrPick, "Input integer number", kBandNone, kBandNone};
constexpr PromptShape kStringShape{kRequestString, kCursorTextOrPick, "Input string", kBandNone, kBandNone};
constexpr PromptShape kKeywordShape{kRequestKeyword, kCursorTextOrPick, "Input key word", kBandNone, kBandNone};
constexpr PromptShape kTextShape{kRequestTextLine, kCursorTextOrPick, "Input text", kBandNone, kBandNone};
constexpr PromptShape kTrackShape{kRequestTrack, kCursorPoint, "Track point", kBandNone, kBandNone};

// Steps 2 to 4 of every prompt. A base point also becomes LASTPOINT.
void FillRequest(InputRequest& request, const PromptShape& shape, std::string_view prompt, const FcPoint2d* base) {
  request.requestKind = shape.requestKind;
  request.cursorMode = shape.cursorMode;
  request.prompt = std::string(prompt.empty() ? shape.defaultPrompt : prompt);
  request.hasBase = 0;
  if (base != nullptr) {
    request.basePoint = *base;
    request.hasBase = 1;
    request.rubberBand = (request.flags & kInputDottedBand) != 0 ? shape.dottedBand : shape.band;
    CWorkThread::Current()->GetGraph().GetSysVars().SetLastPoint(*base);
  }
  request.blankIsText = shape.requestKind == kRequestString || shape.requestKind == kRequestTextLine ? 1 : 0;
}

// Hands the request over and waits until it is answered: the view may
// answer at once (reply 2) or hand the pick-first selection over (reply 1);
// on 0 the thread waits at the gate, which keeps a wake-up that comes before
// the wait. Returns the view's reply.
int AwaitAnswer(CommandViewLink& view) {
  view.GetAnswerGate().Arm();
  const int reply = view.SendInputRequest(1);
  if (reply == 0) view.GetAnswerGate().Wait();
  return reply;
}

// The shared tail of the value prompts: 5000 for Enter, 5005 for free text,
// -5005 for a keyword (text receives it), -5002 for anything else.
int OtherAnswer(const InputRequest& request, std::string& text) {
  switch (request.answerKind) {
    case kAnswerEmpty:
      return FC_INPUT_NONE;
    case kAnswerText:
      text = request.answerText;
      return FC_INPUT_TEXT;
    case kAnswerKeyword:
      text = request.answerText;
      return FC_INPUT_KEYWORD;
    default:
      return FC_INPUT_CANCEL;
  }
}

// One whole prompt: fill, hand over, wait, end, let interpret turn the
// answer into the status, reset.
template <typename Interpret>
int Ask(const PromptShape& shape, std::string_view prompt, const FcPoint2d* base, std::string& text,
        Interpret interpret) {
  text.clear();
  CommandViewLink* view = CurrentView();
  if (view == nullptr) return FC_INPUT_CANCEL;
  InputRequest& request = view->GetInputRequest();
  FillRequest(request, shape, prompt, base);
  AwaitAnswer(*view);
  view->SendInputRequest(0);
  const int status = interpret(request);
  ResetInputRequest(request);
  return status;
}

// A prompt for one kind of value, which takeValue copies out.
template <typename TakeValue>
int AskValue(const PromptShape& shape, std::string_view prompt, const FcPoint2d* base, std::int32_t answerKind,
             std::string& text, TakeValue takeValue) {
  return Ask(shape, prompt, base, text, [&](const InputRequest& request) {
    if (request.answerKind != answerKind) return OtherAnswer(request, text);
    takeValue(request);
    return FC_INPUT_OK;
  });
}

}  // namespace

void ResetInputRequest(InputRequest& request) {
  request.flags = 0;
  request.snapOverride = 0;
  request.pointFilter = 0;
  request.xKnown = 0;
  request.xValue = 0.0;
  request.yKnown = 0;
  request.yValue = 0.0;
  request.dragObject = nullptr;
  request.blankIsText = 0;
  request.requestKind = kRequestNone;
  request.tempEntity = nullptr;
  request.hasBase = 0;
  request.rubberBand = kBandNone;
  request.pickKeyState = 0;
  request.cursorMode = kCursorTextOrPick;
  request.answerKind = kAnswerEmpty;
  request.keywords.clear();
  request.prompt.clear();
}

int GetPoint(const FcPoint2d* base, std::string_view prompt, FcPoint2d& point, std::string& text) {
  return AskValue(kPointShape, prompt, base, kAnswerPoint, text, [&](const InputRequest& request) {
    point = request.answerPoint;
    text = request.answerText;
  });
}

int GetCorner(const FcPoint2d& base, std::string_view prompt, FcPoint2d& point, std::string& text) {
  return AskValue(kCornerShape, prompt, &base, kAnswerPoint, text,
                  [&](const InputRequest& request) { point = request.answerPoint; });
}

int GetDistance(const FcPoint2d* base, std::string_view prompt, double& distance, std::string& text) {
  return AskValue(kDistanceShape, prompt, base, kAnswerDistance, text,
                  [&](const InputRequest& request) { distance = request.answerNumber; });
}

int GetAngle(const FcPoint2d* base, std::string_view prompt, double& angle, std::string& text) {
  // The typed text comes back too: its sign tells a clockwise sweep from a
  // counter-clockwise one, which the normalised angle no longer shows.
  return AskValue(kAngleShape, prompt, base, kAnswerAngle, text, [&](const InputRequest& request) {
    angle = request.answerAngle;
    text = request.answerText;
  });
}

int GetAbsoluteAngle(const FcPoint2d* base, std::string_view prompt, double& angle, std::string& text) {
  const int status = GetAngle(base, prompt, angle, text);
  if (status != FC_INPUT_OK) return status;
  const FcSystemVar& vars = CWorkThread::Current()->GetGraph().GetSysVars();
  // The view has already turned a typed angle the way ANGDIR counts;
  // mirroring it again here would point a clockwise angle the other way.
  angle += vars.angbase;
  NormalizeAngle(angle);
  return status;
}

int GetReal(std::string_view prompt, double& number, std::string& text) {
  return AskValue(kRealShape, prompt, nullptr, kAnswerReal, text,
                  [&](const InputRequest& request) { number = request.answerNumber; });
}

int GetInteger(std::string_view prompt, int& number, std::string& text) {
  return AskValue(kIntegerShape, prompt, nullptr, kAnswerInteger, text,
                  [&](const InputRequest& request) { number = request.answerInteger; });
}

int GetString(std::string_view prompt, std::string& text) {
  return Ask(kStringShape, prompt, nullptr, text, [&](const InputRequest& request) {
    if (request.answerKind == kAnswerEmpty) return FC_INPUT_NONE;
    if (request.answerKind != kAnswerText) return FC_INPUT_CANCEL;
    text = request.answerText;
    return FC_INPUT_OK;
  });
}

int GetKeyword(std::string_view prompt, std::string& keyword, std::string& text) {
  return AskValue(kKeywordShape, prompt, nullptr, kAnswerKeyword, text,
                  [&](const InputRequest& request) { keyword = request.answerText; });
}

int GetText(FcEntity* textEntity, FcPoint2d& point, std::string& text) {
  SetTempEntity(textEntity);
  return Ask(kTextShape, {}, nullptr, text, [&](const InputRequest& request) {
    if (request.answerKind == kAnswerPoint) {
      point = request.answerPoint;
      text = request.answerText;
      return FC_INPUT_PICKED;
    }
    if (request.answerKind != kAnswerText) return FC_INPUT_CANCEL;
    text = request.answerText;
    return FC_INPUT_OK;
  });
}

int GetPointOrSelect(const FcPoint2d* base, std::string_view prompt, FcPoint2d& point, std::string& text,
                     int boxStyle, int pickMode, int& keyState, FcEntitySets* objects) {
  text.clear();
  CommandViewLink* view = CurrentView();
  if (view == nullptr) return FC_INPUT_CANCEL;
  InputRequest& request = view->GetInputRequest();
  const std::int32_t band = boxStyle == 0 ? kBandSelectionBox : boxStyle == 1 ? kBandBox : kBandDottedBox;
  const PromptShape shape{objects != nullptr ? kRequestPointOrObjects : kRequestPoint,
                          pickMode == 1 ? kCursorTextOrPick : kCursorPointOrPick, "Select objects", band, band};
  FillRequest(request, shape, prompt, base);
  if (AwaitAnswer(*view) == 1) {
    if (objects != nullptr) objects->Merge(request.selection);
    // The handed-over entities belong to the caller's set from now on.
    request.selection.RemoveAll(false);
    ResetInputRequest(request);
    return FC_INPUT_OBJECTS;
  }
  view->SendInputRequest(0);
  int status = FC_INPUT_OK;
  if (request.answerKind == kAnswerPoint) {
    point = request.answerPoint;
    keyState = request.pickKeyState;
  } else {
    status = OtherAnswer(request, text);
  }
  ResetInputRequest(request);
  return status;
}

int TrackPoint(const FcPoint2d& base, FcDragObject* dragObject, std::string_view prompt) {
  CommandViewLink* view = CurrentView();
  if (view == nullptr) return FC_INPUT_CANCEL;
  InputRequest& request = view->GetInputRequest();
  request.dragObject = dragObject;
  FillRequest(request, kTrackShape, prompt, nullptr);
  // Tracking draws from the base point without the rubber band of a base.
  request.basePoint = base;
  AwaitAnswer(*view);
  view->SendInputRequest(0);
  const int status = request.answerKind == kAnswerCancel ? FC_INPUT_CANCEL : FC_INPUT_OK;
  ResetInputRequest(request);
  return status;
}

void SetKeywords(std::string_view keywordList, std::int32_t flags) {
  CommandViewLink* view = CurrentView();
  if (view == nullptr) return;
  view->GetInputRequest().keywords = std::string(keywordList);
  view->GetInputRequest().flags = flags;
}

void SetDragObject(FcDragObject* dragObject) {
  if (CommandViewLink* view = CurrentView()) view->GetInputRequest().dragObject = dragObject;
}

void SetTempEntity(FcEntity* entity) {
  if (CommandViewLink* view = CurrentView()) view->GetInputRequest().tempEntity = entity;
}
