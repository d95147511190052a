#pragma once

#include "core/point2d.h"

class FcUndoSection;

// The ways the Arc command goes on after its first answers. Points come as
// the prompts answered them (current UCS); each procedure asks the rest and
// adds at most one arc through the section.

void ArcFromStartPoint(FcUndoSection& section, const FcPoint2d& start);
void ArcFromStartCenter(FcUndoSection& section, const FcPoint2d& centre, const FcPoint2d& start);
void ArcFromStartEnd(FcUndoSection& section, const FcPoint2d& end, const FcPoint2d& start);
void ArcFromCenter(FcUndoSection& section, const FcPoint2d& centre);

// A world arc running counter-clockwise from startAngle to endAngle.
struct ArcPlacement {
  FcPoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
};

// The arc, or the one running clockwise from startAngle to endAngle, which
// is the same curve stored from endAngle to startAngle.
ArcPlacement OrientedArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle,
                         bool clockwise);

void AddArc(FcUndoSection& section, const ArcPlacement& arc);
