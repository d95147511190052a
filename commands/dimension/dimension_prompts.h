#pragma once

#include <string>

#include "core/point2d.h"

class FcDimension;
struct EntityPick;
struct GeomSegment;
class FcGraph;
class FcUndoSection;

// What the dimension commands share: the text and angle options of the
// location prompt, the last text prompt and the adding of the dimension.
struct DimTextChoice {
  std::string text;
  bool entered = false;
  double angle = 0.0;
};

// The first snap record of a pick; false, after "No object selected!" for
// a pick of nothing or "No object selected" for an entity without one.
bool PickedSegment(const EntityPick& pick, GeomSegment& segment);

// The angle of the current UCS x-axis in world terms.
double UcsAngle(const FcGraph& graph);
// A new dimension of the drawing's current style, its horizontal
// direction against the current UCS.
void PrepareDimension(FcGraph& graph, FcDimension& dimension);
// Deletes a dimension that is not to be made, with the block its preview
// built in the drawing.
void DiscardDimension(FcGraph& graph, FcDimension* dimension);

// "Dimension text <%s>", the current text shown when it says more than the
// measurement: false when the answer cancels.
bool AskDimensionText(DimTextChoice& choice, const std::string& measured);
// "Enter text angle": false when the answer cancels.
bool AskTextAngle(DimTextChoice& choice);
// The answered keyword of the location prompt: false for a cancel at its
// own prompt; true also for a keyword that is neither "Text" nor "Angle".
bool AnswerTextOrAngle(const std::string& keyword, DimTextChoice& choice, const std::string& measured);

// Asks for the text unless it was given, then sets text and angle, builds
// the block and adds the dimension to the drawing; its handle becomes the
// last dimension when asked. False, the dimension deleted, when the text
// prompt is cancelled.
bool FinishDimension(FcUndoSection& section, FcDimension* dimension, DimTextChoice& choice, const std::string& measured,
                     bool remember);
