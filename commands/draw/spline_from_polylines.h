#pragma once

// The Object option of the spline command: the spline-fitted polylines of
// a selection become the splines of the same curve, in one undo step that
// also takes the polylines out. Answers the command's status.
int ConvertPolylinesToSplines();
