#pragma once

#include <cstdint>

#include "core/handle.h"
#include "core/point2d.h"
#include "database/object.h"

class FcFiler;
class FcFilerDwg;
class FcGraph;

// The "*Active" viewport: the view window of the drawing's display and the
// drafting settings that go with it. Its values matter right after
// CaptureFromGraph (saving) or right after a read; in between, the
// drawing's variables and display are the master copy.
class FcViewport : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 65;
  // UCS icon bits.
  static constexpr short kUcsIconOn = 1;
  static constexpr short kUcsIconAtOrigin = 2;

  FcViewport();
  static FcObject* Create();

  // Fills the record from the drawing's display window and variables.
  void CaptureFromGraph(const FcGraph& graph);
  // Sets the display window and the variables from the record; values the
  // variables would not take are left out.
  void ApplyToGraph(FcGraph& graph) const;

  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "VPORT". A complete record is applied to the
  // filer's drawing.
  int ReadDxf(FcFiler& filer) override;
  int WriteDwg(FcFilerDwg& filer) override;
  // A complete record is applied to the filer's drawing.
  int ReadDwg(FcFilerDwg& filer) override;

  FcPoint2d viewCentre{0.0, 0.0};
  double viewHeight = 9.0;
  // Width / height of the view window.
  double aspectRatio = 4.0 / 3.0;
  short snapOn = 0;
  double snapAngle = 0.0;  // radians
  FcPoint2d snapBase{0.0, 0.0};
  FcPoint2d snapSpacing{10.0, 10.0};
  FcPoint2d gridSpacing{10.0, 10.0};
  short gridOn = 0;
  short ucsIcon = kUcsIconOn;
  FcPoint2d ucsOrigin{0.0, 0.0};
  // Directions, as UCSXDIR and UCSYDIR hold them.
  FcPoint2d ucsXAxis{1.0, 0.0};
  FcPoint2d ucsYAxis{0.0, 1.0};

 private:
  // Readers start from the drawing's UCS, so that a file whose viewport
  // does not carry one (releases before 2000, a VPORT without groups 110
  // to 112) leaves the UCS its header gave.
  void KeepUcsOf(const FcGraph* graph);
};

// The viewport table: a control object with exactly one record, "*Active".
class FcViewportList : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 64;

  FcViewportList();

  FcViewport& GetActive() { return active_; }
  const FcViewport& GetActive() const { return active_; }
  FcHandle GetRecordHandle() const { return active_.GetHandle(); }

  // The whole table, TABLE to ENDTAB.
  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "TABLE". Only the first record is read;
  // further ones are passed over.
  int ReadDxf(FcFiler& filer) override;
  // The control object, then the record.
  int WriteDwg(FcFilerDwg& filer) override;
  // The control object, then the record of its first entry that the file
  // holds; without one the record keeps its values.
  int ReadDwg(FcFilerDwg& filer) override;

 private:
  FcViewport active_;
};

// The VIEW table. Views are not kept; only its DWG control object is
// written, always empty.
class FcViewList : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 60;

  FcViewList() { SetDwgType(kDwgType); }
  int WriteDwg(FcFilerDwg& filer) override;
};

// The viewport-entity-header table: as the VIEW table, an empty DWG control
// object and nothing else.
class FcViewHeaderCtrl : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 70;

  FcViewHeaderCtrl() { SetDwgType(kDwgType); }
  int WriteDwg(FcFilerDwg& filer) override;
};

// The view window of a display surface, in world coordinates.
struct FcViewWindow {
  double xmin = 0.0;
  double ymin = 0.0;
  double xmax = 0.0;
  double ymax = 0.0;
};
