#pragma once

#include <string_view>

#include "core/point2d.h"

class FcDragSelects;
class FcEntitySets;
class FcGraph;

// The prompts of Move and Copy.

// A point at a prompt that refuses an empty answer, without a rubber band;
// false for any other answer.
bool AskRequiredPoint(std::string_view prompt, FcPoint2d& point);

enum class SecondPointAnswer { kPoint, kEnter, kOther };

// "Second point of displacement" with the selection dragged from the base
// point. A point gives the world difference of the two points; Enter gives
// the base point's own coordinates, as typed in the current UCS, taken as
// the displacement.
SecondPointAnswer AskSecondPoint(const FcGraph& graph, const FcEntitySets& selection, FcDragSelects& preview,
                                 const FcPoint2d& base, FcPoint2d& displacement);
