#pragma once

#include <string>

class FcGraph;

// Runs the text style dialog on the drawing, the named style shown first
// (the current one when none has that name). What it changed is written
// into the drawing as one undo step "Style"; with `makeShownCurrent` the
// style shown when it closes becomes the current one as well. Esc
// changes nothing. True when the drawing changed.
bool EditTextStyles(FcGraph& graph, const std::string& shown, bool makeShownCurrent);
