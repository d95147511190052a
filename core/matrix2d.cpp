#include "core/matrix2d.h"

#include <cmath>

void IdentityMatrix(FcMatrix2d& m) { m = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0}; }

void TranslationMatrix(double dx, double dy, FcMatrix2d& out) {
  out = {1.0, 0.0, dx, 0.0, 1.0, dy};
}

void ScaleMatrix(double sx, double sy, FcMatrix2d& out) { out = {sx, 0.0, 0.0, 0.0, sy, 0.0}; }

void FlipXMatrix(FcMatrix2d& m) { m = {-1.0, 0.0, 0.0, 0.0, 1.0, 0.0}; }

void RotationMatrix(double cx, double cy, double angle, FcMatrix2d& out) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  out = {c, -s, (1.0 - c) * cx + s * cy, s, c, cy - (s * cx + c * cy)};
}

void ScaleAboutPointMatrix(double bx, double by, double s, FcMatrix2d& out) {
  ScaleXYAboutPointMatrix(bx, by, s, s, out);
}

void ScaleXYAboutPointMatrix(double bx, double by, double sx, double sy, FcMatrix2d& out) {
  out = {sx, 0.0, (1.0 - sx) * bx, 0.0, sy, (1.0 - sy) * by};
}

void MirrorMatrix(double x1, double y1, double x2, double y2, FcMatrix2d& out) {
  const double angle = std::atan2(y2 - y1, x2 - x1);
  FcMatrix2d step;
  RotationMatrix(x1, y1, -angle, out);
  TranslationMatrix(0.0, -y1, step);
  MultiplyMatrix(out, step);
  ScaleMatrix(1.0, -1.0, step);
  MultiplyMatrix(out, step);
  TranslationMatrix(0.0, y1, step);
  MultiplyMatrix(out, step);
  RotationMatrix(x1, y1, angle, step);
  MultiplyMatrix(out, step);
}

void ComposeMatrices(FcMatrix2d& out, const FcMatrix2d& first, const FcMatrix2d& second) {
  const FcMatrix2d& m = first;
  const FcMatrix2d& o = second;
  // Built in a local so that out may be either input.
  const FcMatrix2d product{o.a * m.a + o.b * m.d, o.a * m.b + o.b * m.e,
                           o.a * m.c + o.b * m.f + o.c, o.d * m.a + o.e * m.d,
                           o.d * m.b + o.e * m.e, o.d * m.c + o.e * m.f + o.f};
  out = product;
}

void MultiplyMatrix(FcMatrix2d& m, const FcMatrix2d& other) { ComposeMatrices(m, m, other); }

bool InvertMatrix(const FcMatrix2d& m, FcMatrix2d& out) {
  const double det = m.a * m.e - m.b * m.d;
  if (det == 0.0) return false;
  const double r = 1.0 / det;
  const FcMatrix2d inverse{m.e * r,  -(m.b * r), (m.b * m.f - m.e * m.c) * r,
                           -(m.d * r), m.a * r,  -((m.a * m.f - m.d * m.c) * r)};
  out = inverse;
  return true;
}

void TransformPoint(const FcMatrix2d& m, FcPoint2d& p) {
  TransformXY(p.x, p.y, m, &p.x, &p.y);
}

void TransformXY(double x, double y, const FcMatrix2d& m, double* outX, double* outY) {
  if (outX) *outX = m.a * x + m.b * y + m.c;
  if (outY) *outY = m.d * x + m.e * y + m.f;
}

double TransformLength(const FcMatrix2d& m, double len) {
  // Most lengths transformed are the zero widths of tessellated curves:
  // both points are then the same one, and its distance from itself is
  // zero whenever the matrix gives it finite coordinates.
  if (len == 0.0 && std::isfinite(m.a + m.b + m.c) && std::isfinite(m.d + m.e + m.f)) return 0.0;
  FcPoint2d end{len, 0.0};
  FcPoint2d origin{0.0, 0.0};
  TransformPoint(m, end);
  TransformPoint(m, origin);
  return std::hypot(end.x - origin.x, end.y - origin.y);
}

void RotatePointAbout(double angle, const FcPoint2d& centre, FcPoint2d& p) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double x = p.x;
  const double y = p.y;
  p.x = centre.x + (c * x - s * y - c * centre.x + s * centre.y);
  p.y = centre.y + (c * y + x * s - s * centre.x - c * centre.y);
}

void RotateVector(double angle, FcPoint2d& v) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double x = v.x;
  const double y = v.y;
  v.x = c * x - s * y;
  v.y = c * y + x * s;
}

FcPoint2d TransformVector(const FcMatrix2d& m, const FcPoint2d& vector) {
  return {m.a * vector.x + m.b * vector.y, m.d * vector.x + m.e * vector.y};
}
