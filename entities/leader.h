#pragma once

#include <cstdint>
#include <vector>

#include "core/point2d.h"
#include "database/entity.h"
#include "entities/dim_style_binding.h"

class FcDimStyle;

// A leader: a path of vertices from an arrowhead at the first vertex to an
// optional hook line, straight or a smooth spline, drawn with the arrow,
// arrow size and line colour of its dimension style. Its annotation is an
// entity of its own; the leader keeps that entity's handle for DWG.
class FcLeader : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 45;
  static constexpr const char* kRecordName = "LEADER";
  static constexpr const char* kSubclassMarker = "AcDbLeader";
  // The annotation types of a DWG record.
  static constexpr std::int16_t kTextAnnotation = 0;
  static constexpr std::int16_t kToleranceAnnotation = 1;
  static constexpr std::int16_t kBlockAnnotation = 2;
  static constexpr std::int16_t kNoAnnotation = 3;
  // More vertices than a file may announce room for at once.
  static constexpr std::size_t kMaxAnnouncedVertices = 4096;

  FcLeader();
  FcLeader(const FcLeader& other);
  FcLeader& operator=(const FcLeader&) = delete;
  // Registered as "FcLeader" and "LEADER"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // Nothing at all is written for a leader whose drawing has no dimension
  // style to bind.
  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  void MarkReferences() override;
  FcEntity* Clone() const override;
  // The vertices, style, flags, sizes, colour and vectors; not the
  // annotation handle, which names an entity the copy is not tied to.
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // As Copy; the style is found again by name in the target drawing, else
  // the target's current style is taken.
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // The vectors are mapped without the translation; the annotation width
  // and height follow the images of the x and y axes.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // Every vertex but the hook vertex.
  void GetGripPoints(FcPoint2dArray& points) override;
  // The grip of the last vertex moves the hook vertex with it.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  // The hook vertex is left out; a reader makes it again from the style.
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  // A spline path snaps to its two ends only; a straight one gives the
  // picked segment.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  FcDimStyle* GetDimStyle() const { return style_.style; }
  FcHandle GetDimStyleHandle() const { return style_.handle; }
  void SetDimStyle(FcDimStyle* style) { style_.Set(style); }
  // The bound style, else the one of the stored handle, else the drawing's
  // current style; null when the drawing has none.
  FcDimStyle* ResolveDimStyle() { return style_.Resolve(*this); }

  const std::vector<FcPoint2d>& GetVertices() const { return vertices_; }
  int GetVertexCount() const { return static_cast<int>(vertices_.size()); }
  void AppendVertex(const FcPoint2d& point);
  void SetVertex(int index, const FcPoint2d& point);
  // Drops the last vertex; nothing when there is none.
  void RemoveLastVertex();
  void ClearVertices();
  // Room for `needed` more vertices: 4 more when that is at most 4, else
  // `needed` + 4.
  void GrowVertices(std::size_t needed);

  // A straight path with a hook line: the vertex before the last starts the
  // hook and is not one of the user's points.
  bool HasHookVertex() const { return hookLine_ != 0 && pathType_ == 0 && vertices_.size() > 1; }

  std::int16_t GetArrowhead() const { return arrowhead_; }
  void SetArrowhead(std::int16_t on) { arrowhead_ = on != 0 ? 1 : 0; }
  std::int16_t GetPathType() const { return pathType_; }
  void SetPathType(std::int16_t type) { pathType_ = type != 0 ? 1 : 0; }
  std::int16_t GetCreationFlag() const { return creationFlag_; }
  std::int16_t GetHookDirection() const { return hookDirection_; }
  void SetHookDirection(std::int16_t direction) { hookDirection_ = direction != 0 ? 1 : 0; }
  std::int16_t GetHookLine() const { return hookLine_; }
  void SetHookLine(std::int16_t on) { hookLine_ = on != 0 ? 1 : 0; }
  double GetAnnotationWidth() const { return annotationWidth_; }
  void SetAnnotationWidth(double width) { annotationWidth_ = width; }
  double GetAnnotationHeight() const { return annotationHeight_; }
  void SetAnnotationHeight(double height) { annotationHeight_ = height; }
  std::int16_t GetColorField() const { return colorField_; }
  const FcPoint2d& GetHorizontalDirection() const { return horizontalDirection_; }
  void SetHorizontalDirection(const FcPoint2d& direction) { horizontalDirection_ = direction; }
  const FcPoint2d& GetBlockOffset() const { return blockOffset_; }
  const FcPoint2d& GetAnnotationOffset() const { return annotationOffset_; }
  FcHandle GetAnnotationHandle() const { return annotationHandle_; }
  void SetAnnotationHandle(FcHandle handle) { annotationHandle_ = handle; }

 private:
  void CopyOwnFields(const FcLeader& other);
  int ReadLeaderGroup(FcFiler& filer, const FcResBuf& group);
  // The hook's direction: the horizontal direction, reversed for hook
  // direction 1.
  FcPoint2d HookVector() const;
  std::int16_t AnnotationType() const;
  // Puts back the hook vertex that a DWG record leaves out.
  void RecreateHookVertex();
  void DrawArrowhead(FcDrawSink& sink, const FcDimStyle& style, const FcPen& pen);
  void DrawSplinePath(FcDrawSink& sink);

  FcDimStyleBinding style_;
  std::int16_t arrowhead_ = 1;
  std::int16_t pathType_ = 0;
  std::int16_t creationFlag_ = 0;
  std::int16_t hookDirection_ = 1;
  std::int16_t hookLine_ = 1;
  double annotationWidth_ = 0.0;
  double annotationHeight_ = 0.0;
  std::int16_t colorField_ = 7;
  FcPoint2d horizontalDirection_{1.0, 0.0};
  FcPoint2d blockOffset_;
  FcPoint2d annotationOffset_;
  FcHandle annotationHandle_ = 0;
  std::vector<FcPoint2d> vertices_;
};
