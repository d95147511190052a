#include <cctype>
#include <cmath>
#include <iterator>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/command_support.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/attribute.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

// What the definition's dialog holds; until the dialog comes, each box is
// a prompt of its own.
struct AttDefAnswers {
  std::int16_t flags = 0;
  std::string tag;
  std::string prompt;
  std::string value;
  int justify = 0;
  FcTextStyle* style = nullptr;
  FcPoint2d pointUcs;
  double height = 0.0;
  double rotationDegrees = 0.0;
};

struct Justification {
  const char* keyword;
  std::int16_t horizontal;
  std::int16_t vertical;
};

// In the order of the dialog's list, whose index the answer stands for.
const Justification kJustifications[] = {
    {"Left", kTextLeft, kTextBaseline},          {"Fit", kTextFit, kTextBaseline},
    {"Center", kTextCenter, kTextBaseline},      {"Middle", kTextMiddle, kTextBaseline},
    {"Right", kTextRight, kTextBaseline},        {"TopLeft", kTextLeft, kTextTop},
    {"TopCenter", kTextCenter, kTextTop},        {"TopRight", kTextRight, kTextTop},
    {"MiddleLeft", kTextLeft, kTextVerticalMiddle}, {"MiddleCenter", kTextCenter, kTextVerticalMiddle},
    {"MiddleRight", kTextRight, kTextVerticalMiddle}, {"BottomLeft", kTextLeft, kTextBottom},
    {"BottomCenter", kTextCenter, kTextBottom},  {"BottomRight", kTextRight, kTextBottom},
};

const char* YesNo(std::int16_t flags, std::int16_t flag) { return (flags & flag) != 0 ? "Y" : "N"; }

// Each keyword turns its mode over; Enter keeps the modes shown.
bool AskModes(AttDefAnswers& answers) {
  for (;;) {
    const std::int16_t flags = answers.flags;
    SetKeywords("Invisible Constant Verify Preset", 0);
    std::string keyword;
    std::string text;
    const int status = GetKeyword(std::string("Attribute modes -- Invisible:") + YesNo(flags, kAttributeInvisible) +
                                      " Constant:" + YesNo(flags, kAttributeConstant) +
                                      " Verify:" + YesNo(flags, kAttributeVerify) +
                                      " Preset:" + YesNo(flags, kAttributePreset) +
                                      " [Invisible/Constant/Verify/Preset] <done>",
                                  keyword, text);
    if (status == FC_INPUT_NONE) return true;
    if (status != FC_INPUT_OK) return false;
    if (keyword == "Invisible") answers.flags ^= kAttributeInvisible;
    if (keyword == "Constant") answers.flags ^= kAttributeConstant;
    if (keyword == "Verify") answers.flags ^= kAttributeVerify;
    if (keyword == "Preset") answers.flags ^= kAttributePreset;
  }
}

// The dialog's tag rule: no empty tag and no blank in it.
bool AskTag(AttDefAnswers& answers) {
  for (;;) {
    std::string text;
    SetKeywords("", kInputAnyText);
    const int status = GetString("Attribute tag", text);
    if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return false;
    if (text.empty()) {
      PrintMessage("Null Tag not allowed!");
    } else if (text.find_first_of(" \t") != std::string::npos) {
      PrintMessage("Invalid blank is in Tag!");
    } else {
      answers.tag = text;
      return true;
    }
  }
}

