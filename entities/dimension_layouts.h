#pragma once

#include "core/point2d.h"

class FcDimension;
struct FcDimText;

// The text, arrowheads and dimension line between d1 and d2 of a linear
// dimension (p14 the origin of extension line 2), or of the chord of a
// diametric one, which has no extension lines: its text lifts to the
// readable upper side and justification 3 and 4 stand for 1 and 2.
void LayoutLineText(FcDimension& dimension, const FcPoint2d& d1, const FcPoint2d& d2, const FcPoint2d& p14,
                    FcDimText& text, bool chord);
// The dimension line and arrowheads between d1 and d2 without text.
void LayoutLineWithoutText(FcDimension& dimension, const FcPoint2d& d1, const FcPoint2d& d2);
