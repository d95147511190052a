#pragma once

#include <span>

#include "entities/dimension.h"

// What both angular dimensions share once their class has turned the
// definition points into one dimension arc (centre, radius, the ends Ps and
// Pe, counter-clockwise from Ps): its arrowheads, the arc itself, whole or
// broken around the text, and the placements of the text. None of the
// arc's fields is stored in a file; every rebuild sets them again.
class FcDimAngle : public FcDimension {
 public:
  using FcDimension::AddArrowheads;
  using FcDimension::AddOutsideArrowheads;
  using FcDimension::Copy;
  using FcDimension::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  // The definition points and the text midpoint through the matrix, then
  // the block is built again.
  void Transform(const FcMatrix2d& matrix) override;
  // The class's definition points in its grip order and, unless there is
  // no text, the text midpoint.
  void GetGripPoints(FcPoint2dArray& points) override;
  // A moved arc point puts the text back at its computed place; a moved
  // text becomes the user's, and with DIMTMOVE 0 the arc point follows it
  // about the centre (unless the definition points give none: then nothing
  // is rebuilt).
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;

  // The angle in radians the dimension measures, as its rebuild would
  // measure it, without building anything; 0 when there is none.
  virtual double ComputeDimLine() = 0;

  const FcPoint2d& GetArcCentre() const { return centre_; }
  double GetArcRadius() const { return radius_; }
  const FcPoint2d& GetArcStart() const { return ps_; }
  const FcPoint2d& GetArcEnd() const { return pe_; }

 protected:
  // The two points where the text's grown box meets the arc, the first
  // nearer the arc start.
  struct TextCrossings {
    FcPoint2d m1;
    FcPoint2d m2;
  };

  FcDimAngle(std::uint8_t type, DwgObjectType dwgType, const char* marker);
  FcDimAngle(const FcDimAngle& other, std::uint8_t type);

  // The arc's angles from the centre and its ends; equal ends give a full
  // turn.
  void ComputeArcAngles();
  // Arrowheads on the arc pointing outward at Ps and Pe, or outside its
  // ends pointing inward with stubs of arc behind them.
  void AddArrowheads(double arrowSize);
  void AddOutsideArrowheads(double arrowSize);
  void AddBlockArc(const FcPoint2d& centre, std::int16_t color, double radius, double start, double end);
  // The arc and its arrowheads with their own fit test, for a dimension
  // whose text is not on the arc.
  void AddDimArcNoText();
  // The closing step of the placements that leave the text on or near the
  // arc: arrowheads inside or outside, the arc whole (crossings null) or in
  // two pieces around the text.
  void AddArcAndArrows(bool inside, const TextCrossings* crossings);
  // The text, the arc point field and the placement the style and the
  // user's text position ask for; then the rebuild ends. The class has set
  // the arc and added its extension lines.
  void FinishAngularRebuild(const FcPoint2d& arcPoint);
  // The text beyond an arc end along its extension line (DIMJUST 3 for
  // the start, 4 for the end). The two-line kind always keeps the gap,
  // ignores the text rotation and underlines only a side with an extension
  // line; the three-point kind does the opposite.
  void PlaceTextOverExtLine(FcDimText& text, bool atEnd, bool hasOrigin);
  // The group codes of the grips in order, the text (11) last, and the
  // group of the arc point.
  virtual std::span<const int> GripGroups() const = 0;
  virtual int ArcPointGroup() const = 0;
  // The centre of the arc from the definition points; false when none.
  virtual bool FindCentre(FcPoint2d& centre) const = 0;
  // Whether a side of the two-line kind has an extension-line origin.
  virtual bool HasExtensionOrigin(bool atEnd) const = 0;

