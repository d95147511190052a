#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/point2d.h"
#include "database/entity.h"

class FcBlock;
class FcDimStyle;
class FcGraph;
class FcLine;

// Dimension types: the low three bits of the type byte (DXF 70).
inline constexpr std::uint8_t kDimTypeRotated = 0;
inline constexpr std::uint8_t kDimTypeAligned = 1;
inline constexpr std::uint8_t kDimTypeAngular2Line = 2;
inline constexpr std::uint8_t kDimTypeDiameter = 3;
inline constexpr std::uint8_t kDimTypeRadius = 4;
inline constexpr std::uint8_t kDimTypeAngular3Point = 5;
inline constexpr std::uint8_t kDimTypeOrdinate = 6;
// The ordinate measures X.
inline constexpr std::uint8_t kDimOrdinateX = 64;
// The user placed the text: the layouts keep the stored text midpoint.
inline constexpr std::uint8_t kDimUserText = 128;

// The text of a dimension while its layout places it: the measured (or
// overriding) contents and the box the layout reads and moves. The box is
// centred on the insertion point, along the direction.
struct FcDimText {
  std::string contents;
  FcPoint2d insertion;
  double direction = 0.0;
  double height = 0.0;
  // The laid-out size of the contents at that height.
  double width = 0.0;
  double boxHeight = 0.0;
  std::int16_t color = 0;
  FcHandle style = 0;
  std::int16_t lineSpacingStyle = 1;
  double lineSpacingFactor = 1.0;
  // The drawing whose style and fonts the text is laid out with; null
  // when the dimension has none.
  FcGraph* graph = nullptr;
};

// The base of every dimension: its definition points, its text settings and
// its style. What it draws is an anonymous "*D" block of lines, points,
// arrowheads and one text that the dimension builds from those data; a
// block read from a file is kept until the dimension changes.
class FcDimension : public FcEntity {
 public:
  static constexpr const char* kRecordName = "DIMENSION";
  static constexpr const char* kSubclassMarker = "AcDbDimension";
  static constexpr std::size_t kMaxTextOverride = 1023;

