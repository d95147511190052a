#include <array>
#include <cmath>
#include <cstddef>

#include "display/clipping.h"

// Rings are clipped edge by edge with the segment clipper. Where the ring
// leaves the window on one side and comes back on another, the window
// corners it turned around are inserted; which ones is decided by counting
// how often the ring crossed each diagonal of the window extended beyond
// its corners (an odd count means the ring goes round that corner).

namespace {

// Corners counterclockwise from the bottom-left; side k runs from corner
// k - 1 to corner k mod 4.
constexpr int kNoCorner = 4;
constexpr int kNoSide = 0;

int CornerWhereSideBegins(int side) { return side - 1; }
int CornerWhereSideEnds(int side) { return side % 4; }
int NextCorner(int corner) { return (corner + 1) % 4; }
int PreviousCorner(int corner) { return (corner + 3) % 4; }

std::array<FcPoint2d, 4> Corners(const FcClipWindow& w) {
  return {FcPoint2d{w.xmin, w.ymin}, FcPoint2d{w.xmax, w.ymin}, FcPoint2d{w.xmax, w.ymax}, FcPoint2d{w.xmin, w.ymax}};
}

// The side a point lies on exactly, tested bottom, right, top, left.
int SideOf(const FcPoint2d& p, const FcClipWindow& w) {
  if (p.y == w.ymin) return kClipBottom;
  if (p.x == w.xmax) return kClipRight;
  if (p.y == w.ymax) return kClipTop;
  if (p.x == w.xmin) return kClipLeft;
  return kNoSide;
}

bool IsCornerOfSide(int corner, int side) {
  return corner == CornerWhereSideBegins(side) || corner == CornerWhereSideEnds(side);
}

class RingClipper {
 public:
  RingClipper(const FcClipWindow& window, bool convex, std::vector<FcPoint2d>& out)
      : window_(window), corners_(Corners(window)), convex_(convex), out_(out) {}

  void Clip(std::span<const FcPoint2d> points) {
    out_.clear();
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) Edge(points[i], points[(i + 1) % n]);
    if (!haveFirstEntry_) return;
    for (int k = 0; k < 4; ++k) counters_[k] += savedCounters_[k];
    if (!out_.empty()) TurnCorners(exitSide_, firstEntrySide_, out_.front());
  }

  // The counter of the bottom-right corner tells whether a ring with no
  // visible edge surrounds the window.
  bool SurroundsWindow() const { return counters_[1] % 2 != 0; }

 private:
  void Edge(const FcPoint2d& p, const FcPoint2d& q) {
    if (!convex_ && std::fabs(q.x - p.x) <= kTolerance && std::fabs(q.y - p.y) <= kTolerance) return;
    FcPoint2d a = p;
    FcPoint2d b = q;
    int startCode = kClipUnmoved;
    int endCode = kClipUnmoved;
    if (!ClipSegmentByEdges(a.x, a.y, b.x, b.y, startCode, endCode, window_.xmin, window_.ymin, window_.xmax,
                            window_.ymax)) {
      CountCornerCrossings(p, q);
      return;
    }
    if (startCode != kClipUnmoved) {
      EnterMoved(p, q, a, startCode, endCode != kClipUnmoved);
      Append(a);
      Append(b);
      SetExitSide(endCode, b);
      return;
    }
    const int startSide = SideOf(a, window_);
    if (startSide != kNoSide) {
      Enter(startSide, a);
      Append(a);
    }
    Append(b);
    if (endCode != kClipUnmoved) {
      exitSide_ = endCode;
    } else {
      const int endSide = SideOf(b, window_);
      if (endSide == kNoSide) {
        // Strictly inside: the next edge starts here.
        if (!convex_) exitSide_ = kNoSide;
        return;
      }
      exitSide_ = endSide;
    }
    firstEntryPending_ = false;
    CountCornerCrossings(p, q);
  }

  // An edge that comes in from outside. Its crossings are counted first;
  // one past a corner away from the entry side happened after it left again
  // and belongs to the next turn, not this one.
  void EnterMoved(const FcPoint2d& p, const FcPoint2d& q, const FcPoint2d& entry, int entrySide, bool leaves) {
    CountCornerCrossings(p, q);
    const bool later = leaves && lastCorner_ != kNoCorner && !IsCornerOfSide(lastCorner_, entrySide);
    const int corner = lastCorner_;
    if (later) --counters_[corner];
    Enter(entrySide, entry);
    if (later) ++counters_[corner];
  }

  void Enter(int entrySide, const FcPoint2d& entry) {
    if (firstEntryPending_) {
      firstEntryPending_ = false;
      haveFirstEntry_ = true;
      firstEntrySide_ = entrySide;
      savedCounters_ = counters_;
      counters_ = {};
      return;
    }
    TurnCorners(exitSide_, entrySide, entry);
  }

  void SetExitSide(int endCode, const FcPoint2d& end) {
    if (endCode != kClipUnmoved) {
      exitSide_ = endCode;
      return;
    }
    const int side = SideOf(end, window_);
    if (side != kNoSide) exitSide_ = side;
  }

  void TurnCorners(int exitSide, int entrySide, const FcPoint2d& entry) {
    if (convex_) {
      if (exitSide != kNoSide && exitSide != entrySide) AppendCounterclockwise(exitSide, entrySide);
      return;
    }
    if (exitSide != kNoSide) {
      if (exitSide != entrySide) {
        InsertTurningCorners(exitSide, entrySide);
      } else {
        InsertAllCorners(entrySide, entry);
      }
    }
    counters_ = {};
  }

