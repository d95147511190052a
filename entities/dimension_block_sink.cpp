#include "entities/dimension_block_sink.h"

FcDimensionBlockSink::FcDimensionBlockSink(FcDrawSink& outer, FcHandle handle, const FcPoint2d& offset,
                                           FcLayer* layer)
    : outer_(outer), handle_(handle), offset_(offset), layer_(layer), base_(outer.GetNesting()) {}

FcDimensionBlockSink::~FcDimensionBlockSink() {
  if (forwarded_) outer_.SetNesting(base_);
}

FcNestingState FcDimensionBlockSink::GetNesting() const {
  if (forwarded_) return outer_.GetNesting();
  FcNestingState state = base_;
  FcMatrix2d shift;
  shift.c = offset_.x;
  shift.f = offset_.y;
  ComposeMatrices(state.transform, shift, base_.transform);
  return state;
}

void FcDimensionBlockSink::SetNesting(const FcNestingState& state) {
  outer_.SetNesting(state);
  forwarded_ = true;
}

FcPenContext FcDimensionBlockSink::GetPenContext() const {
  FcPenContext context = outer_.GetPenContext();
  if (context.contextLayer == nullptr) context.contextLayer = layer_;
  return context;
}

std::vector<FcPoint2d> FcDimensionBlockSink::Moved(const FcPoint2d* points, int count) const {
  std::vector<FcPoint2d> moved;
  for (int i = 0; i < count; ++i) moved.push_back(Moved(points[i]));
  return moved;
}

std::vector<PolylineVertex> FcDimensionBlockSink::Moved(const PolylineVertex* vertices, int count) const {
  std::vector<PolylineVertex> moved(vertices, vertices + (count > 0 ? count : 0));
  if (forwarded_) return moved;
  for (PolylineVertex& vertex : moved) {
    vertex.x += offset_.x;
    vertex.y += offset_.y;
  }
  return moved;
}

void FcDimensionBlockSink::AddLine(const FcPoint2d& start, const FcPoint2d& end, int subIndex, FcHandle) {
  outer_.AddLine(Moved(start), Moved(end), subIndex, handle_);
}

void FcDimensionBlockSink::AddPoint(const FcPoint2d& point, FcHandle, int subIndex) {
  outer_.AddPoint(Moved(point), handle_, subIndex);
}

void FcDimensionBlockSink::AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle, int subIndex) {
  const std::vector<FcPoint2d> moved = Moved(points, count);
  outer_.AddPolyline(moved.data(), count, closed, handle_, subIndex);
}

void FcDimensionBlockSink::AddCircle(const FcPoint2d& centre, double radius, FcHandle, int subIndex) {
  outer_.AddCircle(Moved(centre), radius, handle_, subIndex);
}

void FcDimensionBlockSink::AddArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle, FcHandle,
                                  int subIndex) {
  outer_.AddArc(Moved(centre), radius, startAngle, endAngle, handle_, subIndex);
}

void FcDimensionBlockSink::AddPolygon(const FcPoint2d* points, int count, FcHandle, int subIndex) {
  const std::vector<FcPoint2d> moved = Moved(points, count);
  outer_.AddPolygon(moved.data(), count, handle_, subIndex);
}

void FcDimensionBlockSink::AddRay(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle, int subIndex) {
  outer_.AddRay(Moved(basePoint), direction, handle_, subIndex);
}

void FcDimensionBlockSink::AddXLine(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle, int subIndex) {
  outer_.AddXLine(Moved(basePoint), direction, handle_, subIndex);
}

void FcDimensionBlockSink::AddImage(const FcSinkImage& image, FcHandle, int partTag) {
  FcSinkImage moved = image;
  moved.insertion = Moved(image.insertion);
  outer_.AddImage(moved, handle_, partTag);
}

void FcDimensionBlockSink::AddWidePolyline(const PolylineVertex* vertices, int count, bool closed, FcHandle) {
  const std::vector<PolylineVertex> moved = Moved(vertices, count);
  outer_.AddWidePolyline(moved.data(), count, closed, handle_);
}

void FcDimensionBlockSink::AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle, int subIndex) {
  const std::vector<PolylineVertex> moved = Moved(vertices, count);
  outer_.AddCurve(moved.data(), count, closed, handle_, subIndex);
}
