#include "database/dash_applier.h"

#include <array>
#include <cmath>

#include "database/linetype.h"

namespace {

// A path that needs more repetitions of its pattern than this is not
// dashed: a pattern scaled down to nothing (or a file's tiny elements)
// would otherwise make the applier run and allocate without bound. The
// display code draws such paths solid, as it does for an empty list.
constexpr double kMaxPatternRepeats = 1e6;

FcPoint2d PointOf(const FcPoint2d& point) { return point; }
FcPoint2d PointOf(const PolylineVertex& vertex) { return {vertex.x, vertex.y}; }

// The working state of one applier call: where the pen stands, the chain
// being drawn and the output list built so far. Kept per call, so that
// several threads may apply the same linetype at once.
class DashState {
 public:
  DashState(int tag, VertexChain*& head) : tag_(tag), head_(head) { head_ = nullptr; }

  void MoveTo(const FcPoint2d& point, double value) {
    current_ = point;
    value_ = value;
  }
  void SetPoint(const FcPoint2d& point) { current_ = point; }

  // Draws the open dash on to the point, opening a dash at the current
  // point first when none is open.
  void ExtendDash(double value, const FcPoint2d& point) {
    if (open_ == nullptr) {
      open_ = new VertexChain();
      open_->Append(current_, tag_, value_);
    }
    if (open_->vertices.count > 0) open_->vertices[open_->vertices.count - 1].endWidth = value;
    open_->Append(point, tag_, value);
    MoveTo(point, value);
  }

  void AddDot(double angle) {
    FlushChain();
    auto* dot = new VertexChain();
    dot->Append(current_, tag_, value_);
    if (dot->vertices.count > 0) dot->vertices[0].endWidth = angle;
    Link(dot);
  }

  void FlushChain() {
    if (open_ == nullptr) return;
    Link(open_);
    open_ = nullptr;
  }

  VertexChain* Last() const { return last_; }

 private:
  void Link(VertexChain* chain) {
    if (last_ == nullptr) {
      head_ = chain;
    } else {
      last_->next = chain;
    }
    last_ = chain;
  }

