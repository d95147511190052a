#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "database/graph.h"
#include "database/undo_items.h"
#include "database/undo_snapshot_files.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "platform/temp_files.h"

namespace {

// Bounds the search for a free fallback name in the program directory.
constexpr int kMaxFallbackNames = 10000;

// What a snapshot must not change: saving renames a drawing and marks it
// saved, opening gives it the file's name.
struct DrawingIdentity {
  explicit DrawingIdentity(const FcSystemVar& vars)
      : name(vars.dwgname.str()), prefix(vars.dwgprefix.str()), titled(vars.dwgtitled),
        modified(vars.Modified != 0 ? 1 : 0) {}

  void Restore(FcSystemVar& vars) const {
    vars.SetDwgName(name);
    vars.SetDwgPrefix(prefix);
    vars.dwgtitled = titled;
    vars.Modified = modified;
  }

  std::string name;
  std::string prefix;
  short titled;
  short modified;
};

// "temp<N>.sv$" in the program directory: the first name that can be
// created new. A name taken by a file or a directory is passed over.
std::string CreateFallbackFile() {
  const std::string& directory = GetProgramSettings().program_directory;
  for (int n = 0; n < kMaxFallbackNames; ++n) {
    const std::string path = directory + "temp" + std::to_string(n) + ".sv$";
    if (std::FILE* file = std::fopen(path.c_str(), "wx")) {
      std::fclose(file);
      return path;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}

// Moves the fresh file over the item's file; a copy where the two cannot
// be renamed into each other.
bool ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (!error) return true;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  RemoveTempFile(from);
  return !error;
}

}  // namespace

std::string CreateUndoSnapshotFile() {
  std::string path = CreateTempFile("kovra_undo");
  if (!path.empty()) return path;
  return CreateFallbackFile();
}

FcCombGraphUndoItem::FcCombGraphUndoItem() : fileName_(CreateUndoSnapshotFile()) {}

FcCombGraphUndoItem::~FcCombGraphUndoItem() {
  if (!fileName_.empty()) RemoveTempFile(fileName_);
}

bool FcCombGraphUndoItem::Backup(FcGraph& graph) {
  FcSystemVar& vars = graph.GetSysVars();
  const DrawingIdentity identity(vars);
  PrintMessage("Backup current graph for undo");
  const bool saved = !fileName_.empty() && SaveGraphSnapshot(graph, fileName_);
  identity.Restore(vars);
  return saved;
}

// The drawing's present state goes to a fresh file before the item's file
// is opened, so a failure at any step leaves both the drawing and the
// item's file as they were.
bool FcCombGraphUndoItem::Undo(FcGraph& graph) {
  if (fileName_.empty()) return false;
  FcSystemVar& vars = graph.GetSysVars();
  const DrawingIdentity identity(vars);
  const std::string fresh = CreateUndoSnapshotFile();
  if (fresh.empty()) return false;
  bool done = SaveGraphSnapshot(graph, fresh);
  if (done && !OpenGraphSnapshot(graph, fileName_)) {
    OpenGraphSnapshot(graph, fresh);
    done = false;
  }
  if (done) {
    done = ReplaceFile(fresh, fileName_);
  } else {
    RemoveTempFile(fresh);
  }
  identity.Restore(vars);
  return done;
}
