#include "shell/typed_input_parsers.h"

#include <array>
#include <cmath>
#include <limits>

#include "core/angle_parse.h"
#include "core/geometry_basics.h"
#include "core/point_parse.h"
#include "core/value_parse.h"
#include "database/graph.h"
#include "database/object.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/keyword_list.h"

namespace {

struct SnapOverrideName {
  std::string_view typed;
  int mode;
  const char* name;
  // The typed text must be the whole answer, not only begin it.
  bool whole = false;
};

// In the order they are tried. "none" takes object snap away for one pick:
// its mode suspends the search while it counts as an override.
constexpr std::array<SnapOverrideName, 12> kSnapOverrides{{
    {"end", 1, "End", true},
    {"non", 0x4000, "None", true},
    {"none", 0x4000, "None", true},
    {"mid", 2, "Middle"},
    {"cen", 4, "Center"},
    {"nod", 8, "Node"},
    {"qua", 16, "Quadrant"},
    {"int", 32, "Intersection"},
    {"ins", 64, "Insert"},
    {"per", 128, "Perpendicular"},
    {"tan", 256, "Tangent"},
    {"nea", 512, "Nearest"},
}};

bool Refuse(TypedInputView& view, const char* message) {
  PrintMessage(message);
  ShowPrompt(view.Request().prompt);
  return false;
}

// The prompt with what a point filter or snap override waits for behind it.
void ShowFilterPrompt(TypedInputView& view, const std::string& text) {
  ShowPrompt(text);
  view.ShowPromptText(text);
}

bool Answer(InputRequest& request, InputAnswerKind kind) {
  request.answerKind = kind;
  return true;
}

bool AnswerText(InputRequest& request, std::string_view text) {
  request.answerText = text;
  return Answer(request, kAnswerText);
}

UnitSettings DrawingUnits(TypedInputView& view) {
  const FcSystemVar& vars = view.Drawing().GetSysVars();
  return UnitSettings{vars.aunits, vars.angbase, vars.angdir};
}

FcPoint2d LastPoint(TypedInputView& view) { return view.Drawing().GetSysVars().GetLastPoint(); }

void SetLastPoint(TypedInputView& view, const FcPoint2d& point) { view.Drawing().GetSysVars().SetLastPoint(point); }


bool AnswerPoint(TypedInputView& view, std::string_view text, const FcPoint2d& point) {
  InputRequest& request = view.Request();
  request.answerPoint = point;
  request.answerText = text;
  SetLastPoint(view, point);
  return Answer(request, kAnswerPoint);
}

// Keeps one coordinate of a point filter and asks for the other.
void CaptureCoordinate(TypedInputView& view, double value) {
  InputRequest& request = view.Request();
  if (request.pointFilter == 1) {
    request.xValue = value;
    request.xKnown = 1;
    request.pointFilter = 0;
    ShowFilterPrompt(view, request.prompt + " Need Y");
    return;
  }
  request.yValue = value;
  request.yKnown = 1;
  request.pointFilter = 0;
  ShowFilterPrompt(view, request.prompt + " Need X");
}

// The first point of a distance or angle given as two points: it becomes
// the base point of the same request, shown again for the second point.
bool TakeFirstOfTwoPoints(TypedInputView& view, const FcPoint2d& point) {
  InputRequest& request = view.Request();
  request.basePoint = point;
  request.hasBase = 1;
  request.rubberBand = kBandLine;
  request.prompt = kSecondPointPrompt;
  SetLastPoint(view, point);
  view.ShowRequestAgain();
  return false;
}

// The answers shared by the prompts for a value when the text is no value:
// a keyword of the list, free text where any text is accepted, and Enter
// where an empty answer is allowed.
bool AnswerOtherText(TypedInputView& view, std::string_view text, const char* refusal) {
  InputRequest& request = view.Request();
  if (!text.empty()) {
    std::string word(text);
    if (MatchKeyword(request.keywords, word)) {
      request.answerText = word;
      return Answer(request, kAnswerKeyword);
    }
    if (request.flags & kInputAnyText) return AnswerText(request, word);
    return Refuse(view, refusal);
  }
  if (request.flags & kInputAnyText) return AnswerText(request, {});
  if (request.flags & kInputRefuseEmpty) return Refuse(view, refusal);
  return Answer(request, kAnswerEmpty);
}

bool AnswerDistance(TypedInputView& view, double distance) {
  InputRequest& request = view.Request();
  if (distance < 0.0 && (request.flags & kInputRefuseNegative)) return Refuse(view, kNoNegative);
  if (distance == 0.0 && (request.flags & kInputRefuseZero)) return Refuse(view, kNoZero);
  request.answerNumber = distance;
  return Answer(request, kAnswerDistance);
}

// An angle value in the given unit form (-1: the drawing's AUNITS), as the
// user reads it: counter-clockwise radians in [0, 2*pi), mirrored when
// ANGDIR is 1.
bool AnswerAngle(TypedInputView& view, double value, int unitCode) {
  InputRequest& request = view.Request();
  if (value == 0.0 && (request.flags & kInputRefuseZero)) return Refuse(view, kNoZero);
  UnitSettings units = DrawingUnits(view);
  double radians = 0.0;
  AngleToRadians(value, unitCode == -1 ? units.aunits : unitCode, radians);
  NormalizeAngle(radians);
  if (units.angdir == 1) radians = kTwoPi - radians;
  request.answerAngle = radians;
  return Answer(request, kAnswerAngle);
}

// A point given at an angle prompt with a base point answers the direction
// from the base less ANGBASE, in [0, 2*pi), exactly as a click there does.
// Unlike a typed number it is not mirrored for ANGDIR: the point already
// shows the direction meant, whichever way angles are counted.
bool AnswerAngleToPoint(TypedInputView& view, const FcPoint2d& point) {
  InputRequest& request = view.Request();
  double radians =
      std::atan2(point.y - request.basePoint.y, point.x - request.basePoint.x) - DrawingUnits(view).angbase;
  NormalizeAngle(radians);
  if (radians == 0.0 && (request.flags & kInputRefuseZero)) return Refuse(view, kNoZero);
  request.answerAngle = radians;
  return Answer(request, kAnswerAngle);
}

// Whole decimal integers beyond the range of int are taken as its nearest
// bound.
bool ParseClampedInteger(std::string_view text, int& value) {
  if (ParseInteger(text, value)) return true;
  std::size_t start = text.find_first_not_of(" \t\r\n\f\v");
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  bool negative = text.front() == '-';
  if (negative || text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
  value = negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  return true;
}

bool ParseByKind(TypedInputView& view, std::string_view text) {
  switch (view.Request().requestKind) {
    case kRequestPoint:
    case kRequestPointOrObjects:
      return ParsePointInput(text, view);
    case kRequestTrack:
      return ParseTrackInput(text, view);
    case kRequestString:
    case kRequestTextLine:
      return ParseStringInput(text, view);
    case kRequestDistance:
      return ParseDistanceInput(text, view);
    case kRequestKeyword:
      return ParseKeywordInput(text, view);
    case kRequestAngle:
      return ParseAngleInput(text, view);
    case kRequestReal:
      return ParseRealInput(text, view);
    case kRequestInteger:
      return ParseIntegerInput(text, view);
    default:
      return false;
  }
}

}  // namespace

bool TypedPoint(TypedInputView& view, std::string_view text, FcPoint2d& point) {
  int kind = ParsePointText(text, point.x, point.y, DrawingUnits(view));
  if (kind == 0) return false;
  if (kind == 2) {
    FcPoint2d last = LastPoint(view);
    point.x += last.x;
    point.y += last.y;
  }
  return true;
}

bool ArmFilterOrOverride(TypedInputView& view, std::string_view text) {
  InputRequest& request = view.Request();
  // What the prompt offers comes first: "CEnter" at an arc's prompt is the
  // option, not the centre snap that its first letters also name.
  std::string word(text);
  if (MatchKeyword(request.keywords, word)) return false;
  std::string suffix;
  if (EqualsNoCase(text, ".x")) {
    request.pointFilter = 1;
    suffix = " .x";
  } else if (EqualsNoCase(text, ".y")) {
    request.pointFilter = 2;
    suffix = " .y";
  } else if (int mode = ParseSnapOverride(text); mode != 0) {
    request.snapOverride = mode;
    suffix = " " + SnapModeName(mode) + " of";
  } else {
    return false;
  }
  ShowFilterPrompt(view, request.prompt + suffix);
  return true;
}

bool DeliverInput(TypedInputView& view, std::string_view text, bool resume) {
  if (view.Request().cursorMode == kCursorPoint && resume && ArmFilterOrOverride(view, text)) return false;
  bool answered = ParseByKind(view, text);
  if (answered && resume) view.ResumeCommandThread();
  return answered;
}

int ParseSnapOverride(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  std::string_view typed = lower;
  if (typed.starts_with('_')) typed.remove_prefix(1);
  for (const SnapOverrideName& entry : kSnapOverrides) {
    if (entry.whole ? typed == entry.typed : typed.starts_with(entry.typed)) return entry.mode;
  }
  return 0;
}

std::string SnapModeName(int mode) {
  for (const SnapOverrideName& entry : kSnapOverrides)
    if (entry.mode == mode) return entry.name;
  return {};
}

bool ApplyPointFilter(TypedInputView& view, FcPoint2d& point) {
  InputRequest& request = view.Request();
  if (request.xKnown || request.yKnown) {
    if (request.xKnown) point.x = request.xValue;
    if (request.yKnown) point.y = request.yValue;
    return true;
  }
  if (request.pointFilter == 1) {
    CaptureCoordinate(view, point.x);
    return false;
  }
  if (request.pointFilter == 2) {
    CaptureCoordinate(view, point.y);
    return false;
  }
  return true;
}

bool ParsePointInput(std::string_view text, TypedInputView& view) {
  InputRequest& request = view.Request();
  FcPoint2d point;
  if (TypedPoint(view, text, point)) {
    if (!ApplyPointFilter(view, point)) return false;
    return AnswerPoint(view, text, point);
  }
  if (text.empty()) {
    if (request.flags & kInputAnyText) return AnswerText(request, {});
    if (request.flags & kInputRefuseEmpty) return Refuse(view, kNeedPoint);
    return Answer(request, kAnswerEmpty);
  }
  double number = 0.0;
  if (ParseDistance(text, number)) {
    if (request.xKnown) return AnswerPoint(view, text, FcPoint2d{request.xValue, number});
    if (request.yKnown) return AnswerPoint(view, text, FcPoint2d{number, request.yValue});
    if (request.pointFilter == 1 || request.pointFilter == 2) {
      CaptureCoordinate(view, number);
      return false;
    }
    FcPoint2d cursor;
    if (view.CursorPoint(cursor)) {
      FcPoint2d last = LastPoint(view);
      double angle = std::atan2(cursor.y - last.y, cursor.x - last.x);
      NormalizeAngle(angle);
      request.answerPoint = FcPoint2d{last.x + number * std::cos(angle), last.y + number * std::sin(angle)};
      request.answerText = text;
      return Answer(request, kAnswerPoint);
    }
  }
  std::string word(text);
  if (MatchKeyword(request.keywords, word)) {
    request.answerText = word;
    return Answer(request, kAnswerKeyword);
  }
  if (request.flags & kInputAnyText) return AnswerText(request, word);
  if (request.requestKind == kRequestPointOrObjects) {
    PrintMessage(kExpectsPointOr);
    return Refuse(view, kSelectionOptions);
  }
  return Refuse(view, kExpectsPoint);
}

bool ParseTrackInput(std::string_view text, TypedInputView& view) {
  if (text.empty()) return Answer(view.Request(), kAnswerEmpty);
  FcPoint2d point;
  if (ParsePointText(text, point.x, point.y, DrawingUnits(view)) != 0) view.TrackPreview(point);
  return false;
}

bool ParseDistanceInput(std::string_view text, TypedInputView& view) {
  InputRequest& request = view.Request();
  double distance = 0.0;
  if (ParseDistance(text, distance)) return AnswerDistance(view, distance);
  FcPoint2d point;
  if (TypedPoint(view, text, point)) {
    if (!ApplyPointFilter(view, point)) return false;
    if (!request.hasBase) return TakeFirstOfTwoPoints(view, point);
    distance = std::hypot(point.x - request.basePoint.x, point.y - request.basePoint.y);
    SetLastPoint(view, point);
    return AnswerDistance(view, distance);
  }
  return AnswerOtherText(view, text, kNeedRealOrTwoPoints);
}

bool ParseAngleInput(std::string_view text, TypedInputView& view) {
  InputRequest& request = view.Request();
  request.answerText = text;
  double value = 0.0;
  int unitCode = -1;
  if (!text.empty() && ParseAngle(text, value, unitCode)) return AnswerAngle(view, value, unitCode);
  FcPoint2d point;
  if (TypedPoint(view, text, point)) {
    if (!ApplyPointFilter(view, point)) return false;
    if (!request.hasBase) return TakeFirstOfTwoPoints(view, point);
    SetLastPoint(view, point);
    return AnswerAngleToPoint(view, point);
  }
  if (text.empty() && !(request.flags & kInputAnyText) && (request.flags & kInputRefuseEmpty))
    return Refuse(view, kNeedAngleOrTwoPoints);
  return AnswerOtherText(view, text, kNeedRealOrTwoPoints);
}

bool ParseStringInput(std::string_view text, TypedInputView& view) {
  InputRequest& request = view.Request();
  if (text.empty() && (request.flags & kInputRefuseEmpty)) return Refuse(view, kNeedOneChar);
  return AnswerText(request, text);
}

bool ParseRealInput(std::string_view text, TypedInputView& view) {
  InputRequest& request = view.Request();
  double number = 0.0;
  if (ParseReal(text, number)) {
    if (number < 0.0 && (request.flags & kInputRefuseNegative)) return Refuse(view, kNoNegative);
    if (number == 0.0 && (request.flags & kInputRefuseZero)) return Refuse(view, kNoZero);
    request.answerNumber = number;
    return Answer(request, kAnswerReal);
  }
  return AnswerOtherText(view, text, kNeedReal);
}

bool ParseIntegerInput(std::string_view text, TypedInputView& view) {
  InputRequest& request = view.Request();
  int number = 0;
  if (!text.empty() && ParseClampedInteger(text, number)) {
    request.answerInteger = number;
    return Answer(request, kAnswerInteger);
  }
  return AnswerOtherText(view, text, kNeedInteger);
}

bool ParseKeywordInput(std::string_view text, TypedInputView& view) {
  return AnswerOtherText(view, text, kNeedKeyword);
}
