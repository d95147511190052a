#pragma once

#include <array>

#include "core/point2d.h"

class FcEntity;
class FcEntitySets;

// What the text editing commands share about the texts they work on.

inline constexpr const char* kNoTextSelected = "There is not any text object in the select!";

// A single-line text, attribute definition or multiline text: the kinds
// that have a box to scale about and to frame.
bool IsBoxedText(const FcEntity& entity);

// Drops every entity that is not a boxed text from the selection, taking
// its highlight off; true when any was dropped.
bool KeepBoxedTexts(FcEntitySets& selection);

// The corners of the text as it is laid out now, in world coordinates:
// bottom left, top left, top right, bottom right. False for an entity that
// is no boxed text and for an empty text, which has no box.
bool TextBoxCorners(FcEntity& entity, std::array<FcPoint2d, 4>& corners);
