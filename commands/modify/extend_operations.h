#pragma once

#include "commands/modify/edge_command_run.h"

class FcArc;
class FcLine;
class FcPolyline;
class FcRay;

// The extensions of one pick: the end of the object nearer to the pick
// moves to the first boundary met beyond it. They print nothing and change
// nothing when no boundary is met.
void ExtendLine(FcLine& line, const EdgePick& pick);
// An arc that would close on itself becomes a circle.
void ExtendArc(FcArc& arc, const EdgePick& pick);
// Only backwards from the base point, wherever the pick.
void ExtendRay(FcRay& ray, const EdgePick& pick);
// Open plain polylines, at the picked end segment.
void ExtendPolyline(FcPolyline& polyline, const EdgePick& pick);
