#include <array>

#include "database/system_var_access.h"

namespace {

using namespace sysvar_access;
using V = FcSystemVar;

// Reading DIMUNIT answers without a value: the drawing keeps it only for
// older files.
void GetNothing(const FcSystemVar&, FcResBuf&) {}

template <auto Setter>
void SetLowByteFlag(FcSystemVar& vars, const FcResBuf& value) {
  (vars.*Setter)(LowByteOf(value) != 0 ? 1 : 0);
}

void SetDimsho(FcSystemVar& vars, const FcResBuf& value) {
  vars.dimsho = static_cast<std::uint8_t>(value.intValue & 0xFF);
}

// A range whose one value above the top stands for a retired choice that
// maps onto another.
void SetInRangeOrMapped(short& field, short value, short high, short retired, short mapped) {
  if (value == retired) {
    field = mapped;
    return;
  }
  SetInRange(field, value, 0, high);
}

const std::array kEntries = {
    SysVarEntry{"dimadec", SetShort<&V::SetDimadec>, GetShort<&V::dimadec>},
    SysVarEntry{"dimalt", StoreLowByteNonZero<&V::dimalt>, GetFlag<&V::dimalt>},
    SysVarEntry{"dimaltd", SetLowByte<&V::SetDimaltd>, GetShort<&V::dimaltd>},
    SysVarEntry{"dimaltf", SetReal<&V::SetDimaltf>, GetReal<&V::dimaltf>},
    SysVarEntry{"dimaltrnd", SetReal<&V::SetDimaltrnd>, GetReal<&V::dimaltrnd>},
    SysVarEntry{"dimalttd", SetShort<&V::SetDimalttd>, GetShort<&V::dimalttd>},
    SysVarEntry{"dimalttz", SetLowByte<&V::SetDimalttz>, GetShort<&V::dimalttz>},
    SysVarEntry{"dimaltu", SetShort<&V::SetDimaltu>, GetShort<&V::dimaltu>},
    SysVarEntry{"dimaltz", SetLowByte<&V::SetDimaltz>, GetShort<&V::dimaltz>},
    SysVarEntry{"dimapost", SetText<&V::SetDimapost>, GetText<&V::dimapost>},
    SysVarEntry{"dimasz", SetReal<&V::SetDimasz>, GetReal<&V::dimasz>},
    SysVarEntry{"dimatfit", SetShort<&V::SetDimatfit>, GetShort<&V::dimatfit>},
    SysVarEntry{"dimaunit", SetShort<&V::SetDimaunit>, GetShort<&V::dimaunit>},
    SysVarEntry{"dimazin", SetShort<&V::SetDimazin>, GetShort<&V::dimazin>},
    SysVarEntry{"dimblk", SetText<&V::SetDimblk>, GetText<&V::dimblk>},
    SysVarEntry{"dimblk1", SetText<&V::SetDimblk1>, GetText<&V::dimblk1>},
    SysVarEntry{"dimblk2", SetText<&V::SetDimblk2>, GetText<&V::dimblk2>},
    SysVarEntry{"dimcen", StoreReal<&V::dimcen>, GetReal<&V::dimcen>},
    SysVarEntry{"dimclrd", StoreShort<&V::dimclrd>, GetShort<&V::dimclrd>},
    SysVarEntry{"dimclre", StoreShort<&V::dimclre>, GetShort<&V::dimclre>},
    SysVarEntry{"dimclrt", StoreShort<&V::dimclrt>, GetShort<&V::dimclrt>},
    SysVarEntry{"dimdec", SetShort<&V::SetDimdec>, GetShort<&V::dimdec>},
    SysVarEntry{"dimdle", SetReal<&V::SetDimdle>, GetReal<&V::dimdle>},
    SysVarEntry{"dimdli", SetReal<&V::SetDimdli>, GetReal<&V::dimdli>},
    SysVarEntry{"dimdsep", StoreShort<&V::dimdsep>, GetShort<&V::dimdsep>},
    SysVarEntry{"dimexe", SetReal<&V::SetDimexe>, GetReal<&V::dimexe>},
    SysVarEntry{"dimexo", SetReal<&V::SetDimexo>, GetReal<&V::dimexo>},
    SysVarEntry{"dimfrac", SetShort<&V::SetDimfrac>, GetShort<&V::dimfrac>},
    SysVarEntry{"dimgap", StoreReal<&V::dimgap>, GetReal<&V::dimgap>},
    SysVarEntry{"dimjust", SetLowByte<&V::SetDimjust>, GetShort<&V::dimjust>},
    SysVarEntry{"dimldrblk", SetText<&V::SetDimldrblk>, GetText<&V::dimldrblk>},
    SysVarEntry{"dimlfac", SetReal<&V::SetDimlfac>, GetReal<&V::dimlfac>},
    SysVarEntry{"dimlim", SetLowByteFlag<&V::SetDimlim>, GetFlag<&V::dimlim>},
    SysVarEntry{"dimlunit", SetShort<&V::SetDimlunit>, GetShort<&V::dimlunit>},
    SysVarEntry{"dimlwd", SetShort<&V::SetDimlwd>, GetShort<&V::dimlwd>},
    SysVarEntry{"dimlwe", SetShort<&V::SetDimlwe>, GetShort<&V::dimlwe>},
    SysVarEntry{"dimpost", SetText<&V::SetDimpost>, GetText<&V::dimpost>},
    SysVarEntry{"dimrnd", SetReal<&V::SetDimrnd>, GetReal<&V::dimrnd>},
    SysVarEntry{"dimsah", StoreLowByteNonZero<&V::dimsah>, GetFlag<&V::dimsah>},
    SysVarEntry{"dimscale", SetReal<&V::SetDimscale>, GetReal<&V::dimscale>},
    SysVarEntry{"dimsd1", StoreLowByteNonZero<&V::dimsd1>, GetFlag<&V::dimsd1>},
    SysVarEntry{"dimsd2", StoreLowByteNonZero<&V::dimsd2>, GetFlag<&V::dimsd2>},
    SysVarEntry{"dimse1", StoreLowByteNonZero<&V::dimse1>, GetFlag<&V::dimse1>},
    SysVarEntry{"dimse2", StoreLowByteNonZero<&V::dimse2>, GetFlag<&V::dimse2>},
    SysVarEntry{"dimsho", SetDimsho, GetFlag<&V::dimsho>},
    SysVarEntry{"dimstyle", SetText<&V::SetDimStyleName>, GetText<&V::dimstyle>},
    SysVarEntry{"dimsoxd", StoreLowByteNonZero<&V::dimsoxd>, GetFlag<&V::dimsoxd>},
    SysVarEntry{"dimtad", SetLowByte<&V::SetDimtad>, GetShort<&V::dimtad>},
    SysVarEntry{"dimtdec", SetShort<&V::SetDimtdec>, GetShort<&V::dimtdec>},
    SysVarEntry{"dimtfac", SetReal<&V::SetDimtfac>, GetReal<&V::dimtfac>},
    SysVarEntry{"dimtih", StoreLowByteNonZero<&V::dimtih>, GetFlag<&V::dimtih>},
    SysVarEntry{"dimtix", StoreLowByteNonZero<&V::dimtix>, GetFlag<&V::dimtix>},
    SysVarEntry{"dimtm", StoreReal<&V::dimtm>, GetReal<&V::dimtm>},
    SysVarEntry{"dimtmove", SetShort<&V::SetDimtmove>, GetShort<&V::dimtmove>},
    SysVarEntry{"dimtofl", StoreLowByteNonZero<&V::dimtofl>, GetFlag<&V::dimtofl>},
    SysVarEntry{"dimtoh", StoreLowByteNonZero<&V::dimtoh>, GetFlag<&V::dimtoh>},
    SysVarEntry{"dimtol", SetLowByteFlag<&V::SetDimtol>, GetFlag<&V::dimtol>},
    SysVarEntry{"dimtolj", SetLowByte<&V::SetDimtolj>, GetShort<&V::dimtolj>},
    SysVarEntry{"dimtp", StoreReal<&V::dimtp>, GetReal<&V::dimtp>},
    SysVarEntry{"dimtsz", SetReal<&V::SetDimtsz>, GetReal<&V::dimtsz>},
    SysVarEntry{"dimtvp", StoreReal<&V::dimtvp>, GetReal<&V::dimtvp>},
    SysVarEntry{"dimtxt", SetReal<&V::SetDimtxt>, GetReal<&V::dimtxt>},
    SysVarEntry{"dimtxsty", SetText<&V::SetDimtxsty>, GetText<&V::dimtxsty>},
    SysVarEntry{"dimtzin", SetLowByte<&V::SetDimtzin>, GetShort<&V::dimtzin>},
    SysVarEntry{"dimunit", SetNothing, GetNothing},
    SysVarEntry{"dimupt", StoreLowByteNonZero<&V::dimupt>, GetFlag<&V::dimupt>},
    SysVarEntry{"dimzin", SetLowByte<&V::SetDimzin>, GetShort<&V::dimzin>},
};

}  // namespace

