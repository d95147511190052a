#pragma once

#include <string>

class FcGraph;

// The whole-drawing snapshot of an undo item goes through the drawing-file
// writer and reader: any format that keeps every record with its handle
// serves. False when the file could not be written or read.
bool SaveGraphSnapshot(FcGraph& graph, const std::string& path);
// Replaces the drawing's contents with the file's, read as a drawing (not
// as a template).
bool OpenGraphSnapshot(FcGraph& graph, const std::string& path);
