#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/geometry_basics.h"
#include "display/display_primitives.h"
#include "display/display_surface.h"
#include "display/view_transform.h"

// The device caches are built in scratch arrays of the drawing thread and
// then copied at their exact size: growing them in place would allocate
// and copy several times over for each primitive, and leave spare room in
// every one of them.
struct RunScratch {
  std::vector<FcDevicePoint> points;
  std::vector<std::int32_t> runs;
  std::vector<std::int32_t> strokeRuns;

  void Clear() {
    points.clear();
    runs.clear();
    strokeRuns.clear();
  }
};

namespace {

// Clips the segments from point i to i + 1 one by one and hands each
// visible piece on, saying whether it continues the previous piece (the
// previous end was not cut by the clipping).
template <typename Visit>
void ForEachVisibleSegment(const FcViewTransform& view, const FcPoint2d* points, std::size_t count, Visit visit) {
  bool continues = false;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    int codes[2] = {0, 0};
    FcDevicePoint a;
    FcDevicePoint b;
    if (!view.ClipSegmentToDevice(codes, points[i], points[i + 1], a, b)) {
      continues = false;
      continue;
    }
    visit(a, b, continues);
    continues = codes[1] == 0;
  }
}

bool SegmentsMeetRect(const FcPoint2d* points, std::size_t count, const FcPoint2d& min, const FcPoint2d& max) {
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (SegmentMeetsRect(points[i], points[i + 1], min, max)) return true;
  }
  return false;
}

void BoxOf(const FcPoint2d* points, std::size_t count, FcPoint2d& min, FcPoint2d& max) {
  min = points[0];
  max = points[0];
  for (std::size_t i = 0; i < count; ++i) {
    min.x = std::min(min.x, points[i].x);
    min.y = std::min(min.y, points[i].y);
    max.x = std::max(max.x, points[i].x);
    max.y = std::max(max.y, points[i].y);
  }
}

// Appends a point to the open run, leaving out one that repeats the point
// before it: a chain far smaller than a pixel keeps a few points, not dozens.
void AppendToRun(const FcDevicePoint& point, std::vector<FcDevicePoint>& devicePoints,
                 std::vector<std::int32_t>& runLengths) {
  const FcDevicePoint& last = devicePoints.back();
  if (point.x == last.x && point.y == last.y) return;
  devicePoints.push_back(point);
  ++runLengths.back();
}

void StartRun(const FcDevicePoint& point, std::vector<FcDevicePoint>& devicePoints,
              std::vector<std::int32_t>& runLengths) {
  runLengths.push_back(1);
  devicePoints.push_back(point);
}

// A run that shrank to one point keeps it twice: it still draws its dot.
void EndRun(std::vector<FcDevicePoint>& devicePoints, std::vector<std::int32_t>& runLengths) {
  if (runLengths.back() >= 2) return;
  devicePoints.push_back(devicePoints.back());
  ++runLengths.back();
}

// Appends a chain as device runs: one run of every point when the chain is
// wholly in view, else its visible pieces. Returns the number of runs.
std::size_t AppendRuns(const FcViewTransform& view, const FcPoint2d* points, std::size_t count, bool wholly,
                       std::vector<FcDevicePoint>& devicePoints, std::vector<std::int32_t>& runLengths) {
  const std::size_t before = runLengths.size();
  if (wholly && count > 0) {
    for (std::size_t i = 0; i < count; ++i) {
      FcDevicePoint d;
      view.WorldToDevice(points[i].x, points[i].y, &d.x, &d.y);
      if (i == 0) {
        StartRun(d, devicePoints, runLengths);
      } else {
        AppendToRun(d, devicePoints, runLengths);
      }
    }
    EndRun(devicePoints, runLengths);
    return 1;
  }
  ForEachVisibleSegment(view, points, count, [&](const FcDevicePoint& a, const FcDevicePoint& b, bool continues) {
    if (!continues) {
      if (runLengths.size() > before) EndRun(devicePoints, runLengths);
      StartRun(a, devicePoints, runLengths);
    }
    AppendToRun(b, devicePoints, runLengths);
  });
  if (runLengths.size() > before) EndRun(devicePoints, runLengths);
  return runLengths.size() - before;
}

RunScratch& ThreadScratch() {
  thread_local RunScratch scratch;
  scratch.Clear();
  return scratch;
}

template <typename T>
void KeepExactly(std::vector<T>& cache, const std::vector<T>& built) {
  cache.assign(built.begin(), built.end());
}

// Draws runs from the given run and device point on; returns the device
// point after them.
std::size_t DrawRunsFrom(FcDisplayDevice& device, const std::vector<FcDevicePoint>& devicePoints,
                         const std::vector<std::int32_t>& runLengths, std::size_t firstRun, std::size_t runCount,
                         std::size_t start) {
  for (std::size_t run = firstRun; run < firstRun + runCount; ++run) {
    device.Polyline(devicePoints.data() + start, runLengths[run]);
    start += static_cast<std::size_t>(runLengths[run]);
  }
  return start;
}

// Prints the visible pieces of a chain; the pen is chosen at the first.
void PrintChain(const FcDisplaySurface& surface, const FcDsEntity& primitive, const FcPoint2d* points,
                std::size_t count) {
  FcDisplayDevice& device = *surface.GetDevice();
  bool selected = false;
  ForEachVisibleSegment(*surface.GetView(), points, count,
                        [&](const FcDevicePoint& a, const FcDevicePoint& b, bool continues) {
                          if (!selected) {
                            primitive.SelectPrintPen(surface);
                            selected = true;
                          }
                          if (!continues) device.MoveToRotated(a.x, a.y);
                          device.LineToRotated(b.x, b.y);
                        });
}

}  // namespace

