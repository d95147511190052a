#pragma once

#include <cstdint>
#include <vector>

#include "core/point2d.h"
#include "database/entity.h"
#include "entities/hatch_loops.h"
#include "entities/hatch_pattern.h"

// An area bounded by closed loops and filled solidly or with the line
// families of a pattern. The generated pattern lines and the fill rings are
// kept from the first draw that needs them until the hatch changes.
class FcHatch : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 78;
  static constexpr const char* kRecordName = "HATCH";
  static constexpr const char* kSubclassMarker = "AcDbHatch";
  // The snap tag of a pattern line's record.
  static constexpr int kSnapTagPatternLine = 675;

  FcHatch();
  FcHatch(const FcHatch& other);
  FcHatch& operator=(const FcHatch&) = delete;
  // Registered as "FcHatch" and "HATCH"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // Loops, pattern, seed points and both caches emptied.
  void Clear();
  void FreeDisplayCache();
  void FreeFillPolygons();
  // The fill rings of the loops that close, at the tolerance.
  void BuildFillPolygons(double tolerance);
  void AddSeedPoint(const FcPoint2d& point) { seeds_.push_back(point); }

  int WriteDxf(FcFiler& filer) override;
  // 0; 1 without the subclass marker; 2 bad data; 3 an unknown linetype;
  // kHatchSplineDropped when a loop holds a spline edge.
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // The pattern's own angle and scale stay what the hatch was made with.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // A pattern hatch becomes its pattern lines; a solid one is not exploded.
  bool Explode(FcEntitySets& target) override;
  void GetGripPoints(FcPoint2dArray& points) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  // The cached pattern line that display primitive subIndex (from 1) drew.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  FcHatchEdgeList& GetLoops() { return loops_; }
  const FcHatchEdgeList& GetLoops() const { return loops_; }
  FcHPPattern& GetPattern() { return pattern_; }
  const FcHPPattern& GetPattern() const { return pattern_; }
  bool IsSolid() const { return solid_ != 0; }
  void SetSolid(bool solid) { solid_ = solid ? 1 : 0; }
  const std::vector<FcPoint2d>& GetSeedPoints() const { return seeds_; }
  const std::vector<HatchSegment>& GetSegments() const { return segments_; }
  const std::vector<FcPoint2d>& GetFillPoints() const { return fillPoints_; }
  const std::vector<std::int32_t>& GetFillRingCounts() const { return ringCounts_; }

 private:
  void CopyOwnFields(const FcEntity* other);
  int ReadHatchGroup(FcFiler& filer, const FcResBuf& group);
  void GenerateSegments();

  int pendingHandles_ = 0;
  FcHatchEdgeList loops_;
  FcHPPattern pattern_;
  std::int16_t solid_ = 0;
  std::vector<FcPoint2d> seeds_;
  std::vector<HatchSegment> segments_;
  std::vector<FcPoint2d> fillPoints_;
  std::vector<std::int32_t> ringCounts_;
};
