#include "database/viewport.h"

#include <cmath>
#include <new>
#include <string_view>

#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/object_record_parts.h"
#include "database/record_points.h"
#include "database/symbol_list.h"
#include "database/entity_dxf.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

constexpr std::string_view kActiveName = "*Active";

bool IsFinite(const FcPoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
bool IsPositiveSpacing(const FcPoint2d& p) { return IsFinite(p) && p.x > 0.0 && p.y > 0.0; }
std::uint8_t Bit(bool value) { return value ? 1 : 0; }

// The fields a DWG viewport record carries that the program does not keep.
bool SkipDwgViewFields(FcFilerDwg& filer) {
  FcPoint2d ignored;
  double real = 0.0;
  std::uint8_t bit = 0;
  std::int16_t circleZoom = 0;
  if (!ReadDwgPoint3(filer, ignored) || !ReadDwgPoint3(filer, ignored)) return false;
  for (int i = 0; i < 4; ++i) {
    if (!filer.ReadBitDouble(real)) return false;
  }
  for (int i = 0; i < 4; ++i) {
    if (!filer.ReadBit(bit)) return false;
  }
  std::uint8_t renderMode = 0;
  if (filer.GetVersion() >= FcFilerDwg::kVersion2000 && !filer.ReadRawChar(renderMode)) return false;
  return ReadDwgRawPoint(filer, ignored) && ReadDwgRawPoint(filer, ignored) && filer.ReadBit(bit) &&
         filer.ReadBitShort(circleZoom) && filer.ReadBit(bit);
}

// The empty control object of the VIEW and viewport-entity-header tables.
int WriteEmptyControl(FcObject& control, FcFilerDwg& filer) {
  WriteDwgControlStart(control, filer, 0);
  control.EndDwgObject(filer);
  return kFcStatusOk;
}

}  // namespace

FcViewport::FcViewport() {
  SetDwgType(kDwgType);
  SetRecordName("VPORT");
}

FcObject* FcViewport::Create() { return new (std::nothrow) FcViewport(); }

void FcViewport::CaptureFromGraph(const FcGraph& graph) {
  FcViewWindow window;
  // A window without height gives no aspect ratio; the view keeps its own.
  if (graph.GetView() != nullptr && graph.GetView()->GetViewWindow(window) && window.ymax > window.ymin) {
    viewCentre = {(window.xmin + window.xmax) / 2.0, (window.ymin + window.ymax) / 2.0};
    viewHeight = window.ymax - window.ymin;
    aspectRatio = (window.xmax - window.xmin) / viewHeight;
  }
  const FcSystemVar& vars = graph.GetSysVars();
  gridOn = vars.gridmode;
  gridSpacing = vars.gridunit;
  snapOn = vars.snapmode;
  snapBase = vars.snapbase;
  snapSpacing = vars.snapunit;
  snapAngle = vars.snapang;
  ucsIcon = vars.ucsicon;
  ucsOrigin = vars.ucsorg;
  ucsXAxis = vars.ucsxdir;
  ucsYAxis = vars.ucsydir;
}

void FcViewport::ApplyToGraph(FcGraph& graph) const {
  const double halfWidth = viewHeight * aspectRatio / 2.0;
  const double halfHeight = viewHeight / 2.0;
  FcViewWindow current;
  if (IsFinite(viewCentre) && std::isfinite(halfWidth) && std::isfinite(halfHeight) &&
      graph.GetView() != nullptr && graph.GetView()->GetViewWindow(current)) {
    graph.GetView()->SetViewWindow({viewCentre.x - halfWidth, viewCentre.y - halfHeight, viewCentre.x + halfWidth,
                                    viewCentre.y + halfHeight});
  }
  FcSystemVar& vars = graph.GetSysVars();
  vars.gridmode = gridOn != 0 ? 1 : 0;
  if (IsPositiveSpacing(gridSpacing)) vars.gridunit = gridSpacing;
  vars.snapmode = snapOn != 0 ? 1 : 0;
  if (IsFinite(snapBase)) vars.snapbase = snapBase;
  if (IsPositiveSpacing(snapSpacing)) vars.snapunit = snapSpacing;
  if (std::isfinite(snapAngle)) {
    double angle = snapAngle;
    NormalizeAngle(angle);
    vars.snapang = angle;
  }
  if (ucsIcon >= 0 && ucsIcon <= 3) vars.ucsicon = ucsIcon;
  vars.SetUcs(ucsOrigin, ucsOrigin + ucsXAxis, ucsOrigin + ucsYAxis);
}

