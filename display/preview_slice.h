#pragma once

#include <climits>

// One slice of a rubber-band preview. A preview that draws many items (the
// entities of a large selection) asks the surface which of them to draw
// (FcDisplaySurface::PreviewRange); a slice draws the items from `first`
// on, at most `limit` of them, so that the window thread draws a big preview
// over several turns of its event loop and a newer cursor position simply
// starts a new preview in place of the rest.
struct FcPreviewSlice {
  int first = 0;
  int limit = INT_MAX;
  // Filled by the pass: the preview's item count and how many were drawn.
  int seen = 0;
  int drawn = 0;
  // Items were left for a later slice.
  bool unfinished = false;
};
