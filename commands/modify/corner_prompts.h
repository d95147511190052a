#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/point2d.h"

class FcEntity;
class FcGraph;
class FcPolyline;

// What Fillet and Chamfer share at their prompts.

// One pick of an edge: the status of the prompt; on FC_INPUT_OK the entity
// (null when nothing lies under the aperture), the world point and, for a
// polyline, the picked segment (the index of its first vertex; on a fitted
// polyline the frame segment nearest to the pick); on FC_INPUT_KEYWORD the
// keyword in text.
struct CornerPick {
  FcEntity* entity = nullptr;
  FcPoint2d point;
  int segment = 0;
};
int PickCornerEdge(std::string_view prompt, CornerPick& pick, std::string& text);

// The two picks of a corner command. The first prompt offers the keywords,
// each answered by runOption, which tells whether to ask again (false ends
// the command). A pick of an entity the command does not take prints the
// refusal and asks again; a pick of nothing asks again. False when the
// command is to end.
struct CornerPickPrompts {
  const char* keywords;
  const char* first;
  const char* second;
  const char* refusal;
  bool (*takes)(const FcEntity& entity);
};
bool PickCornerPair(const CornerPickPrompts& prompts, const std::function<bool(const std::string&)>& runOption,
                    CornerPick& first, CornerPick& second);

// "(TRIM mode)" or "(NOTRIM mode)", as the drawing's trim setting says.
std::string TrimModeLabel(const FcGraph& graph);

// The Trim option: sets or keeps the trim setting; false when the user
// ended the command at its prompt.
bool AskTrimMode(FcGraph& graph);

// Option Polyline: asks until a polyline is picked; null when the user
// ended the command.
FcPolyline* PickPolylineToEdit();

// Whether the text is the keyword, without regard to case.
bool IsKeyword(std::string_view text, std::string_view keyword);
