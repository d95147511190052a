#pragma once

#include <string>

class FcGraph;

// The whole-drawing snapshot of an undo item goes to a file and back
// through the drawing-file writer and reader, which sit above the drawing:
// they install themselves here at start-up. Without them a snapshot cannot
// be taken and the item says so.
struct FcUndoSnapshotFiles {
  // False when the file could not be written.
  bool (*save)(FcGraph& graph, const std::string& path) = nullptr;
  // Replaces the drawing's contents with the file's; false when it could
  // not be read.
  bool (*open)(FcGraph& graph, const std::string& path) = nullptr;
};

void SetUndoSnapshotFiles(const FcUndoSnapshotFiles& files);
bool SaveGraphSnapshot(FcGraph& graph, const std::string& path);
bool OpenGraphSnapshot(FcGraph& graph, const std::string& path);
