#pragma once

#include <array>

#include "core/point2d.h"
#include "database/entity.h"

// What solids, traces and faces share: four corners, of which a triangle
// repeats one. Each class says in which order its outline runs through
// them, whether it is filled and how its file records (DXF groups 10 to 13
// and the DWG record alike) order them. None has a length, an area or boundary
// records; stretching goes through the grips.
class FcCornerEntity : public FcEntity {
 public:
  static constexpr int kCornerCount = 4;
  using Corners = std::array<FcPoint2d, kCornerCount>;
  // Indices of stored corners.
  using CornerOrder = std::array<int, kCornerCount>;

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // The subclass marker, then the corners in the class's file order as
  // groups 10/20 to 13/23.
  int WriteDxf(FcFiler& filer) override;
  // Groups 10 to 13 are the corners in the class's file order; a record
  // without group 13 is a triangle whose fourth corner is its third.
  int ReadDxf(FcFiler& filer) override;
  // Continuous lines: the fill of a filled class, then the outline edges
  // with sub-indices 1 to 4, which a solid leaves out of prints.
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  // The corners are taken only from an entity of the same class.
  void Copy(const FcEntity* other) override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void Transform(const FcMatrix2d& matrix) override;
  // The common lines, then one line per corner in stored order.
  void List() override;
  // The corners in stored order (0 to 3).
  void GetGripPoints(FcPoint2dArray& points) override;
  // Adds the offset to the corner of each index; the number of indices.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  // The layout of solids and traces, corners in the class's file order:
  // thickness 0, elevation 0, four raw points, extrusion (0, 0, 1).
  void WriteDwgData(FcFilerDwg& filer) override;
  // 0, or 2 when the data ends first.
  int ReadDwgData(FcFilerDwg& filer) override;
  // Sub-index k (1 to 4): the edge from the k-th outline corner to the next
  // (the fourth back to the first). Other sub-indices give nothing.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                       const FcMatrix2d& matrix, GeomSegmentList& segments) override;

  // Index 0 to 3 in stored order.
  const FcPoint2d& GetCorner(int index) const { return corners_.at(index); }
  void SetCorner(int index, const FcPoint2d& corner) { corners_.at(index) = corner; }
  const Corners& GetCorners() const { return corners_; }
  void SetCorners(const Corners& corners) { corners_ = corners; }

  // What tells the classes apart; each class keeps one for good.
  struct Style {
    const char* recordName;
    EntityKind kind;
    DwgObjectType dwgType;
    const char* subclassMarker;
    // The stored corners in the order the outline runs through them.
    CornerOrder outline;
    // The stored corners in the order the DXF and DWG records hold them.
    CornerOrder fileOrder;
    bool filled;
    bool outlineWhenPrinting;
    // The listing's text before each corner's X and Y.
    std::array<const char*, kCornerCount> labels;
  };
  static constexpr CornerOrder kStoredOrder = {0, 1, 2, 3};
  static constexpr std::array<const char*, kCornerCount> kFilledLabels = {
      "  From Point: ", "  and Point: ", "  to Point: ", "  and Point: "};

 protected:
  // The style must outlive the entity.
  explicit FcCornerEntity(const Style& style);

 private:
  void CopyOwnFields(const FcEntity* other);

  const Style& style_;
  Corners corners_{};
};
