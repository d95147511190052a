#pragma once

class FcBlock;
class FcGraph;

// The reference marks of the block, linetype, text-style and dimension-style
// tables: every record is first marked unreferenced (except the records the
// tables always keep), then the entities clear the marks of what they use:
// only the given block's entities, or with null every entity of every block.
void MarkReferences(FcGraph& graph, FcBlock* block);

// Deletes the block unless it is model or paper space or its unreferenced
// mark is clear. The marks must be fresh (MarkReferences).
void PurgeBlock(FcGraph& graph, FcBlock* block);

// Purges every anonymous block whose unreferenced mark is set, from the last
// block of the table to the first. Savers run MarkReferences first. Nothing
// is purged while the drawing holds records skipped on reading: those may
// reference any of them.
void PurgeAnonymousBlocks(FcGraph& graph);
