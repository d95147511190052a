#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/point2d.h"
#include "database/entity.h"
#include "fonts/point_chain.h"
#include <vector>

class FcFiler;
class FcFilerDwg;
class FcTextStyle;
struct FcResBuf;

// Horizontal justification of a single-line text (group 72).
enum TextJustification : std::int16_t {
  kTextLeft = 0,
  kTextCenter = 1,
  kTextRight = 2,
  kTextAligned = 3,
  kTextMiddle = 4,
  kTextFit = 5,
};

// Vertical justification (group 73).
enum TextVerticalJustification : std::int16_t {
  kTextBaseline = 0,
  kTextBottom = 1,
  kTextVerticalMiddle = 2,
  kTextTop = 3,
};

// One line of text in a text style: placed at its insertion point when it
// is left-justified on the baseline, between its insertion and alignment
// points when aligned or fitted, and at its alignment point otherwise. The
// attribute entities derive from it.
class FcText : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 1;
  static constexpr const char* kRecordName = "TEXT";
  static constexpr const char* kSubclassMarker = "AcDbText";
  static constexpr std::size_t kMaxText = 4095;
  // The default height, as the single-precision 0.2 the program has always
  // stored.
  static constexpr double kDefaultHeight = static_cast<double>(0.2f);
  // Generation flags (group 71).
  static constexpr std::int16_t kBackward = 2;
  static constexpr std::int16_t kUpsideDown = 4;

  FcText();
  FcText(const FcText& other);
  FcText& operator=(const FcText&) = delete;
  // Registered as "FcText" and "TEXT"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // Nothing is written, with result 0, when the drawing has no style at
  // all. The second subclass marker and group 73 only for plain TEXT.
  int WriteDxf(FcFiler& filer) override;
  // Stops, with 0, before a subclass marker other than "AcDbText" (an
  // attribute's own groups follow).
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  bool DrawsOnlyItself() const override { return true; }
  void MarkReferences() override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // The style is bound again by name in the target drawing, else the
  // target's current style is taken.
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // A mirror keeps the text readable unless MIRRTEXT is on, which turns it
  // upside down instead.
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  bool Explode(FcEntitySets& target) override;
  // The insertion point for left/baseline, aligned and fit text; the
  // alignment point for any justified text (so aligned and fit have both).
  void GetGripPoints(FcPoint2dArray& points) override;
  // Aligned and fit text move their two points apart and take the rotation
  // from them; every other text moves as a whole.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  // The four edges of the box of the last layout.
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // One insertion-snap point where the text is placed.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  // The string laid out: the text (an attribute definition answers its
  // tag).
  virtual const std::string& GetDrawText() const { return text_; }

  // Keeps at most 4095 characters.
  void SetText(std::string_view text);
  const std::string& GetText() const { return text_; }
  // Heights and width factors of 0 or less are ignored.
  void SetHeight(double height);
  void SetWidthFactor(double factor);
  // Binds the style record (pointer, name, handle); null is ignored.
  void SetStyle(FcTextStyle* style);
  // The bound style, after binding it as layout does; null when the
  // drawing has no style at all.
  FcTextStyle* GetStyle();
  const std::string& GetStyleName() const { return styleName_.str(); }
  FcHandle GetStyleHandle() const { return styleHandle_; }

  double GetHeight() const { return height_; }
  double GetWidthFactor() const { return widthFactor_; }
  const FcPoint2d& GetInsertionPoint() const { return insertion_; }
  void SetInsertionPoint(const FcPoint2d& point) { insertion_ = point; }
  const FcPoint2d& GetAlignmentPoint() const { return alignment_; }
  void SetAlignmentPoint(const FcPoint2d& point) { alignment_ = point; }
  // Radians.
  double GetRotation() const { return rotation_; }
  void SetRotation(double angle) { rotation_ = angle; }
  double GetObliqueAngle() const { return obliqueAngle_; }
  void SetObliqueAngle(double angle) { obliqueAngle_ = angle; }
  std::int16_t GetGenerationFlags() const { return generationFlags_; }
  void SetGenerationFlags(std::int16_t flags) { generationFlags_ = flags; }
  std::int16_t GetHorizontalJustification() const { return horizontal_; }
  void SetHorizontalJustification(std::int16_t value) { horizontal_ = value; }
  std::int16_t GetVerticalJustification() const { return vertical_; }
  void SetVerticalJustification(std::int16_t value) { vertical_ = value; }
  // Set while the text command types the text: a caret follows the text
  // and even an empty text is laid out.
  bool HasCaret() const { return caret_ != 0; }
  void SetCaret(bool caret) { caret_ = caret ? 1 : 0; }
  // The corners of the last layout in drawing coordinates: lower left,
  // upper left, upper right, lower right of the unrotated text.
  const std::array<FcPoint2d, 4>& GetBox() const { return box_; }

  // The glyph chains of the text in text units and the matrix that puts
  // them in place; refreshes the box and, for aligned and fit text, the
  // height or width factor. Empty for an empty text without caret or
  // without any style.
  std::vector<PointChain> Layout(FcMatrix2d& placement, FcGraph* graph);
  // One glyph at the pen, which moves on by its advance; superscript (1)
  // and subscript (2) glyphs are 0.618 of the height.
  void LayoutChar(const FcTextStyle& style, int code, FcPoint2d& pen, int mode, PointChain& chain) const;

  // Left on the baseline: placed at the insertion point.
  bool IsLeftBaseline() const { return horizontal_ == kTextLeft && vertical_ == kTextBaseline; }
  bool IsAlignedOrFit() const { return horizontal_ == kTextAligned || horizontal_ == kTextFit; }
  // Where the text is placed: the insertion point for left/baseline,
  // aligned and fit text, else the alignment point.
  const FcPoint2d& GetPlacementPoint() const {
    return IsLeftBaseline() || IsAlignedOrFit() ? insertion_ : alignment_;
  }

 protected:
  FcText(const char* recordName, EntityKind kind, DwgObjectType dwgType);

  // The listing's lines of what the text holds, and those printed before
  // its generation flags; attributes list their value, tag and flags there.
  virtual void ListContents();
  virtual void ListBeforeGeneration() {}

  // The text's own generation flags, or the style's when they are 0.
  bool IsUpsideDown(const FcTextStyle* style) const;
  bool IsBackward(const FcTextStyle* style) const;

 private:
  void CopyOwnFields(const FcText& other);
  int ReadTextGroup(FcFiler& filer, const FcResBuf& group);
  // The style the listing and the file writers use: by handle, by name,
  // else the drawing's current style, without storing name or handle.
  FcTextStyle* FindStyleForOutput(const FcGraph* graph) const;
  // The style as layout binds it, storing what it finds.
  FcTextStyle* BindStyle(FcGraph* graph, bool fallBackToCurrent);

  // The small fields together, so that no padding lies between them.
  std::uint8_t caret_ = 0;
  std::int16_t generationFlags_ = 0;
  std::int16_t horizontal_ = kTextLeft;
  std::int16_t vertical_ = kTextBaseline;
  FcPoint2d insertion_;
  std::string text_;
  // Shared: a drawing's texts name a handful of styles.
  FcSharedName styleName_{"standard"};
  double height_ = kDefaultHeight;
  double rotation_ = 0.0;
  double widthFactor_ = 1.0;
  double obliqueAngle_ = 0.0;
  FcPoint2d alignment_;
  FcTextStyle* style_ = nullptr;
  FcHandle styleHandle_ = 0;
  std::array<FcPoint2d, 4> box_{};
};
