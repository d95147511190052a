#include <string>

#include "commands/file/file_commands.h"
#include "core/paths.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/object.h"
#include "files/drawing_file.h"
#include "platform/frame_link.h"
#include "shell/application_link.h"

namespace {

// Writes and reports; the writer itself names the drawing after the file
// and clears its modified state only when the file was written whole.
void Write(FcGraph& graph, const std::string& path, bool fullStop) {
  const auto result = SaveDrawing(graph, path, graph.GetFileKind(), true, true);
  const std::string message = SaveFailureMessage(static_cast<int>(result), fullStop);
  if (!message.empty()) PrintMessage(message);
}

}  // namespace

std::string SaveProposal(const FcGraph& graph) {
  const FcSystemVar& vars = graph.GetSysVars();
  if (vars.dwgtitled == 0) return {};
  const std::string path = vars.dwgprefix.str() + vars.dwgname.str();
  if (EqualsNoCase(PathExtension(path), ".dwg")) return path;
  return PathWithoutExtension(path, ".dwg");
}

std::string SaveFailureMessage(int result, bool fullStop) {
  if (result == static_cast<int>(FcSaveResult::kDone)) return {};
  if (result == static_cast<int>(FcSaveResult::kCannotCreate))
    return "Save Error! Perhaps the file is used by other application!";
  return "Save Error! Error Code: " + std::to_string(result) + (fullStop ? "." : "");
}

int CmdSave() {
  FcGraph* graph = CurrentGraph();
  ApplicationLink* link = GetApplicationLink();
  if (graph == nullptr || link == nullptr) return kStatusDone;
  const ApplicationLink::SaveTarget target = link->ChooseSaveTarget(SaveProposal(*graph), graph->GetFileKind());
  if (target.path.empty()) return kStatusDone;
  // The kind chosen in the dialog holds even when the save then fails.
  graph->SetFileKind(target.kind);
  Write(*graph, target.path, true);
  return kStatusDone;
}

int CmdQSave() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const FcSystemVar& vars = graph->GetSysVars();
  if (vars.dwgtitled == 0) return CmdSave();
  Write(*graph, vars.dwgprefix.str() + vars.dwgname.str(), false);
  return kStatusDone;
}

int CmdClose() { return kCloseDrawing; }
