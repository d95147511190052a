#include "database/layout.h"

#include <string>

#include "core/resbuf.h"
#include "database/object_record_parts.h"
#include "database/record_points.h"
#include "database/symbol_list.h"
#include "database/entity_dxf.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

bool ReadDwgText(FcFilerDwg& filer, FcFixedText& field) {
  std::string text;
  if (!filer.ReadText(text)) return false;
  field = text;
  return true;
}

const char* TextOf(const FcResBuf& group) { return group.text != nullptr ? group.text : ""; }

}  // namespace

FcPlotSettings::FcPlotSettings() { SetRecordName("PLOTSETTINGS"); }

FcObject* FcPlotSettings::Create() { return new FcPlotSettings(); }

void FcPlotSettings::WriteDxfFields(FcFiler& filer) {
  filer.WriteString(100, "AcDbPlotSettings");
  filer.WriteString(1, pageSetupName.str());
  filer.WriteString(2, printerName.str());
  filer.WriteString(4, paperSizeName.str());
  filer.WriteString(6, plotViewName.str());
  filer.WriteReal(40, leftMargin);
  filer.WriteReal(41, bottomMargin);
  filer.WriteReal(42, rightMargin);
  filer.WriteReal(43, topMargin);
  filer.WriteReal(44, paperWidth);
  filer.WriteReal(45, paperHeight);
  filer.WriteReal(46, plotOrigin.x);
  filer.WriteReal(47, plotOrigin.y);
  filer.WriteReal(48, windowLowerLeft.x);
  filer.WriteReal(49, windowLowerLeft.y);
  filer.WriteReal(140, windowUpperRight.x);
  filer.WriteReal(141, windowUpperRight.y);
  filer.WriteReal(142, scaleNumerator);
  filer.WriteReal(143, scaleDenominator);
  filer.WriteInt(70, plotLayoutFlags);
  filer.WriteInt(72, paperUnits);
  filer.WriteInt(73, plotRotation);
  filer.WriteInt(74, plotType);
  filer.WriteString(7, styleSheet.str());
  filer.WriteInt(75, standardScaleType);
  filer.WriteReal(147, scaleFactor);
  filer.WriteReal(148, paperImageOrigin.x);
  filer.WriteReal(149, paperImageOrigin.y);
}

int FcPlotSettings::ReadDxfFields(FcFiler& filer) {
  if (!ReadMarkerNoCase(filer, "AcDbPlotSettings")) return kFcStatusEnd;
  return ReadDxfGroups(filer, [this](const FcResBuf& group) {
    const double real = group.realValue;
    const auto value16 = static_cast<std::int16_t>(group.intValue);
    switch (group.type) {
      case 1: pageSetupName = TextOf(group); break;
      case 2: printerName = TextOf(group); break;
      case 4: paperSizeName = TextOf(group); break;
      case 6: plotViewName = TextOf(group); break;
      case 7: styleSheet = TextOf(group); break;
      case 40: leftMargin = real; break;
      case 41: bottomMargin = real; break;
      case 42: rightMargin = real; break;
      case 43: topMargin = real; break;
      case 44: paperWidth = real; break;
      case 45: paperHeight = real; break;
      case 46: plotOrigin.x = real; break;
      case 47: plotOrigin.y = real; break;
      case 48: windowLowerLeft.x = real; break;
      case 49: windowLowerLeft.y = real; break;
      case 140: windowUpperRight.x = real; break;
      case 141: windowUpperRight.y = real; break;
      case 142: scaleNumerator = real; break;
      case 143: scaleDenominator = real; break;
      case 147: scaleFactor = real; break;
      case 148: paperImageOrigin.x = real; break;
      case 149: paperImageOrigin.y = real; break;
      case 70: plotLayoutFlags = value16; break;
      case 72: paperUnits = value16; break;
      case 73: plotRotation = value16; break;
      case 74: plotType = value16; break;
      case 75: standardScaleType = value16; break;
      default: break;
    }
    return kFcStatusOk;
  });
}

