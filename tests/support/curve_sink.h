#pragma once

#include <vector>

#include "database/draw_sink.h"
#include "database/graph.h"

// A sink that keeps the curves and polylines an entity hands it, at a
// fixed chord tolerance; every other primitive is dropped.
class CurveSink : public FcDrawSink {
 public:
  struct Curve {
    std::vector<FcPoint2d> points;
    bool closed = false;
  };

  CurveSink(FcGraph* graph, double tolerance) : graph_(graph), tolerance_(tolerance) {}

  FcPenContext GetPenContext() const override {
    FcPenContext context;
    context.currentLayer = graph_ != nullptr ? graph_->GetCurrentLayer() : nullptr;
    return context;
  }
  void SetPen(const FcPen&) override {}
  void SetContinuousLinetype() override {}
  FcDrawContext GetContext() const override {
    FcDrawContext context;
    context.graph = graph_;
    return context;
  }
  void AddLine(const FcPoint2d&, const FcPoint2d&, int, FcHandle) override {}
  void AddPoint(const FcPoint2d&, FcHandle, int) override {}
  void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle, int) override {
    polylines.push_back({std::vector<FcPoint2d>(points, points + count), closed});
  }
  void AddCircle(const FcPoint2d&, double, FcHandle, int) override {}
  void AddArc(const FcPoint2d&, double, double, double, FcHandle, int) override {}
  void AddPolygon(const FcPoint2d*, int, FcHandle, int) override {}
  void AddRay(const FcPoint2d&, const FcPoint2d&, FcHandle, int) override {}
  void AddXLine(const FcPoint2d&, const FcPoint2d&, FcHandle, int) override {}
  void AddImage(const FcSinkImage&, FcHandle, int) override {}
  void AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle, int) override {
    Curve curve;
    curve.closed = closed;
    for (int i = 0; i < count; ++i) curve.points.push_back({vertices[i].x, vertices[i].y});
    curves.push_back(curve);
  }
  double CurveChordTolerance() const override { return tolerance_; }

  std::vector<Curve> curves;
  std::vector<Curve> polylines;

 private:
  FcGraph* graph_;
  double tolerance_;
};
