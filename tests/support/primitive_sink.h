#pragma once

#include <cstdint>
#include <vector>

#include "database/draw_sink.h"
#include "database/graph.h"

// A sink that keeps every line, polyline, circle, arc and polygon an
// entity hands it, each with the colour of the pen it was drawn with.
class PrimitiveSink : public FcDrawSink {
 public:
  struct Line {
    FcPoint2d start;
    FcPoint2d end;
    int subIndex = 0;
    std::int16_t color = 0;
  };
  struct Polyline {
    std::vector<FcPoint2d> points;
    bool closed = false;
    std::int16_t color = 0;
  };
  struct Circle {
    FcPoint2d centre;
    double radius = 0.0;
    double start = 0.0;
    double end = 0.0;
    bool full = true;
    std::int16_t color = 0;
  };

  explicit PrimitiveSink(FcGraph* graph) : graph_(graph) {}

  FcPenContext GetPenContext() const override {
    FcPenContext context;
    context.currentLayer = graph_ != nullptr ? graph_->GetCurrentLayer() : nullptr;
    return context;
  }
  void SetPen(const FcPen& pen) override { color_ = pen.color; }
  void SetContinuousLinetype() override {}
  FcDrawContext GetContext() const override {
    FcDrawContext context;
    context.graph = graph_;
    return context;
  }
  void AddLine(const FcPoint2d& start, const FcPoint2d& end, int subIndex, FcHandle) override {
    lines.push_back({start, end, subIndex, color_});
  }
  void AddPoint(const FcPoint2d&, FcHandle, int) override {}
  void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle, int) override {
    polylines.push_back({std::vector<FcPoint2d>(points, points + count), closed, color_});
  }
  void AddCircle(const FcPoint2d& centre, double radius, FcHandle, int) override {
    circles.push_back({centre, radius, 0.0, 0.0, true, color_});
  }
  void AddArc(const FcPoint2d& centre, double radius, double start, double end, FcHandle, int) override {
    circles.push_back({centre, radius, start, end, false, color_});
  }
  void AddPolygon(const FcPoint2d* points, int count, FcHandle, int) override {
    polygons.push_back({std::vector<FcPoint2d>(points, points + count), true, color_});
  }
  void AddRay(const FcPoint2d&, const FcPoint2d&, FcHandle, int) override {}
  void AddXLine(const FcPoint2d&, const FcPoint2d&, FcHandle, int) override {}
  void AddImage(const FcSinkImage&, FcHandle, int) override {}

  std::vector<Line> lines;
  std::vector<Polyline> polylines;
  std::vector<Polyline> polygons;
  std::vector<Circle> circles;

 private:
  FcGraph* graph_;
  std::int16_t color_ = 0;
};
