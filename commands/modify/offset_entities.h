#pragma once

#include "core/point2d.h"

class FcEntity;
class FcUndoSection;

inline constexpr const char* kCannotOffsetMessage = "Cannot offset that object.";

// Whether Offset has a rule for the entity's kind.
bool CanOffset(const FcEntity& entity);

// The parallel copy of a line, ray, construction line, circle, arc,
// ellipse or polyline, on the side of `point` (world coordinates) at the
// distance, or through `point` when the distance is below 0. The copy is a
// clone of the source, added to the drawing and recorded in the section;
// an offset that cannot be made says so on the history instead. A
// distance of exactly 0 takes circles and arcs through the point and
// leaves ellipses alone.
void OffsetEntity(const FcEntity& source, const FcPoint2d& point, double distance, FcUndoSection& section);