  ~FcDimension() override;

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  // The whole record: the common groups, those of "AcDbDimension" and
  // those of the kind's subclasses. 0; 1 malformed; 2 bad extended data;
  // 3 an unknown linetype.
  int ReadDxf(FcFiler& filer) override;
  FcEntity* FindObjectByHandle(FcHandle handle) override;
  // Draws the block, built first when the dimension has none.
  bool Draw(FcDrawSink* sink) override;
  void MarkReferences() override;
  // The fields of another dimension; the copy builds a block of its own.
  void Copy(const FcEntity* other) override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  // Copies of the block's entities; true when it held any.
  bool Explode(FcEntitySets& target) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;
  void GetBlockSnapSegments(int mode, const FcPoint2d& pickPoint, FcHandle subEntity, int subIndex,
                            int secondIndex, const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  FcBlock* GetReferencedBlock() const override;
  // Builds the block again from the definition points and the style.
  void RebuildBlock() override = 0;
  void AdoptCopiedBlock(const FcEntity& source, FcGraph& target) override;

  std::uint8_t GetDimType() const { return type_; }
  void SetDimType(std::uint8_t type) { type_ = type; }
  bool IsUserText() const { return (type_ & kDimUserText) != 0; }
  const FcPoint2d& GetDefPoint10() const { return p10_; }
  const FcPoint2d& GetDefPoint13() const { return p13_; }
  const FcPoint2d& GetDefPoint14() const { return p14_; }
  const FcPoint2d& GetDefPoint15() const { return p15_; }
  const FcPoint2d& GetDefPoint16() const { return p16_; }
  void SetDefPoint10(const FcPoint2d& p) { p10_ = p; }
  void SetDefPoint13(const FcPoint2d& p) { p13_ = p; }
  void SetDefPoint14(const FcPoint2d& p) { p14_ = p; }
  void SetDefPoint15(const FcPoint2d& p) { p15_ = p; }
  void SetDefPoint16(const FcPoint2d& p) { p16_ = p; }
  const FcPoint2d& GetTextMidpoint() const { return textMidpoint_; }
  void SetTextMidpoint(const FcPoint2d& p) { textMidpoint_ = p; }
  const FcPoint2d& GetCloneInsertion() const { return cloneInsertion_; }
  double GetRotation() const { return rotation_; }
  void SetRotation(double angle) { rotation_ = angle; }
  double GetTextRotation() const { return textRotation_; }
  void SetTextRotation(double angle) { textRotation_ = angle; }
  double GetObliqueAngle() const { return oblique_; }
  void SetObliqueAngle(double angle) { oblique_ = angle; }
  double GetHorizontalDirection() const { return horizontalDirection_; }
  void SetHorizontalDirection(double angle) { horizontalDirection_ = angle; }
  double GetLeaderLength() const { return leaderLength_; }
  double GetMeasurement() const { return measurement_; }
  const std::string& GetTextOverride() const { return textOverride_; }
  // Keeps at most kMaxTextOverride characters.
  void SetTextOverride(std::string_view text);
  // True for a text override of one blank: no text at all.
  bool HasNoText() const { return textOverride_ == " "; }
  FcDimStyle* GetDimStyle() const { return style_; }
  FcHandle GetDimStyleHandle() const { return styleHandle_; }
  // Binds the style (null: none, the next rebuild takes the current one).
  void SetDimStyle(FcDimStyle* style);
  FcBlock* GetDimBlock() const;
  FcHandle GetDimBlockHandle() const { return blockHandle_; }
  // Binds the style: the bound one, the one of the stored handle, else the
  // drawing's current style.
  FcDimStyle* ResolveDimStyle();
  // Points the dimension at a block of the drawing (a copy that keeps
  // handles); null leaves it without one, to be built when drawn.
  void BindBlock(FcBlock* block);

  // The steps every rebuild shares. BeginRebuild binds the style with this
  // dimension's overrides and empties (or makes) the block: false when it
  // cannot, and nothing else is done. EndRebuild detaches the overrides.
  bool BeginRebuild();
  void EndRebuild();
  FcGraph* GetRebuildGraph() const;
  // The drawing a dimension that no drawing holds yet (one a command is
  // placing) is built in; copies do not take it.
  void SetPlacementGraph(FcGraph* graph) { placementGraph_ = graph; }
  // The definition point on layer "Defpoints" and, unless suppressed, the
  // extension line from near it to a little past the dimension line.
  void AddExtensionLine(const FcPoint2d& onDimLine, const FcPoint2d& defPoint, bool suppress);
  void AddDefPoint(std::int16_t color, const FcPoint2d& point);
  FcLine* AddBlockLine(const FcPoint2d& start, const FcPoint2d& end, std::int16_t color);
  // An entity made for the block: layer, handle, owner and draw order.
  void AddToBlock(FcEntity* entity);
  // The text to be placed, or null when the override asks for none.
  std::unique_ptr<FcDimText> AddText();
  // Adds the placed text to the block; the text midpoint is the caller's.
  void AddPlacedText(const FcDimText& text);
  // The arrowhead of one end (1 or 2) with its tip at the point, pointing
  // along the angle; nothing for "_None".
  void AddArrowhead(int end, const FcPoint2d& tip, double angle);
  std::string FormatMeasurement() const;
  std::string FormatAltMeasurement() const;
  // Four lines of colour DIMCLRT around the box grown by the gap.
  void AddTextFrame(const FcDimText& text, double gap);
  // Both arrowheads pointing outward from between the points (inside), or
  // inward from beyond them with stubs of the dimension line (outside);
  // DIMSD1, DIMSD2 and DIMSOXD honoured.
  void AddArrowheads(const FcPoint2d& p1, const FcPoint2d& p2, double angle);
  void AddOutsideArrowheads(const FcPoint2d& p1, const FcPoint2d& p2, double angle);
  // The listing lines of the text midpoint, the override and the style.
  void ListTextAndStyle();

  // The layouts' view of the style, read through the overrides and kept
  // finite: absurd sizes come back as 0.
  double ArrowSize() const;
  double TextGap() const;

 protected:
  // Type byte of the kind, the DWG type of the class.
  FcDimension(std::uint8_t type, DwgObjectType dwgType);
  FcDimension(const FcDimension& other);

  // The type byte of a copy: the class's kind with the source's user-text
  // bit.
  void KeepKind(std::uint8_t kind) { type_ = static_cast<std::uint8_t>(kind | (type_ & kUserTextBits)); }
  // Every definition point and the text midpoint; a kind writes only the
  // points it uses, so moving the others with them changes no file.
  void TransformDefinitionPoints(const FcMatrix2d& matrix);
  // After a change of its points: a dimension of a drawing (or one being
  // placed) builds its block at once; a copy outside every drawing builds
  // it when it is first drawn as a member of one, so that copies made only
  // to be looked at leave no blocks behind in the drawing.
  void RebuildIfPlaced();
  bool IsPlaced() const { return GetBlock() != nullptr || placementGraph_ != nullptr; }
  void SetMeasurement(double value) { measurement_ = value; }
  void SetCloneInsertion(const FcPoint2d& p) { cloneInsertion_ = p; }
  void SetLeaderLength(double length) { leaderLength_ = length; }
 private:
  static constexpr std::uint8_t kUserTextBits = kDimUserText;
  void CopyDimensionFields(const FcDimension& other);
  // The kinds' subclasses, whichever follow: 0, or the results of
  // ReadEntityDxf.
  int ReadSubclassesDxf(FcFiler& filer);
  int ReadDimensionGroup(FcFiler& filer, const FcResBuf& group);
  // The block's entities drawn through a sink that gives their primitives
  // this dimension's handle and moves them by the clone insertion point.
  void DrawBlock(FcBlock& block, FcDrawSink& sink);

  FcPoint2d cloneInsertion_;
  std::uint8_t type_ = 0;
  FcPoint2d p16_;
  FcPoint2d p13_;
  FcPoint2d p14_;
  FcPoint2d p15_;
  double leaderLength_ = 0.0;
  double rotation_ = 0.0;
  double textRotation_ = 0.0;
  double oblique_ = 0.0;
  FcPoint2d textMidpoint_;
  FcPoint2d p10_;
  double horizontalDirection_ = 0.0;
  std::int16_t attachment_ = 5;
  std::int16_t lineSpacingStyle_ = 1;
  double lineSpacingFactor_ = 1.0;
  double measurement_ = 0.0;
  std::string textOverride_;
  FcHandle styleHandle_ = 0;
  FcDimStyle* style_ = nullptr;
  FcHandle blockHandle_ = 0;
  mutable FcBlock* block_ = nullptr;
  FcGraph* placementGraph_ = nullptr;
};