  // Rebuild steps that set the arc.
  void SetArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle);
  void SetStartLine(const FcPoint2d& p1, const FcPoint2d& p2) { startLine1_ = p1, startLine2_ = p2; }
  void SetEndLine(const FcPoint2d& p1, const FcPoint2d& p2) { endLine1_ = p1, endLine2_ = p2; }
  const FcPoint2d& StartLine1() const { return startLine1_; }
  const FcPoint2d& StartLine2() const { return startLine2_; }
  const FcPoint2d& EndLine1() const { return endLine1_; }
  const FcPoint2d& EndLine2() const { return endLine2_; }

 private:
  // The symbols of the layouts, read from the style through the overrides.
  double ArcLength() const { return (thetaE_ - thetaS_) * radius_; }
  double ArrowRoom() const;
  double ChordAngle(double arrowSize) const;
  double Horizontal() const;
  double Readable(double angle) const;
  double MiddleAngle() const;
  double LiftGap() const;
  FcPoint2d LiftedPoint(double angle, const FcDimText& text) const;
  // The end of the arc beyond an arrowhead's tail or its dimension-line
  // extension.
  FcPoint2d ArcEnd(bool atEnd, bool inside) const;
  // The grown box's corners: lower left, upper left, upper right, lower
  // right, as the text reads.
  void GrownBox(const FcDimText& text, FcPoint2d (&corners)[4]) const;
  // The two single crossings of the box edges with the circle: false gives
  // the midpoints of the box's start and end edges instead.
  bool CircleCrossings(const FcDimText& text, TextCrossings& crossings) const;
  // The crossings with the arc itself; false when not two were found.
  // Without two, closest receives how near the box's corners came to it.
  bool ArcCrossings(const FcDimText& text, TextCrossings& crossings, double* closest) const;
  void OrderCrossings(TextCrossings& crossings) const;
  void Frame(const FcDimText& text);
  // The text at its place, into the block and as the text midpoint.
  void PutText(FcDimText& text, const FcPoint2d& at);

  void LayoutAngular(FcDimText& text);
  void PlaceTextCentered(FcDimText& text, FcPoint2d at, const TextCrossings& crossings, double span);
  void PlaceTextAtExtLine(FcDimText& text, TextCrossings crossings, bool towardsEnd, double span);
  // The placements outside the arc when the text does not fit: false from
  // the fit test sends the text there.
  bool FitsOrGoesOutside(FcDimText& text, double span, bool& inside);
  double OutsideStart(FcPoint2d& x);
  void PlaceTextOutsideHoriz(FcDimText& text);
  void PlaceTextOutside(FcDimText& text);
  void PlaceMovedText(FcDimText& text);
  void PlaceMovedTextLeader(FcDimText& text);

  FcPoint2d PointOfGroup(int group) const;
  void SetPointOfGroup(int group, const FcPoint2d& point);
  // Inside or outside arrowheads, and where the arc ends beside them.
  void ArrowheadsAndArcEnds(bool inside, FcPoint2d& x1, FcPoint2d& x2);
  // Where the line from a to b crosses the text's grown box on the side
  // nearer the reference point; false when it misses the box.
  bool NearBoxCrossing(const FcDimText& text, const FcPoint2d& a, const FcPoint2d& b, const FcPoint2d& reference,
                       FcPoint2d& crossing) const;

  const char* marker_;
  FcPoint2d startLine1_;
  FcPoint2d startLine2_;
  FcPoint2d endLine1_;
  FcPoint2d endLine2_;
  FcPoint2d ps_;
  FcPoint2d pe_;
  FcPoint2d arcPoint_;
  FcPoint2d centre_;
  double radius_ = 0.0;
  double thetaS_ = 0.0;
  double thetaE_ = 0.0;
};

// The angle between two lines (13-14 and 15-10); the arc through p16 picks
// which of the four angles between them.
class FcDim2LAng : public FcDimAngle {
 public:
  static constexpr DwgObjectType kDwgType = 24;

  FcDim2LAng();
  FcDim2LAng(const FcDim2LAng& other);
  FcDim2LAng& operator=(const FcDim2LAng&) = delete;
  static FcObject* Create();
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void List() override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  // Nothing for coincident points of a line; an empty block for parallel
  // lines.
  void RebuildBlock() override;
  double ComputeDimLine() override;

 protected:
  bool HasExtensionOrigin(bool atEnd) const override { return atEnd ? endOrigin_ : startOrigin_; }
  std::span<const int> GripGroups() const override;
  int ArcPointGroup() const override { return 16; }
  // Where the two lines cross.
  bool FindCentre(FcPoint2d& centre) const override;

 private:
  bool startOrigin_ = false;
  bool endOrigin_ = false;
};

// The angle at the vertex p15 from p13 to p14, the sweep that holds the arc
// point p10.
class FcDim3PAng : public FcDimAngle {
 public:
  static constexpr DwgObjectType kDwgType = 23;

  FcDim3PAng();
  FcDim3PAng(const FcDim3PAng& other);
  FcDim3PAng& operator=(const FcDim3PAng&) = delete;
  static FcObject* Create();
  FcEntity* Clone() const override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void List() override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  // Nothing, the old block kept, when the vertex lies on an end point.
  void RebuildBlock() override;
  double ComputeDimLine() override;

 protected:
  bool HasExtensionOrigin(bool) const override { return true; }
  std::span<const int> GripGroups() const override;
  int ArcPointGroup() const override { return 10; }
  // The vertex.
  bool FindCentre(FcPoint2d& centre) const override;
};
