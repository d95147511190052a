#pragma once

#include "core/handle.h"
#include "core/point2d.h"
#include "database/draw_sink.h"

class FcLayer;

// The sink a dimension draws its block through: every primitive carries
// the dimension's handle, so that picking finds the dimension, and is moved
// by the block's offset; entities on layer "0" follow the dimension's layer.
// Block references in the block (arrowheads) draw through the outer sink's
// nesting with the offset folded in, inside the dimension's group.
class FcDimensionBlockSink : public FcDrawSink {
 public:
  FcDimensionBlockSink(FcDrawSink& outer, FcHandle handle, const FcPoint2d& offset, FcLayer* layer);
  // Gives the outer sink its nesting back when a reference changed it.
  ~FcDimensionBlockSink() override;
  FcDimensionBlockSink(const FcDimensionBlockSink&) = delete;
  FcDimensionBlockSink& operator=(const FcDimensionBlockSink&) = delete;

  FcNestingState GetNesting() const override;
  void SetNesting(const FcNestingState& state) override;

  FcPenContext GetPenContext() const override;
  void SetPen(const FcPen& pen) override { outer_.SetPen(pen); }
  void SetContinuousLinetype() override { outer_.SetContinuousLinetype(); }
  FcDrawContext GetContext() const override { return outer_.GetContext(); }
  double CurveChordTolerance() const override { return outer_.CurveChordTolerance(); }

  void AddLine(const FcPoint2d& start, const FcPoint2d& end, int subIndex, FcHandle handle) override;
  void AddPoint(const FcPoint2d& point, FcHandle handle, int subIndex) override;
  void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle handle, int subIndex) override;
  void AddCircle(const FcPoint2d& centre, double radius, FcHandle handle, int subIndex) override;
  void AddArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle, FcHandle handle,
              int subIndex) override;
  void AddPolygon(const FcPoint2d* points, int count, FcHandle handle, int subIndex) override;
  void AddRay(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle, int subIndex) override;
  void AddXLine(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle, int subIndex) override;
  void AddImage(const FcSinkImage& image, FcHandle handle, int partTag) override;
  void AddWidePolyline(const PolylineVertex* vertices, int count, bool closed, FcHandle handle) override;
  void AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle handle, int subIndex) override;

 private:
  FcPoint2d Moved(const FcPoint2d& p) const { return forwarded_ ? p : FcPoint2d{p.x + offset_.x, p.y + offset_.y}; }
  std::vector<FcPoint2d> Moved(const FcPoint2d* points, int count) const;
  std::vector<PolylineVertex> Moved(const PolylineVertex* vertices, int count) const;

  FcDrawSink& outer_;
  FcHandle handle_;
  FcPoint2d offset_;
  FcLayer* layer_;
  FcNestingState base_;
  // Once the outer sink holds a nesting state of this sink's, which carries
  // the offset, primitives pass unmoved.
  bool forwarded_ = false;
};
