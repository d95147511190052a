#pragma once

#include <string>

class FcDimStyle;
class FcGraph;

// Runs one way of managing the dimension styles as the "DimStyle" step:
// the styles and the current one are captured first, so that one Undo puts
// back what the run changed, and the dimension variables follow the style
// that is current at the end.
int RunDimStyleStep(void (*manage)(FcGraph& graph));

// A copy of the base's variables under the new name and a handle of its
// own; null, after saying so, when the style cannot be made.
FcDimStyle* NewDimStyleFrom(FcGraph& graph, const FcDimStyle& base, const std::string& name);
