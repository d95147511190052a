#include <array>
#include <cmath>
#include <string>

#include "commands/text/text_box.h"
#include "commands/text/text_commands.h"
#include "commands/undo_section.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

constexpr const char* kBaseOptions = "Existing Left Center Middle Right TL TC TR ML MC MR BL BC BR";
constexpr std::int32_t kPositive = kInputRefuseZero | kInputRefuseNegative;

// What ScaleText offers as defaults, kept per command thread (that is, per
// drawing) while the program runs.
struct ScaleTextMemory {
  std::string option = "Existing";
  double height = 2.0;
  double factor = 2.0;
};
thread_local ScaleTextMemory memory;

// The new height, or the factor when factorMode is set.
struct ScaleChoice {
  bool factorMode = false;
  double height = 0.0;
  double factor = 1.0;
};

FcPoint2d Mid(const FcPoint2d& a, const FcPoint2d& b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

// The points every kind takes from its box, by option; false for the
// options that a kind answers in its own way.
bool BoxPoint(const std::array<FcPoint2d, 4>& box, const std::string& option, FcPoint2d& point) {
  const FcPoint2d& bl = box[0];
  const FcPoint2d& tl = box[1];
  const FcPoint2d& tr = box[2];
  const FcPoint2d& br = box[3];
  if (option == "Middle" || option == "MC") {
    point = {(bl.x + tl.x + tr.x + br.x) / 4.0, (bl.y + tl.y + tr.y + br.y) / 4.0};
  } else if (option == "TL") {
    point = tl;
  } else if (option == "TC") {
    point = Mid(tl, tr);
  } else if (option == "TR") {
    point = tr;
  } else if (option == "ML") {
    point = Mid(bl, tl);
  } else if (option == "MR") {
    point = Mid(br, tr);
  } else if (option == "BL") {
    point = bl;
  } else if (option == "BC") {
    point = Mid(bl, br);
  } else if (option == "BR") {
    point = br;
  } else {
    return false;
  }
  return true;
}

// The point a text is scaled about. An empty text, which has no box,
// keeps its own point.
FcPoint2d BasePoint(FcEntity& entity, const std::string& option) {
  std::array<FcPoint2d, 4> box{};
  const bool boxed = TextBoxCorners(entity, box);
  if (auto* mtext = dynamic_cast<FcMText*>(&entity)) {
    const FcPoint2d insertion = mtext->GetInsertionPoint();
    if (!boxed || option == "Existing") return insertion;
    if (option == "Left") return box[0];
    if (option == "Center") return Mid(box[0], box[3]);
    if (option == "Right") return box[3];
    FcPoint2d point = insertion;
    BoxPoint(box, option, point);
    return point;
  }
  const auto& text = static_cast<const FcText&>(entity);
  const FcPoint2d insertion = text.GetInsertionPoint();
  if (option == "Existing") return text.IsLeftBaseline() ? insertion : text.GetAlignmentPoint();
  if (!boxed || option == "Left") return insertion;
  const FcPoint2d baseline{box[3].x - box[0].x, box[3].y - box[0].y};
  if (option == "Center") return {insertion.x + baseline.x / 2.0, insertion.y + baseline.y / 2.0};
  if (option == "Right") return {insertion.x + baseline.x, insertion.y + baseline.y};
  FcPoint2d point = insertion;
  BoxPoint(box, option, point);
  return point;
}

double HeightOf(const FcEntity& entity) {
  if (const auto* mtext = dynamic_cast<const FcMText*>(&entity)) return mtext->GetHeight();
  return static_cast<const FcText&>(entity).GetHeight();
}

void SetHeightOf(FcEntity& entity, double height) {
  if (auto* mtext = dynamic_cast<FcMText*>(&entity)) {
    mtext->SetHeight(height);
    return;
  }
  static_cast<FcText&>(entity).SetHeight(height);
}

std::string Shown(const FcGraph& graph, double value) { return FormatDecimal(graph.GetSysVars().luprec, value); }

// The height of a picked text or attribute definition; false on cancel.
bool AskMatchedHeight(double& height) {
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    if (PickOneObject("Select a text object with the desired height", text, point, picked) != FC_INPUT_OK)
      return false;
    if (picked != nullptr && (picked->GetKind() == kEntityText || picked->GetKind() == kEntityAttributeDef)) {
      height = static_cast<const FcText*>(picked)->GetHeight();
      return true;
    }
    PrintMessage("Please select text object!");
  }
}

