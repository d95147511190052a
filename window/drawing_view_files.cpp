#include <QApplication>
#include <QCloseEvent>

#include "core/paths.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "files/drawing_file.h"
#include "platform/file_system.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "window/drawing_view.h"

namespace {

constexpr const char* kCommandRunsMessage = "There still is a running command!\nPlease stop it first!";
constexpr const char* kSaveErrorMessage = "Save Error! Perhaps the file is used by other application!";

const char* OpenFailureMessage(FcOpenResult result) {
  switch (result) {
    case FcOpenResult::kCannotOpen:
      return kCannotOpenDrawingMessage;
    case FcOpenResult::kOtherRelease:
      return "Drawing file created by incompatible version!";
    default:
      return "Open file Error! The file will be discarded!";
  }
}

// The wait cursor for the life of the scope.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

bool DrawingView::OpenFile(const std::string& path) {
  if (core_.CommandRuns()) return false;
  FcOpenResult result = FcOpenResult::kCannotOpen;
  {
    // Reading and drawing may take handles; this window is not the
    // active one yet.
    FcCurrentGraphScope current(Drawing());
    WaitCursor wait;
    result = OpenDrawing(Drawing(), path, false, nullptr);
    if (result == FcOpenResult::kDone) Drawing().Regen();
  }
  if (result != FcOpenResult::kDone) {
    questions_->ShowMessage(OpenFailureMessage(result));
    return false;
  }
  fitPending_ = true;
  sizePending_ = true;
  redrawPending_ = true;
  UpdateTitle();
  if (onFileNamed_) onFileNamed_(path);
  return true;
}

void DrawingView::LoadTemplate() {
  const std::string path = GetProgramSettings().template_file;
  if (path.empty() || !FileExists(path) || core_.CommandRuns()) return;
  {
    FcCurrentGraphScope current(Drawing());
    WaitCursor wait;
    // A template that cannot be read says so in the history and leaves
    // the defaults.
    OpenDrawing(Drawing(), path, true, nullptr);
    Drawing().Regen();
  }
  redrawPending_ = true;
  UpdateTitle();
}

bool DrawingView::SaveModified() {
  if (core_.CommandRuns()) {
    questions_->ShowMessage(kCommandRunsMessage);
    return false;
  }
  FcGraph& graph = Drawing();
  const FcSystemVar& vars = graph.GetSysVars();
  if (vars.Modified == 0) return true;
  const std::string question =
      vars.dwgtitled != 0 ? "Save changes to " + vars.dwgprefix.str() + vars.dwgname.str() : "Save changes to untitled?";
  switch (questions_->AskSaveChanges(question)) {
    case UserQuestions::SaveAnswer::kCancel:
      return false;
    case UserQuestions::SaveAnswer::kNo:
      return true;
    case UserQuestions::SaveAnswer::kYes:
      break;
  }
  return SaveNow();
}

bool DrawingView::SaveNow() {
  if (core_.CommandRuns()) {
    questions_->ShowMessage(kCommandRunsMessage);
    return false;
  }
  FcGraph& graph = Drawing();
  const FcSystemVar& vars = graph.GetSysVars();
  std::string path = vars.dwgprefix.str() + vars.dwgname.str();
  FcFileKind kind = graph.GetFileKind();
  const bool newName = vars.dwgtitled == 0;
  if (newName) {
    const UserQuestions::SaveChoice choice = questions_->ChooseSavePath(kind);
    if (choice.path.empty()) return false;
    path = choice.path;
    kind = choice.kind;
  }
  FcSaveResult result = FcSaveResult::kDone;
  {
    WaitCursor wait;
    result = SaveDrawing(graph, path, kind, true, true);
  }
  UpdateTitle();
  if (result != FcSaveResult::kDone) {
    AddHistoryLine(kSaveErrorMessage);
    return false;
  }
  if (newName && onFileNamed_) onFileNamed_(path);
  return true;
}

std::string DrawingView::AutoSavePath() {
  const FcSystemVar& vars = Drawing().GetSysVars();
  if (vars.dwgtitled == 0) {
    const ProgramSettings& settings = GetProgramSettings();
    return settings.autosave_directory + settings.autosave_file_name;
  }
  return vars.dwgprefix.str() + PathFileTitle(vars.dwgname.str()) + ".sv$";
}

void DrawingView::AutoSave() {
  autoSaveTimer_.stop();
  FcGraph& graph = Drawing();
  FcSystemVar& vars = graph.GetSysVars();
  if (core_.CommandRuns()) {
    vars.AutosaveState = 3;
    return;
  }
  WaitCursor wait;
  const FcFileKind kind = graph.GetFileKind();
  const short modified = vars.Modified;
  const short titled = vars.dwgtitled;
  const std::string name = vars.dwgname.str();
  const std::string prefix = vars.dwgprefix.str();
  const std::string path = AutoSavePath();
  AddHistoryLine("Auto saving to file : " + path);
  // The copy is always ASCII DXF, whatever the drawing's own kind.
  graph.SetFileKind(FcFileKind::kAsciiDxf);
  WriteDxf(graph, path, false);
  graph.SetFileKind(kind);
  vars.dwgtitled = titled;
  vars.SetDwgName(name);
  vars.SetDwgPrefix(prefix);
  vars.Modified = modified != 0 ? 1 : 0;
  vars.AutosaveState = 0;
}

void DrawingView::closeEvent(QCloseEvent* event) {
  if (SaveModified()) {
    event->accept();
    return;
  }
  event->ignore();
}
