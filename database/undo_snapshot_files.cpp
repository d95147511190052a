#include "database/undo_snapshot_files.h"

#include <atomic>

namespace {

std::atomic<bool (*)(FcGraph&, const std::string&)> saveFile{nullptr};
std::atomic<bool (*)(FcGraph&, const std::string&)> openFile{nullptr};

}  // namespace

void SetUndoSnapshotFiles(const FcUndoSnapshotFiles& files) {
  saveFile = files.save;
  openFile = files.open;
}

bool SaveGraphSnapshot(FcGraph& graph, const std::string& path) {
  const auto save = saveFile.load();
  return save != nullptr && save(graph, path);
}

bool OpenGraphSnapshot(FcGraph& graph, const std::string& path) {
  const auto open = openFile.load();
  return open != nullptr && open(graph, path);
}
