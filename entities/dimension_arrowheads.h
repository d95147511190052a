#pragma once

#include <string>

#include "core/point2d.h"

class FcDimStyle;
class FcEntity;
class FcGraph;

// The arrowhead block name of one end (1 or 2) of a dimension line: DIMBLK1
// or DIMBLK2 when DIMSAH is on, else DIMBLK; end 0 is a leader's arrow,
// DIMLDRBLK. Empty for the built-in arrow.
std::string DimArrowName(const FcDimStyle& style, int end);
// How far the dimension line runs past the extension line at that end:
// |DIMDLE x DIMSCALE| for the dot and tick arrows and "_None", else -10
// (no extension, room kept for the arrowhead).
double GetDimLineExtension(const FcDimStyle& style, int end);
// The tick-like arrows, which get no stub when they stand outside.
bool IsTickArrow(const FcDimStyle& style, int end);

// A new arrowhead with its tip at the point, pointing along the angle, of
// the given size, not yet added anywhere; null for "_None". The built-in
// arrow is a filled triangle size long and size/3 wide.
FcEntity* MakeArrowhead(FcGraph& graph, const FcDimStyle& style, int end, const FcPoint2d& tip, double angle,
                        double size);
