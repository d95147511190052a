#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "core/code_pages.h"
#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/header_vars.h"
#include "database/system_var.h"
#include "filers/filer.h"

namespace {

using V = FcSystemVar;

// A variable written unconditionally: its "$" name, its group code and the
// field that holds it.
using FieldRef = std::variant<short V::*, std::uint8_t V::*, double V::*, FcFixedText V::*>;
struct HeaderField {
  const char* name;
  std::int16_t code;
  FieldRef field;
};

const std::array kChamferFields = {
    HeaderField{"$CHAMFERA", 40, &V::chamfera},
    HeaderField{"$CHAMFERB", 40, &V::chamferb},
    HeaderField{"$CHAMFERC", 40, &V::chamferc},
    HeaderField{"$CHAMFERD", 40, &V::chamferd},
};

// DIMAZIN, DIMLWD and DIMLWE stay out of the file.
const std::array kDimensionFields = {
    HeaderField{"$DIMADEC", 70, &V::dimadec},     HeaderField{"$DIMALT", 70, &V::dimalt},
    HeaderField{"$DIMALTD", 70, &V::dimaltd},     HeaderField{"$DIMALTF", 40, &V::dimaltf},
    HeaderField{"$DIMALTRND", 40, &V::dimaltrnd}, HeaderField{"$DIMALTTD", 70, &V::dimalttd},
    HeaderField{"$DIMALTTZ", 70, &V::dimalttz},   HeaderField{"$DIMALTU", 70, &V::dimaltu},
    HeaderField{"$DIMALTZ", 70, &V::dimaltz},     HeaderField{"$DIMAPOST", 1, &V::dimapost},
    HeaderField{"$DIMASZ", 40, &V::dimasz},       HeaderField{"$DIMATFIT", 70, &V::dimatfit},
    HeaderField{"$DIMAUNIT", 70, &V::dimaunit},   HeaderField{"$DIMBLK", 1, &V::dimblk},
    HeaderField{"$DIMBLK1", 1, &V::dimblk1},      HeaderField{"$DIMBLK2", 1, &V::dimblk2},
    HeaderField{"$DIMCEN", 40, &V::dimcen},       HeaderField{"$DIMCLRD", 70, &V::dimclrd},
    HeaderField{"$DIMCLRE", 70, &V::dimclre},     HeaderField{"$DIMCLRT", 70, &V::dimclrt},
    HeaderField{"$DIMDEC", 70, &V::dimdec},       HeaderField{"$DIMDLE", 40, &V::dimdle},
    HeaderField{"$DIMDLI", 40, &V::dimdli},       HeaderField{"$DIMDSEP", 70, &V::dimdsep},
    HeaderField{"$DIMEXE", 40, &V::dimexe},       HeaderField{"$DIMEXO", 40, &V::dimexo},
    HeaderField{"$DIMFRAC", 70, &V::dimfrac},     HeaderField{"$DIMGAP", 40, &V::dimgap},
    HeaderField{"$DIMJUST", 70, &V::dimjust},     HeaderField{"$DIMLDRBLK", 1, &V::dimldrblk},
    HeaderField{"$DIMLFAC", 40, &V::dimlfac},     HeaderField{"$DIMLIM", 70, &V::dimlim},
    HeaderField{"$DIMLUNIT", 70, &V::dimlunit},   HeaderField{"$DIMPOST", 1, &V::dimpost},
    HeaderField{"$DIMRND", 40, &V::dimrnd},       HeaderField{"$DIMSAH", 70, &V::dimsah},
    HeaderField{"$DIMSCALE", 40, &V::dimscale},   HeaderField{"$DIMSD1", 70, &V::dimsd1},
    HeaderField{"$DIMSD2", 70, &V::dimsd2},       HeaderField{"$DIMSE1", 70, &V::dimse1},
    HeaderField{"$DIMSE2", 70, &V::dimse2},       HeaderField{"$DIMSHO", 70, &V::dimsho},
    HeaderField{"$DIMSTYLE", 2, &V::dimstyle},    HeaderField{"$DIMSOXD", 70, &V::dimsoxd},
    HeaderField{"$DIMTAD", 70, &V::dimtad},       HeaderField{"$DIMTDEC", 70, &V::dimtdec},
    HeaderField{"$DIMTFAC", 40, &V::dimtfac},     HeaderField{"$DIMTIH", 70, &V::dimtih},
    HeaderField{"$DIMTIX", 70, &V::dimtix},       HeaderField{"$DIMTM", 40, &V::dimtm},
    HeaderField{"$DIMTMOVE", 70, &V::dimtmove},   HeaderField{"$DIMTOFL", 70, &V::dimtofl},
    HeaderField{"$DIMTOH", 70, &V::dimtoh},       HeaderField{"$DIMTOL", 70, &V::dimtol},
    HeaderField{"$DIMTOLJ", 70, &V::dimtolj},     HeaderField{"$DIMTP", 40, &V::dimtp},
    HeaderField{"$DIMTSZ", 40, &V::dimtsz},       HeaderField{"$DIMTVP", 40, &V::dimtvp},
    HeaderField{"$DIMTXT", 40, &V::dimtxt},       HeaderField{"$DIMTXSTY", 7, &V::dimtxsty},
    HeaderField{"$DIMTZIN", 70, &V::dimtzin},     HeaderField{"$DIMUPT", 70, &V::dimupt},
    HeaderField{"$DIMZIN", 70, &V::dimzin},
};

const std::array kDrawingFields = {
    HeaderField{"$MIRRTEXT", 70, &V::mirrtext},     HeaderField{"$PDMODE", 70, &V::pdmode},
    HeaderField{"$PDSIZE", 40, &V::pdsize},         HeaderField{"$PLINEWID", 40, &V::plinewid},
    HeaderField{"$QTEXTMODE", 70, &V::qtextmode},   HeaderField{"$SPLFRAME", 70, &V::splframe},
    HeaderField{"$SPLINESEGS", 70, &V::splinesegs}, HeaderField{"$SPLINETYPE", 70, &V::splinetype},
    HeaderField{"$TEXTSIZE", 40, &V::textsize},     HeaderField{"$TEXTSTYLE", 7, &V::textstyle},
    HeaderField{"$TRACEWID", 40, &V::tracewid},
};

const std::array kUserFields = {
    HeaderField{"$USERI1", 70, &V::useri1}, HeaderField{"$USERI2", 70, &V::useri2},
    HeaderField{"$USERI3", 70, &V::useri3}, HeaderField{"$USERI4", 70, &V::useri4},
    HeaderField{"$USERI5", 70, &V::useri5}, HeaderField{"$USERR1", 40, &V::userr1},
    HeaderField{"$USERR2", 40, &V::userr2}, HeaderField{"$USERR3", 40, &V::userr3},
    HeaderField{"$USERR4", 40, &V::userr4}, HeaderField{"$USERR5", 40, &V::userr5},
};

class HeaderWriter {
 public:
  HeaderWriter(const FcSystemVar& vars, FcFiler& filer) : vars_(vars), filer_(filer) {}

