#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "commands/command_support.h"
#include "commands/text/text_commands.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/entity_listing.h"
#include "entities/text.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

// The angle answered last for each style of each drawing, offered as the
// default of the next text in that style; kept only while the program runs.
std::mutex defaultRotationLock;
std::map<std::pair<const FcGraph*, FcHandle>, double> defaultRotations;

double DefaultRotation(const FcGraph& graph, const FcTextStyle& style) {
  std::lock_guard lock(defaultRotationLock);
  const auto found = defaultRotations.find({&graph, style.GetHandle()});
  return found != defaultRotations.end() ? found->second : 0.0;
}

void SetDefaultRotation(const FcGraph& graph, const FcTextStyle& style, double angle) {
  std::lock_guard lock(defaultRotationLock);
  defaultRotations[{&graph, style.GetHandle()}] = angle;
}

struct JustifyOption {
  const char* keyword;
  std::int16_t horizontal;
  std::int16_t vertical;
  const char* prompt;
};

const JustifyOption kJustifyOptions[] = {
    {"Adjust", kTextAligned, kTextBaseline, "First point of text base line"},
    {"Fit", kTextFit, kTextBaseline, "First point of text base line"},
    {"Center", kTextCenter, kTextBaseline, "Center point of text"},
    {"Middle", kTextMiddle, kTextBaseline, "Middle point of text"},
    {"Right", kTextRight, kTextBaseline, "Right point of text"},
    {"TopLeft", kTextLeft, kTextTop, "Top left point of text"},
    {"TopCenter", kTextCenter, kTextTop, "Top center point of text"},
    {"TopRight", kTextRight, kTextTop, "Top right point of text"},
    {"MiddleLeft", kTextLeft, kTextVerticalMiddle, "Middle left point of text"},
    {"MiddleCenter", kTextCenter, kTextVerticalMiddle, "Middle center point of text"},
    {"MiddleRight", kTextRight, kTextVerticalMiddle, "Middle right point of text"},
    {"BottomLeft", kTextLeft, kTextBottom, "Bottom left point of text"},
    {"BottomCenter", kTextCenter, kTextBottom, "Bottom center point of text"},
    {"BottomRight", kTextRight, kTextBottom, "Bottom right point of text"},
};

// What DText has settled before the lines are typed.
struct Placement {
  FcTextStyle* style = nullptr;
  std::int16_t horizontal = kTextLeft;
  std::int16_t vertical = kTextBaseline;
  FcPoint2d insertionUcs;
  FcPoint2d insertion;  // world
  FcPoint2d alignment;  // world
  double height = 0.0;
  double rotation = 0.0;  // world
};

void PrintCurrentStyle(const FcGraph& graph, const FcTextStyle& style) {
  PrintMessage("Current text style " + style.GetName() + ", text height " +
               FormatDrawingDistance(graph.GetSysVars().textsize, &graph));
}

// The style list of "?".
void ListStyles(const FcGraph& graph) {
  const FcTextStyleList& styles = graph.GetTextStyleList();
  for (int i = 0; i < styles.GetCount(); ++i) {
    const FcTextStyle& style = *styles.GetAt(i);
    PrintMessage("  Style name : \"" + style.GetName() + "\"  \tFont file: " + style.GetFontFile());
    PrintMessage("  Height: " + FormatDrawingDistance(style.GetFixedHeight(), &graph) + "  \tWidth Factor: " +
                 FormatDecimal(graph.GetSysVars().luprec, style.GetWidthFactor()) + "  \tRotate angle: " +
                 FormatDrawingAngle(DefaultRotation(graph, style), &graph));
    PrintMessage(" ");
  }
}

// False when the user ends the command instead of naming a style.
bool ChooseStyle(FcGraph& graph, Placement& placement) {
  for (;;) {
    std::string name;
    const int status = GetString("Input style name or ?<" + placement.style->GetName() + ">", name);
    if (status == FC_INPUT_NONE || (status == FC_INPUT_OK && name.empty())) {
      name = placement.style->GetName();
    } else if (status != FC_INPUT_OK) {
      return false;
    }
    if (name == "?") {
      ListStyles(graph);
      continue;
    }
    FcTextStyle* found = graph.GetTextStyleList().Find(name);
    if (found == nullptr) {
      PrintMessage("Can't find the style " + name);
      continue;
    }
    placement.style = graph.SetCurrentTextStyle(found->GetName());
    if (placement.style->GetFixedHeight() == 0.0) PrintCurrentStyle(graph, *placement.style);
    return true;
  }
}

// The points of a justification option; false when the command ends.
bool AskJustifiedPoints(FcGraph& graph, const JustifyOption& option, Placement& placement) {
  std::string text;
  FcPoint2d first;
  if (GetPoint(nullptr, option.prompt, first, text) != FC_INPUT_OK) return false;
  placement.horizontal = option.horizontal;
  placement.vertical = option.vertical;
  placement.insertionUcs = first;
  placement.insertion = UcsToWorldPoint(graph, first);
  placement.alignment = placement.insertion;
  if (option.horizontal != kTextAligned && option.horizontal != kTextFit) return true;
  FcPoint2d second;
  if (GetPoint(&first, "Second point of text base line", second, text) != FC_INPUT_OK) return false;
  placement.alignment = UcsToWorldPoint(graph, second);
  placement.rotation = std::atan2(placement.alignment.y - placement.insertion.y,
                                  placement.alignment.x - placement.insertion.x);
  NormalizeAngle(placement.rotation);
  return true;
}

