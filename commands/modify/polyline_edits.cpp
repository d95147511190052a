#include "commands/modify/polyline_edits.h"

#include <cmath>
#include <vector>

#include "commands/modify/polyline_conversion.h"
#include "core/arcs.h"
#include "entities/polyline.h"
#include "entities/polyline_segments.h"

namespace {

bool Touches(const PolylineVertex& a, const PolylineVertex& b) {
  return std::fabs(a.x - b.x) <= 1e-7 && std::fabs(a.y - b.y) <= 1e-7;
}

// The piece as a chain of vertices from its start to its end; null for a
// kind that cannot be joined or a closed polyline.
std::unique_ptr<FcPolyline> ChainOf(const FcEntity& piece) {
  if (piece.GetKind() == kEntityLine || piece.GetKind() == kEntityArc) {
    return std::unique_ptr<FcPolyline>(ConvertToPolyline(piece));
  }
  const auto* other = dynamic_cast<const FcPolyline*>(&piece);
  if (other == nullptr || other->IsClosed() || other->GetVertexCount() < 2) return nullptr;
  auto chain = std::make_unique<FcPolyline>();
  for (PolylineVertex v : other->GetVertices()) {
    // The piece keeps its own vertex handles until it is deleted.
    v.handle = 0;
    chain->AppendVertexWithoutHandle(v);
  }
  return chain;
}

// The chain walked from its end; what its old first vertex carried for
// the first segment has moved to the vertex before it.
void Reverse(FcPolyline& chain) {
  chain.Reverse();
  PolylineVertex& last = *chain.GetVertex(chain.GetVertexCount() - 1);
  last.bulge = 0.0;
  last.startWidth = 0.0;
  last.endWidth = 0.0;
}

// The chain's segments after the polyline's last vertex, which the chain
// starts at.
void Append(FcPolyline& polyline, const FcPolyline& chain) {
  const PolylineVertex& first = chain.GetVertices().front();
  PolylineVertex& last = *polyline.GetVertex(polyline.GetVertexCount() - 1);
  last.bulge = first.bulge;
  last.startWidth = first.startWidth;
  last.endWidth = first.endWidth;
  for (int i = 1; i < chain.GetVertexCount(); ++i) {
    PolylineVertex v = *chain.GetVertex(i);
    v.handle = 0;
    polyline.AppendVertexCopy(v);
  }
}

// The chain's segments before the polyline's first vertex, which the chain
// ends at.
void Prepend(FcPolyline& polyline, const FcPolyline& chain) {
  for (int i = chain.GetVertexCount() - 2; i >= 0; --i) polyline.PrependVertexCopy(*chain.GetVertex(i));
}

}  // namespace

void StraightenBetween(FcPolyline& polyline, int low, int high) {
  polyline.SetVertexBulge(low, 0.0);
  for (int i = high - 1; i > low; --i) polyline.RemoveVertex(i);
}

bool BreakBetween(FcPolyline& polyline, int low, int high, std::unique_ptr<FcPolyline>& piece) {
  piece.reset();
  const int n = polyline.GetVertexCount();
  const bool closed = polyline.IsClosed();
  if (low < 0 || high >= n || low > high) return false;
  if (low == high && (low == 0 || (!closed && low == n - 1))) return false;
  if (!closed && low == 0 && high == n - 1) return false;
  const PolylineVertex first = polyline.GetVertices().front();
  const PolylineVertex last = polyline.GetVertices().back();
  polyline.SetClosed(false);
  if (high == n - 1 && low != high) {
    for (int i = n - 1; i > low; --i) polyline.RemoveVertex(i);
    if (closed) polyline.PrependVertexCopy(last);
  } else if (low == 0 && low != high) {
    for (int i = high - 1; i >= 0; --i) polyline.RemoveVertex(i);
    if (closed) polyline.AppendVertexCopy(first);
  } else {
    piece.reset(static_cast<FcPolyline*>(polyline.Clone()));
    if (piece == nullptr) {
      polyline.SetClosed(closed);
      return false;
    }
    for (int i = high - 1; i >= 0; --i) piece->RemoveVertex(i);
    if (closed) piece->AppendVertexCopy(first);
    for (int i = n - 1; i > low; --i) polyline.RemoveVertex(i);
  }
  return true;
}

void TaperPolyline(FcPolyline& polyline, double startWidth, double endWidth) {
  const int segments = PolylineSegmentCount(polyline);
  std::vector<double> lengths;
  double total = 0.0;
  for (int i = 0; i < segments; ++i) {
    const double s = BulgeSegmentLength(VertexPoint(SegmentStart(polyline, i)),
                                        VertexPoint(SegmentEndVertex(polyline, i)), SegmentStart(polyline, i).bulge);
    lengths.push_back(s);
    total += s;
  }
  // Without a length every point lies at the start.
  const auto widthAt = [&](double along) {
    return std::fabs(startWidth + (endWidth - startWidth) * (total > 0.0 ? along / total : 0.0));
  };
  double before = 0.0;
  for (int i = 0; i < segments; ++i) {
    polyline.SetVertexWidths(i, widthAt(before), widthAt(before + lengths[static_cast<std::size_t>(i)]));
    before += lengths[static_cast<std::size_t>(i)];
  }
}

int JoinPiece(FcPolyline& polyline, const FcEntity& piece) {
  const int n = polyline.GetVertexCount();
  if (n == 0 || &piece == &polyline) return 0;
  std::unique_ptr<FcPolyline> chain = ChainOf(piece);
  if (chain == nullptr) return 0;
  const PolylineVertex& first = polyline.GetVertices().front();
  const PolylineVertex& last = polyline.GetVertices().back();
  const PolylineVertex& a = chain->GetVertices().front();
  const PolylineVertex& b = chain->GetVertices().back();
  const int added = chain->GetVertexCount() - 1;
  if (Touches(first, a)) {
    Reverse(*chain);
    Prepend(polyline, *chain);
  } else if (Touches(last, a)) {
    Append(polyline, *chain);
  } else if (Touches(first, b)) {
    Prepend(polyline, *chain);
  } else if (Touches(last, b)) {
    Reverse(*chain);
    Append(polyline, *chain);
  } else {
    return 0;
  }
  return added;
}
