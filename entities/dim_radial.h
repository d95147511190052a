#pragma once

#include "entities/dimension.h"

struct FcDimText;

// What the diametric and radial dimensions share: definition points 15 and
// 10, their records and grips.
class FcDimRadial : public FcDimension {
 public:
  using FcDimension::Copy;
  using FcDimension::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  void Transform(const FcMatrix2d& matrix) override;
  // p15, p10 and, unless there is no text, the text midpoint.
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  void RebuildBlock() override;

 protected:
  FcDimRadial(std::uint8_t type, DwgObjectType dwgType, const char* marker);
  FcDimRadial(const FcDimRadial& other, std::uint8_t type);
  // Whether a moved text is put back on the dimension line.
  virtual bool ProjectsMovedText(std::int16_t dimtmove) const = 0;
  virtual void Layout(FcDimText& text) = 0;
  virtual void LayoutWithoutText() = 0;
  // A cross of half-length |DIMCEN x DIMSCALE| at the centre, with centre
  // lines past the curve when DIMCEN is negative.
  void AddCenterMark(const FcPoint2d& centre, double radius);

 private:
  const char* marker_;
};

// The diameter of a circle across the chord from p15 to p10.
class FcDimDiameter : public FcDimRadial {
 public:
  static constexpr DwgObjectType kDwgType = 26;

  FcDimDiameter();
  FcDimDiameter(const FcDimDiameter& other);
  FcDimDiameter& operator=(const FcDimDiameter&) = delete;
  static FcObject* Create();
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void List() override;

 protected:
  bool ProjectsMovedText(std::int16_t dimtmove) const override { return dimtmove == 0; }
  void Layout(FcDimText& text) override;
  void LayoutWithoutText() override;
};

// The radius of a circle or arc from its centre p10 to the point p15 on it.
class FcDimRadius : public FcDimRadial {
 public:
  static constexpr DwgObjectType kDwgType = 25;

  FcDimRadius();
  FcDimRadius(const FcDimRadius& other);
  FcDimRadius& operator=(const FcDimRadius&) = delete;
  static FcObject* Create();
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void List() override;

 protected:
  bool ProjectsMovedText(std::int16_t dimtmove) const override { return dimtmove != 2; }
  void Layout(FcDimText& text) override;
  void LayoutWithoutText() override;
};
