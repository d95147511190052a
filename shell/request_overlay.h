#pragma once

#include "core/point2d.h"
#include "display/preview_slice.h"

class FcDisplaySurface;
class FcDragObject;
struct InputRequest;

// What a pending prompt shows over the drawing while the cursor moves: the
// rubber band from its base point, a drag object drawn on the cursor
// overlay (mode 0), or the preview group of a drag object that previews
// entities (modes 1 and 2). The window feeds it the cursor and repaints;
// the screen device draws all of it over the picture when it presents it.
//
// A preview of many entities is built in slices of kItemsPerSlice: the
// window asks for the next slice on a later turn of its event loop, so a
// big selection never holds the window thread for more than a frame, and a
// cursor movement in between starts a new preview and drops the rest of
// the old one. Runs on the window thread while the command thread waits.
class RequestOverlay {
 public:
  static constexpr int kItemsPerSlice = 200;

  // A request begins or is shown again; cursor is the world point under
  // the mouse. Entity previews are drawn for it at once.
  void Show(FcDisplaySurface& surface, const InputRequest& request, const FcPoint2d& cursor);
  // Puts the device's cursor on the world point, with or without a prompt.
  static void PlaceCursor(FcDisplaySurface& surface, const FcPoint2d& cursor);
  // The cursor moved to the world point. True when a tracking preview
  // (mode 2) reports that the track is complete.
  bool MoveCursor(const FcPoint2d& cursor);
  // A point clicked or typed during a tracking request: the preview gets it
  // with the final flag; its answer is not used.
  void TrackPoint(const FcPoint2d& ucsPoint);
  // Draws the next slice of an unfinished preview; true while more remains.
  bool Continue();
  bool Unfinished() const { return drag_ != nullptr && slice_.unfinished; }
  // The request ended: no band, no drag object, an empty preview group.
  void End();

  const FcPreviewSlice& Slice() const { return slice_; }

 private:
  // A new preview for the UCS point: the first slice.
  bool Preview(const FcPoint2d& ucsPoint, int extra);

  FcDisplaySurface* surface_ = nullptr;
  FcDragObject* drag_ = nullptr;
  FcPoint2d previewPoint_;
  FcPreviewSlice slice_;
};
