#include "shell/typed_input_parsers.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "core/point2d.h"
#include "database/graph.h"
#include "platform/recording_frame_link.h"
#include "shell/input_request.h"

namespace {

// The view side of a prompt, with a real drawing and a cursor that the test
// places.
class FakeView : public TypedInputView {
 public:
  InputRequest& Request() override { return request; }
  FcGraph& Drawing() override { return graph; }
  bool CursorPoint(FcPoint2d& point) override {
    if (!cursor) return false;
    point = *cursor;
    return true;
  }
  void ShowRequestAgain() override { ++shownAgain; }
  void ShowPromptText(const std::string& text) override { promptTexts.push_back(text); }
  void TrackPreview(const FcPoint2d& point) override { tracked.push_back(point); }
  void ResumeCommandThread() override { ++resumed; }

  InputRequest request;
  FcGraph graph;
  std::optional<FcPoint2d> cursor;
  int shownAgain = 0;
  int resumed = 0;
  std::vector<std::string> promptTexts;
  std::vector<FcPoint2d> tracked;
};

class TypedInputTest : public ::testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&frame_); }
  void TearDown() override { SetFrameLink(nullptr); }

  void Ask(InputRequestKind kind, std::int32_t flags = 0, const char* keywords = "") {
    view_.request.requestKind = kind;
    view_.request.cursorMode =
        kind == kRequestPoint || kind == kRequestDistance || kind == kRequestAngle || kind == kRequestTrack
            ? kCursorPoint
            : kCursorTextOrPick;
    view_.request.flags = flags;
    view_.request.keywords = keywords;
    view_.request.prompt = "Prompt";
    view_.request.answerKind = kAnswerEmpty;
  }

  FcPoint2d LastPoint() { return view_.graph.GetSysVars().GetLastPoint(); }

  RecordingFrameLink frame_;
  FakeView view_;
};

constexpr double kEps = 1e-9;

struct ValueCase {
  InputRequestKind kind;
  const char* text;
  std::int32_t flags = 0;
  const char* keywords = "";
  bool answered = true;
  InputAnswerKind answerKind = kAnswerEmpty;
  double value = 0.0;             // distance, angle, real or integer
  const char* answerText = "";    // for text and keyword answers
  const char* refusal = nullptr;  // the history line of a refusal
};

