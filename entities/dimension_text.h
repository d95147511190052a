#pragma once

#include <string>

#include "core/point2d.h"

class FcDimStyle;
class FcMText;
struct FcDimText;

// The angle in radians as DIMAUNIT and DIMADEC ask, before the style's
// zero suppression and unit mark.
std::string FormatDimAngle(const FcDimStyle& style, double angle);

// Sets the text's laid-out width and box height. By default the contents
// are laid out as the block's multiline text will be; where no font gives
// them a size (no drawing, no font found), they are estimated: format
// codes take no room, a stack takes the room of its wider half, each other
// character the room of a digit.
void MeasureDimText(FcDimText& text);
// Another way of measuring (a text engine's); null brings the default back.
using FcDimTextMeasure = void (*)(FcDimText& text);
void SetDimTextMeasure(FcDimTextMeasure measure);

// The corners of the text's box grown by the gap on every side, counter-
// clockwise from the lower left as the text reads.
void DimTextBox(const FcDimText& text, double gap, FcPoint2d (&corners)[4]);

// What the block's multiline text takes from the dimension's text: middle
// centre attachment, height, contents and line spacing.
void SetDimTextLines(const FcDimText& text, FcMText& mtext);
