#include <algorithm>
#include <cmath>
#include <vector>

#include "core/geometry_basics.h"
#include "core/splines.h"
#include "database/graph.h"
#include "entities/polyline.h"

namespace {

FcHandle NextFitHandle() {
  FcGraph* graph = CurrentGraph();
  return graph != nullptr ? TakeHandle(graph->GetHandleSeed()) : 0;
}

int SplineSegments() {
  const FcGraph* graph = CurrentGraph();
  return graph != nullptr ? graph->GetSysVars().splinesegs : 8;
}

int SplineType() {
  const FcGraph* graph = CurrentGraph();
  return graph != nullptr ? graph->GetSysVars().splinetype : kCurveCubic;
}

bool Near(const PolylineVertex& a, const PolylineVertex& b) {
  return std::fabs(a.x - b.x) <= 1e-7 && std::fabs(a.y - b.y) <= 1e-7;
}

// The tangent system of a curve fit, one coordinate at a time: ten
// relaxation passes, 0 wherever the diagonal is 0.
void Relax(std::vector<double>& v, const std::vector<double>& a, const std::vector<double>& b,
           const std::vector<double>& c, bool closed) {
  const std::size_t n = v.size();
  auto divide = [](double x, double d) { return d != 0.0 ? x / d : 0.0; };
  std::vector<double> s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = divide(v[i], b[i]);
  std::vector<double> r(n);
  for (int pass = 0; pass < 10; ++pass) {
    for (std::size_t j = 0; j < n; ++j) {
      double sum = v[j];
      if (j > 0) sum -= a[j] * s[j - 1];
      if (j + 1 < n) sum -= c[j] * s[j + 1];
      if (closed && j == 0) sum -= a[0] * s[n - 1];
      if (closed && j + 1 == n) sum -= c[j] * s[0];
      r[j] = divide(sum, b[j]);
    }
    s = r;
  }
  v = r;
}

struct CurveFitData {
  std::vector<double> dx, dy, tx, ty, ex, ey, r, a, b, c;
};

CurveFitData SolveCurveFit(const std::vector<PolylineVertex>& p, bool closed) {
  const std::size_t n = p.size();
  CurveFitData d;
  for (auto* array : {&d.dx, &d.dy, &d.tx, &d.ty, &d.ex, &d.ey, &d.r, &d.a, &d.b, &d.c}) array->assign(n, 0.0);
  std::vector<double> length(n, 0.0);
  const std::size_t spans = closed ? n : n - 1;
  for (std::size_t i = 0; i < spans; ++i) {
    const PolylineVertex& next = p[(i + 1) % n];
    d.dx[i] = next.x - p[i].x;
    d.dy[i] = next.y - p[i].y;
    length[i] = std::hypot(d.dx[i], d.dy[i]);
  }
  auto ratio = [](double num, double den) { return den != 0.0 ? num / den : 0.0; };
  if (closed) {
    for (std::size_t i = 0; i + 1 < n; ++i) d.r[i] = ratio(length[i], length[i + 1]);
    d.r[n - 1] = ratio(length[n - 1], length[0]);
    for (std::size_t j = 0; j < n; ++j) {
      const std::size_t prev = j == 0 ? n - 1 : j - 1;
      d.a[j] = 1.0;
      d.b[j] = 2.0 * d.r[prev] * (d.r[prev] + 1.0);
      d.c[j] = d.r[prev] * d.r[prev] * d.r[j];
      d.tx[j] = 3.0 * (d.r[prev] * d.r[prev] * d.dx[j] + d.dx[prev]);
      d.ty[j] = 3.0 * (d.r[prev] * d.r[prev] * d.dy[j] + d.dy[prev]);
    }
  } else {
    for (std::size_t i = 0; i + 2 < n; ++i) d.r[i] = ratio(length[i], length[i + 1]);
    d.r[n - 2] = 1.0;
    d.b[0] = 2.0;
    d.c[0] = d.r[0];
    d.tx[0] = 3.0 * d.dx[0];
    d.ty[0] = 3.0 * d.dy[0];
    for (std::size_t j = 1; j + 1 < n; ++j) {
      d.a[j] = 1.0;
      d.b[j] = 2.0 * d.r[j - 1] * (d.r[j - 1] + 1.0);
      d.c[j] = d.r[j - 1] * d.r[j - 1] * d.r[j];
      d.tx[j] = 3.0 * (d.r[j - 1] * d.r[j - 1] * d.dx[j] + d.dx[j - 1]);
      d.ty[j] = 3.0 * (d.r[j - 1] * d.r[j - 1] * d.dy[j] + d.dy[j - 1]);
    }
    d.a[n - 1] = 1.0;
    d.b[n - 1] = 2.0 * d.r[n - 2];
    d.tx[n - 1] = 3.0 * d.dx[n - 2];
    d.ty[n - 1] = 3.0 * d.dy[n - 2];
  }
  Relax(d.tx, d.a, d.b, d.c, closed);
  Relax(d.ty, d.a, d.b, d.c, closed);
  for (std::size_t i = 0; i < spans; ++i) {
    const std::size_t next = (i + 1) % n;
    d.ex[i] = d.r[i] * d.tx[next];
    d.ey[i] = d.r[i] * d.ty[next];
  }
  return d;
}

}  // namespace