std::span<const SysVarEntry> DimensionVarEntries() { return kEntries; }

void FcSystemVar::SetDimadec(short value) { SetInRange(dimadec, value, 0, 8); }
void FcSystemVar::SetDimaltd(short value) { SetInRange(dimaltd, value, 0, 8); }
void FcSystemVar::SetDimaltf(double value) { SetPositive(dimaltf, value); }
void FcSystemVar::SetDimaltrnd(double value) { SetAtLeastZero(dimaltrnd, value); }
void FcSystemVar::SetDimalttd(short value) { SetInRange(dimalttd, value, 0, 8); }
void FcSystemVar::SetDimalttz(short value) { SetInRange(dimalttz, value, 0, 15); }
void FcSystemVar::SetDimaltu(short value) { SetInRangeOrMapped(dimaltu, value, 7, 8, 2); }
void FcSystemVar::SetDimaltz(short value) { SetInRange(dimaltz, value, 0, 15); }
void FcSystemVar::SetDimapost(std::string_view text) { dimapost = text; }
void FcSystemVar::SetDimasz(double value) { SetPositive(dimasz, value); }
void FcSystemVar::SetDimatfit(short value) { SetInRange(dimatfit, value, 0, 3); }
void FcSystemVar::SetDimaunit(short value) { SetInRange(dimaunit, value, 0, 3); }
void FcSystemVar::SetDimazin(short value) { SetInRange(dimazin, value, 0, 3); }
void FcSystemVar::SetDimblk(std::string_view name) { dimblk = name; }
void FcSystemVar::SetDimblk1(std::string_view name) { dimblk1 = name; }
void FcSystemVar::SetDimblk2(std::string_view name) { dimblk2 = name; }
void FcSystemVar::SetDimdec(short value) { SetInRange(dimdec, value, 0, 8); }
void FcSystemVar::SetDimdle(double value) { SetAtLeastZero(dimdle, value); }
void FcSystemVar::SetDimdli(double value) { SetAtLeastZero(dimdli, value); }
void FcSystemVar::SetDimexe(double value) { SetAtLeastZero(dimexe, value); }
void FcSystemVar::SetDimexo(double value) { SetAtLeastZero(dimexo, value); }
void FcSystemVar::SetDimfrac(short value) { SetInRange(dimfrac, value, 0, 2); }
void FcSystemVar::SetDimjust(short value) { SetInRange(dimjust, value, 0, 4); }
void FcSystemVar::SetDimldrblk(std::string_view name) { dimldrblk = name; }
void FcSystemVar::SetDimlfac(double value) { SetPositive(dimlfac, value); }