  void Int(const char* name, std::int16_t code, std::int32_t value) {
    filer_.WriteString(9, name);
    filer_.WriteInt(code, value);
  }
  void Real(const char* name, std::int16_t code, double value) {
    filer_.WriteString(9, name);
    filer_.WriteReal(code, value);
  }
  void Text(const char* name, std::int16_t code, std::string_view value) {
    filer_.WriteString(9, name);
    filer_.WriteString(code, value);
  }
  void Point(const char* name, const FcPoint2d& point, bool withZ) {
    filer_.WriteString(9, name);
    filer_.WriteReal(10, point.x);
    filer_.WriteReal(20, point.y);
    if (withZ) filer_.WriteReal(30, 0.0);
  }
  template <std::size_t N>
  void Fields(const std::array<HeaderField, N>& fields) {
    for (const HeaderField& entry : fields) Field(entry);
  }

 private:
  void Field(const HeaderField& entry) {
    filer_.WriteString(9, entry.name);
    std::visit(
        [this, &entry](auto member) {
          const auto& value = vars_.*member;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, double>) {
            filer_.WriteReal(entry.code, value);
          } else if constexpr (std::is_same_v<T, FcFixedText>) {
            filer_.WriteString(entry.code, value.str());
          } else {
            filer_.WriteInt(entry.code, value);
          }
        },
        entry.field);
  }

