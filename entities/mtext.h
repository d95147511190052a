#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/point2d.h"
#include "database/entity.h"

class FcDrawSink;
class FcFiler;
class FcFilerDwg;
class FcTextStyle;
struct FcResBuf;

// The attachment points of a multiline text: which point of its block the
// insertion point is.
enum MTextAttachment : std::uint8_t {
  kMTextTopLeft = 1,
  kMTextTopCenter = 2,
  kMTextTopRight = 3,
  kMTextMiddleLeft = 4,
  kMTextMiddleCenter = 5,
  kMTextMiddleRight = 6,
  kMTextBottomLeft = 7,
  kMTextBottomCenter = 8,
  kMTextBottomRight = 9,
};

// A block of text with inline format codes ("\P" paragraphs, "{...}"
// groups, "\S" stacks, font, height and colour changes), wrapped at its
// reference width, placed by its attachment point at its insertion point
// and turned along its x-direction. FcMTextLayout lays it out.
class FcMText : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 44;
  static constexpr const char* kRecordName = "MTEXT";
  static constexpr const char* kSubclassMarker = "AcDbMText";
  // The longest piece of the contents in one DXF group.
  static constexpr std::size_t kDxfChunk = 250;

  FcMText();
  FcMText(const FcMText& other);
  FcMText& operator=(const FcMText&) = delete;
  // Registered as "FcMText" and "MTEXT"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // The contents go out in groups 3 of at most 250 characters and a last
  // group 1, never cutting a double-byte character.
  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  void MarkReferences() override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // The style is bound again by name in the target drawing, else the
  // target's current style is taken.
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // The height follows the image of the y axis, the width that of the x
  // axis.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // Every glyph contour becomes an open polyline.
  bool Explode(FcEntitySets& target) override;
  // The insertion point, then the corners of the box of reference width
  // and laid-out height that are not the insertion point.
  void GetGripPoints(FcPoint2dArray& points) override;
  // Grip 0 moves the text; a corner changes only the reference width.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  // The four edges of the laid-out text.
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // One insertion-snap point at the insertion point.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  // Null is ignored.
  void SetStyle(FcTextStyle* style);
  // Null gives an empty text.
  void SetContents(const char* contents);
  void SetContents(std::string_view contents) { contents_ = contents; }
  // Only a width above 0 is taken.
  void SetReferenceWidth(double width);
  // Only a height of 0 or more is taken.
  void SetHeight(double height);
  // Only a factor in [0.25, 4] is taken.
  void SetLineSpacingFactor(double factor);
  // The text's angle as the user reads it: counted from ANGBASE,
  // clockwise when ANGDIR is 1.
  double GetRotationAngle() const;
  // The angle of the x-direction in world terms, by which the text is
  // laid out.
  double GetDirectionAngle() const;

  // The bound style: the pointer while it is a record of the drawing, else
  // the record of the stored handle, else the drawing's current style.
  FcTextStyle* GetStyle();
  FcHandle GetStyleHandle() const { return styleHandle_; }
  const std::string& GetContents() const { return contents_; }
  const FcPoint2d& GetInsertionPoint() const { return insertion_; }
  void SetInsertionPoint(const FcPoint2d& point) { insertion_ = point; }
  const FcPoint2d& GetXDirection() const { return xDirection_; }
  // Stored as a unit vector; a zero vector gives (1, 0).
  void SetXDirection(const FcPoint2d& direction);
  double GetHeight() const { return height_; }
  double GetReferenceWidth() const { return referenceWidth_; }
  std::uint8_t GetAttachment() const { return attachment_; }
  void SetAttachment(std::uint8_t attachment) { attachment_ = attachment; }
  std::uint8_t GetDrawingDirection() const { return drawingDirection_; }
  std::int16_t GetLineSpacingStyle() const { return lineSpacingStyle_; }
  void SetLineSpacingStyle(std::int16_t style) { lineSpacingStyle_ = style; }
  double GetLineSpacingFactor() const { return lineSpacingFactor_; }
  // The size of the last layout.
  double GetLaidOutHeight() const { return laidOutHeight_; }
  double GetLaidOutWidth() const { return laidOutWidth_; }
  void SetLaidOutSize(double width, double height) {
    laidOutWidth_ = width;
    laidOutHeight_ = height;
  }

 private:
  void CopyOwnFields(const FcMText& other);
  int ReadMTextGroup(FcFiler& filer, const FcResBuf& group, bool& directionRead);
  // The corners of the grip box in text coordinates, in grip order after
  // the insertion point, with the one on the insertion point left out.
  int GripCorners(std::array<FcPoint2d, 4>& corners) const;

  FcPoint2d insertion_;
  FcPoint2d xDirection_{1.0, 0.0};
  double height_ = 2.5;
  double referenceWidth_ = 0.0;
  std::uint8_t attachment_ = kMTextTopLeft;
  std::uint8_t drawingDirection_ = 1;
  double laidOutHeight_ = 0.0;
  double laidOutWidth_ = 0.0;
  std::int16_t lineSpacingStyle_ = 1;
  double lineSpacingFactor_ = 1.0;
  std::string contents_;
  FcTextStyle* style_ = nullptr;
  FcHandle styleHandle_ = 0;
};
