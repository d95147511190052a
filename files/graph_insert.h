#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "files/drawing_file.h"

class FcBlock;
class FcGraph;

// Bringing another drawing into a drawing as one block. The other drawing
// is only read; every record copied from it takes the receiving drawing's
// next handle. Records that the receiving drawing has by name already are
// left as they are: its own definitions win.

// The block of that name with its entities deleted (its begin and end
// entities stay), or a new block of that name; null only when a new block
// cannot be made.
FcBlock* GetEmptyBlock(FcGraph& graph, std::string_view name);

// Which of the other drawing's records a merge takes: all of them, or only
// those in use: styles, linetypes and blocks whose unreferenced marks are
// clear, image definitions whose write marks are clear (the marks fresh
// from MarkReferences and MarkImageDefs), and layers that hold entities.
enum class FcMergeScope { kAll, kInUse };

// Each copies the other drawing's records whose names the drawing lacks;
// a record that cannot be made is skipped.
void MergeTextStyles(FcGraph& graph, const FcGraph& other, FcMergeScope scope = FcMergeScope::kAll);
void MergeLinetypes(FcGraph& graph, const FcGraph& other, FcMergeScope scope = FcMergeScope::kAll);
// The copied layer is bound to this drawing's linetype and plot style of
// the same names ("Continuous" and the drawing's first plot style when
// there is none).
void MergeLayers(FcGraph& graph, const FcGraph& other, FcMergeScope scope = FcMergeScope::kAll);
void MergeDimStyles(FcGraph& graph, const FcGraph& other, FcMergeScope scope = FcMergeScope::kAll);
// Named UCSs only; the list of previous UCSs is not touched.
void MergeUcs(FcGraph& graph, const FcGraph& other);
void MergeImageDefs(FcGraph& graph, const FcGraph& other, FcMergeScope scope = FcMergeScope::kAll);
// Every block but model and paper space.
void MergeBlocks(FcGraph& graph, const FcGraph& other, FcMergeScope scope = FcMergeScope::kAll);

// Merges the other drawing's tables and blocks into the drawing and copies
// its model space into a block named after the other drawing's file title
// (a block of that name is emptied and redefined), or into a new anonymous
// block when the other drawing is untitled. The block, or null when it
// cannot be made.
FcBlock* InsertDrawing(FcGraph& graph, const FcGraph& other);

// Opens the file into a drawing of its own and inserts that. The result is
// the opening's; a file that cannot be opened or read leaves the drawing
// untouched and block null.
FcOpenResult InsertDrawingFile(FcGraph& graph, const std::string& path, FcBlock*& block, std::uint8_t* skipped);

// A new drawing whose model space holds copies of the block's entities, with
// the source's settings, the styles, linetypes, blocks and image
// definitions the block uses, the source's layers that hold entities and
// the linetypes of those layers; its insertion base is the block's base
// point. The source's reference marks are left as the block set them. Null
// when it cannot be made.
std::unique_ptr<FcGraph> CreateFromBlock(FcGraph& source, FcBlock& block);