  const FcSystemVar& vars_;
  FcFiler& filer_;
};

constexpr double kSmallestWrittenReal = 1e-7;

int ReadHeaderGroups(FcSystemVar& vars, FcFiler& filer) {
  for (;;) {
    FcResBuf group;
    if (!filer.ReadGroup(group)) return 1;
    const std::string_view text = group.text != nullptr ? std::string_view(group.text) : std::string_view();
    if (group.type == 0 && text == "ENDSEC") return 0;
    if (group.type != 9) continue;
    if (text.empty()) return 1;
    const std::string name(text.substr(1));
    FcResBuf value;
    if (!filer.ReadGroup(value)) return 1;
    vars.SetVar(name, value);
  }
}

}  // namespace

int WriteDxfHeader(const FcSystemVar& vars, FcFiler& filer) {
  HeaderWriter out(vars, filer);
  filer.WriteString(0, "SECTION");
  filer.WriteString(2, "HEADER");
  out.Text("$ACADVER", 1, "AC1015");
  out.Text("$DWGCODEPAGE", 3, CodePageName(vars.dwgcodepage));
  out.Point("$INSBASE", vars.insbase, true);
  out.Int("$ORTHOMODE", 70, vars.orthomode);
  filer.WriteString(9, "$HANDSEED");
  filer.WriteHandle(5, vars.handseed);
  if (std::fabs(vars.angbase) > kSmallestWrittenReal) out.Real("$ANGBASE", 50, vars.angbase * kRadToDeg);
  if (vars.angdir != 0) out.Int("$ANGDIR", 70, vars.angdir);
  if (vars.aunits != 0) out.Int("$AUNITS", 70, vars.aunits);
  out.Int("$AUPREC", 70, vars.auprec);
  if (vars.attmode != 1) out.Int("$ATTMODE", 70, vars.attmode);
  if (vars.cecolor != 256) out.Int("$CECOLOR", 62, vars.cecolor);
  if (std::fabs(vars.celtscale) > kSmallestWrittenReal) out.Real("$CELTSCALE", 40, vars.celtscale);
  out.Text("$CLAYER", 8, vars.clayer.str());
  out.Text("$CELTYPE", 6, vars.celtype.str());
  out.Fields(kChamferFields);
  out.Fields(kDimensionFields);
  out.Real("$FILLETRAD", 40, vars.filletrad);
  out.Point("$LIMMIN", vars.limmin, false);
  out.Point("$LIMMAX", vars.limmax, false);
  out.Real("$LTSCALE", 40, vars.ltscale);
  if (vars.lunits != 2) out.Int("$LUNITS", 70, vars.lunits);
  if (vars.luprec != 4) out.Int("$LUPREC", 70, vars.luprec);
  out.Fields(kDrawingFields);
  out.Point("$UCSORG", vars.ucsorg, true);
  out.Point("$UCSXDIR", vars.ucsxdir, true);
  out.Point("$UCSYDIR", vars.ucsydir, true);
  out.Fields(kUserFields);
  filer.StepProgress(1);
  filer.WriteString(0, "ENDSEC");
  return 0;
}

int ReadDxfHeader(FcSystemVar& vars, FcFiler& filer) {
  const FcPoint2d origin = vars.ucsorg;
  const FcPoint2d xDir = vars.ucsxdir;
  const FcPoint2d yDir = vars.ucsydir;
  const int result = ReadHeaderGroups(vars, filer);
  // The UCS variables are stored as they come; the rest of the UCS (its
  // matrices and angle) must follow them, or a UCS the file cannot make
  // must stay as it was.
  const FcPoint2d o = vars.ucsorg;
  if (!vars.SetUcs(o, {o.x + vars.ucsxdir.x, o.y + vars.ucsxdir.y}, {o.x + vars.ucsydir.x, o.y + vars.ucsydir.y})) {
    vars.ucsorg = origin;
    vars.ucsxdir = xDir;
    vars.ucsydir = yDir;
  }
  return result;
}
