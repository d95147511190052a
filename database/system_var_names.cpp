#include <array>
#include <cmath>

#include "core/code_pages.h"
#include "core/geometry_basics.h"
#include "database/system_var_access.h"
#include "platform/program_settings.h"

namespace {

using namespace sysvar_access;
using V = FcSystemVar;

void SetHandSeed(FcSystemVar& vars, const FcResBuf& value) { vars.handseed = value.handle; }

template <auto Field>
void SetAngle(FcSystemVar& vars, const FcResBuf& value) {
  if (!std::isfinite(value.realValue)) return;
  double angle = value.realValue;
  NormalizeAngle(angle);
  vars.*Field = angle;
}

void SetFilletRad(FcSystemVar& vars, const FcResBuf& value) {
  if (std::isfinite(value.realValue)) vars.filletrad = std::fabs(value.realValue);
}

void SetOsMode(FcSystemVar& vars, const FcResBuf& value) { vars.osmode = value.intValue; }

void SetSplineType(FcSystemVar& vars, const FcResBuf& value) {
  vars.splinetype = ShortOf(value) == 5 ? 5 : 6;
}

void SetLastPointByName(FcSystemVar& vars, const FcResBuf& value) {
  if (IsFinitePoint(value)) vars.SetLastPoint({value.x, value.y});
}

void GetLastPointByName(const FcSystemVar& vars, FcResBuf& value) {
  const FcPoint2d p = vars.GetLastPoint();
  value.type = kResTypePoint2d;
  value.x = p.x;
  value.y = p.y;
}

void SetDwgCodePage(FcSystemVar& vars, const FcResBuf& value) {
  vars.SetCodePage(CodePageFromName(TextOf(value)));
}

void PutCodePageName(FcResBuf& value, int codePage) {
  value.type = kResTypeString;
  value.SetString(CodePageName(codePage).c_str());
}

void GetDwgCodePage(const FcSystemVar& vars, FcResBuf& value) {
  PutCodePageName(value, vars.dwgcodepage);
}

void GetSysCodePage(const FcSystemVar&, FcResBuf& value) {
  PutCodePageName(value, SystemCodePage());
}

template <auto Setting>
void GetProgramSetting(const FcSystemVar&, FcResBuf& value) {
  value.type = kResTypeShort;
  value.intValue = GetProgramSettings().*Setting;
}

const std::array kEntries = {
    SysVarEntry{"HANDSEED", SetHandSeed, nullptr},
    SysVarEntry{"angbase", SetAngle<&V::angbase>, GetReal<&V::angbase>},
    SysVarEntry{"angdir", StoreLowByteNonZero<&V::angdir>, GetFlag<&V::angdir>},
    SysVarEntry{"Area", nullptr, GetReal<&V::area>},
    SysVarEntry{"aunits", SetShort<&V::SetAUnits>, GetShort<&V::aunits>},
    SysVarEntry{"auprec", SetShort<&V::SetAuPrec>, GetShort<&V::auprec>},
    SysVarEntry{"attmode", SetShort<&V::SetAttMode>, GetShort<&V::attmode>},
    SysVarEntry{"cecolor", SetShort<&V::SetCeColor>, GetShort<&V::cecolor>},
    SysVarEntry{"celtscale", SetReal<&V::SetCeLtScale>, GetReal<&V::celtscale>},
    SysVarEntry{"clayer", SetText<&V::SetCLayer>, GetText<&V::clayer>},
    SysVarEntry{"celtype", SetText<&V::SetCeLType>, GetText<&V::celtype>},
    SysVarEntry{"chamfera", SetReal<&V::SetChamferA>, GetReal<&V::chamfera>},
    SysVarEntry{"chamferb", SetReal<&V::SetChamferB>, GetReal<&V::chamferb>},
    SysVarEntry{"chamferc", SetReal<&V::SetChamferC>, GetReal<&V::chamferc>},
    SysVarEntry{"chamferd", SetReal<&V::SetChamferD>, GetReal<&V::chamferd>},
    SysVarEntry{"chammode", StoreNonZero<&V::chammode>, GetShort<&V::chammode>},
    SysVarEntry{"circlerad", SetReal<&V::SetCircleRad>, GetReal<&V::circlerad>},
    SysVarEntry{"cmljust", SetShort<&V::SetCmlJust>, nullptr},
    SysVarEntry{"cmlscale", StoreReal<&V::cmlscale>, nullptr},
    SysVarEntry{"coords", SetShort<&V::SetCoords>, GetShort<&V::coords>},
    SysVarEntry{"dragmode", SetShort<&V::SetDragMode>, nullptr},
    SysVarEntry{"dwgcodepage", SetDwgCodePage, GetDwgCodePage},
    SysVarEntry{"dwgname", nullptr, GetText<&V::dwgname>},
    SysVarEntry{"dwgprefix", nullptr, GetText<&V::dwgprefix>},
    SysVarEntry{"dwgtitled", nullptr, GetShort<&V::dwgtitled>},
    SysVarEntry{"filletrad", SetFilletRad, GetReal<&V::filletrad>},
    SysVarEntry{"gridmode", StoreNonZero<&V::gridmode>, GetShort<&V::gridmode>},
    SysVarEntry{"gridunit", SetPoint<&V::SetGridUnit>, GetPoint<&V::gridunit>},
    SysVarEntry{"insname", SetText<&V::SetInsName>, GetText<&V::insname>},
    SysVarEntry{"InsBase", StorePoint<&V::insbase>, GetPoint<&V::insbase>},
    SysVarEntry{"lastpoint", SetLastPointByName, GetLastPointByName},
    SysVarEntry{"limmin", StorePoint<&V::limmin>, GetPoint<&V::limmin>},
    SysVarEntry{"limmax", StorePoint<&V::limmax>, GetPoint<&V::limmax>},
    SysVarEntry{"ltscale", SetReal<&V::SetLtScale>, GetReal<&V::ltscale>},
    SysVarEntry{"lunits", SetShort<&V::SetLUnits>, GetShort<&V::lunits>},
    SysVarEntry{"luprec", SetShort<&V::SetLuPrec>, GetShort<&V::luprec>},
    SysVarEntry{"mirrtext", StoreLowByteNonZero<&V::mirrtext>, GetFlag<&V::mirrtext>},
    SysVarEntry{"offsetdist", StoreReal<&V::offsetdist>, GetReal<&V::offsetdist>},
    SysVarEntry{"orthomode", StoreNonZero<&V::orthomode>, GetShort<&V::orthomode>},
    SysVarEntry{"osmode", SetOsMode, GetShort<&V::osmode>},
    SysVarEntry{"osnapcoord", SetShort<&V::SetOsnapCoord>, nullptr},
    SysVarEntry{"pdmode", StoreShort<&V::pdmode>, GetShort<&V::pdmode>},
    SysVarEntry{"pdsize", StoreReal<&V::pdsize>, GetReal<&V::pdsize>},
    SysVarEntry{"plinegen", StoreNonZero<&V::plinegen>, nullptr},
    SysVarEntry{"plinewid", SetReal<&V::SetPLineWid>, GetReal<&V::plinewid>},
    SysVarEntry{"polysides", SetShort<&V::SetPolySides>, GetShort<&V::polysides>},
    SysVarEntry{"qtextmode", StoreNonZero<&V::qtextmode>, GetFlag<&V::qtextmode>},
    SysVarEntry{"sketchinc", SetReal<&V::SetSketchInc>, nullptr},
    SysVarEntry{"skpoly", StoreNonZero<&V::skpoly>, nullptr},
    SysVarEntry{"snapang", SetAngle<&V::snapang>, GetReal<&V::snapang>},
    SysVarEntry{"snapbase", StorePoint<&V::snapbase>, GetPoint<&V::snapbase>},
    SysVarEntry{"snapunit", SetPoint<&V::SetSnapUnit>, GetPoint<&V::snapunit>},
    SysVarEntry{"snapmode", StoreNonZero<&V::snapmode>, GetShort<&V::snapmode>},
    SysVarEntry{"splframe", StoreLowByteNonZero<&V::splframe>, GetFlag<&V::splframe>},
    SysVarEntry{"splinesegs", SetShort<&V::SetSplineSegs>, GetShort<&V::splinesegs>},
    SysVarEntry{"splinetype", SetSplineType, GetShort<&V::splinetype>},
    SysVarEntry{"textsize", SetReal<&V::SetTextSize>, GetReal<&V::textsize>},
    SysVarEntry{"textstyle", SetText<&V::SetTextStyleName>, GetText<&V::textstyle>},
    SysVarEntry{"tracewid", SetReal<&V::SetTraceWid>, GetReal<&V::tracewid>},
    SysVarEntry{"ucsicon", SetShort<&V::SetUcsIcon>, GetShort<&V::ucsicon>},
    // Stored as given: the UCS command, not the name, keeps the derived
    // fields in step.
    SysVarEntry{"ucsorg", StorePoint<&V::ucsorg>, GetPoint<&V::ucsorg>},
    SysVarEntry{"ucsxdir", StorePoint<&V::ucsxdir>, GetPoint<&V::ucsxdir>},
    SysVarEntry{"ucsydir", StorePoint<&V::ucsydir>, GetPoint<&V::ucsydir>},
    SysVarEntry{"useri1", StoreShort<&V::useri1>, GetShort<&V::useri1>},
    SysVarEntry{"useri2", StoreShort<&V::useri2>, GetShort<&V::useri2>},
    SysVarEntry{"useri3", StoreShort<&V::useri3>, GetShort<&V::useri3>},
    SysVarEntry{"useri4", StoreShort<&V::useri4>, GetShort<&V::useri4>},
    SysVarEntry{"useri5", StoreShort<&V::useri5>, GetShort<&V::useri5>},
    SysVarEntry{"userr1", StoreReal<&V::userr1>, GetReal<&V::userr1>},
    SysVarEntry{"userr2", StoreReal<&V::userr2>, GetReal<&V::userr2>},
    SysVarEntry{"userr3", StoreReal<&V::userr3>, GetReal<&V::userr3>},
    SysVarEntry{"userr4", StoreReal<&V::userr4>, GetReal<&V::userr4>},
    SysVarEntry{"userr5", StoreReal<&V::userr5>, GetReal<&V::userr5>},
    // Program-wide settings, read here so that a drawing answers for them.
    SysVarEntry{"attdia", nullptr, GetProgramSetting<&ProgramSettings::attdia>},
    SysVarEntry{"attreq", nullptr, GetProgramSetting<&ProgramSettings::attreq>},
    SysVarEntry{"delobj", nullptr, GetProgramSetting<&ProgramSettings::del_obj>},
    SysVarEntry{"zoomfactor", nullptr, GetProgramSetting<&ProgramSettings::zoom_factor>},
    SysVarEntry{"syscodepage", nullptr, GetSysCodePage},
    // Dates and timers the drawing does not keep: setting them is accepted
    // and does nothing, reading them finds nothing.
    SysVarEntry{"tdcreate[2]", SetNothing, nullptr},
    SysVarEntry{"tdindwg[2]", SetNothing, nullptr},
    SysVarEntry{"tducreate[2]", SetNothing, nullptr},
    SysVarEntry{"tdupdate[2]", SetNothing, nullptr},
    SysVarEntry{"tdusrtimer[2]", SetNothing, nullptr},
    SysVarEntry{"tduupdate[2]", SetNothing, nullptr},
    SysVarEntry{"usrtimer", SetNothing, nullptr},
};

}  // namespace

std::span<const SysVarEntry> GeneralVarEntries() { return kEntries; }