void FcPlotSettings::WriteDwgFields(FcFilerDwg& filer) {
  filer.WriteText(pageSetupName.str());
  filer.WriteText(printerName.str());
  filer.WriteBitShort(plotLayoutFlags);
  filer.WriteBitDouble(leftMargin);
  filer.WriteBitDouble(bottomMargin);
  filer.WriteBitDouble(rightMargin);
  filer.WriteBitDouble(topMargin);
  filer.WriteBitDouble(paperWidth);
  filer.WriteBitDouble(paperHeight);
  filer.WriteText(paperSizeName.str());
  filer.WriteBitDouble(plotOrigin.x);
  filer.WriteBitDouble(plotOrigin.y);
  filer.WriteBitShort(paperUnits);
  filer.WriteBitShort(plotRotation);
  filer.WriteBitShort(plotType);
  filer.WriteBitDouble(windowLowerLeft.x);
  filer.WriteBitDouble(windowLowerLeft.y);
  filer.WriteBitDouble(windowUpperRight.x);
  filer.WriteBitDouble(windowUpperRight.y);
  filer.WriteText(plotViewName.str());
  filer.WriteBitDouble(scaleNumerator);
  filer.WriteBitDouble(scaleDenominator);
  filer.WriteText(styleSheet.str());
  filer.WriteBitShort(standardScaleType);
  filer.WriteBitDouble(scaleFactor);
  filer.WriteBitDouble(paperImageOrigin.x);
  filer.WriteBitDouble(paperImageOrigin.y);
}

bool FcPlotSettings::ReadDwgFields(FcFilerDwg& filer) {
  return ReadDwgText(filer, pageSetupName) && ReadDwgText(filer, printerName) &&
         filer.ReadBitShort(plotLayoutFlags) && filer.ReadBitDouble(leftMargin) &&
         filer.ReadBitDouble(bottomMargin) && filer.ReadBitDouble(rightMargin) &&
         filer.ReadBitDouble(topMargin) && filer.ReadBitDouble(paperWidth) &&
         filer.ReadBitDouble(paperHeight) && ReadDwgText(filer, paperSizeName) &&
         filer.ReadBitDouble(plotOrigin.x) && filer.ReadBitDouble(plotOrigin.y) &&
         filer.ReadBitShort(paperUnits) && filer.ReadBitShort(plotRotation) &&
         filer.ReadBitShort(plotType) && filer.ReadBitDouble(windowLowerLeft.x) &&
         filer.ReadBitDouble(windowLowerLeft.y) && filer.ReadBitDouble(windowUpperRight.x) &&
         filer.ReadBitDouble(windowUpperRight.y) && ReadDwgText(filer, plotViewName) &&
         filer.ReadBitDouble(scaleNumerator) && filer.ReadBitDouble(scaleDenominator) &&
         ReadDwgText(filer, styleSheet) && filer.ReadBitShort(standardScaleType) &&
         filer.ReadBitDouble(scaleFactor) && filer.ReadBitDouble(paperImageOrigin.x) &&
         filer.ReadBitDouble(paperImageOrigin.y);
}

int FcPlotSettings::WriteDxf(FcFiler& filer) {
  WriteCommonGroupsWithReactors(*this, filer);
  WriteDxfFields(filer);
  return kFcStatusOk;
}

int FcPlotSettings::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  return ReadDxfFields(filer);
}

bool FcPlotSettings::ReadDwgStart(FcFilerDwg& filer, FcDwgRecordPlace& place, std::int32_t& reactors) {
  return ReadDwgObjectStart(filer, GetDwgType(), place) && ReadDwgReactorCount(filer, place, reactors) &&
         ReadDwgFields(filer);
}

int FcPlotSettings::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  WriteDwgFields(filer);
  WriteDwgOwnerHandles(*this, filer, 4);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcPlotSettings::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  if (!ReadDwgStart(filer, place, reactors) || !ReadDwgRecordOwnerHandles(filer, place, reactors) ||
      !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  return kFcStatusOk;
}

FcLayout::FcLayout() { SetRecordName("LAYOUT"); }

FcObject* FcLayout::Create() { return new FcLayout(); }

