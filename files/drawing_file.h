#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/dxf_file_reader.h"
#include "filers/file_kind.h"

class FcGraph;

// Opening and saving whole drawings (DWG, ASCII DXF, binary DXF).

// Results of OpenDrawing and OpenDrawingFromMemory. Every failure of the
// DXF or DWG reader other than a release it does not read is kReadError;
// kCannotOpen means only that the file could not be opened.
enum class FcOpenResult {
  kDone = 0,
  kOtherRelease = 1,
  kReadError = 2,
  kCannotOpen = 4,
  kUnknownKind = 6,
};

// Results of SaveDrawing and WriteDxf: the writer's result under the same
// number (the numbers are those the user is shown).
enum class FcSaveResult {
  kDone = 0,
  kCannotCreate = 1,  // cannot be created, written to the end or put in place
  kDxfHeaderFailed = 2,
  kDxfTablesFailed = 3,
  kDxfBlocksFailed = 4,
  kDxfEntitiesFailed = 5,
  kDxfObjectsFailed = 6,
  kDxfEofFailed = 7,
  kDwgWriteFailed = 102,
};

inline constexpr const char* kCannotOpenDrawingMessage =
    "Can't open the drawing file! Perhaps the file is locked by other application or file doesn't exist!";
inline constexpr const char* kCannotOpenTemplateMessage =
    "Can't open the template drawing file! Use default settings.";
inline constexpr const char* kTemplateFailedMessage = "Failed to read template drawing file! Use default settings.";

// Fills the drawing from the file, of whatever kind it holds, and gives it
// the default objects it lacks. The file is read into a scratch drawing
// first, so a file that cannot be read leaves the drawing exactly as it
// was (a template that fails leaves the built-in defaults instead). A
// template never gives the drawing its name, titled state or modified
// flag. On success *skipped (when given) tells whether records of a kind
// the program does not know were passed over, and skippedByKind (when
// given) receives how many of each, as the drawing keeps them
// (FcGraph::GetSkippedRecords).
FcOpenResult OpenDrawing(FcGraph& graph, const std::string& path, bool isTemplate, std::uint8_t* skipped,
                         FcSkippedRecords* skippedByKind = nullptr);
// The same for a file held in memory; the drawing's name is left alone.
FcOpenResult OpenDrawingFromMemory(FcGraph& graph, std::vector<char> bytes, std::uint8_t* skipped,
                                   FcSkippedRecords* skippedByKind = nullptr);

// Writes the drawing to the path as the kind (DXF for ASCII and binary DXF,
// DWG for any other), keeping the previous file as ".bak" when the backup
// setting is on. The file is written beside the target under another name
// and replaces it only when every byte is on disk: a failed save leaves the
// previous file untouched and the drawing's name, kind and modified flag as
// they were. On success the drawing takes the kind, the name and the
// titled state and is no longer modified.
FcSaveResult SaveDrawing(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge, bool preview);

// The drawing as DXF of its own kind (binary when it is not a DXF kind
// yet), replacing the path as safely as SaveDrawing but without a backup.
FcSaveResult WriteDxf(FcGraph& graph, const std::string& path, bool purge);
