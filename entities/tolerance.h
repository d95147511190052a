#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/point2d.h"
#include "database/entity.h"
#include "entities/dim_style_binding.h"

class FcDimStyle;

// A geometric tolerance: a feature control frame drawn from a coded text.
// "^J" ends a row, "%%v" a cell, a group "{...}" is the symbol of the
// letter before its closing brace; the rest is cell text in the dimension
// style's text style. Size and colours come from the dimension style with
// the tolerance's own "ACAD" overrides.
class FcTolerance : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 46;
  static constexpr const char* kRecordName = "TOLERANCE";
  static constexpr const char* kSubclassMarker = "AcDbFcf";
  static constexpr std::size_t kMaxText = 1023;

  FcTolerance();
  FcTolerance(const FcTolerance& other);
  FcTolerance& operator=(const FcTolerance&) = delete;
  // Registered as "FcTolerance" and "TOLERANCE"; null when it cannot be
  // allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  // Lays the frame out again and keeps its corners for grips and snaps;
  // nothing is drawn without a dimension style or a text style.
  bool Draw(FcDrawSink* sink) override;
  void MarkReferences() override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // As Copy; the style is found again by name in the target drawing, else
  // the target's current style is taken.
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // The direction follows the image of the insertion point's step along
  // it; a new text height (the image of the y axis at DIMTXT) becomes the
  // tolerance's own DIMTXT override, the style is left as it is.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // The frame points of the last draw: the insertion point, then four
  // corners per row. None before the first draw.
  void GetGripPoints(FcPoint2dArray& points) override;
  // Any grip moves the whole frame; the number of frame points.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // The frame's outline edges of the last draw.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  const FcPoint2d& GetInsertionPoint() const { return insertion_; }
  void SetInsertionPoint(const FcPoint2d& point) { insertion_ = point; }
  const FcPoint2d& GetDirection() const { return direction_; }
  // Stored at unit length; a vector without length gives (1, 0).
  void SetDirection(const FcPoint2d& direction);
  const std::string& GetText() const { return text_; }
  // Keeps at most kMaxText characters; false when the text was cut.
  bool SetText(std::string_view text);
  FcDimStyle* GetDimStyle() const { return style_.style; }
  FcHandle GetDimStyleHandle() const { return style_.handle; }
  void SetDimStyle(FcDimStyle* style) { style_.Set(style); }
  // The bound style, else the one of the stored handle, else the drawing's
  // current style.
  FcDimStyle* ResolveDimStyle() { return style_.Resolve(*this); }
  const std::vector<FcPoint2d>& GetFramePoints() const { return framePoints_; }
  // The text height (DIMTXT) as the tolerance's own "ACAD" override; the
  // other overrides stay.
  void SetDimStyleOverride(double height);

 private:
  void CopyOwnFields(const FcTolerance& other);
  int ReadToleranceGroup(FcFiler& filer, const FcResBuf& group);

  FcPoint2d insertion_;
  FcPoint2d direction_{1.0, 0.0};
  std::string text_;
  FcDimStyleBinding style_;
  std::vector<FcPoint2d> framePoints_;
};