void FcDsPolyline::DrawRuns(FcDisplayDevice& device) {
  SelectPenAndColor(device);
  device.SetLineWidth(0);
  DrawRunsFrom(device, devicePoints_, runLengths_, 0, runLengths_.size(), 0);
}

void FcDsPolyline::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  if (CacheUsable(surface)) {
    if (drawn) DrawRuns(*surface.GetDevice());
    return;
  }
  devicePoints_.clear();
  runLengths_.clear();
  const Placement placement = PlaceInView(surface);
  if (placement == Placement::kOutside) return;
  RunScratch& scratch = ThreadScratch();
  AppendRuns(*surface.GetView(), points_.data(), points_.size(), placement == Placement::kInside, scratch.points,
             scratch.runs);
  KeepExactly(devicePoints_, scratch.points);
  KeepExactly(runLengths_, scratch.runs);
  drawn = !runLengths_.empty();
  if (drawn) DrawRuns(*surface.GetDevice());
  deviceCacheValid = true;
}

void FcDsPolyline::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  PrintChain(surface, *this, points_.data(), points_.size());
  deviceCacheValid = false;
}

bool FcDsPolyline::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  bool answer = false;
  if (ExtentsDecideCrossing(min, max, answer)) return answer;
  return SegmentsMeetRect(points_.data(), points_.size(), min, max);
}

void FcDsStrokes::AddStroke(const FcPoint2d* points, int count, const FcMatrix2d& matrix) {
  if (points == nullptr || count <= 0) return;
  const std::size_t start = points_.size();
  for (int i = 0; i < count; ++i) {
    FcPoint2d p = points[i];
    TransformPoint(matrix, p);
    points_.push_back(p);
  }
  // The test a polyline of its own would pass: finite extents, taken the
  // same way.
  FcPoint2d low;
  FcPoint2d high;
  BoxOf(points_.data() + start, static_cast<std::size_t>(count), low, high);
  if (!std::isfinite(low.x) || !std::isfinite(low.y) || !std::isfinite(high.x) || !std::isfinite(high.y)) {
    points_.resize(start);
    return;
  }
  strokeCounts_.push_back(count);
  deviceCacheValid = false;
  extentsValid = false;
}

void FcDsStrokes::Reserve(std::size_t pointCount, std::size_t strokeCount) {
  points_.reserve(points_.size() + pointCount);
  strokeCounts_.reserve(strokeCounts_.size() + strokeCount);
}

std::int32_t FcDsStrokes::RunStroke(const FcViewTransform& view, const FcPoint2d* points, std::int32_t count,
                                    RunScratch& scratch) {
  FcPoint2d low;
  FcPoint2d high;
  BoxOf(points, static_cast<std::size_t>(count), low, high);
  const FcPoint2d windowMin{view.x0, view.y0};
  const FcPoint2d windowMax{view.x1, view.y1};
  if (!BoxesOverlap(low, high, windowMin, windowMax)) return 0;
  return static_cast<std::int32_t>(AppendRuns(view, points, static_cast<std::size_t>(count),
                                              BoxInsideBox(low, high, windowMin, windowMax), scratch.points,
                                              scratch.runs));
}

void FcDsStrokes::DrawRuns(FcDisplayDevice& device) {
  std::size_t run = 0;
  std::size_t start = 0;
  for (const std::int32_t runs : strokeRuns_) {
    SelectPenAndColor(device);
    device.SetLineWidth(0);
    start = DrawRunsFrom(device, devicePoints_, runLengths_, run, static_cast<std::size_t>(runs), start);
    run += static_cast<std::size_t>(runs);
  }
}

void FcDsStrokes::Draw(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  if (CacheUsable(surface)) {
    if (drawn) DrawRuns(*surface.GetDevice());
    return;
  }
  devicePoints_.clear();
  runLengths_.clear();
  strokeRuns_.clear();
  if (PlaceInView(surface) == Placement::kOutside) return;
  RunScratch& scratch = ThreadScratch();
  const FcPoint2d* stroke = points_.data();
  for (const std::int32_t count : strokeCounts_) {
    const std::int32_t runs = RunStroke(*surface.GetView(), stroke, count, scratch);
    if (runs > 0) scratch.strokeRuns.push_back(runs);
    stroke += count;
  }
  KeepExactly(devicePoints_, scratch.points);
  KeepExactly(runLengths_, scratch.runs);
  KeepExactly(strokeRuns_, scratch.strokeRuns);
  drawn = !strokeRuns_.empty();
  if (drawn) DrawRuns(*surface.GetDevice());
  deviceCacheValid = true;
}

void FcDsStrokes::DrawRotated(FcDisplaySurface& surface) {
  if (!CanDraw(surface)) return;
  const FcPoint2d* stroke = points_.data();
  for (const std::int32_t count : strokeCounts_) {
    PrintChain(surface, *this, stroke, static_cast<std::size_t>(count));
    stroke += count;
  }
  deviceCacheValid = false;
}

bool FcDsStrokes::CrossesWindow(const FcPoint2d& min, const FcPoint2d& max) {
  bool answer = false;
  if (ExtentsDecideCrossing(min, max, answer)) return answer;
  const FcPoint2d* stroke = points_.data();
  for (const std::int32_t count : strokeCounts_) {
    FcPoint2d low;
    FcPoint2d high;
    BoxOf(stroke, static_cast<std::size_t>(count), low, high);
    if (BoxInsideBox(low, high, min, max)) return true;
    if (BoxesOverlap(low, high, min, max) && SegmentsMeetRect(stroke, static_cast<std::size_t>(count), min, max)) {
      return true;
    }
    stroke += count;
  }
  return false;
}
