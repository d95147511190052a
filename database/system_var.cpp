#include "database/system_var.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>

#include "core/code_pages.h"
#include "core/resbuf.h"
#include "database/system_var_access.h"

namespace {

using sysvar_access::SetAtLeastZero;
using sysvar_access::SetInRange;
using sysvar_access::SetNonEmpty;
using sysvar_access::SetPositive;

// The fields that belong to the drawing itself rather than to its settings:
// neither new defaults nor another drawing's settings replace them.
struct DrawingOwnFields {
  explicit DrawingOwnFields(const FcSystemVar& vars)
      : area(vars.area),
        insbase(vars.insbase),
        lastpoint(vars.lastpoint),
        dimstyle(vars.dimstyle),
        dimlwd(vars.dimlwd),
        dimlwe(vars.dimlwe),
        handles(vars.HeaderHandles) {}

  void PutBack(FcSystemVar& vars) const {
    vars.area = area;
    vars.insbase = insbase;
    vars.lastpoint = lastpoint;
    vars.dimstyle = dimstyle;
    vars.dimlwd = dimlwd;
    vars.dimlwe = dimlwe;
    vars.HeaderHandles = handles;
  }

  double area;
  FcPoint2d insbase;
  FcPoint2d lastpoint;
  FcFixedText dimstyle;
  short dimlwd;
  short dimlwe;
  FcHeaderHandles handles;
};

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return lower;
}

const SysVarEntry* FindEntry(std::string_view name) {
  static const auto index = [] {
    std::unordered_map<std::string, const SysVarEntry*> byName;
    for (const auto entries : {GeneralVarEntries(), DimensionVarEntries()}) {
      for (const SysVarEntry& entry : entries) byName.emplace(LowerCase(entry.name), &entry);
    }
    return byName;
  }();
  const auto found = index.find(LowerCase(name));
  return found == index.end() ? nullptr : found->second;
}

FcPoint2d Transformed(const FcMatrix2d& m, FcPoint2d p) {
  TransformPoint(m, p);
  return p;
}

// Far beyond a few turns, taking off one turn at a time would take
// practically forever.
const double kManyTurns = 1e4 * kTwoPi;

}  // namespace

// The program settings name no code page of their own, so new drawings take
// the Western one whatever the machine's locale says.
std::int32_t SystemCodePage() { return kDefaultCodePage; }

FcSystemVar::FcSystemVar() : FcSystemVar(Bare{}) { SetDefaults(); }

void FcSystemVar::SetDefaults() {
  const DrawingOwnFields own(*this);
  const short keptDimunit = dimunit;
  *this = FcSystemVar(Bare{});
  own.PutBack(*this);
  dimunit = keptDimunit;
  dwgcodepage = SystemCodePage();
  SetUcs({0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0});
}

void FcSystemVar::CopyFrom(const FcSystemVar& other) {
  const DrawingOwnFields own(*this);
  const short keptAutosave = AutosaveState;
  const FcPoint2d origin = other.ucsorg;
  const FcPoint2d xPoint{origin.x + other.ucsxdir.x, origin.y + other.ucsxdir.y};
  const FcPoint2d yPoint{origin.x + other.ucsydir.x, origin.y + other.ucsydir.y};
  *this = other;
  own.PutBack(*this);
  AutosaveState = keptAutosave;
  SetUcs(origin, xPoint, yPoint);
}

FcSysVarResult FcSystemVar::SetVar(std::string_view name, const FcResBuf& value) {
  const SysVarEntry* entry = FindEntry(name);
  if (!entry || !entry->set) return FcSysVarResult::kUnknownName;
  entry->set(*this, value);
  return FcSysVarResult::kDone;
}

FcSysVarResult FcSystemVar::GetVar(std::string_view name, FcResBuf& value) const {
  const SysVarEntry* entry = FindEntry(name);
  if (!entry || !entry->get) return FcSysVarResult::kUnknownName;
  entry->get(*this, value);
  return FcSysVarResult::kDone;
}

