#pragma once

class FcGraph;

// The drafting settings sheet on the page (CDraftSetDlg's page numbers):
// after OK its values go into the drawing as one undoable change and the
// drawing is redrawn. False when cancelled, and then nothing changed.
bool EditDraftSettings(FcGraph& graph, int startPage);
