#pragma once

#include "commands/modify/edge_command_run.h"

class FcArc;
class FcCircle;
class FcLine;
class FcPolyline;
class FcRay;
class FcXLine;

// The trims of one pick, each removing the piece of the object on which
// the pick lies between the nearest crossings with the cutting edges on
// either side. They print nothing and change nothing when nothing can be
// cut.
void TrimLine(FcLine& line, const EdgePick& pick);
void TrimRay(FcRay& ray, const EdgePick& pick);
void TrimXLine(FcXLine& line, const EdgePick& pick);
// A circle cut at two or more points becomes an arc; the circle is
// deleted.
void TrimCircle(FcCircle& circle, const EdgePick& pick);
void TrimArc(FcArc& arc, const EdgePick& pick);
// Open and closed polylines; a fitted one becomes plain through its
// fitted points first.
void TrimPolyline(FcPolyline& polyline, const EdgePick& pick);
