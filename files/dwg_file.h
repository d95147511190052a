#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FcFile;
class FcFilerDwg;
class FcGraph;

// Whole DWG files: releases R13, R14 and 2000 are read, release 2000 is
// written.

// Results of ReadDwgFile.
enum class FcDwgReadResult {
  kDone = 0,
  kOtherRelease = 1,  // an "AC" file of another release
  kError = 2,         // not DWG, short, damaged or inconsistent
};

// Results of WriteDwg; the numbers are those the user is shown.
enum class FcDwgWriteResult {
  kDone = 0,
  kCannotCreate = 1,
  kFailed = 102,
};

// What the user is told for the read results kOtherRelease and kError.
inline constexpr const char* kDwgOtherReleaseMessage = "Drawing file created by incompatible version!";
inline constexpr const char* kDwgReadErrorMessage = "Open file Error! The file will be discarded!";

// Reads the DWG file that the filer has open (a disk file or one attached
// from memory) into the drawing, which the caller has emptied. Every
// failure returns at once and leaves the drawing as far as it was filled;
// the caller discards it. Records of a type the program does not read are
// passed over, set the filer's skipped-records flag and are counted by
// record name into the drawing (FcGraph::GetSkippedRecords). A file whose
// handles or seed leave no room for new handles is refused (kError).
FcDwgReadResult ReadDwgFile(FcGraph& graph, FcFilerDwg& filer);

// Writes the drawing to the path as release 2000: kDone, kCannotCreate when
// the file cannot be created (nothing changed), kFailed when writing failed
// (the drawing keeps its name and modified flag; the partly written file
// stays, so callers that replace a file write a temporary one, as
// SaveDrawing does). The reference marks are computed first; with purge
// set, anonymous blocks that nothing references are then deleted; with
// preview set, the preview renderer (if one is installed) supplies the
// picture.
FcDwgWriteResult WriteDwg(FcGraph& graph, const std::string& path, bool purge, bool preview);

// Lays the whole file out through the filer, which has an empty file open
// for writing; the preview is a packed 8-bit device-independent bitmap (a
// BMP file without its 14-byte file header), or null for none. kDone;
// errors leave it as FcFileException.
FcDwgWriteResult WriteDwgFile(FcFilerDwg& filer, FcGraph& graph, const std::vector<std::uint8_t>* previewDib);

// Renders a 180 x 104 picture of the drawing and stores it as a packed 8-bit
// device-independent bitmap; false when there is nothing to show. The
// window installs its renderer at start-up; until then, and with an empty
// function, files are saved without preview.
using FcDwgPreviewRenderer = std::function<bool(FcGraph& graph, std::vector<std::uint8_t>& dib)>;
void SetDwgPreviewRenderer(FcDwgPreviewRenderer renderer);

// Writes the preview picture of the DWG file that the filer has open as a
// BMP file into the output, from its start: true when the file holds one.
bool ReadDwgPreviewImage(FcFile& output, FcFilerDwg& filer);

// Gives a drawing read from a file (or built from a block) the class
// records, named-object dictionary entries, layouts and plot-style
// placeholder that the writers and the rest of the program rely on,
// without touching what is there. Running it twice adds nothing.
void CompleteDefaultObjects(FcGraph& graph);
