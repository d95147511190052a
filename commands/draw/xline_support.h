#pragma once

#include <string_view>

#include "commands/draw/entity_pick.h"
#include "core/point2d.h"

class FcUndoSection;

// What the XLine options share.

// A construction line through the world point; a zero direction becomes
// (1, 0).
void AddXLine(FcUndoSection& section, const FcPoint2d& base, const FcPoint2d& direction);

// Construction lines with the direction through each point answered at the
// prompt, until an answer is no point.
void XLinesThroughPoints(FcUndoSection& section, const FcPoint2d& direction, std::string_view prompt);

// Picks until a straight object is hit: "No object selected!" or "No line
// object" and the prompt again for anything else picked. False for any
// answer but a pick; else the pick and the world ends of its line.
bool PickStraightObject(std::string_view prompt, EntityPick& pick, FcPoint2d& first, FcPoint2d& second);