int FcViewport::WriteDxf(FcFiler& filer) {
  WriteDxfRecordStart(*this, filer, "AcDbViewportTableRecord", kActiveName);
  filer.WriteInt(70, 0);
  WriteDxfPoint(filer, 10, {0.0, 0.0});
  WriteDxfPoint(filer, 11, {1.0, 1.0});
  WriteDxfPoint(filer, 12, viewCentre);
  WriteDxfPoint(filer, 13, snapBase);
  WriteDxfPoint(filer, 14, snapSpacing);
  WriteDxfPoint(filer, 15, gridSpacing);
  filer.WriteReal(40, viewHeight);
  filer.WriteInt(74, ucsIcon);
  filer.WriteReal(41, aspectRatio);
  filer.WriteReal(42, 50.0);
  filer.WriteReal(43, 0.0);
  filer.WriteReal(44, 0.0);
  filer.WriteInt(76, gridOn);
  filer.WriteInt(75, snapOn);
  filer.WriteReal(50, snapAngle * kRadToDeg);
  filer.WriteReal(51, 0.0);
  filer.WriteInt(71, 0);
  filer.WriteInt(72, 100);
  filer.WriteInt(73, 1);
  filer.WriteInt(77, 0);
  filer.WriteInt(78, 0);
  filer.WriteInt(281, 0);
  filer.WriteInt(65, 0);
  WriteDxfUcs(filer, 110, ucsOrigin, ucsXAxis, ucsYAxis);
  return kFcStatusOk;
}

void FcViewport::KeepUcsOf(const FcGraph* graph) {
  if (graph == nullptr) return;
  const FcSystemVar& vars = graph->GetSysVars();
  ucsOrigin = vars.ucsorg;
  ucsXAxis = vars.ucsxdir;
  ucsYAxis = vars.ucsydir;
}

int FcViewport::ReadDxf(FcFiler& filer) {
  KeepUcsOf(filer.GetGraph());
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  if (!ReadSubclassMarker(filer, "AcDbSymbolTableRecord") || !ReadMarkerNoCase(filer, "AcDbViewportTableRecord"))
    return kFcStatusEnd;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    const FcPoint2d point{group.x, group.y};
    switch (group.type) {
      case 0: {
        const std::string_view name = group.text != nullptr ? group.text : "";
        if (name != "ENDTAB" && name != "VPORT") return kFcStatusEnd;
        filer.UnreadGroup();
        if (FcGraph* graph = filer.GetGraph()) ApplyToGraph(*graph);
        return kFcStatusOk;
      }
      case 12:
        viewCentre = point;
        break;
      case 13:
        snapBase = point;
        break;
      case 14:
        snapSpacing = point;
        break;
      case 15:
        gridSpacing = point;
        break;
      case 40:
        viewHeight = group.realValue;
        break;
      case 41:
        aspectRatio = group.realValue;
        break;
      case 50:
        snapAngle = group.realValue;
        break;
      case 74:
        ucsIcon = static_cast<short>(group.intValue);
        break;
      case 75:
        snapOn = static_cast<short>(group.intValue);
        break;
      case 76:
        gridOn = static_cast<short>(group.intValue);
        break;
      case 110:
        ucsOrigin = point;
        break;
      case 111:
        ucsXAxis = point;
        break;
      case 112:
        ucsYAxis = point;
        break;
      default:
        break;
    }
  }
  return kFcStatusReadError;
}