// The factor of the "Scale factor" option; false on cancel.
bool AskFactor(const FcGraph& graph, double& factor) {
  std::string text;
  double value = 0.0;
  SetKeywords("Reference", kPositive);
  const int status =
      GetDistance(nullptr, "Specify scale factor or [Reference] <" + Shown(graph, memory.factor) + ">", value, text);
  if (status == FC_INPUT_NONE) {
    factor = memory.factor;
    return true;
  }
  if (status == FC_INPUT_OK) {
    memory.factor = value;
    factor = value;
    return true;
  }
  if (status != FC_INPUT_KEYWORD) return false;
  double reference = 1.0;
  SetKeywords("", kPositive);
  const int referenceStatus = GetDistance(nullptr, "Reference length <1.0>", reference, text);
  if (referenceStatus == FC_INPUT_NONE) reference = 1.0;
  if (referenceStatus != FC_INPUT_OK && referenceStatus != FC_INPUT_NONE) return false;
  double length = 0.0;
  SetKeywords("", kPositive | kInputRefuseEmpty);
  if (GetDistance(nullptr, "New length", length, text) != FC_INPUT_OK) return false;
  factor = length / reference;
  return true;
}

// The new height or the factor; false on cancel.
bool AskScale(const FcGraph& graph, ScaleChoice& choice) {
  std::string text;
  double height = 0.0;
  SetKeywords("Match Scale", kPositive);
  const int status = GetDistance(
      nullptr, "Specify new height or [Match object/Scale factor] <" + Shown(graph, memory.height) + ">", height, text);
  if (status == FC_INPUT_NONE) {
    choice.height = memory.height;
    return true;
  }
  if (status == FC_INPUT_OK) {
    memory.height = height;
    choice.height = height;
    return true;
  }
  if (status != FC_INPUT_KEYWORD) return false;
  if (text == "Match") return AskMatchedHeight(choice.height);
  choice.factorMode = true;
  return AskFactor(graph, choice.factor);
}

void ScaleOneText(FcEntity& entity, const ScaleChoice& choice, const std::string& option) {
  const FcPoint2d base = BasePoint(entity, option);
  const double current = HeightOf(entity);
  double s = choice.factor;
  if (!choice.factorMode) s = current > 0.0 ? choice.height / current : 1.0;
  FcMatrix2d scale;
  ScaleAboutPointMatrix(base.x, base.y, s, scale);
  entity.Transform(scale);
  if (!choice.factorMode) SetHeightOf(entity, choice.height);
}

void EndUnchanged(FcGraph& graph, FcEntitySets& selection) {
  graph.HighlightEntities(false, &selection);
  graph.Redraw();
}

}  // namespace

int CmdScaleText() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(16);
  if (SelectObjects("", selection) != FC_INPUT_OK) return kStatusDone;
  if (KeepBoxedTexts(selection)) graph->Redraw();
  if (selection.GetCount() == 0) {
    EndUnchanged(*graph, selection);
    PrintMessage(kNoTextSelected);
    return kStatusDone;
  }
  PrintMessage("Enter a base point option for scaling");
  SetKeywords(kBaseOptions, 0);
  std::string keyword;
  std::string text;
  const int status =
      GetKeyword("[Existing/Left/Center/Middle/Right/TL/TC/TR/ML/MC/MR/BL/BC/BR] <" + memory.option + ">", keyword,
                 text);
  if (status == FC_INPUT_OK) memory.option = keyword;
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  ScaleChoice choice;
  if (!AskScale(*graph, choice)) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  FcUndoSection section(*graph, "ScaleText", FcUndoSection::Steps::kWholeRun);
  if (!section.RecordChanged(selection)) {
    EndUnchanged(*graph, selection);
    return kStatusDone;
  }
  for (int i = selection.GetCount() - 1; i >= 0; --i) ScaleOneText(*selection.GetAt(i), choice, memory.option);
  graph->HighlightEntities(false, &selection);
  graph->RedrawEntities(&selection);
  graph->Redraw();
  return kStatusDone;
}
