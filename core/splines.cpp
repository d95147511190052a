#include "core/splines.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "core/point_ops.h"

namespace {


// The Cox-de Boor recursion, evaluated level by level so that each N(j, l)
// is computed once (the same operations as the plain recursion, without its
// exponential cost in k). The caller has checked that knots[i + k] exists.
double Basis(int i, int k, const double* knots, double t) {
  if (k <= 1) return knots[i] - 1e-7 <= t && t <= knots[i + 1] + 1e-7 ? 1.0 : 0.0;
  double small[16];
  std::vector<double> large;
  double* v = small;
  if (k > 16) {
    large.resize(k);
    v = large.data();
  }
  for (int j = 0; j < k; ++j) v[j] = Basis(i + j, 1, knots, t);
  for (int level = 2; level <= k; ++level) {
    for (int j = 0; j + level <= k; ++j) {
      const double* u = knots + i + j;
      double left = u[level - 1] - u[0];
      double first = left == 0.0 ? 0.0 : v[j] * (t - u[0]) / left;
      double right = u[level] - u[1];
      double second = right == 0.0 ? 0.0 : v[j + 1] * (u[level] - t) / right;
      v[j] = first + second;
    }
  }
  return v[0];
}

// A rational curve of order k over its control points, weights and knots,
// whose sizes the caller has checked with Fits.
class RationalCurve {
 public:
  static bool Fits(std::span<const FcPoint2d> points, int k, std::span<const double> knots,
                   std::span<const double> weights) {
    return k >= 1 && points.size() >= static_cast<std::size_t>(k) &&
           knots.size() >= points.size() + static_cast<std::size_t>(k) &&
           weights.size() >= points.size();
  }

  RationalCurve(std::span<const FcPoint2d> points, int k, const double* knots,
                const double* weights)
      : points_(points), k_(k), knots_(knots), weights_(weights) {}

  FcPoint2d At(double t) const {
    double sx = 0.0;
    double sy = 0.0;
    double sum = 0.0;
    for (std::size_t j = 0; j < points_.size(); ++j) {
      double nw = Basis(static_cast<int>(j), k_, knots_, t) * weights_[j];
      sx += nw * points_[j].x;
      sy += nw * points_[j].y;
      sum += nw;
    }
    return {sx / sum, sy / sum};
  }

  // Appends the points at a, a + d, a + 2d, ... below b - tolerance, with
  // d = (b - a) / steps. Counting the steps keeps the walk finite where
  // the knots are too large for d to move t.
  void AppendSpan(double a, double b, int steps, FcPoint2dArray& out) const {
    double d = (b - a) / steps;
    for (int j = 0; j < steps; ++j) {
      double t = a + j * d;
      if (!(t < b - 1e-7)) break;
      out.Add(At(t));
    }
  }

 private:
  std::span<const FcPoint2d> points_;
  int k_;
  const double* knots_;
  const double* weights_;
};

void FixEndWeights(std::span<double> weights, std::size_t n) {
  if (weights[0] <= 0.0) weights[0] = 1.0;
  if (weights[n - 1] <= 0.0) weights[n - 1] = 1.0;
}

void Reserve(FcPoint2dArray& out, long long points) {
  if (points > 0 && points <= INT_MAX) out.Grow(static_cast<int>(points));
}

// Steps of a span and the squared chord bound for the adaptive walk.
void AdaptiveSteps(double halfSize, double tolerance, int& steps, double& c2) {
  if (tolerance >= halfSize) {
    steps = 6;
    c2 = 2.0 * tolerance;
    return;
  }
  // c2 is the squared half chord of an arc of radius halfSize whose sagitta
  // is the tolerance.
  c2 = (2.0 * halfSize - tolerance) * tolerance;
  double alpha = std::atan(tolerance / std::sqrt(c2));
  double quarter = 4.0 * alpha;
  double count = kPi / quarter;
  if (quarter == 0.0 || !(count >= 6.0)) {
    steps = 6;
  } else {
    steps = count >= 1000.0 ? 1000 : static_cast<int>(count);
  }
}

double SquaredDistance(const FcPoint2d& a, const FcPoint2d& b) {
  double dx = b.x - a.x;
  double dy = b.y - a.y;
  return dx * dx + dy * dy;
}

// A square system with few non-zero cells beside the diagonal, solved by
// Gaussian elimination without pivoting, row by row from the top. Only the
// band is stored, so long fit-point lists do not need a dense matrix.
class BandSystem {
 public:
  BandSystem(int size, int lower, int upper)
      : size_(size),
        lower_(lower),
        upper_(upper),
        width_(lower + upper + 1),
        cells_(static_cast<std::size_t>(size) * width_, 0.0),
        rhs_(size) {}

