#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/handle.h"
#include "core/point2d.h"

class FcEntity;
class FcEntitySets;
class FcEntSelectFilter;
class FcGraph;

// The object selection of commands that work on existing entities, on the
// command thread. The user picks entities, drags window (left to right)
// and crossing (right to left) boxes and answers the keywords ALL, Window,
// Crossing, Last, Previous, Remove, Add and CONdition; Shift held at a
// pick or at a box's second corner removes instead of adding. A pick-first
// selection the view hands over is taken at once. Entities on locked
// layers and those the confirmed selection condition refuses are never
// taken. An empty prompt, or one of a single character, asks "Select
// objects".
//
// FC_INPUT_OK when the selection ended (objects holds it, possibly empty;
// it becomes the drawing's previous selection), FC_INPUT_CANCEL on Esc
// (objects emptied, the previous selection unchanged).
int SelectObjects(std::string_view prompt, FcEntitySets& objects);

// The selection a macro gives by a one-letter option and world points,
// without prompting: "C" crossing and "W" window box of the two points,
// "L" the last entity, "P" the previous selection, any other letter a pick
// at the second point. Without a second point and with no single-letter
// option it is SelectObjects with the option as prompt. FC_INPUT_OK, or
// -5001 when nothing could be selected.
inline constexpr int kFcSelectionFailed = -5001;
int SelectObjectsByOption(std::string_view option, const FcPoint2d& first, const FcPoint2d* second,
                          FcEntitySets& objects);

// One entity under a pick: the status of the point-or-select prompt (the
// keyword list set before it stays); on FC_INPUT_OK, point holds the
// answered point (current UCS) and entity the picked one, null when
// nothing selectable lies under the pick box. A picked vertex or attribute
// gives the entity it belongs to.
int PickOneObject(std::string_view prompt, std::string& text, FcPoint2d& point, FcEntity*& entity);
// As PickOneObject, but the entity under the object-snap aperture, with
// the display primitive and part that were hit.
int PickObjectWithPoint(std::string_view prompt, std::string& text, FcPoint2d& point, FcEntity*& entity,
                        FcHandle& primitiveHandle, int& partTag);

// What the CONdition answer opens: edits the filter for the drawing and
// answers true when the user confirmed it. The window installs the
// selection-condition dialog; without one the answer says it is missing.
using SelectConditionEditor = std::function<bool(FcEntSelectFilter& filter, FcGraph& graph)>;
void SetSelectConditionEditor(SelectConditionEditor editor);
