#pragma once

#include "core/point2d.h"

// A 2x3 affine matrix stored row by row: x' = a*x + b*y + c,
// y' = d*x + e*y + f (the third row is implicitly 0 0 1).
struct FcMatrix2d {
  double a = 1.0;
  double b = 0.0;
  double c = 0.0;
  double d = 0.0;
  double e = 1.0;
  double f = 0.0;
};

// Builders write all six elements and never read the out matrix.
void IdentityMatrix(FcMatrix2d& m);
void TranslationMatrix(double dx, double dy, FcMatrix2d& out);
// Scale about the origin.
void ScaleMatrix(double sx, double sy, FcMatrix2d& out);
// Mirror about the y axis.
void FlipXMatrix(FcMatrix2d& m);
// Counter-clockwise rotation by angle (radians) about (cx, cy).
void RotationMatrix(double cx, double cy, double angle, FcMatrix2d& out);
void ScaleAboutPointMatrix(double bx, double by, double s, FcMatrix2d& out);
void ScaleXYAboutPointMatrix(double bx, double by, double sx, double sy, FcMatrix2d& out);
// Mirror about the line through (x1, y1) and (x2, y2); two equal points
// mirror about the horizontal line through them.
void MirrorMatrix(double x1, double y1, double x2, double y2, FcMatrix2d& out);

// m := other * m, so m is applied first and other after it.
void MultiplyMatrix(FcMatrix2d& m, const FcMatrix2d& other);
// out := second * first, so first is applied first.
void ComposeMatrices(FcMatrix2d& out, const FcMatrix2d& first, const FcMatrix2d& second);
// False, with out untouched, when the determinant is exactly 0.
bool InvertMatrix(const FcMatrix2d& m, FcMatrix2d& out);

// p := m applied to p.
void TransformPoint(const FcMatrix2d& m, FcPoint2d& p);
// The vector through the matrix's linear part (no translation).
FcPoint2d TransformVector(const FcMatrix2d& m, const FcPoint2d& vector);
// Writes the image of (x, y) to outX and outY, each only when it is not null.
void TransformXY(double x, double y, const FcMatrix2d& m, double* outX, double* outY);
// Length of the image of the vector (len, 0); scales radii, widths and
// text heights.
double TransformLength(const FcMatrix2d& m, double len);

// p rotated counter-clockwise by angle about centre, in place.
void RotatePointAbout(double angle, const FcPoint2d& centre, FcPoint2d& p);
// v rotated counter-clockwise by angle about the origin, in place.
void RotateVector(double angle, FcPoint2d& v);