  double& At(int row, int col) {
    return cells_[static_cast<std::size_t>(row) * width_ + (col - row + lower_)];
  }
  FcPoint2d& Rhs(int row) { return rhs_[row]; }

  // False when the solution is not finite (a zero pivot).
  bool Solve(std::vector<FcPoint2d>& x) {
    for (int i = 0; i < size_; ++i) {
      int lastRow = std::min(i + lower_, size_ - 1);
      int lastCol = std::min(i + upper_, size_ - 1);
      for (int r = i + 1; r <= lastRow; ++r) {
        double f = At(r, i) / At(i, i);
        for (int c = i; c <= lastCol; ++c) At(r, c) -= f * At(i, c);
        rhs_[r] = rhs_[r] - (f * rhs_[i]);
      }
    }
    x.assign(size_, FcPoint2d{});
    for (int i = size_ - 1; i >= 0; --i) {
      FcPoint2d sum = rhs_[i];
      int lastCol = std::min(i + upper_, size_ - 1);
      for (int c = i + 1; c <= lastCol; ++c) sum = sum - (At(i, c) * x[c]);
      x[i] = (1.0 / At(i, i)) * sum;
      if (!std::isfinite(x[i].x) || !std::isfinite(x[i].y)) return false;
    }
    return true;
  }

 private:
  int size_;
  int lower_;
  int upper_;
  int width_;
  std::vector<double> cells_;
  std::vector<FcPoint2d> rhs_;
};

// Writes the tangent back as exactly (0, 0) when it is below the tolerance,
// otherwise at unit length. True for a tangent that is kept.
bool NormalizeTangent(FcPoint2d& tangent) {
  if (std::fabs(tangent.x) < 1e-7 && std::fabs(tangent.y) < 1e-7) {
    tangent = {0.0, 0.0};
    return false;
  }
  double length = std::sqrt(tangent.x * tangent.x + tangent.y * tangent.y);
  tangent = {tangent.x / length, tangent.y / length};
  return true;
}

// Non-zero cubic basis values at t: those of the functions first, first + 1,
// ... With the knots in order, only the functions whose first-order pieces
// reach t can be non-zero, and those form one run.
struct FitRow {
  int first = 0;
  std::vector<double> values;
};

FitRow BasisRow(const double* knots, int knotCount, double t, int lastFunction) {
  // First-order piece q reaches t when knots[q+1] + tol >= t and
  // knots[q] - tol <= t.
  const double* end = knots + knotCount;
  const double* low = std::partition_point(knots + 1, end, [t](double k) { return k + 1e-7 < t; });
  const double* high = std::partition_point(knots, end, [t](double k) { return k - 1e-7 <= t; });
  int lowPiece = static_cast<int>(low - (knots + 1));
  int highPiece = static_cast<int>(high - knots) - 1;
  FitRow row;
  row.first = std::max(0, lowPiece - 3);
  int last = std::min(lastFunction, highPiece);
  for (int j = row.first; j <= last; ++j) row.values.push_back(Basis(j, 4, knots, t));
  return row;
}

void ReplaceAll(FcPoint2dArray& out, const std::vector<FcPoint2d>& points) {
  out.RemoveAll();
  Reserve(out, static_cast<long long>(points.size()));
  for (const FcPoint2d& p : points) out.Add(p);
}

}  // namespace

double BSplineBasis(int i, int k, std::span<const double> knots, double t) {
  if (i < 0 || k < 1 || static_cast<std::size_t>(i) + k >= knots.size()) return 0.0;
  return Basis(i, k, knots.data(), t);
}

void TessellateNurbsFixed(std::span<double> weights, std::span<const FcPoint2d> points, int k,
                          std::span<const double> knots, int steps, FcPoint2dArray& out) {
  out.RemoveAll();
  if (!RationalCurve::Fits(points, k, knots, weights)) return;
  int n = static_cast<int>(points.size());
  FixEndWeights(weights, points.size());
  // A step count below 1 would walk backwards for ever.
  int s = std::max(steps, 1);
  Reserve(out, static_cast<long long>(n - k - 1) * (s + 1) + 2);
  RationalCurve curve(points, k, knots.data(), weights.data());
  for (int i = k; i <= n; ++i) {
    if (knots[i - 1] < knots[i] - 1e-7) curve.AppendSpan(knots[i - 1], knots[i], s, out);
  }
  out.Add(curve.At(knots[n]));
}

