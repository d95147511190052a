#pragma once

#include <string>
#include <string_view>

class FcGraph;

// What the arc, circle and tangent commands share at their prompts.

// The prompt with CIRCLERAD behind it as the answer Enter gives ("<5>"),
// or the prompt alone while no radius is remembered.
std::string WithRadiusDefault(const FcGraph& graph, std::string_view prompt);

// Whether a sweep angle answered at an angle prompt runs clockwise: the
// prompt's answer is already mirrored for ANGDIR 1 and normalised, so only
// ANGDIR and the sign of a typed value still tell the sense, and exactly one
// of the two makes it clockwise. A click leaves the text empty.
bool IsClockwiseSweep(const FcGraph& graph, const std::string& typed);
