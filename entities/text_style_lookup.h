#pragma once

#include "core/handle.h"

class FcGraph;
class FcTextStyle;

// How the text entities find their style record again.

// The drawing's style of the handle, else its current style; null when
// it has neither.
FcTextStyle* StyleByHandleOrCurrent(const FcGraph* graph, FcHandle handle);
// The target drawing's style of the source style's name, else the
// target's current style.
FcTextStyle* StyleInOtherGraph(const FcTextStyle* source, const FcGraph& target);