void FcSystemVar::SetDimlim(std::uint8_t flag) {
  dimlim = flag != 0 ? 1 : 0;
  if (dimlim) dimtol = 0;
}

void FcSystemVar::SetDimlunit(short value) { SetInRangeOrMapped(dimlunit, value, 5, 6, 2); }
void FcSystemVar::SetDimlwd(short value) { SetAtLeastZero(dimlwd, value); }
void FcSystemVar::SetDimlwe(short value) { SetAtLeastZero(dimlwe, value); }
void FcSystemVar::SetDimpost(std::string_view text) { dimpost = text; }
void FcSystemVar::SetDimrnd(double value) { SetAtLeastZero(dimrnd, value); }
void FcSystemVar::SetDimscale(double value) { dimscale = value > 0.0 ? value : 1.0; }
void FcSystemVar::SetDimtad(short value) { SetInRange(dimtad, value, 0, 2); }
void FcSystemVar::SetDimtdec(short value) { SetInRange(dimtdec, value, 0, 8); }
void FcSystemVar::SetDimtfac(double value) { SetPositive(dimtfac, value); }
void FcSystemVar::SetDimtmove(short value) { SetInRange(dimtmove, value, 0, 2); }

void FcSystemVar::SetDimtol(std::uint8_t flag) {
  dimtol = flag != 0 ? 1 : 0;
  if (dimtol) dimlim = 0;
}

void FcSystemVar::SetDimtolj(short value) { SetInRange(dimtolj, value, 0, 2); }
void FcSystemVar::SetDimtsz(double value) { SetAtLeastZero(dimtsz, value); }
void FcSystemVar::SetDimtxt(double value) { SetPositive(dimtxt, value); }
void FcSystemVar::SetDimtxsty(std::string_view name) { dimtxsty = name; }
void FcSystemVar::SetDimtzin(short value) { SetInRange(dimtzin, value, 0, 15); }
void FcSystemVar::SetDimzin(short value) { SetInRange(dimzin, value, 0, 15); }
