#pragma once

#include "core/point2d.h"
#include "database/undo_setting_items.h"

class FcGraph;
struct UcsFrame;

// The steps every change of the current UCS takes, so that Undo brings the
// replaced UCS back and the previous-UCS list follows.

// Records the current UCS as an undo step named "UCS" that made the given
// change to the previous-UCS list; false, after the history line that says
// so, when the step cannot be made.
bool RecordUcsUndo(FcGraph& graph, FcUCSUndoItem::StackChange change);

// Records the current UCS, pushes it onto the previous-UCS list and makes
// the frame's UCS current (left-handed when its y point lies clockwise of
// its x axis).
void ApplyUcsFrame(FcGraph& graph, const UcsFrame& frame);
// The same for a new origin (a world point) with the axes kept; nothing
// when it is the current origin.
void ApplyUcsOrigin(FcGraph& graph, const FcPoint2d& origin);
// The same for both axes turned by the angle about the origin.
void ApplyUcsRotation(FcGraph& graph, double angle);
