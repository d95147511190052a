#pragma once

#include <cstdint>

#include "core/handle.h"
#include "core/point2d.h"
#include "database/fixed_text.h"
#include "database/object.h"

// A named page set-up. The drawing does not interpret the values: it keeps
// every field so that files keep their page set-ups through a read and a
// write. Its DWG type is the custom class number the drawing gives it.
class FcPlotSettings : public FcObject {
 public:
  FcPlotSettings();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // 0, or 2 on any failed read or mismatch.
  int ReadDwg(FcFilerDwg& filer) override;
  // 0, or 1 for a malformed record or a failed read.
  int ReadDxf(FcFiler& filer) override;

  // The plot fields in each form, shared with the layout.
  void WriteDxfFields(FcFiler& filer);
  int ReadDxfFields(FcFiler& filer);
  void WriteDwgFields(FcFilerDwg& filer);
  // False when a field cannot be read.
  bool ReadDwgFields(FcFilerDwg& filer);

  FcFixedText pageSetupName;      // DXF 1
  FcFixedText printerName;        // DXF 2
  FcFixedText paperSizeName;      // DXF 4
  FcFixedText plotViewName;       // DXF 6
  double leftMargin = 0.0;        // DXF 40
  double bottomMargin = 0.0;      // DXF 41
  double rightMargin = 0.0;       // DXF 42
  double topMargin = 0.0;         // DXF 43
  double paperWidth = 0.0;        // DXF 44
  double paperHeight = 0.0;       // DXF 45
  FcPoint2d plotOrigin;           // DXF 46, 47
  FcPoint2d windowLowerLeft;      // DXF 48, 49
  FcPoint2d windowUpperRight;     // DXF 140, 141
  double scaleNumerator = 1.0;    // DXF 142, real-world units
  double scaleDenominator = 1.0;  // DXF 143, drawing units
  std::int16_t plotLayoutFlags = 1712;  // DXF 70
  std::int16_t paperUnits = 0;          // DXF 72
  std::int16_t plotRotation = 0;        // DXF 73
  std::int16_t plotType = 0;            // DXF 74
  FcFixedText styleSheet;               // DXF 7
  std::int16_t standardScaleType = 1;   // DXF 75
  double scaleFactor = 0.0;             // DXF 147
  FcPoint2d paperImageOrigin;           // DXF 148, 149

 protected:
  // The common start of the record, the reactor count (checked against
  // the record) and the plot fields; false on any failure.
  bool ReadDwgStart(FcFilerDwg& filer, FcDwgRecordPlace& place, std::int32_t& reactors);
};

// A layout: the page set-up of one space, tied to its block record. Its DWG
// type is the custom class number of "LAYOUT" (502 in a new drawing).
class FcLayout : public FcPlotSettings {
 public:
  FcLayout();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;

  FcFixedText layoutName;          // DXF 1 after "AcDbLayout"
  std::int16_t layoutFlags = 1;    // DXF 70
  std::int16_t tabOrder = 0;       // DXF 71
  FcPoint2d limitsMin;             // DXF 10, 20
  FcPoint2d limitsMax{12.0, 9.0};  // DXF 11, 21
  FcPoint2d insertionBase;         // DXF 12, 22
  FcPoint2d extentsMin;            // DXF 14, 24
  FcPoint2d extentsMax;            // DXF 15, 25
  double elevation = 0.0;          // DXF 146
  FcPoint2d ucsOrigin;             // DXF 13, 23
  FcPoint2d ucsXAxis{1.0, 0.0};    // DXF 16, 26
  FcPoint2d ucsYAxis{0.0, 1.0};    // DXF 17, 27
  std::int16_t ucsOrthoType = 0;   // DXF 76
  FcHandle blockRecord = 0;        // DXF 330, the layout's space
};
