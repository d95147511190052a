#pragma once

// Has the undo snapshots of whole drawings written as ASCII DXF and read
// back through the drawing-file reader.
void InstallUndoSnapshotFiles();