TEST_F(TypedInputTest, ValueParsers) {
  const double pi = kPi;
  const ValueCase cases[] = {
      {.kind = kRequestDistance, .text = "5", .answerKind = kAnswerDistance, .value = 5},
      {.kind = kRequestDistance, .text = "2'6\"", .answerKind = kAnswerDistance, .value = 30},
      {.kind = kRequestDistance,
       .text = "-1",
       .flags = 6,
       .answered = false,
       .refusal = "Can't input negative number!"},
      {.kind = kRequestDistance, .text = "0", .flags = 6, .answered = false, .refusal = "Can't input zero!"},
      {.kind = kRequestDistance, .text = "-1", .answerKind = kAnswerDistance, .value = -1},
      {.kind = kRequestDistance, .text = "", .answerKind = kAnswerEmpty},
      {.kind = kRequestDistance,
       .text = "",
       .flags = 1,
       .answered = false,
       .refusal = "Need real number or two point!"},
      {.kind = kRequestDistance, .text = "abc", .answered = false, .refusal = "Need real number or two point!"},
      {.kind = kRequestDistance, .text = "abc", .flags = 0x80, .answerKind = kAnswerText, .answerText = "abc"},
      {.kind = kRequestDistance,
       .text = "_p",
       .keywords = "Points",
       .answerKind = kAnswerKeyword,
       .answerText = "Points"},
      {.kind = kRequestAngle, .text = "90", .answerKind = kAnswerAngle, .value = pi / 2},
      {.kind = kRequestAngle, .text = "-90", .answerKind = kAnswerAngle, .value = 3 * pi / 2},
      {.kind = kRequestAngle, .text = "100g", .answerKind = kAnswerAngle, .value = pi / 2},
      {.kind = kRequestAngle, .text = "0", .flags = 2, .answered = false, .refusal = "Can't input zero!"},
      {.kind = kRequestAngle, .text = "", .flags = 1, .answered = false, .refusal = "Need angle number or two point!"},
      {.kind = kRequestAngle, .text = "xyz", .answered = false, .refusal = "Need real number or two point!"},
      {.kind = kRequestAngle, .text = "", .flags = 0x80, .answerKind = kAnswerText, .answerText = ""},
      {.kind = kRequestAngle,
       .text = "r",
       .keywords = "Reference",
       .answerKind = kAnswerKeyword,
       .answerText = "Reference"},
      {.kind = kRequestReal, .text = "2.5", .answerKind = kAnswerReal, .value = 2.5},
      {.kind = kRequestReal, .text = "2,5", .answered = false, .refusal = "Need real number!"},
      {.kind = kRequestReal, .text = "", .answerKind = kAnswerEmpty},
      {.kind = kRequestReal, .text = "", .flags = 1, .answered = false, .refusal = "Need real number!"},
      {.kind = kRequestInteger, .text = " -7", .answerKind = kAnswerInteger, .value = -7},
      {.kind = kRequestInteger, .text = "+42", .answerKind = kAnswerInteger, .value = 42},
      {.kind = kRequestInteger, .text = "99999999999", .answerKind = kAnswerInteger, .value = INT_MAX},
      {.kind = kRequestInteger, .text = "-99999999999", .answerKind = kAnswerInteger, .value = INT_MIN},
      {.kind = kRequestInteger, .text = "4.5", .answered = false, .refusal = "Need integer number!"},
      {.kind = kRequestInteger, .text = "-", .answered = false, .refusal = "Need integer number!"},
      {.kind = kRequestInteger,
       .text = "byl",
       .keywords = "BYLayer BYBlock",
       .answerKind = kAnswerKeyword,
       .answerText = "BYLayer"},
      {.kind = kRequestString, .text = "a b", .answerKind = kAnswerText, .answerText = "a b"},
      {.kind = kRequestString, .text = "", .answerKind = kAnswerText, .answerText = ""},
      {.kind = kRequestString, .text = "", .flags = 1, .answered = false, .refusal = "Must input one char at least!"},
      {.kind = kRequestKeyword,
       .text = "w",
       .keywords = "Window Crossing",
       .answerKind = kAnswerKeyword,
       .answerText = "Window"},
      {.kind = kRequestKeyword, .text = "", .answerKind = kAnswerEmpty},
      {.kind = kRequestKeyword, .text = "", .flags = 1, .answered = false, .refusal = "Need key word!"},
      {.kind = kRequestKeyword, .text = "zz", .keywords = "Window", .answered = false, .refusal = "Need key word!"},
      {.kind = kRequestKeyword, .text = "zz", .flags = 0x80, .answerKind = kAnswerText, .answerText = "zz"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " \"" + c.text + "\"");
    frame_.Clear();
    Ask(c.kind, c.flags, c.keywords);
    EXPECT_EQ(DeliverInput(view_, c.text, true), c.answered);
    if (!c.answered) {
      EXPECT_EQ(frame_.HistoryLines(), std::vector<std::string>{c.refusal});
      EXPECT_EQ(frame_.Calls().back().text, "Prompt");
      EXPECT_EQ(view_.request.answerKind, kAnswerEmpty);
      continue;
    }
    EXPECT_TRUE(frame_.HistoryLines().empty());
    ASSERT_EQ(view_.request.answerKind, c.answerKind);
    switch (c.answerKind) {
      case kAnswerDistance:
      case kAnswerReal:
        EXPECT_NEAR(view_.request.answerNumber, c.value, kEps);
        break;
      case kAnswerAngle:
        EXPECT_NEAR(view_.request.answerAngle, c.value, kEps);
        break;
      case kAnswerInteger:
        EXPECT_EQ(view_.request.answerInteger, static_cast<int>(c.value));
        break;
      case kAnswerText:
      case kAnswerKeyword:
        EXPECT_EQ(view_.request.answerText, c.answerText);
        break;
      default:
        break;
    }
  }
}