bool AskJustification(FcGraph& graph, Placement& placement) {
  PrintMessage("Input the Options at below:");
  PrintMessage(
      "Adjust/Fit/Center/Middle/Right/TopLeft/TopCenter/TopRight/MiddleLeft/MiddleCenter/MiddleRight/BottomLeft/"
      "BottomCenter/BottomRight");
  SetKeywords(
      "Adjust Fit Center Middle Right TopLeft,TL TopCenter,TC TopRight,TR MiddleLeft,ML MiddleCenter,MC "
      "MiddleRight,MR BottomLeft,BL BottomCenter,BC BottomRight,BR",
      kInputRefuseEmpty);
  std::string keyword;
  std::string text;
  if (GetKeyword("Input the justify option", keyword, text) != FC_INPUT_OK) return false;
  for (const JustifyOption& option : kJustifyOptions) {
    if (keyword == option.keyword) return AskJustifiedPoints(graph, option, placement);
  }
  return false;
}

// Steps 2 to 4: a start point, a justification or a style; false when the
// command ends.
bool AskPlacement(FcGraph& graph, Placement& placement) {
  for (;;) {
    SetKeywords("Justify Style", kInputRefuseEmpty);
    std::string text;
    FcPoint2d point;
    const int status = GetPoint(nullptr, "Input start point[Justify/Style]", point, text);
    if (status == FC_INPUT_OK) {
      placement.insertionUcs = point;
      placement.insertion = UcsToWorldPoint(graph, point);
      placement.alignment = placement.insertion;
      return true;
    }
    if (status != FC_INPUT_KEYWORD) return false;
    if (text == "Justify") return AskJustification(graph, placement);
    if (text != "Style" || !ChooseStyle(graph, placement)) return false;
  }
}

bool AskHeightAndRotation(FcGraph& graph, Placement& placement) {
  FcSystemVar& vars = graph.GetSysVars();
  placement.height = placement.style->GetFixedHeight();
  std::string text;
  if (placement.height == 0.0) {
    SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
    double height = 0.0;
    const int status = GetDistance(&placement.insertionUcs,
                                   "Input text height<" + FormatDrawingDistance(vars.textsize, &graph) + ">", height,
                                   text);
    if (status == FC_INPUT_NONE) {
      placement.height = vars.textsize;
    } else if (status == FC_INPUT_OK) {
      placement.height = height;
      if (height > 0.0) vars.textsize = height;
    } else {
      return false;
    }
  }
  if (placement.horizontal == kTextAligned || placement.horizontal == kTextFit) return true;
  const double remembered = DefaultRotation(graph, *placement.style);
  double angle = 0.0;
  const int status =
      GetAngle(&placement.insertionUcs, "Input angle<" + FormatDrawingAngle(remembered, &graph) + ">", angle, text);
  if (status == FC_INPUT_NONE) {
    angle = remembered;
  } else if (status == FC_INPUT_OK) {
    SetDefaultRotation(graph, *placement.style, angle);
  } else {
    return false;
  }
  // The view has already counted a typed angle the way ANGDIR says.
  double rotation = vars.angbase + angle;
  NormalizeAngle(rotation);
  graph.AngleToUcs(rotation);
  placement.rotation = rotation;
  return true;
}

FcText* NewLine(const Placement& placement) {
  FcText* text = NewEntityOrReport<FcText>();
  if (text == nullptr) return nullptr;
  text->SetStyle(placement.style);
  text->SetInsertionPoint(placement.insertion);
  text->SetHeight(placement.height);
  text->SetRotation(placement.rotation);
  text->SetWidthFactor(placement.style->GetWidthFactor());
  text->SetObliqueAngle(placement.style->GetObliqueAngle());
  text->SetGenerationFlags(placement.style->GetGenerationFlags());
  text->SetHorizontalJustification(placement.horizontal);
  text->SetVerticalJustification(placement.vertical);
  if (placement.horizontal != kTextLeft || placement.vertical != kTextBaseline) {
    text->SetAlignmentPoint(placement.alignment);
  }
  text->SetCaret(true);
  return text;
}

}  // namespace

int CmdDText() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "DText", FcUndoSection::Steps::kEachEntity);
  Placement placement;
  placement.style = graph->GetCurrentTextStyle();
  if (placement.style == nullptr) return kStatusDone;
  if (placement.style->GetFixedHeight() == 0.0) PrintCurrentStyle(*graph, *placement.style);
  if (!AskPlacement(*graph, placement) || !AskHeightAndRotation(*graph, placement)) return kStatusDone;
  const FcPoint2d offset{placement.alignment.x - placement.insertion.x, placement.alignment.y - placement.insertion.y};
  for (;;) {
    FcText* text = NewLine(placement);
    if (text == nullptr) return kStatusDone;
    FcPoint2d picked;
    std::string line;
    const int status = GetText(text, picked, line);
    const bool pickedPoint = status == FC_INPUT_PICKED;
    if ((!pickedPoint && status != FC_INPUT_OK) || (status == FC_INPUT_OK && line.empty())) {
      delete text;
      return kStatusDone;
    }
    double lineHeight = 0.0;
    if (line.empty()) {
      delete text;
    } else {
      text->SetText(line);
      text->SetCaret(false);
      FcMatrix2d placed;
      text->Layout(placed, graph);
      const auto& box = text->GetBox();
      lineHeight = std::hypot(box[1].x - box[0].x, box[1].y - box[0].y);
      if (!section.AddCreated(text)) return kStatusDone;
    }
    if (pickedPoint) {
      placement.insertionUcs = picked;
      placement.insertion = UcsToWorldPoint(*graph, picked);
    } else {
      const double down = placement.rotation - kHalfPi;
      placement.insertion.x += 1.25 * lineHeight * std::cos(down);
      placement.insertion.y += 1.25 * lineHeight * std::sin(down);
    }
    placement.alignment = {placement.insertion.x + offset.x, placement.insertion.y + offset.y};
  }
}
