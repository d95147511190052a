#pragma once

#include "core/point2d.h"

// Corners of the joint of two wide segments prev-joint and joint-next, with
// half widths w0 at prev, w1 at the joint and w2 at next. left and right lie
// on either side of the path. sharp is 1 for a turn sharper than about 151.5
// degrees, where the corners are cut along the mean direction instead of
// being mitred, else 0.
void TraceJointPoints(const FcPoint2d& prev, const FcPoint2d& joint, const FcPoint2d& next,
                      double w0, double w1, double w2, FcPoint2d& left, FcPoint2d& right,
                      int& sharp);
