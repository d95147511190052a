#include <memory>
#include <new>
#include <string>

#include "commands/command_support.h"
#include "commands/settings/linetype_file.h"
#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "database/object.h"
#include "database/undo_table_items.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

void PrintLinetypes(const FcLinetypeList& linetypes) {
  PrintMessage(" linetype\t\tDescriptive");
  PrintMessage("--------------------------------------------------------------------");
  for (int i = 0; i < linetypes.GetCount(); ++i) {
    const FcLineType* linetype = linetypes.GetAt(i);
    PrintMessage(" " + linetype->GetName() + "\t\t" + linetype->GetDescription());
  }
}

void ListFileLinetypes() {
  std::string path;
  if (!FindProgramLinetypeFile(path)) {
    PrintMessage(std::string("Can't find linetype file: ") + kLinetypeFile);
    return;
  }
  FcLinetypeList linetypes;
  linetypes.LoadFromFile(path);
  PrintLinetypes(linetypes);
}

// A name the drawing has no linetype of; false when the user gave none
// (Enter answers an empty one, which no record may carry).
bool AskNewName(const FcGraph& graph, std::string& name) {
  for (;;) {
    if (GetString("Input linetype name", name) != FC_INPUT_OK || name.empty()) return false;
    if (graph.GetLinetypeList().FindByName(name) == nullptr) return true;
    PrintMessage("There is the same name linetype! Please input again.");
  }
}

void CreateLinetype(FcGraph& graph) {
  std::string name;
  std::string description;
  std::string pattern;
  if (!AskNewName(graph, name) || GetString("Input Descriptive text", description) != FC_INPUT_OK) return;
  PrintMessage("Input linetype pattern text(at next line)");
  if (GetString(" A,", pattern) != FC_INPUT_OK) return;
  auto linetype = std::unique_ptr<FcLineType>(new (std::nothrow) FcLineType);
  auto* undo = new (std::nothrow) FcAddLinetypeUndoItem;
  if (linetype == nullptr || undo == nullptr) {
    delete undo;
    PrintMessage(kNoMemoryMessage);
    return;
  }
  linetype->SetName(name);
  linetype->SetDescription(description);
  if (!linetype->SetPattern(pattern)) {
    delete undo;
    PrintMessage("Error pattern text!");
    return;
  }
  graph.TakeHandle(*linetype);
  undo->Capture(*linetype);
  graph.GetLinetypeList().Add(std::move(linetype));
  AddUndoItem(graph, undo);
  PrintMessage("Linetype : " + name + " Create successfully!");
}

// The marker names in full for their short forms; empty for a name the
// drawing has no linetype of. The markers need no record of their own.
std::string CurrentLinetypeName(const FcGraph& graph, const std::string& typed) {
  if (EqualsNoCase(typed, "byl") || EqualsNoCase(typed, "ByLayer")) return "ByLayer";
  if (EqualsNoCase(typed, "byb") || EqualsNoCase(typed, "ByBlock")) return "ByBlock";
  const FcLineType* linetype = graph.GetLinetypeList().FindByName(typed);
  return linetype != nullptr ? linetype->GetName() : std::string();
}

void SetLinetype(FcGraph& graph) {
  std::string typed;
  const std::string prompt = "Input current linetype name[?/BYLayer/BYBlock]<" + graph.GetSysVars().celtype.str() + ">";
  if (GetString(prompt, typed) != FC_INPUT_OK || typed.empty()) return;
  if (typed == "?") {
    PrintLinetypes(graph.GetLinetypeList());
    return;
  }
  const std::string name = CurrentLinetypeName(graph, typed);
  if (name.empty()) {
    PrintMessage("There isn't the linetype named : " + typed);
    return;
  }
  auto* undo = new (std::nothrow) FcCurLinetypeUndoItem;
  if (undo == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return;
  }
  undo->SetLinetypeName(graph.GetSysVars().celtype.str());
  graph.SetCurrentLinetype(name);
  AddUndoItem(graph, undo);
}

}  // namespace

int CmdLinetypePrompt() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  for (;;) {
    SetKeywords("? Create Load Set", 0);
    std::string option;
    std::string text;
    if (GetKeyword("Input options[?/Create/Load/Set]", option, text) != FC_INPUT_OK) return kStatusDone;
    if (option == "?") {
      ListFileLinetypes();
    } else if (EqualsNoCase(option, "Create")) {
      CreateLinetype(*graph);
    } else if (EqualsNoCase(option, "Load")) {
      PrintMessage("Please use command \"linetype\" to load.");
    } else {
      SetLinetype(*graph);
    }
  }
}
