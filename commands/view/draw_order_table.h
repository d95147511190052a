#pragma once

class FcGraph;
class FcSortEntsTable;

// Records the current space's draw order for Undo, before it changes.
void RecordDrawOrderUndo(FcGraph& graph);

// The current space's draw-order table, created in handle order when the
// space has none; null when the space has no entities to order.
FcSortEntsTable* EnsureDrawOrderTable(FcGraph& graph);

// Puts the display groups in the table's order and shows them.
void ShowDrawOrder(FcGraph& graph, const FcSortEntsTable& table);