TEST_F(TypedInputTest, OnlyAnswersResumeTheCommand) {
  Ask(kRequestReal);
  EXPECT_FALSE(DeliverInput(view_, "x", true));
  EXPECT_EQ(view_.resumed, 0);
  EXPECT_TRUE(DeliverInput(view_, "1", true));
  EXPECT_EQ(view_.resumed, 1);
  EXPECT_TRUE(DeliverInput(view_, "1", false));
  EXPECT_EQ(view_.resumed, 1);
}

TEST_F(TypedInputTest, AngleFollowsAngdir) {
  view_.graph.GetSysVars().angdir = 1;
  Ask(kRequestAngle);
  ASSERT_TRUE(DeliverInput(view_, "90", true));
  EXPECT_NEAR(view_.request.answerAngle, 3 * kPi / 2, kEps);
}

// A point typed at an angle prompt with a base point gives what a click on
// the same spot gives: its direction from the base less ANGBASE, in
// [0, 2*pi), never mirrored for ANGDIR; zero is refused after ANGBASE.
TEST_F(TypedInputTest, TypedPointGivesTheAngleOfAClickThere) {
  struct Case {
    std::uint8_t angdir;
    double angbase;
    const char* typed;  // from the base point (1, 1)
    std::int32_t flags;
    double clicked;  // -1: refused
  };
  const Case cases[] = {
      {1, 0.0, "1,3", 0, kHalfPi},
      {1, 0.0, "2,0", 0, 7 * kPi / 4},
      {1, kHalfPi, "0,1", 0, kHalfPi},
      {0, kHalfPi, "2,0", 0, 5 * kPi / 4},
      {1, kHalfPi, "1,3", kInputRefuseZero, -1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    frame_.Clear();
    ResetInputRequest(view_.request);
    view_.graph.GetSysVars().angdir = c.angdir;
    view_.graph.GetSysVars().angbase = c.angbase;
    Ask(kRequestAngle, c.flags);
    ASSERT_FALSE(DeliverInput(view_, "1,1", true));
    const bool answered = DeliverInput(view_, c.typed, true);
    ASSERT_EQ(answered, c.clicked >= 0.0);
    if (!answered) {
      EXPECT_EQ(frame_.HistoryLines(), std::vector<std::string>{kNoZero});
      continue;
    }
    EXPECT_EQ(view_.request.answerKind, kAnswerAngle);
    EXPECT_NEAR(view_.request.answerAngle, c.clicked, kEps);
  }
}

struct PointCase {
  const char* text = "";
  FcPoint2d last{};
  std::optional<FcPoint2d> cursor = std::nullopt;
  InputRequestKind kind = kRequestPoint;
  std::int32_t flags = 0;
  bool answered = true;
  InputAnswerKind answerKind = kAnswerPoint;
  FcPoint2d point{};
  FcPoint2d lastAfter{};
  std::vector<std::string> refusal = {};
};

TEST_F(TypedInputTest, PointParser) {
  const PointCase cases[] = {
      {.text = "10,20", .last = {1, 1}, .point = {10, 20}, .lastAfter = {10, 20}},
      {.text = "@5,0", .last = {10, 20}, .point = {15, 20}, .lastAfter = {15, 20}},
      {.text = "5<90", .last = {10, 20}, .point = {0, 5}, .lastAfter = {0, 5}},
      {.text = "@2<180", .last = {10, 20}, .point = {8, 20}, .lastAfter = {8, 20}},
      // A number alone runs from LASTPOINT toward the cursor.
      {.text = "5", .last = {1, 1}, .cursor = FcPoint2d{1, 11}, .point = {1, 6}, .lastAfter = {1, 1}},
      {.text = "5", .last = {1, 1}, .answered = false, .refusal = {"Expects a point!"}},
      {.text = "", .last = {1, 1}, .answerKind = kAnswerEmpty, .lastAfter = {1, 1}},
      {.text = "", .last = {1, 1}, .flags = 1, .answered = false, .refusal = {"Need point!"}},
      {.text = "", .last = {1, 1}, .flags = 0x80, .answerKind = kAnswerText, .lastAfter = {1, 1}},
      {.text = "1,", .last = {1, 1}, .answered = false, .refusal = {"Expects a point!"}},
      {.text = "w",
       .last = {1, 1},
       .kind = kRequestPointOrObjects,
       .answered = false,
       .refusal = {"Expects a point or", "Window/Last/Crossing/ALL/Add/Remove/Previous/CONdition"}},
  };
  for (const PointCase& c : cases) {
    SCOPED_TRACE(c.text);
    frame_.Clear();
    Ask(c.kind, c.flags);
    view_.graph.GetSysVars().SetLastPoint(c.last);
    view_.cursor = c.cursor;
    EXPECT_EQ(DeliverInput(view_, c.text, true), c.answered);
    EXPECT_EQ(frame_.HistoryLines(), c.refusal);
    if (!c.answered) continue;
    EXPECT_EQ(view_.request.answerKind, c.answerKind);
    if (c.answerKind == kAnswerPoint) {
      EXPECT_NEAR(view_.request.answerPoint.x, c.point.x, kEps);
      EXPECT_NEAR(view_.request.answerPoint.y, c.point.y, kEps);
    }
    EXPECT_NEAR(LastPoint().x, c.lastAfter.x, kEps);
    EXPECT_NEAR(LastPoint().y, c.lastAfter.y, kEps);
  }
}

// Steps typed one after another at one prompt: each answers or not, and
// what the prompt shows after it.
struct Step {
  const char* text;
  bool answered;
  const char* shown;  // prompt text shown afterwards, null for none
};

struct SequenceCase {
  const char* name;
  InputRequestKind kind;
  std::vector<Step> steps;
  FcPoint2d point;  // the answer point, or (answer number, 0)
};

TEST_F(TypedInputTest, FiltersOverridesAndTwoPointAnswers) {
  const SequenceCase cases[] = {
      {"x filter",
       kRequestPoint,
       {{".x", false, "Prompt .x"}, {"3,4", false, "Prompt Need Y"}, {"7,8", true, nullptr}},
       {3, 8}},
      {"y filter with numbers",
       kRequestPoint,
       {{".Y", false, "Prompt .y"}, {"6", false, "Prompt Need X"}, {"2", true, nullptr}},
       {2, 6}},
      {"override", kRequestPoint, {{"mid", false, "Prompt Middle of"}, {"1,2", true, nullptr}}, {1, 2}},
      {"distance by two points", kRequestDistance, {{"0,0", false, nullptr}, {"3,4", true, nullptr}}, {5, 0}},
      {"angle by two points", kRequestAngle, {{"1,1", false, nullptr}, {"1,3", true, nullptr}}, {kHalfPi, 0}},
  };
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetInputRequest(view_.request);
    view_.resumed = 0;
    Ask(c.kind);
    for (const Step& step : c.steps) {
      view_.promptTexts.clear();
      EXPECT_EQ(DeliverInput(view_, step.text, true), step.answered) << step.text;
      std::vector<std::string> shown;
      if (step.shown) shown.push_back(step.shown);
      EXPECT_EQ(view_.promptTexts, shown) << step.text;
    }
    if (c.kind == kRequestPoint) {
      EXPECT_NEAR(view_.request.answerPoint.x, c.point.x, kEps);
      EXPECT_NEAR(view_.request.answerPoint.y, c.point.y, kEps);
    } else if (c.kind == kRequestDistance) {
      EXPECT_NEAR(view_.request.answerNumber, c.point.x, kEps);
    } else {
      EXPECT_NEAR(view_.request.answerAngle, c.point.x, kEps);
    }
    EXPECT_EQ(view_.resumed, 1);
  }
}