  int tag_;
  VertexChain*& head_;
  FcPoint2d current_;
  double value_ = 0.0;
  VertexChain* open_ = nullptr;
  VertexChain* last_ = nullptr;
};

void MarkPathEnd(PolylineVertex& vertex, const FcPoint2d& end, const FcPoint2d&, double endValue) {
  vertex.x = end.x;
  vertex.y = end.y;
  vertex.startWidth = endValue;
  vertex.endWidth = 0.0;
  vertex.bulge = 0.0;
  vertex.flags = 0;
}

void MarkPathEnd(PolylineVertex& vertex, const FcPoint2d&, const PolylineVertex& last, double endValue) {
  vertex = last;
  vertex.startWidth = endValue;
}

template <typename Point>
void ApplyLinetype(const Point* points, int count, bool fit, double startValue, double endValue,
                   double pathLength, double scale, int tag, VertexChain*& head, const FcLineType& linetype) {
  if (points == nullptr || count < 2) return;
  const int k = linetype.GetElementCount();
  std::array<double, FcLineType::kMaxElements> e{};
  double workingLength = 0.0;
  for (int i = 0; i < k; ++i) {
    e[static_cast<std::size_t>(i)] = scale * linetype.GetElement(i);
    workingLength += std::fabs(e[static_cast<std::size_t>(i)]);
  }
  const double patternLength = scale * linetype.GetPatternLength();
  const double remainder = std::fmod(pathLength, patternLength);

  DashState state(tag, head);
  // Elements and pattern length come from files too: a pattern that could
  // not be walked gives no dashes rather than endless or garbage ones.
  if (k <= 0 || !std::isfinite(workingLength) || !(workingLength > 0.0) || !std::isfinite(patternLength) ||
      !(patternLength > 0.0) || !(std::fabs(pathLength) / workingLength <= kMaxPatternRepeats))
    return;

  // Fit mode stretches m whole patterns over the path. When not even one
  // fits, there is nothing to stretch and the pattern is drawn as it is.
  const double wholePatterns = std::floor(pathLength / patternLength);
  if (fit && wholePatterns > 0.0) {
    const double factor = 1.0 + remainder / (wholePatterns * patternLength);
    for (int i = 0; i < k; ++i) e[static_cast<std::size_t>(i)] *= factor;
  }
  const double firstElement = e[0];
  if (!fit && e[0] != 0.0) e[0] = (e[0] + remainder) / 2.0;

  auto valueAt = [&](double t) {
    return pathLength != 0.0 ? startValue + (endValue - startValue) * t / pathLength : startValue;
  };
  state.MoveTo(PointOf(points[0]), startValue);
  double t = 0.0;
  double carried = 0.0;
  int j = 0;
  bool firstDash = true;

  for (int i = 0; i + 1 < count; ++i) {
    const FcPoint2d from = PointOf(points[i]);
    const FcPoint2d to = PointOf(points[i + 1]);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double segment = std::hypot(dx, dy);
    if (segment == 0.0) continue;
    double p = 0.0;
    // What is left of a segment below the drawing's tolerance is taken as
    // covered, so that patterns fitted to end on the path's end do not
    // leave a dash of rounding error behind them.
    while (segment - p > kTolerance) {
      const double element = e[static_cast<std::size_t>(j)];
      if (element != 0.0) {
        const double end = p + carried + std::fabs(element);
        if (end > segment) {
          t += segment - p;
          if (element > 0.0) {
            state.ExtendDash(valueAt(t), to);
          } else {
            state.FlushChain();
            state.MoveTo(to, valueAt(t));
          }
          carried += p - segment;
          break;
        }
        p = end;
        t += carried + std::fabs(element);
        const FcPoint2d q{from.x + (p / segment) * dx, from.y + (p / segment) * dy};
        if (element > 0.0) {
          state.ExtendDash(valueAt(t), q);
          if (firstDash) {
            firstDash = false;
            e[0] = firstElement;
          }
        } else {
          state.FlushChain();
          state.MoveTo(q, valueAt(t));
        }
      } else {
        state.AddDot(std::atan2(dy, dx));
      }
      carried = 0.0;
      j = (j + 1) % k;
    }
  }
  state.FlushChain();

  VertexChain* last = state.Last();
  if (fit || last == nullptr) return;
  const FcPoint2d end = PointOf(points[count - 1]);
  if (last->vertices.count >= 2) {
    MarkPathEnd(last->vertices[last->vertices.count - 1], end, points[count - 1], endValue);
    return;
  }
  const FcPoint2d before = PointOf(points[count - 2]);
  state.SetPoint(end);
  state.AddDot(std::atan2(end.y - before.y, end.x - before.x));
}

}  // namespace

bool VertexChain::Append(const FcPoint2d& point, int tag, double value) {
  PolylineVertex vertex;
  vertex.x = point.x;
  vertex.y = point.y;
  vertex.startWidth = value;
  vertex.endWidth = value;
  vertex.index = tag;
  return vertices.Add(vertex);
}

void FreeVertexChains(VertexChain* head) {
  while (head != nullptr) {
    VertexChain* next = head->next;
    delete head;
    head = next;
  }
}

void ApplyLinetypeToPolyline(const FcPoint2d* points, int count, bool fit, double startValue, double endValue,
                             double pathLength, double scale, int tag, VertexChain*& head,
                             const FcLineType& linetype) {
  ApplyLinetype(points, count, fit, startValue, endValue, pathLength, scale, tag, head, linetype);
}

void ApplyLinetypeToPolyline2(const PolylineVertex* points, int count, bool fit, double startValue,
                              double endValue, double pathLength, double scale, int tag, VertexChain*& head,
                              const FcLineType& linetype) {
  ApplyLinetype(points, count, fit, startValue, endValue, pathLength, scale, tag, head, linetype);
}