bool FcPolyline::FitPointsWouldExceed(std::int64_t count) const { return count > kMaxFitVertices; }

void FcPolyline::FreeFitVertices() {
  fitVertices_.clear();
  MakeLightweight();
}

void FcPolyline::AppendFitVertex(const FcPoint2d& point) {
  if (!fitVertices_.empty() && !IsDifferentPoint({fitVertices_.back().x, fitVertices_.back().y}, point)) return;
  PolylineVertex v;
  v.x = point.x;
  v.y = point.y;
  v.flags = (GetFlags() & kPolylineSplineFit) != 0 ? kVertexSplineFit : kVertexCurveFit;
  v.index = static_cast<int>(fitVertices_.size());
  fitVertices_.push_back(v);
}

bool FcPolyline::CurveFit() {
  FreeFitVertices();
  flags_ = (flags_ & ~kPolylineSplineFit) | kPolylineCurveFit;
  SetHeavy(true);
  const double width = vertices_.empty() ? 0.0 : vertices_.front().startWidth;
  if (IsClosed()) {
    while (vertices_.size() > 1 && Near(vertices_.back(), vertices_.front())) vertices_.pop_back();
  }
  const auto n = static_cast<std::int64_t>(vertices_.size());
  const int m = std::max(SplineSegments(), 1);
  if (n <= 2 || FitPointsWouldExceed(n * (m + 1))) {
    MakeLightweight();
    return n <= 2;
  }
  const bool closed = IsClosed();
  const CurveFitData d = SolveCurveFit(vertices_, closed);
  const std::size_t spans = closed ? vertices_.size() : vertices_.size() - 1;
  fitVertices_.reserve(spans * static_cast<std::size_t>(m) + 1);
  for (std::size_t i = 0; i < spans; ++i) {
    for (int k = 0; k < m; ++k) {
      const double t = static_cast<double>(k) / m;
      const double h1 = 3 * t * t - 2 * t * t * t;
      const double h2 = t * t * t - t * t;
      const double h3 = t * t * t - 2 * t * t + t;
      PolylineVertex v;
      v.x = vertices_[i].x + h1 * d.dx[i] + h2 * d.ex[i] + h3 * d.tx[i];
      v.y = vertices_[i].y + h1 * d.dy[i] + h2 * d.ey[i] + h3 * d.ty[i];
      v.flags = k == 0 ? 0 : kVertexCurveFit;
      v.index = static_cast<int>(fitVertices_.size());
      v.handle = NextFitHandle();
      fitVertices_.push_back(v);
    }
  }
  if (!closed) {
    PolylineVertex last = vertices_.back();
    last.handle = NextFitHandle();
    fitVertices_.push_back(last);
  }
  for (PolylineVertex& v : fitVertices_) {
    v.startWidth = width;
    v.endWidth = width;
    v.bulge = 0.0;
  }
  if (seqendHandle_ == 0) seqendHandle_ = NextFitHandle();
  return true;
}

