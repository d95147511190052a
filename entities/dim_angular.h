#pragma once

#include "entities/dimension.h"

// The angular dimensions are read, kept and written with their blocks;
// their own layouts are not built yet, so their blocks change only by
// being moved, turned or scaled along with them.
class FcDimAngular : public FcDimension {
 public:
  using FcDimension::Copy;
  using FcDimension::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  // The points and the block's entities through the matrix.
  void Transform(const FcMatrix2d& matrix) override;
  void GetGripPoints(FcPoint2dArray& points) override;
  void RebuildBlock() override;

 protected:
  FcDimAngular(std::uint8_t type, DwgObjectType dwgType, const char* marker, bool twoLines);
  FcDimAngular(const FcDimAngular& other);

 private:
  const char* marker_;
  bool twoLines_;
};

// The angle between two lines (13-14 and 15-10), its arc through p16.
class FcDim2LAng : public FcDimAngular {
 public:
  static constexpr DwgObjectType kDwgType = 24;

  FcDim2LAng();
  FcDim2LAng(const FcDim2LAng& other) = default;
  FcDim2LAng& operator=(const FcDim2LAng&) = delete;
  static FcObject* Create();
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void List() override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
};

// The angle at the vertex p15 between p13 and p14, its arc through p10.
class FcDim3PAng : public FcDimAngular {
 public:
  static constexpr DwgObjectType kDwgType = 23;

  FcDim3PAng();
  FcDim3PAng(const FcDim3PAng& other) = default;
  FcDim3PAng& operator=(const FcDim3PAng&) = delete;
  static FcObject* Create();
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void List() override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
};