  void AppendCounterclockwise(int exitSide, int entrySide) {
    const int last = CornerWhereSideBegins(entrySide);
    for (int c = CornerWhereSideEnds(exitSide);; c = NextCorner(c)) {
      Append(corners_[c]);
      if (c == last) return;
    }
  }

  void InsertTurningCorners(int exitSide, int entrySide) {
    if (counters_[CornerWhereSideEnds(exitSide)] % 2 != 0) {
      AppendCounterclockwise(exitSide, entrySide);
      return;
    }
    const int last = CornerWhereSideEnds(entrySide);
    for (int c = CornerWhereSideBegins(exitSide);; c = PreviousCorner(c)) {
      Append(corners_[c]);
      if (c == last) return;
    }
  }

  // Leaving and coming back on the same side: the ring went round the whole
  // window, or it did not turn at all.
  void InsertAllCorners(int side, const FcPoint2d& entry) {
    if (counters_[0] % 2 == 0 || out_.empty()) return;
    const FcPoint2d& last = out_.back();
    bool ahead = false;
    switch (side) {
      case kClipBottom:
        ahead = entry.x >= last.x;
        break;
      case kClipRight:
        ahead = entry.y >= last.y;
        break;
      case kClipTop:
        ahead = entry.x <= last.x;
        break;
      default:
        ahead = entry.y <= last.y;
        break;
    }
    if (ahead) {
      int c = CornerWhereSideBegins(side);
      for (int k = 0; k < 4; ++k, c = PreviousCorner(c)) Append(corners_[c]);
      return;
    }
    int c = CornerWhereSideEnds(side);
    for (int k = 0; k < 4; ++k, c = NextCorner(c)) Append(corners_[c]);
  }

  // Counts the crossings of the edge (its start excluded, its end included)
  // with the window's diagonals extended beyond their corners.
  void CountCornerCrossings(const FcPoint2d& p, const FcPoint2d& q) {
    if (convex_) return;
    lastCorner_ = kNoCorner;
    CountDiagonal(p, q, 0, 2);
    CountDiagonal(p, q, 1, 3);
  }

  void CountDiagonal(const FcPoint2d& p, const FcPoint2d& q, int from, int to) {
    const FcPoint2d& a = corners_[from];
    const FcPoint2d& b = corners_[to];
    const double ex = q.x - p.x;
    const double ey = q.y - p.y;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double det = ex * dy - ey * dx;
    if (det == 0.0) return;
    const double apx = a.x - p.x;
    const double apy = a.y - p.y;
    const double t = (apx * dy - apy * dx) / det;
    const double s = (apx * ey - apy * ex) / det;
    if (!(t > 0.0 && t <= 1.0)) return;
    int corner = kNoCorner;
    if (s <= 0.0) corner = from;
    if (s >= 1.0) corner = to;
    if (corner == kNoCorner) return;
    ++counters_[corner];
    lastCorner_ = corner;
  }

  void Append(const FcPoint2d& p) { out_.push_back(p); }

  const FcClipWindow window_;
  const std::array<FcPoint2d, 4> corners_;
  const bool convex_;
  std::vector<FcPoint2d>& out_;
  std::array<int, 4> counters_{};
  std::array<int, 4> savedCounters_{};
  int lastCorner_ = kNoCorner;
  int exitSide_ = kNoSide;
  bool firstEntryPending_ = true;
  bool haveFirstEntry_ = false;
  int firstEntrySide_ = kNoSide;
};

}  // namespace

bool ClipPolygonToWindow(const FcClipWindow& window, std::span<const FcPoint2d> points,
                         std::vector<FcPoint2d>& out) {
  RingClipper clipper(window, false, out);
  clipper.Clip(points);
  if (!out.empty()) return true;
  if (!clipper.SurroundsWindow()) return false;
  out = {{window.xmax, window.ymin}, {window.xmax, window.ymax}, {window.xmin, window.ymax}, {window.xmin, window.ymin}};
  return true;
}

bool ClipConvexPolygonToWindow(const FcClipWindow& window, std::span<const FcPoint2d> points,
                               std::vector<FcPoint2d>& out) {
  RingClipper clipper(window, true, out);
  clipper.Clip(points);
  if (!out.empty()) return true;
  const FcPoint2d centre{(window.xmin + window.xmax) / 2.0, (window.ymin + window.ymax) / 2.0};
  if (points.empty() || PointInPolygon(centre, points) < 1) return false;
  out = {{window.xmin, window.ymin}, {window.xmax, window.ymin}, {window.xmax, window.ymax}, {window.xmin, window.ymax}};
  return true;
}

bool ClipPolyPolygonToWindow(const FcClipWindow& window, std::span<const FcPoint2d> points,
                             std::span<const std::int32_t> ringCounts, std::vector<FcPoint2d>& out,
                             std::vector<std::int32_t>& outCounts) {
  out.clear();
  outCounts.clear();
  std::size_t start = 0;
  std::vector<FcPoint2d> ring;
  for (const std::int32_t count : ringCounts) {
    if (count < 0 || static_cast<std::size_t>(count) > points.size() - start) {
      out.clear();
      outCounts.clear();
      return false;
    }
    if (ClipPolygonToWindow(window, points.subspan(start, static_cast<std::size_t>(count)), ring)) {
      out.insert(out.end(), ring.begin(), ring.end());
      outCounts.push_back(static_cast<std::int32_t>(ring.size()));
    }
    start += static_cast<std::size_t>(count);
  }
  return !outCounts.empty();
}
