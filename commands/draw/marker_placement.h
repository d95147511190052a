#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "commands/draw/marker_positions.h"

class FcBlock;
class FcEntity;
class FcUndoSection;

// What Divide and Measure share around their positions: the pick of the
// object, the block a marker may be, and the markers' placing.

// The object picked with the prompt, asked again while a pick finds
// nothing or an object the markers cannot follow (after refusal); null
// when the user ended the prompt.
FcEntity* PickMarkedObject(std::string_view prompt, std::string_view refusal);

// The block the markers are made of and whether they turn with the
// object; false when a prompt was ended.
struct MarkerBlock {
  FcBlock* block = nullptr;
  bool align = false;
};
bool AskMarkerBlock(MarkerBlock& choice);

// What a value prompt of the run answers: the prompt's status, or
// kAskAgain when the value was refused (after its message).
inline constexpr int kAskAgain = 0;
using MarkerValueAsk = std::function<int(std::string_view prompt, std::string& text)>;

// The run's value (count or spacing) through ask, first with the Block
// option; Block asks for the block, then the value with the plain prompt.
// False when a prompt was ended.
bool AskValueOrBlock(std::string_view optionPrompt, std::string_view plainPrompt, const MarkerValueAsk& ask,
                     MarkerBlock& choice);

// Point markers, or references of the block (turned to the object's
// direction when aligned), added through the section as one step; they
// become the drawing's previous selection. Nothing for no positions.
void PlaceMarkers(FcUndoSection& section, const Markers& markers, const MarkerBlock& choice);

// The world angle a circle's markers start from: the UCS x axis turned
// by ANGBASE.
double CircleAngleZero(const FcUndoSection& section);