int FcLayout::WriteDxf(FcFiler& filer) {
  FcPlotSettings::WriteDxf(filer);
  filer.WriteString(100, "AcDbLayout");
  filer.WriteString(1, layoutName.str());
  filer.WriteInt(70, layoutFlags);
  filer.WriteInt(71, tabOrder);
  WriteDxfPoint(filer, 10, limitsMin);
  WriteDxfPoint(filer, 11, limitsMax);
  WriteDxfPoint3(filer, 12, insertionBase);
  WriteDxfPoint3(filer, 14, extentsMin);
  WriteDxfPoint3(filer, 15, extentsMax);
  filer.WriteReal(146, elevation);
  WriteDxfPoint3(filer, 13, ucsOrigin);
  WriteDxfPoint3(filer, 16, ucsXAxis);
  WriteDxfPoint3(filer, 17, ucsYAxis);
  filer.WriteInt(76, ucsOrthoType);
  filer.WriteHandle(330, blockRecord);
  return kFcStatusOk;
}

int FcLayout::ReadDxf(FcFiler& filer) {
  const int plot = FcPlotSettings::ReadDxf(filer);
  if (plot != kFcStatusOk) return plot;
  if (!ReadMarkerNoCase(filer, "AcDbLayout")) return kFcStatusEnd;
  return ReadDxfGroups(filer, [this](const FcResBuf& group) {
    const FcPoint2d point{group.x, group.y};
    const auto value16 = static_cast<std::int16_t>(group.intValue);
    switch (group.type) {
      case 1: layoutName = TextOf(group); break;
      case 10: limitsMin = point; break;
      case 11: limitsMax = point; break;
      case 12: insertionBase = point; break;
      case 13: ucsOrigin = point; break;
      case 14: extentsMin = point; break;
      case 15: extentsMax = point; break;
      case 16: ucsXAxis = point; break;
      case 17: ucsYAxis = point; break;
      case 70: layoutFlags = value16; break;
      case 71: tabOrder = value16; break;
      case 76: ucsOrthoType = value16; break;
      case 146: elevation = group.realValue; break;
      case 330: blockRecord = group.handle; break;
      default: break;
    }
    return kFcStatusOk;
  });
}

int FcLayout::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  WriteDwgFields(filer);
  filer.WriteText(layoutName.str());
  filer.WriteBitShort(tabOrder);
  filer.WriteBitShort(layoutFlags);
  WriteDwgPoint3(filer, ucsOrigin);
  WriteDwgRawPoint(filer, limitsMin);
  WriteDwgRawPoint(filer, limitsMax);
  WriteDwgPoint3(filer, insertionBase);
  WriteDwgPoint3(filer, ucsXAxis);
  WriteDwgPoint3(filer, ucsYAxis);
  filer.WriteBitDouble(elevation);
  filer.WriteBitShort(ucsOrthoType);
  WriteDwgPoint3(filer, extentsMin);
  WriteDwgPoint3(filer, extentsMax);
  // The owner is always written relative to the layout's own handle.
  WriteDwgOwnerHandles(*this, filer, 12);
  filer.WriteHandleRef(4, 0, blockRecord);
  filer.WriteHandleRef(4, 0, 0);  // last active viewport
  filer.WriteHandleRef(5, 0, 0);  // base UCS
  filer.WriteHandleRef(5, 0, 0);  // named UCS
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcLayout::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  if (!ReadDwgStart(filer, place, reactors) || !ReadDwgText(filer, layoutName) ||
      !filer.ReadBitShort(tabOrder) || !filer.ReadBitShort(layoutFlags) || !ReadDwgPoint3(filer, ucsOrigin) ||
      !ReadDwgRawPoint(filer, limitsMin) || !ReadDwgRawPoint(filer, limitsMax) ||
      !ReadDwgPoint3(filer, insertionBase) || !ReadDwgPoint3(filer, ucsXAxis) ||
      !ReadDwgPoint3(filer, ucsYAxis) || !filer.ReadBitDouble(elevation) || !filer.ReadBitShort(ucsOrthoType) ||
      !ReadDwgPoint3(filer, extentsMin) || !ReadDwgPoint3(filer, extentsMax) ||
      !ReadDwgRecordOwnerHandles(filer, place, reactors) || !filer.ReadHandleRef(blockRecord, 0))
    return kFcStatusReadError;
  FcHandle ignored = 0;
  for (int i = 0; i < 3; ++i) {
    if (!filer.ReadHandleRef(ignored, 0)) return kFcStatusReadError;
  }
  return ReadDwgObjectEnd(filer, place) ? kFcStatusOk : kFcStatusReadError;
}
