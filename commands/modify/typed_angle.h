#pragma once

#include <string>

class FcGraph;

// The angle the user meant by an answer to an angle prompt, in radians. A
// typed angle is taken as typed, its sign and size kept (the prompt's
// answer is already brought into one turn, which makes "-90" 270 degrees
// and "400" 40); an angle shown by points is the prompt's answer.
double TypedAngle(const FcGraph& graph, double answer, const std::string& text);
