#include <algorithm>
#include <cctype>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "commands/block/block_commands.h"
#include "commands/dimension/dim_style_step.h"
#include "commands/dimension/dimension_commands.h"
#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/system_var.h"
#include "database/undo_list.h"
#include "database/undo_table_items.h"
#include "entities/dimension_arrow_choice.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr const char* kDuplicateStyle = "There already is the same dimension style in the database!";

std::string UpperAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

std::string CurrentName(const FcGraph& graph) {
  const FcDimStyle* current = graph.GetCurrentDimStyle();
  return current != nullptr ? current->GetName() : std::string();
}

void ListStyles(const FcGraph& graph) {
  std::vector<std::string> names;
  const FcDimStyleList& styles = graph.GetDimStyleList();
  for (int i = 0; i < styles.GetCount(); ++i) names.push_back(styles.GetAt(i)->GetName());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) PrintMessage("  " + name);
}

// A trimmed name typed at the prompt, the default on Enter; empty when
// the prompt was cancelled or nothing was given.
std::string AskName(const std::string& prompt, const std::string& fallback) {
  std::string text;
  const int status = GetString(prompt + " <" + fallback + ">", text);
  if (status == FC_INPUT_NONE) return fallback;
  if (status != FC_INPUT_OK) return {};
  const std::string name = TrimBlanks(text);
  return name.empty() ? fallback : name;
}

// The style the user names, or null after saying that there is none.
FcDimStyle* AskExistingStyle(const FcGraph& graph, const std::string& prompt, const std::string& fallback) {
  const std::string name = AskName(prompt, fallback);
  if (name.empty()) return nullptr;
  FcDimStyle* style = graph.GetDimStyleList().Find(name);
  if (style == nullptr) PrintMessage("Dimension style " + name + " not found.");
  return style;
}

// "Copy BASE", or "Copy (n) BASE" with the first n that no style has.
std::string ProposedName(const FcGraph& graph, const std::string& base) {
  std::string proposal = "Copy " + base;
  for (int n = 1; graph.GetDimStyleList().Find(proposal) != nullptr; ++n) {
    proposal = "Copy (" + std::to_string(n) + ") " + base;
  }
  return proposal;
}

bool IsArrowVariable(const std::string& upperName) {
  return upperName == "DIMBLK" || upperName == "DIMBLK1" || upperName == "DIMBLK2" || upperName == "DIMLDRBLK";
}

// An arrow answer names a block the style binds by name: its block is made
// ready first, and a name the drawing cannot give is refused.
bool PrepareAnswer(FcGraph& graph, const std::string& upperName, FcResBuf& answer) {
  if (!IsArrowVariable(upperName)) return true;
  const std::string given = TrimBlanks(answer.text != nullptr ? answer.text : "");
  const std::optional<std::string> stored = PrepareDimArrow(graph, given);
  if (!stored) {
    PrintMessage("Block " + given + " not found; " + upperName + " is unchanged.");
    return false;
  }
  return answer.SetString(stored->c_str());
}

// Variables asked one by one, each shown with its value in the style.
// The values go through the drawing's variable rules on a scratch copy,
// so a value out of range leaves the style's as it was.
void ModifyStyle(FcGraph& graph, FcDimStyle& style) {
  FcSystemVar scratch;
  scratch.CopyFrom(graph.GetSysVars());
  SetDimVarsFromStyle(scratch, style);
  for (;;) {
    std::string text;
    if (GetString("Dimension variable to change (RETURN to finish)", text) != FC_INPUT_OK) break;
    const std::string name = UpperAscii(TrimBlanks(text));
    if (name.empty()) break;
    FcResBuf value;
    std::optional<std::string> shown;
    if (name.rfind("DIM", 0) == 0 && name != "DIMSTYLE" && scratch.GetVar(name, value) == FcSysVarResult::kDone) {
      shown = ShownSysVarValue(graph, value);
    }
    if (!shown) {
      PrintMessage(name + " is not a dimension variable.");
      continue;
    }
    FcResBuf answer;
    if (AskSysVarValue(graph, "New value for " + name + "<" + *shown + ">", value.type, answer) &&
        PrepareAnswer(graph, name, answer)) {
      scratch.SetVar(name, answer);
    }
  }
  style.CopyFromSysVars(scratch);
  style.ResolveBlocks();
}

// A copy of the base under a new name and handle of its own, then
// changed as Modify does.
void NewStyle(FcGraph& graph) {
  FcDimStyle* base = AskExistingStyle(graph, "Base dimension style", CurrentName(graph));
  if (base == nullptr) return;
  const std::string name = AskName("New dimension style name", ProposedName(graph, base->GetName()));
  if (name.empty()) return;
  if (graph.GetDimStyleList().Find(name) != nullptr) {
    PrintMessage(kDuplicateStyle);
    return;
  }
  if (FcDimStyle* style = NewDimStyleFrom(graph, *base, name)) ModifyStyle(graph, *style);
}

// What the style manager offers, asked on the command line.
void ManageStyles(FcGraph& graph) {
  for (;;) {
    PrintMessage("Current Dimension Style : " + CurrentName(graph));
    SetKeywords("? Current New Modify", 0);
    std::string keyword;
    std::string text;
    const int status = GetKeyword("Dimension style (?/Current/New/Modify) <Close>", keyword, text);
    if (status == FC_INPUT_TEXT && TrimBlanks(text) == "?") keyword = "?";
    else if (status != FC_INPUT_OK) return;
    if (keyword == "?") {
      ListStyles(graph);
    } else if (EqualsNoCase(keyword, "Current")) {
      if (FcDimStyle* style = AskExistingStyle(graph, "Dimension style to make current", CurrentName(graph))) {
        graph.SetCurrentDimStyle(style->GetName());
      }
    } else if (EqualsNoCase(keyword, "New")) {
      NewStyle(graph);
    } else if (FcDimStyle* style = AskExistingStyle(graph, "Dimension style to modify", CurrentName(graph))) {
      ModifyStyle(graph, *style);
    }
  }
}

}  // namespace

int CmdDim() {
  PrintMessage("Don't support \"Dim\" command! Please use DimXXX instead, such as dimlinear, dimangle.");
  return kStatusDone;
}

FcDimStyle* NewDimStyleFrom(FcGraph& graph, const FcDimStyle& base, const std::string& name) {
  FcDimStyle* style = graph.NewDimStyle(name);
  if (style == nullptr) {
    PrintMessage("No enough memory!");
    return nullptr;
  }
  const FcHandle handle = style->GetHandle();
  style->CopyVariables(base);
  style->SetName(name);
  style->SetHandle(handle);
  return style;
}

int RunDimStyleStep(void (*manage)(FcGraph& graph)) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  // Made before anything changes, so that one Undo puts back every style
  // and the current one, whatever the run did.
  auto* item = new (std::nothrow) FcDimStyleUndoItem;
  if (item == nullptr) {
    PrintMessage("No enough memory!");
    return kStatusDone;
  }
  item->Capture(*graph);
  item->SetName("DimStyle");
  AddUndoItem(*graph, item);
  manage(*graph);
  // New dimensions follow the style that is current now.
  if (const FcDimStyle* current = graph->GetCurrentDimStyle()) SetDimVarsFromStyle(graph->GetSysVars(), *current);
  return kStatusDone;
}

int CmdDimStyleOnCommandLine() { return RunDimStyleStep(ManageStyles); }
