#pragma once

#include <memory>
#include <vector>

#include "core/point2d.h"
#include "fonts/point_chain.h"

// The pieces a shape-font glyph is made of. Points are in font units
// divided by the font's "above", so 1.0 is the cap height; Emit writes them
// times 100, in glyph units.
class CMyBase {
 public:
  static constexpr int kArc = 1;
  static constexpr int kPolyline = 2;
  static constexpr int kShape = 3;

  virtual ~CMyBase() = default;
  virtual int GetType() const = 0;
  virtual void Emit(PointChain& chain) const = 0;
};

// A counter-clockwise arc from the start to the end point; equal ends make
// a full circle.
class CMyArc : public CMyBase {
 public:
  // The number of points an arc emits.
  static constexpr int kPoints = 61;

  CMyArc(const FcPoint2d& centre, const FcPoint2d& start, const FcPoint2d& end)
      : centre_(centre), start_(start), end_(end) {}
  int GetType() const override { return kArc; }
  void Emit(PointChain& chain) const override;

  const FcPoint2d& GetCentre() const { return centre_; }
  const FcPoint2d& GetStart() const { return start_; }
  const FcPoint2d& GetEnd() const { return end_; }

 private:
  FcPoint2d centre_;
  FcPoint2d start_;
  FcPoint2d end_;
};

class CMyPolyLn : public CMyBase {
 public:
  int GetType() const override { return kPolyline; }
  void Emit(PointChain& chain) const override;
  void AddPoint(const FcPoint2d& point) { points_.push_back(point); }
  const std::vector<FcPoint2d>& GetPoints() const { return points_; }

 private:
  std::vector<FcPoint2d> points_;
};

// One interpreted glyph: its pieces in drawing order and the pen's final x
// (the advance) in font units.
class CShape : public CMyBase {
 public:
  int GetType() const override { return kShape; }
  // Makes the chain a stroke chain and emits every piece in order.
  void Emit(PointChain& chain) const override;

  // Only polylines of at least 2 points are kept.
  void AddPolyline(const FcPoint2d* points, int count);
  void AddLine(const FcPoint2d& end, const FcPoint2d& start);
  void AddArc(const FcPoint2d& centre, const FcPoint2d& start, const FcPoint2d& end);

  const std::vector<std::unique_ptr<CMyBase>>& GetPieces() const { return pieces_; }
  double GetAdvance() const { return advance_; }
  void SetAdvance(double advance) { advance_ = advance; }
  void Clear() {
    pieces_.clear();
    advance_ = 0.0;
  }

 private:
  std::vector<std::unique_ptr<CMyBase>> pieces_;
  double advance_ = 0.0;
};
