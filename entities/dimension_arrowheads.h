#pragma once

#include <string>
#include <string_view>

#include "core/point2d.h"

class FcDimStyle;
class FcEntity;
class FcGraph;

// Which arrow of a style an arrowhead is: a dimension's (DIMBLK, or DIMBLK1
// and DIMBLK2 when DIMSAH is on) or a leader's (DIMLDRBLK).
enum class ArrowheadKind { kDimension = 1, kLeader = 2 };

// The arrowhead block name of one end (1 or 2) of a dimension line: DIMBLK1
// or DIMBLK2 when DIMSAH is on, else DIMBLK; end 0 is a leader's arrow,
// DIMLDRBLK. Empty for the built-in arrow.
std::string DimArrowName(const FcDimStyle& style, int end);
// The names after which the dimension line runs on past the extension
// line: the dots, ticks, "_Integral" and "_None", in any case.
bool IsDimLineExtArrowName(std::string_view name);
// How far the dimension line runs past the extension line at that end:
// |DIMDLE x DIMSCALE| for the dot and tick arrows and "_None", else -10
// (no extension, room kept for the arrowhead).
double GetDimLineExtension(const FcDimStyle& style, int end);
// The tick-like arrows, which get no stub when they stand outside.
bool IsTickArrow(const FcDimStyle& style, int end);

// DIMASZ x DIMSCALE (values of the dimension being rebuilt); 0 for a size
// that is not finite or too large to draw.
double ArrowheadSize(const FcDimStyle& style);

// A new arrowhead with its tip at the point, pointing along the angle
// (radians), not yet added anywhere: null for "_None". `which` is the end
// (1 or 2) of a dimension line; a leader has one arrow. A name bound to a
// block of the drawing gives a reference to that block scaled by the arrow
// size, or nothing when that size is 0; any other name gives the built-in
// arrow, a filled triangle size long and size/3 wide. It has the current
// layer, the next handle, linetype ByBlock and the style's own DIMCLRD.
FcEntity* MakeArrowhead(FcGraph& graph, const FcDimStyle& style, int which, ArrowheadKind kind,
                        const FcPoint2d& tip, double angle);
