#pragma once

#include "filers/skipped_records.h"

class FcFiler;
class FcGraph;

// Results of reading a whole DXF file.
enum class FcDxfReadResult {
  kDone = 0,
  kOtherRelease = 1,  // "$ACADVER" is not R13, R14 or 2000
  kSectionFailed = 2,  // CLASSES, TABLES, BLOCKS or OBJECTS; or no ENTITIES
  kNoEof = 3,          // the data ended before "EOF"; or ENTITIES failed
  kSkipFailed = 4,     // a section of another name ends with the data
  kHeaderFailed = 5,
};

// The command-history line of kOtherRelease.
inline constexpr const char* kDxfOtherReleaseMessage =
    "KOVRA can only read AutoCAD R13 - 2000 format dxf files at present!";

// Empties the drawing's blocks, tables and named-object dictionary and
// clears the handles of its control objects, so that a file is read into
// it. The class list, the active viewport and the system variables are
// left for the file to replace; the current layer and text style stay
// valid (a layer "0" and a text style "standard" without handles stand in
// until the file's tables arrive).
void EmptyGraphForReading(FcGraph& graph);

// Reads the DXF file open in the filer (ASCII, or binary placed after the
// sentinel) into the drawing, which it empties first. The filer's drawing
// must be this drawing. The records passed over are counted into the
// drawing (FcGraph::GetSkippedRecords) and, when given, into skippedByKind.
// A result other than kDone leaves the drawing as far as it was read; the
// caller discards it.
FcDxfReadResult ReadDxf(FcGraph& graph, FcFiler& filer, FcSkippedRecords* skippedByKind);