void TessellateNurbs(FcPoint2dArray& out, std::span<const FcPoint2d> points, int k,
                     std::span<const double> knots, std::span<double> weights, double tolerance) {
  out.RemoveAll();
  if (!RationalCurve::Fits(points, k, knots, weights)) return;
  int n = static_cast<int>(points.size());
  FixEndWeights(weights, points.size());
  RationalCurve curve(points, k, knots.data(), weights.data());
  for (int m = 0; k + m <= n; ++m) {
    double a = knots[k - 1 + m];
    double b = knots[k + m];
    // Low orders have no control point m + 2 on their last span; the last
    // control point stands in for it.
    const FcPoint2d& near = points[std::min(m + 1, n - 1)];
    const FcPoint2d& far = points[std::min(m + 2, n - 1)];
    int steps = 6;
    double c2 = 0.0;
    AdaptiveSteps(DistanceBetween(near, far) / 2.0, tolerance, steps, c2);
    Reserve(out, steps + 1);
    double delta = (b - a) / steps;
    double smallest = 0.002 * (b - a);
    double t = a;
    bool first = true;
    FcPoint2d last;
    while (t < b - 1e-7) {
      FcPoint2d p = curve.At(t);
      if (first || delta <= smallest || SquaredDistance(p, last) <= 2.0 * c2) {
        out.Add(p);
        last = p;
        first = false;
        double next = t + delta;
        // Knots too large for delta to move t end the span.
        if (!(next > t)) break;
        t = next;
      } else {
        t -= delta;
        delta *= 0.5;
        t += delta;
      }
    }
  }
  out.Add(curve.At(knots[n]));
}

void PolylineSplineCurve(std::span<const FcPoint2d> points, int steps, FcPoint2dArray& out) {
  out.RemoveAll();
  int s = std::max(steps, 4);
  int n = static_cast<int>(points.size());
  if (n < 4) return;
  std::vector<double> knots(points.size() + 4);
  for (int i = 0; i < n + 4; ++i) knots[i] = std::clamp(i - 3, 0, n - 3);
  std::vector<double> weights(points.size(), 1.0);
  Reserve(out, static_cast<long long>(s) * (n - 3) + 1);
  RationalCurve curve(points, 4, knots.data(), weights.data());
  for (int j = 3; j <= n - 1; ++j) curve.AppendSpan(knots[j], knots[j + 1], s, out);
  out.Add(curve.At(knots[n]));
}

void CubicBSplineFit(const FcPoint2d& p0, const FcPoint2d& p1, const FcPoint2d& p2,
                     const FcPoint2d& p3, int steps, FcPoint2dArray& out) {
  for (int i = 0; i < steps; ++i) {
    double t = static_cast<double>(i) / steps;
    auto coordinate = [t](double c0, double c1, double c2, double c3) {
      return (c0 + 4.0 * c1 + c2 + t * (3.0 * c2 - 3.0 * c0) +
              t * t * (3.0 * c0 - 6.0 * c1 + 3.0 * c2) +
              t * t * t * (3.0 * c1 - c0 - 3.0 * c2 + c3)) *
             0.16666666666666666;
    };
    out.AddXY(coordinate(p0.x, p1.x, p2.x, p3.x), coordinate(p0.y, p1.y, p2.y, p3.y));
  }
}

void QuadraticBSplineFit(const FcPoint2d& p0, const FcPoint2d& p1, const FcPoint2d& p2, int steps,
                         FcPoint2dArray& out) {
  for (int i = 0; i < steps; ++i) {
    double t = static_cast<double>(i) / steps;
    auto coordinate = [t](double c0, double c1, double c2) {
      return (c0 + c1 + t * (2.0 * c1 - 2.0 * c0) + t * t * (c0 - 2.0 * c1 + c2)) * 0.5;
    };
    out.AddXY(coordinate(p0.x, p1.x, p2.x), coordinate(p0.y, p1.y, p2.y));
  }
}

