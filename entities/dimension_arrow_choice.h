#pragma once

#include <optional>
#include <string>
#include <string_view>

class FcGraph;

// The name "_None": no arrow at all. It is kept as an empty block of that
// name, the way files of other programs carry it, so that a style naming it
// keeps its choice through DXF and DWG.
inline constexpr std::string_view kNoArrowName = "_None";

// Makes ready the arrow a user names for DIMBLK, DIMBLK1, DIMBLK2 or
// DIMLDRBLK and answers the name to store, which the style's setters then
// bind to its block: empty for "." or the empty name (the built-in arrow);
// for one of the named arrows, the block of that name, built when the
// drawing has none yet; for "_None", an empty block of that name; else a
// block the drawing already has, by its own name. None for any other name
// and for the anonymous and layout blocks ("*..."), which are no arrows:
// nothing is changed then.
std::optional<std::string> PrepareDimArrow(FcGraph& graph, std::string_view name);