TEST_F(TypedInputTest, FirstOfTwoPointsBecomesTheBase) {
  Ask(kRequestDistance);
  EXPECT_FALSE(DeliverInput(view_, "2,3", true));
  EXPECT_EQ(view_.shownAgain, 1);
  EXPECT_EQ(view_.request.prompt, "Input the 2nd point");
  EXPECT_EQ(view_.request.hasBase, 1);
  EXPECT_EQ(view_.request.rubberBand, kBandLine);
  EXPECT_EQ(view_.request.basePoint.x, 2.0);
  EXPECT_EQ(LastPoint().y, 3.0);
}

TEST_F(TypedInputTest, FiltersAndOverridesOnlyAtPointPromptsWithResume) {
  Ask(kRequestReal);
  EXPECT_FALSE(DeliverInput(view_, ".x", true));
  EXPECT_EQ(view_.request.pointFilter, 0);
  frame_.Clear();
  Ask(kRequestPoint);
  EXPECT_FALSE(DeliverInput(view_, "end", false));
  EXPECT_EQ(view_.request.snapOverride, 0);
  EXPECT_EQ(frame_.HistoryLines(), std::vector<std::string>{"Expects a point!"});
}

// At a point prompt, a keyword the prompt offers wins over the snap name
// that it also begins with; a snap name the prompt does not offer still
// arms the override.
TEST_F(TypedInputTest, OfferedKeywordsComeBeforeSnapOverrides) {
  struct Case {
    const char* keywords;
    const char* typed;
    const char* keyword;  // empty: the snap override is armed
    int snapOverride;
  };
  const Case cases[] = {
      {"Angle CEnter Direction", "CEnter", "CEnter", 0},
      {"Angle CEnter Direction", "center", "CEnter", 0},
      {"Angle CEnter Direction", "_cen", "CEnter", 0},
      {"Left Center Right", "Center", "Center", 0},
      {"ENDpoint Undo", "end", "ENDpoint", 0},
      {"Angle CEnter Direction", "mid", "", 2},
      {"", "cen", "", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ResetInputRequest(view_.request);
    view_.resumed = 0;
    Ask(kRequestPoint, 0, c.keywords);
    const bool answered = DeliverInput(view_, c.typed, true);
    EXPECT_EQ(view_.request.snapOverride, c.snapOverride);
    if (c.snapOverride != 0) {
      EXPECT_FALSE(answered);
      continue;
    }
    ASSERT_TRUE(answered);
    EXPECT_EQ(view_.request.answerKind, kAnswerKeyword);
    EXPECT_EQ(view_.request.answerText, c.keyword);
    EXPECT_EQ(view_.resumed, 1);
  }
}

TEST_F(TypedInputTest, TrackingHandsTypedPointsToTheDragObject) {
  Ask(kRequestTrack);
  view_.graph.GetSysVars().SetLastPoint({100, 100});
  EXPECT_FALSE(DeliverInput(view_, "@3,4", true));
  EXPECT_FALSE(DeliverInput(view_, "abc", true));
  ASSERT_EQ(view_.tracked.size(), 1u);
  EXPECT_EQ(view_.tracked[0].x, 3.0);
  EXPECT_TRUE(DeliverInput(view_, "", true));
  EXPECT_EQ(view_.request.answerKind, kAnswerEmpty);
}

TEST(SnapOverrideTest, NamesAndModes) {
  struct Case {
    const char* typed;
    int mode;
    const char* name;
  };
  const Case cases[] = {
      {"end", 1, "End"},
      {"_END", 1, "End"},
      {"endp", 0, ""},
      {"mid", 2, "Middle"},
      {"MIDpoint", 2, "Middle"},
      {"_cen", 4, "Center"},
      {"node", 8, "Node"},
      {"qua", 16, "Quadrant"},
      {"intersection", 32, "Intersection"},
      {"ins", 64, "Insert"},
      {"perp", 128, "Perpendicular"},
      {"_tan", 256, "Tangent"},
      {"nearest", 512, "Nearest"},
      {"non", 0x4000, "None"},
      {"_NONE", 0x4000, "None"},
      {"nonsense", 0, ""},
      {"mi", 0, ""},
      {"", 0, ""},
      {"__mid", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseSnapOverride(c.typed), c.mode) << c.typed;
    EXPECT_EQ(SnapModeName(c.mode), c.name) << c.typed;
  }
}

}  // namespace