// A free text that may be empty; false when cancelled.
bool AskText(const char* prompt, std::string& answer) {
  SetKeywords("", kInputAnyText);
  const int status = GetString(prompt, answer);
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool AskJustification(AttDefAnswers& answers) {
  SetKeywords(
      "Left Fit Center Middle Right TopLeft,TL TopCenter,TC TopRight,TR MiddleLeft,ML MiddleCenter,MC "
      "MiddleRight,MR BottomLeft,BL BottomCenter,BC BottomRight,BR",
      0);
  std::string keyword;
  std::string text;
  const int status =
      GetKeyword("Justification [Left/Fit/Center/Middle/Right/TL/TC/TR/ML/MC/MR/BL/BC/BR] <Left>", keyword, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  for (int i = 0; i < static_cast<int>(std::size(kJustifications)); ++i) {
    if (keyword == kJustifications[i].keyword) answers.justify = i;
  }
  return true;
}

// A style of the drawing by name; Enter keeps the current one.
bool AskStyle(FcGraph& graph, AttDefAnswers& answers) {
  for (;;) {
    std::string name;
    const int status = GetString("Text style <" + answers.style->GetName() + ">", name);
    if (status == FC_INPUT_NONE || (status == FC_INPUT_OK && name.empty())) return true;
    if (status != FC_INPUT_OK) return false;
    if (FcTextStyle* found = graph.GetTextStyleList().Find(name)) {
      answers.style = found;
      return true;
    }
    PrintMessage("Can't find the style " + name);
  }
}

bool AskHeight(const FcGraph& graph, AttDefAnswers& answers) {
  SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
  std::string text;
  double height = 0.0;
  const int status = GetDistance(&answers.pointUcs,
                                 "Attribute height <" + FormatDrawingDistance(answers.height, &graph) + ">", height,
                                 text);
  if (status == FC_INPUT_OK) answers.height = height;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool AskRotation(const FcGraph& graph, AttDefAnswers& answers) {
  std::string text;
  double angle = 0.0;
  const int status = GetAngle(&answers.pointUcs, "Attribute rotation angle <0>", angle, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  const FcSystemVar& vars = graph.GetSysVars();
  angle += vars.angbase;
  if (vars.angdir == 1) angle = kTwoPi - angle;
  NormalizeAngle(angle);
  answers.rotationDegrees = angle * kRadToDeg;
  return true;
}

// Every box of the dialog in turn; false when one was cancelled.
bool AskDefinition(FcGraph& graph, AttDefAnswers& answers) {
  if (!AskModes(answers) || !AskTag(answers) || !AskText("Attribute prompt", answers.prompt) ||
      !AskText("Default attribute value", answers.value) || !AskJustification(answers) ||
      !AskStyle(graph, answers)) {
    return false;
  }
  std::string text;
  if (GetPoint(nullptr, "Insert point", answers.pointUcs, text) != FC_INPUT_OK) return false;
  if (!AskHeight(graph, answers)) return false;
  return kJustifications[answers.justify].horizontal == kTextFit || AskRotation(graph, answers);
}

std::string Capitals(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::int16_t DefinitionFlags(std::int16_t asked) {
  std::int16_t flags = asked & kAttributeInvisible;
  if ((asked & kAttributeConstant) != 0) return flags | kAttributeConstant;
  return flags | (asked & (kAttributeVerify | kAttributePreset));
}

void FillDefinition(FcGraph& graph, const AttDefAnswers& answers, const FcPoint2d& insertion,
                    const FcPoint2d* fitPoint, FcAttributeDef& definition) {
  const FcTextStyle& style = *answers.style;
  const Justification& justification = kJustifications[answers.justify];
  definition.SetStyle(answers.style);
  definition.SetInsertionPoint(insertion);
  definition.SetHeight(answers.height);
  double rotation = answers.rotationDegrees * kDegToRad;
  graph.AngleToUcs(rotation);
  definition.SetGenerationFlags(style.GetGenerationFlags());
  definition.SetObliqueAngle(style.GetObliqueAngle());
  definition.SetWidthFactor(style.GetWidthFactor());
  definition.SetHorizontalJustification(justification.horizontal);
  definition.SetVerticalJustification(justification.vertical);
  if (fitPoint != nullptr) {
    definition.SetAlignmentPoint(*fitPoint);
    rotation = std::atan2(fitPoint->y - insertion.y, fitPoint->x - insertion.x);
  } else if (justification.horizontal != kTextLeft || justification.vertical != kTextBaseline) {
    definition.SetAlignmentPoint(insertion);
  }
  definition.SetRotation(rotation);
  definition.SetTag(Capitals(answers.tag));
  definition.SetPrompt(answers.prompt);
  definition.SetText(answers.value);
  definition.SetFlags(DefinitionFlags(answers.flags));
}

}  // namespace

int CmdAttDef() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "AttDef", FcUndoSection::Steps::kWholeRun);
  AttDefAnswers answers;
  answers.style = graph->GetCurrentTextStyle();
  if (answers.style == nullptr) return kStatusDone;
  FcSystemVar& vars = graph->GetSysVars();
  answers.height = answers.style->GetFixedHeight() != 0.0 ? answers.style->GetFixedHeight() : vars.textsize;
  if (!AskDefinition(*graph, answers)) return kStatusDone;
  const FcPoint2d insertion = UcsToWorldPoint(*graph, answers.pointUcs);
  if (answers.height > 0.0) vars.textsize = answers.height;
  FcPoint2d fitPoint;
  const bool fit = kJustifications[answers.justify].horizontal == kTextFit;
  if (fit) {
    std::string text;
    FcPoint2d fitUcs;
    if (GetPoint(&answers.pointUcs, "Fit point", fitUcs, text) != FC_INPUT_OK) return kStatusDone;
    fitPoint = UcsToWorldPoint(*graph, fitUcs);
  }
  section.AddNew<FcAttributeDef>([&](FcAttributeDef& definition) {
    FillDefinition(*graph, answers, insertion, fit ? &fitPoint : nullptr, definition);
  });
  return kStatusDone;
}
