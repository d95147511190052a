#pragma once

class FcBlock;
class FcGraph;

// A block travels through the clipboard as a whole drawing holding its
// entities, written as binary DXF groups without the file sentinel.

// Puts the block as such a drawing on the clipboard; false when the
// drawing cannot be made or written, or the clipboard refuses it (its
// contents then stay as they were).
bool CopyBlockToClipboard(FcGraph& graph, FcBlock& block);

// Reads the clipboard's drawing into the given empty drawing; false when
// the clipboard holds none or it does not read as a drawing.
bool ReadClipboardDrawing(FcGraph& drawing);