// Files are written in the 2000 release only.
int FcViewport::WriteDwg(FcFilerDwg& filer) {
  WriteDwgRecordStart(*this, filer, kActiveName, true);
  filer.WriteBitDouble(viewHeight);
  filer.WriteBitDouble(aspectRatio * viewHeight);
  WriteDwgRawPoint(filer, viewCentre);
  // The view target at the origin, looking down the z axis.
  WriteDwgPoint3(filer, {0.0, 0.0});
  WriteDwgPoint3(filer, {0.0, 0.0}, 1.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(50.0);
  filer.WriteBitDouble(0.0);
  filer.WriteBitDouble(0.0);
  for (int i = 0; i < 4; ++i) filer.WriteBit(0);
  filer.WriteRawByte(0);
  WriteDwgRawPoint(filer, {0.0, 0.0});
  WriteDwgRawPoint(filer, {1.0, 1.0});
  filer.WriteBit(0);
  filer.WriteBitShort(100);
  filer.WriteBit(1);
  filer.WriteBit(Bit((ucsIcon & kUcsIconOn) != 0));
  filer.WriteBit(Bit((ucsIcon & kUcsIconAtOrigin) != 0));
  filer.WriteBit(Bit(gridOn != 0));
  WriteDwgRawPoint(filer, gridSpacing);
  filer.WriteBit(Bit(snapOn != 0));
  filer.WriteBit(0);
  filer.WriteBitShort(0);
  filer.WriteBitDouble(snapAngle);
  WriteDwgRawPoint(filer, snapBase);
  WriteDwgRawPoint(filer, snapSpacing);
  filer.WriteBit(0);
  filer.WriteBit(1);
  WriteDwgUcs(filer, ucsOrigin, ucsXAxis, ucsYAxis);
  WriteDwgRecordEnd(*this, filer, 2);
  return kFcStatusOk;
}

int FcViewport::ReadDwg(FcFilerDwg& filer) {
  KeepUcsOf(filer.GetGraph());
  FcDwgRecordStart start;
  if (!ReadDwgRecordStart(*this, filer, kDwgType, start)) return kFcStatusReadError;
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  double height = 0.0;
  double width = 0.0;
  if (!filer.ReadBitDouble(height) || !filer.ReadBitDouble(width) || !ReadDwgRawPoint(filer, viewCentre) ||
      !SkipDwgViewFields(filer))
    return kFcStatusReadError;
  viewHeight = height;
  // A view without height has no proportions; the record keeps its own.
  if (height != 0.0 && std::isfinite(width / height)) aspectRatio = width / height;

  std::uint8_t iconOn = 0;
  std::uint8_t iconAtOrigin = 0;
  std::uint8_t grid = 0;
  std::uint8_t snap = 0;
  std::uint8_t snapStyle = 0;
  std::int16_t isopair = 0;
  if (!filer.ReadBit(iconOn) || !filer.ReadBit(iconAtOrigin) || !filer.ReadBit(grid) ||
      !ReadDwgRawPoint(filer, gridSpacing) || !filer.ReadBit(snap) || !filer.ReadBit(snapStyle) ||
      !filer.ReadBitShort(isopair) || !filer.ReadBitDouble(snapAngle) || !ReadDwgRawPoint(filer, snapBase) ||
      !ReadDwgRawPoint(filer, snapSpacing))
    return kFcStatusReadError;
  ucsIcon = static_cast<short>((iconOn != 0 ? kUcsIconOn : 0) | (iconAtOrigin != 0 ? kUcsIconAtOrigin : 0));
  gridOn = grid;
  snapOn = snap;

  if (release2000) {
    std::uint8_t bit = 0;
    double elevation = 0.0;
    std::int16_t orthographic = 0;
    if (!filer.ReadBit(bit) || !filer.ReadBit(bit) || !ReadDwgPoint3(filer, ucsOrigin) ||
        !ReadDwgPoint3(filer, ucsXAxis) || !ReadDwgPoint3(filer, ucsYAxis) || !filer.ReadBitDouble(elevation) ||
        !filer.ReadBitShort(orthographic))
      return kFcStatusReadError;
  }

  FcHandle ignored = 0;
  if (!ReadDwgRecordOwnerHandles(filer, start.place, start.reactors) || !ReadHandleWithCode(filer, 5, ignored))
    return kFcStatusReadError;
  for (int i = 0; release2000 && i < 2; ++i) {
    if (!filer.ReadHandleRef(ignored, 0)) return kFcStatusReadError;
  }
  if (!ReadDwgObjectEnd(filer, start.place)) return kFcStatusReadError;
  if (FcGraph* graph = filer.GetGraph()) ApplyToGraph(*graph);
  return kFcStatusOk;
}

FcViewportList::FcViewportList() {
  SetDwgType(kDwgType);
  active_.SetOwner(this);
}

int FcViewportList::WriteDxf(FcFiler& filer) {
  WriteDxfTableStart(*this, filer, "VPORT", 1);
  active_.WriteDxf(filer);
  filer.WriteString(0, "ENDTAB");
  return kFcStatusOk;
}

int FcViewportList::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk || !ReadSubclassMarker(filer, "AcDbSymbolTable")) return kFcStatusEnd;
  FcResBuf group;
  bool recordRead = false;
  while (filer.ReadGroup(group)) {
    if (group.type != 0) continue;
    const std::string_view name = group.text != nullptr ? group.text : "";
    if (name == "ENDTAB") return kFcStatusOk;
    // Anything else would read on into the next table.
    if (name != "VPORT") return kFcStatusEnd;
    if (recordRead) continue;
    if (active_.ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
    recordRead = true;
  }
  return kFcStatusEnd;
}

int FcViewportList::WriteDwg(FcFilerDwg& filer) {
  WriteDwgControlStart(*this, filer, 3);
  filer.WriteHandleRef(2, 0, 0);
  filer.WriteHandleRef(2, 0, 0);
  filer.WriteHandleRef(2, 0, active_.GetHandle());
  EndDwgObject(filer);
  return active_.WriteDwg(filer);
}

int FcViewportList::ReadDwg(FcFilerDwg& filer) {
  if (const FcGraph* graph = filer.GetGraph()) {
    if (const FcHandle control = graph->GetSysVars().HeaderHandles.viewportControl) SetHandle(control);
  }
  FcDwgRecordPlace place;
  int count = 0;
  if (!ReadDwgControlStart(*this, filer, kDwgType, place, count)) return kFcStatusReadError;
  FcHandle taken = 0;
  for (int i = 0; i < count; ++i) {
    FcHandle handle = 0;
    std::uint8_t code = 0;
    if (RecordBytesLeft(filer, place) <= 0 || !filer.ReadHandleRef(handle, 0, &code)) return kFcStatusReadError;
    if (handle == 0) continue;
    if (code != 2) return kFcStatusReadError;
    if (taken == 0 && filer.FindObjectOffset(handle) >= 0) taken = handle;
  }
  if (!ReadDwgObjectEnd(filer, place)) return kFcStatusReadError;
  if (taken == 0) return kFcStatusOk;
  active_.SetHandle(taken);
  return active_.ReadDwg(filer);
}

int FcViewList::WriteDwg(FcFilerDwg& filer) { return WriteEmptyControl(*this, filer); }

int FcViewHeaderCtrl::WriteDwg(FcFilerDwg& filer) { return WriteEmptyControl(*this, filer); }