bool FcPolyline::SplineFit() {
  const std::int32_t previousType = curveType_;
  FreeFitVertices();
  flags_ = (flags_ & ~kPolylineCurveFit) | kPolylineSplineFit;
  SetHeavy(true);
  const double width = vertices_.empty() ? 0.0 : vertices_.front().startWidth;
  const auto n = static_cast<std::int64_t>(vertices_.size());
  const int m = SplineSegments();
  if (n <= 2 || FitPointsWouldExceed((n + 3) * std::max(m, 4))) {
    MakeLightweight();
    return n <= 2;
  }
  for (PolylineVertex& v : vertices_) v.bulge = 0.0;
  const bool quadratic = previousType == kCurveQuadratic || (previousType == 0 && SplineType() == kCurveQuadratic);
  curveType_ = quadratic ? kCurveQuadratic : kCurveCubic;
  std::vector<FcPoint2d> p;
  p.reserve(vertices_.size());
  for (const PolylineVertex& v : vertices_) p.push_back({v.x, v.y});
  const std::size_t count = p.size();
  FcPoint2dArray out;
  if (m >= 1 || (!quadratic && !IsClosed())) {
    if (quadratic) {
      if (!IsClosed()) QuadraticBSplineFit(p[0], p[0], p[1], m, out);
      for (std::size_t i = 0; i + 2 < count; ++i) QuadraticBSplineFit(p[i], p[i + 1], p[i + 2], m, out);
      if (IsClosed()) {
        QuadraticBSplineFit(p[count - 2], p[count - 1], p[0], m, out);
        QuadraticBSplineFit(p[count - 1], p[0], p[1], m, out);
      } else {
        QuadraticBSplineFit(p[count - 2], p[count - 1], p[count - 1], m, out);
      }
    } else if (IsClosed()) {
      for (std::size_t i = 0; i < count; ++i) {
        CubicBSplineFit(p[i], p[(i + 1) % count], p[(i + 2) % count], p[(i + 3) % count], m, out);
      }
    } else if (count == 3) {
      const FcPoint2d frame[4] = {p[0], p[1], p[1], p[2]};
      PolylineSplineCurve(frame, m, out);
    } else {
      PolylineSplineCurve(p, m, out);
    }
  }
  for (int i = 0; i < out.count; ++i) {
    const std::size_t before = fitVertices_.size();
    AppendFitVertex(out[i]);
    if (fitVertices_.size() > before) fitVertices_.back().handle = NextFitHandle();
  }
  for (PolylineVertex& v : fitVertices_) {
    v.startWidth = width;
    v.endWidth = width;
  }
  if (seqendHandle_ == 0) seqendHandle_ = NextFitHandle();
  return true;
}

void FcPolyline::Decurve() {
  FreeFitVertices();
  for (PolylineVertex& v : vertices_) v.bulge = 0.0;
}

void FcPolyline::ApplyFit() {
  EnsureFit();
  if (!IsFitted() || fitVertices_.empty()) return;
  vertices_ = std::move(fitVertices_);
  fitVertices_.clear();
  if (IsClosed() && vertices_.size() > 1 &&
      IsSamePoint({vertices_.back().x, vertices_.back().y}, {vertices_.front().x, vertices_.front().y})) {
    vertices_.pop_back();
  }
  for (std::size_t i = 0; i < vertices_.size(); ++i) {
    vertices_[i].flags = 0;
    vertices_[i].index = static_cast<int>(i);
  }
  MakeLightweight();
}

bool FcPolyline::GetSplineFitPoint(FcPoint2d& out) const {
  if (vertices_.size() < 3) return false;
  const PolylineVertex& p0 = vertices_[0];
  const PolylineVertex& p1 = vertices_[1];
  const PolylineVertex& p2 = vertices_[2];
  out = {(p0.x + 4 * p1.x + p2.x) / 6.0, (p0.y + 4 * p1.y + p2.y) / 6.0};
  return true;
}