bool FcSystemVar::SetUcs(const FcPoint2d& origin, const FcPoint2d& xPoint,
                         const FcPoint2d& yPoint) {
  const double dx = xPoint.x - origin.x;
  const double dy = xPoint.y - origin.y;
  const double length = std::hypot(dx, dy);
  // A file can name an x axis of no length; dividing by it would fill the
  // UCS with values that are not numbers.
  if (!(length > 0.0) || !std::isfinite(length) || !std::isfinite(origin.x) ||
      !std::isfinite(origin.y)) {
    return false;
  }
  const double side = dx * (yPoint.y - origin.y) - dy * (yPoint.x - origin.x);
  const bool leftHanded = side < kNegTolerance;
  ucsorg = origin;
  ucsxdir = {dx / length, dy / length};
  UcsAngle = std::atan2(ucsxdir.y, ucsxdir.x);
  ucsydir = leftHanded ? FcPoint2d{ucsxdir.y, -ucsxdir.x} : FcPoint2d{-ucsxdir.y, ucsxdir.x};
  UcsLeftHanded = leftHanded ? 1 : 0;
  UcsToWorld = {ucsxdir.x, ucsydir.x, ucsorg.x, ucsxdir.y, ucsydir.y, ucsorg.y};
  InvertMatrix(UcsToWorld, WorldToUcs);
  UcsIsWorld = ucsorg.x == 0.0 && ucsorg.y == 0.0 && ucsxdir.x == 1.0 && ucsxdir.y == 0.0 &&
                       ucsydir.x == 0.0 && ucsydir.y == 1.0
                   ? 1
                   : 0;
  return true;
}

FcPoint2d FcSystemVar::GetLastPoint() const { return Transformed(WorldToUcs, lastpoint); }

void FcSystemVar::SetLastPoint(const FcPoint2d& ucsPoint) {
  lastpoint = Transformed(UcsToWorld, ucsPoint);
}

bool FcSystemVar::SetCodePage(std::int32_t codePage) {
  if (std::find(kSupportedCodePages.begin(), kSupportedCodePages.end(), codePage) ==
      kSupportedCodePages.end()) {
    return false;
  }
  dwgcodepage = codePage;
  return true;
}

void FcSystemVar::SetAUnits(short value) { SetInRange(aunits, value, 0, 4); }
void FcSystemVar::SetAuPrec(short value) { SetInRange(auprec, value, 0, 16); }
void FcSystemVar::SetAttMode(short value) { SetInRange(attmode, value, 0, 2); }
void FcSystemVar::SetCeColor(short value) { SetInRange(cecolor, value, 0, 256); }
void FcSystemVar::SetCeLtScale(double value) { SetPositive(celtscale, std::fabs(value)); }

void FcSystemVar::SetCLayer(std::string_view name) { SetNonEmpty(clayer, name); }
void FcSystemVar::SetCeLType(std::string_view name) { SetNonEmpty(celtype, name); }
void FcSystemVar::SetChamferA(double value) { SetAtLeastZero(chamfera, value); }
void FcSystemVar::SetChamferB(double value) { SetAtLeastZero(chamferb, value); }
void FcSystemVar::SetChamferC(double value) { SetAtLeastZero(chamferc, value); }

void FcSystemVar::SetChamferD(double value) {
  if (!std::isfinite(value)) return;
  if (std::fabs(value) > kManyTurns) value = std::fmod(value, kTwoPi);
  while (value < 0.0) value += kTwoPi;
  while (value >= kTwoPi) value -= kTwoPi;
  chamferd = value;
}

void FcSystemVar::SetCircleRad(double value) { SetAtLeastZero(circlerad, value); }
void FcSystemVar::SetCmlJust(short value) { SetInRange(cmljust, value, 0, 2); }
void FcSystemVar::SetCoords(short value) { SetInRange(coords, value, 0, 2); }
void FcSystemVar::SetDragMode(short value) { SetInRange(dragmode, value, 0, 2); }

void FcSystemVar::SetGridUnit(const FcPoint2d& value) { SetPositive(gridunit, value); }
void FcSystemVar::SetInsName(std::string_view name) { SetNonEmpty(insname, name); }
void FcSystemVar::SetLtScale(double value) { SetPositive(ltscale, value); }
void FcSystemVar::SetLUnits(short value) { SetInRange(lunits, value, 1, 5); }
void FcSystemVar::SetLuPrec(short value) { SetInRange(luprec, value, 0, 8); }
void FcSystemVar::SetOsnapCoord(short value) { SetInRange(osnapcoord, value, 0, 2); }
void FcSystemVar::SetPLineWid(double value) { SetAtLeastZero(plinewid, value); }
void FcSystemVar::SetPolySides(short value) { SetInRange(polysides, value, 3, 1024); }
void FcSystemVar::SetSketchInc(double value) { SetAtLeastZero(sketchinc, value); }

void FcSystemVar::SetSnapUnit(const FcPoint2d& value) { SetPositive(snapunit, value); }
void FcSystemVar::SetSplineSegs(short value) {
  // -32768 has no positive counterpart in 16 bits.
  if (value == 0 || value == std::numeric_limits<short>::min()) return;
  splinesegs = static_cast<short>(value < 0 ? -value : value);
}

void FcSystemVar::SetTextSize(double value) { SetPositive(textsize, value); }
void FcSystemVar::SetTraceWid(double value) { SetAtLeastZero(tracewid, value); }
void FcSystemVar::SetUcsIcon(short value) { SetInRange(ucsicon, value, 0, 3); }
