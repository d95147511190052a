#pragma once

#include <memory>

class FcBlock;
class FcGraph;
class FcSortEntsTable;

// The draw-order table of the drawing's current space, or null.
FcSortEntsTable* CurrentDrawOrder(const FcGraph& graph);
// A private copy of the table; null for null.
std::unique_ptr<FcSortEntsTable> CopyOfDrawOrder(const FcSortEntsTable* table);
// Makes the table the block's draw order (the block owns it then); a block
// that keeps no draw order refuses it and the table is deleted.
void InstallDrawOrder(FcBlock& block, std::unique_ptr<FcSortEntsTable> table);
