#include "files/undo_snapshot_io.h"

#include <cstdint>

#include "database/undo_snapshot_files.h"

#include "database/graph.h"
#include "files/drawing_file.h"
#include "files/dxf_file_writer.h"

namespace {

// ASCII DXF: it keeps every record with its handle, whatever kind of file
// the drawing came from.
bool SaveSnapshotAsDxf(FcGraph& graph, const std::string& path) {
  return WriteDxfFile(graph, path, FcFileKind::kAsciiDxf, false) == FcDxfWriteResult::kDone;
}

// Opening the snapshot would make the drawing a DXF drawing; it stays of
// the kind it was saved as.
bool OpenSnapshotFile(FcGraph& graph, const std::string& path) {
  const FcFileKind kind = graph.GetFileKind();
  std::uint8_t skipped = 0;
  const bool opened = OpenDrawing(graph, path, false, &skipped) == FcOpenResult::kDone;
  graph.SetFileKind(kind);
  return opened;
}

}  // namespace

void InstallUndoSnapshotFiles() { SetUndoSnapshotFiles({SaveSnapshotAsDxf, OpenSnapshotFile}); }