bool InterpolatingSpline(std::span<const FcPoint2d> fit, bool closed, const FcPoint2d& startTangent,
                         const FcPoint2d& endTangent, FcPoint2dArray& control) {
  int m = static_cast<int>(fit.size());
  if (m < 2) return false;
  int M = m + 1 + (closed ? 1 : 0);
  // Rows 1 .. M-1 are D[j-1] + 4 D[j] + D[j+1] = 6 Q[j-1]; row 0
  // (-D[0] + D[2] = 2 T0) is added into row 1 to remove D[0].
  std::vector<double> diag(M + 1, 4.0);
  std::vector<double> upper(M + 1, 1.0);
  std::vector<FcPoint2d> rhs(M + 1);
  upper[1] = 2.0;
  rhs[1] = (6.0 * fit[0]) + (2.0 * startTangent);
  for (int j = 2; j <= M - 1; ++j) {
    const FcPoint2d& q = closed && j == M - 1 ? fit[0] : fit[j - 1];
    rhs[j] = 6.0 * q;
  }
  for (int r = 2; r <= M - 1; ++r) {
    double f = 1.0 / diag[r - 1];
    diag[r] -= f * upper[r - 1];
    rhs[r] = rhs[r] - (f * rhs[r - 1]);
  }
  // Row M, -D[M-2] + D[M] = 2 T1, loses its two leading terms to rows M-2
  // and M-1.
  double f = -1.0 / diag[M - 2];
  double nextToLast = -f * upper[M - 2];
  FcPoint2d lastRhs = (2.0 * endTangent) - (f * rhs[M - 2]);
  double g = nextToLast / diag[M - 1];
  double lastDiag = 1.0 - g * upper[M - 1];
  lastRhs = lastRhs - (g * rhs[M - 1]);

  std::vector<FcPoint2d> D(M + 1);
  D[M] = (1.0 / lastDiag) * lastRhs;
  for (int r = M - 1; r >= 1; --r) {
    D[r] = (1.0 / diag[r]) * (rhs[r] - (upper[r] * D[r + 1]));
  }
  D[0] = D[2] - (2.0 * startTangent);
  ReplaceAll(control, D);
  return true;
}

int SplineFromFitPoints(std::span<const double> knots, std::span<const FcPoint2d> fit,
                        FcPoint2d& startTangent, FcPoint2d& endTangent, FcPoint2dArray& control) {
  int m = static_cast<int>(fit.size());
  if (m < 2) return 0;
  std::vector<FcPoint2d> D(m + 2);
  D[0] = fit[0];
  D[m + 1] = fit[m - 1];
  if (m == 2) {
    FcPoint2d chord = fit[1] - fit[0];
    D[1] = fit[0] + (0.25 * chord);
    D[2] = fit[0] + (0.75 * chord);
    ReplaceAll(control, D);
    return 1;
  }
  if (knots.size() < fit.size() + 6) return 0;
  for (int i = 0; i + 1 < m + 6; ++i) {
    if (!(knots[i] <= knots[i + 1])) return 0;
  }
  const double* u = knots.data();

  // The non-zero basis values of the fit rows r = 1 .. m-2 at their knots,
  // and the band of unknowns they touch (unknown c stands for D[c + 1]).
  std::vector<FitRow> rows(m);
  int lower = 1;
  int upper = 1;
  for (int r = 1; r <= m - 2; ++r) {
    rows[r] = BasisRow(u, m + 6, u[r + 3], m + 1);
    for (std::size_t i = 0; i < rows[r].values.size(); ++i) {
      int col = rows[r].first + static_cast<int>(i) - 1;
      if (rows[r].values[i] == 0.0 || col < 0 || col >= m) continue;
      lower = std::max(lower, r - col);
      upper = std::max(upper, col - r);
    }
  }

  BandSystem system(m, lower, upper);
  if (NormalizeTangent(startTangent)) {
    system.At(0, 0) = 1.0;
    system.Rhs(0) = D[0] + (0.3333333333333333 * (u[4] * startTangent));
  } else {
    double A = u[4] / (u[4] + u[5]);
    system.At(0, 0) = 1.0;
    system.At(0, 1) = -A;
    system.Rhs(0) = (1.0 - A) * D[0];
  }
  for (int r = 1; r <= m - 2; ++r) {
    const FitRow& row = rows[r];
    double sum = 0.0;
    FcPoint2d fixedEnds;
    for (std::size_t i = 0; i < row.values.size(); ++i) {
      int j = row.first + static_cast<int>(i);
      double v = row.values[i];
      sum += v;
      if (j == 0) {
        fixedEnds = fixedEnds + (v * D[0]);
      } else if (j == m + 1) {
        fixedEnds = fixedEnds + (v * D[m + 1]);
      } else if (v != 0.0) {
        system.At(r, j - 1) = v;
      }
    }
    system.Rhs(r) = (sum * fit[r]) - fixedEnds;
  }
  if (NormalizeTangent(endTangent)) {
    system.At(m - 1, m - 1) = 1.0;
    system.Rhs(m - 1) =
        (D[m + 1] - (0.3333333333333333 * ((u[m + 2] - u[m + 1]) * endTangent)));
  } else {
    double G = (u[m + 2] - u[m + 1]) / (2.0 * u[m + 2] - u[m + 1] - u[m]);
    system.At(m - 1, m - 2) = -G;
    system.At(m - 1, m - 1) = 1.0;
    system.Rhs(m - 1) = (1.0 - G) * D[m + 1];
  }
  std::vector<FcPoint2d> inner;
  if (!system.Solve(inner)) return 0;
  std::copy(inner.begin(), inner.end(), D.begin() + 1);
  ReplaceAll(control, D);
  return 1;
}
