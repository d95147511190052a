#include <algorithm>
#include <cstdint>
#include <string>

#include "core/point2d.h"
#include "filers/dwg_section_frame.h"
#include "database/header_vars.h"
#include "database/record_points.h"
#include "database/system_var.h"
#include "filers/file_object.h"
#include "filers/filer_dwg.h"

namespace {

constexpr std::uint8_t kStartSentinel[16] = {0xCF, 0x7B, 0x1F, 0x23, 0xFD, 0xDE, 0x38, 0xA9,
                                             0x5F, 0x7C, 0x68, 0xB8, 0x4E, 0x6D, 0x33, 0x5F};
constexpr std::uint8_t kEndSentinel[16] = {0x30, 0x84, 0xE0, 0xDC, 0x02, 0x21, 0xC7, 0x56,
                                           0xA0, 0x83, 0x97, 0x47, 0xB1, 0x92, 0xCC, 0xA0};

// Handle reference codes of the header: soft pointers to records and hard
// owners for the table control objects.
constexpr std::uint8_t kSoftPointer = 5;
constexpr std::uint8_t kHardOwner = 3;

constexpr short kLargestPrecision = 8;
// CEPSNTYPE 3 names a plot style by handle.
constexpr short kPlotStyleByHandle = 3;

// The writer's side: the bit codes with the header's handle conventions.
class HeaderOut {
 public:
  explicit HeaderOut(FcFilerDwg& filer) : filer_(filer) {}

  void Bit(bool on) { filer_.WriteBit(on ? 1 : 0); }
  void Short(short value) { filer_.WriteBitShort(value); }
  void Long(std::int32_t value) { filer_.WriteBitLong(value); }
  void Real(double value) { filer_.WriteBitDouble(value); }
  void Text(std::string_view text) { filer_.WriteText(text); }
  void Handle(std::uint8_t code, FcHandle handle) { filer_.WriteHandleRef(code, 0, handle); }
  void Point3(double x, double y, double z) { WriteDwgPoint3(filer_, {x, y}, z); }
  void Point3(const FcPoint2d& point) { WriteDwgPoint3(filer_, point); }
  void Raw2(const FcPoint2d& point) { WriteDwgRawPoint(filer_, point); }
  // The orthographic UCS block of a space: reference, view, base and six
  // origins, all empty.
  void EmptyOrthographicUcs() {
    Handle(kSoftPointer, 0);
    Short(0);
    Handle(kSoftPointer, 0);
    for (int i = 0; i < 18; ++i) Real(0.0);
  }

 private:
  FcFilerDwg& filer_;
};

// The reader's side. A value goes into its field only when it was read;
// after the first failure nothing more is read or stored.
class HeaderIn {
 public:
  explicit HeaderIn(FcFilerDwg& filer) : filer_(filer) {}

  bool Ok() const { return ok_; }

  template <typename Field>
  void Bit(Field& field) {
    std::uint8_t bit = 0;
    if (Take(filer_.ReadBit(bit))) field = static_cast<Field>(bit);
  }
  void Short(short& field) {
    std::int16_t value = 0;
    if (Take(filer_.ReadBitShort(value))) field = value;
  }
  // RC, sign-extended.
  void RawChar(short& field) {
    std::uint8_t value = 0;
    if (Take(filer_.ReadRawChar(value))) field = static_cast<std::int8_t>(value);
  }
  void Real(double& field) {
    double value = 0.0;
    if (Take(filer_.ReadBitDouble(value))) field = value;
  }
  void Text(FcFixedText& field) {
    std::string value;
    if (Take(filer_.ReadText(value))) field = value;
  }
  void Handle(FcHandle& field) {
    FcHandle value = 0;
    if (Take(filer_.ReadHandleRef(value, 0))) field = value;
  }
  // 3BD, of which the plane keeps x and y.
  void Point3(FcPoint2d& field) {
    FcPoint2d value;
    if (Take(ReadDwgPoint3(filer_, value))) field = value;
  }
  void Raw2(FcPoint2d& field) {
    FcPoint2d value;
    if (Take(ReadDwgRawPoint(filer_, value))) field = value;
  }

  void SkipBits(int count) {
    std::uint8_t ignored = 0;
    for (int i = 0; i < count; ++i) Bit(ignored);
  }
  void SkipShorts(int count) {
    short ignored = 0;
    for (int i = 0; i < count; ++i) Short(ignored);
  }
  void SkipLongs(int count) {
    std::int32_t ignored = 0;
    for (int i = 0; i < count; ++i) Take(filer_.ReadBitLong(ignored));
  }
  void SkipReals(int count) {
    double ignored = 0.0;
    for (int i = 0; i < count; ++i) Real(ignored);
  }
  void SkipPoints3(int count) { SkipReals(3 * count); }
  void SkipRaw2(int count) {
    FcPoint2d ignored;
    for (int i = 0; i < count; ++i) Raw2(ignored);
  }
  void SkipTexts(int count) {
    FcFixedText ignored;
    for (int i = 0; i < count; ++i) Text(ignored);
  }
  void SkipHandles(int count) {
    FcHandle ignored = 0;
    for (int i = 0; i < count; ++i) Handle(ignored);
  }
  void SkipOrthographicUcs() {
    SkipHandles(1);
    SkipShorts(1);
    SkipHandles(1);
    SkipReals(18);
  }

 private:
  bool Take(bool read) {
    ok_ = ok_ && read;
    return ok_;
  }

  FcFilerDwg& filer_;
  bool ok_ = true;
};

void WriteVariables(const FcSystemVar& vars, HeaderOut& out) {
  const FcHeaderHandles& handles = vars.HeaderHandles;
  out.Real(412148564080.0);
  out.Point3(1.0, 1.0, 1.0);
  for (int i = 0; i < 4; ++i) out.Text("");
  out.Long(24);
  out.Long(0);
  out.Handle(kSoftPointer, 0);
  out.Bit(true);  // DIMASO
  out.Bit(vars.dimsho != 0);
  out.Bit(vars.plinegen != 0);
  out.Bit(vars.orthomode != 0);
  out.Bit(false);  // REGENMODE
  out.Bit(true);   // FILLMODE
  out.Bit(vars.qtextmode != 0);
  out.Bit(false);  // PSLTSCALE
  out.Bit(false);  // LIMCHECK
  out.Bit(true);   // USRTIMER
  out.Bit(vars.skpoly != 0);
  out.Bit(vars.angdir != 0);
  out.Bit(vars.splframe != 0);
  out.Bit(vars.mirrtext != 0);
  out.Bit(false);  // WORLDVIEW
  for (int i = 0; i < 3; ++i) out.Bit(true);  // TILEMODE, PLIMCHECK, VISRETAIN
  out.Bit(true);   // DISPSILH
  out.Bit(false);  // PELLIPSE
  out.Short(0);    // PROXYGRAPHICS
  out.Short(3020);  // TREEDEPTH
  out.Short(vars.lunits);
  out.Short(vars.luprec);
  out.Short(vars.aunits);
  out.Short(vars.auprec);
  out.Short(vars.attmode);
  out.Short(vars.pdmode);
  for (short value : {vars.useri1, vars.useri2, vars.useri3, vars.useri4, vars.useri5}) out.Short(value);
  out.Short(vars.splinesegs);
  for (int i = 0; i < 5; ++i) out.Short(6);  // SURFU, SURFV, SURFTYPE, SURFTAB1, SURFTAB2
  out.Short(vars.splinetype);
  for (short value : {3, 70, 0, 64, 4}) out.Short(value);  // SHADEDGE .. ISOLINES
  out.Short(vars.cmljust);
  out.Short(50);  // TEXTQLTY
  for (double value : {vars.ltscale, vars.textsize, vars.tracewid, vars.sketchinc, vars.filletrad}) out.Real(value);
  out.Real(0.0);  // THICKNESS
  for (double value : {vars.angbase, vars.pdsize, vars.plinewid}) out.Real(value);
  for (double value : {vars.userr1, vars.userr2, vars.userr3, vars.userr4, vars.userr5}) out.Real(value);
  for (double value : {vars.chamfera, vars.chamferb, vars.chamferc, vars.chamferd}) out.Real(value);
  out.Real(0.5);  // FACETRES
  out.Real(vars.cmlscale);
  out.Real(vars.celtscale);
  out.Text(".");  // MENUNAME
  for (int i = 0; i < 8; ++i) out.Long(0);  // the dates and timers
  out.Short(vars.cecolor);
  out.Handle(0, vars.handseed);
  for (FcHandle handle : {handles.currentLayer, handles.currentTextStyle, handles.currentLinetype,
                          handles.currentDimStyle, handles.currentMlineStyle})
    out.Handle(kSoftPointer, handle);

  // Paper space.
  out.Real(0.0);  // PSVPSCALE
  out.Point3(0.0, 0.0, 0.0);
  out.Point3(0.0, 0.0, 0.0);
  out.Point3(1.0, 1.0, 0.0);
  out.Raw2({0.0, 0.0});
  out.Raw2({1.0, 1.0});
  out.Real(0.0);
  out.Point3(0.0, 0.0, 0.0);
  out.Point3(1.0, 0.0, 0.0);
  out.Point3(0.0, 1.0, 0.0);
  out.Handle(kSoftPointer, 0);
  out.EmptyOrthographicUcs();

  // Model space.
  out.Point3(vars.insbase);
  out.Point3(0.0, 0.0, 0.0);
  out.Point3(1.0, 1.0, 0.0);
  out.Raw2(vars.limmin);
  out.Raw2(vars.limmax);
  out.Real(0.0);  // ELEVATION
  out.Point3(vars.ucsorg);
  out.Point3(vars.ucsxdir);
  out.Point3(vars.ucsydir);
  out.Handle(kSoftPointer, 0);
  out.EmptyOrthographicUcs();

  out.Text(vars.dimpost.str());
  out.Text(vars.dimapost.str());
  for (double value : {vars.dimscale, vars.dimasz, vars.dimexo, vars.dimdli, vars.dimexe, vars.dimrnd,
                       vars.dimdle, vars.dimtp, vars.dimtm})
    out.Real(value);
  for (std::uint8_t flag : {vars.dimtol, vars.dimlim, vars.dimtih, vars.dimtoh, vars.dimse1, vars.dimse2})
    out.Bit(flag != 0);
  for (short value : {vars.dimtad, vars.dimzin, vars.dimazin}) out.Short(value);
  for (double value : {vars.dimtxt, vars.dimcen, vars.dimtsz, vars.dimaltf, vars.dimlfac, vars.dimtvp,
                       vars.dimtfac, vars.dimgap})
    out.Real(value);
  out.Real(vars.dimaltrnd);
  out.Bit(vars.dimalt != 0);
  out.Short(vars.dimaltd);
  for (std::uint8_t flag : {vars.dimtofl, vars.dimsah, vars.dimtix, vars.dimsoxd}) out.Bit(flag != 0);
  for (short value : {vars.dimclrd, vars.dimclre, vars.dimclrt}) out.Short(value);
  for (short value : {vars.dimadec, vars.dimdec, vars.dimtdec, vars.dimaltu, vars.dimalttd, vars.dimaunit,
                      vars.dimfrac, vars.dimlunit, vars.dimdsep, vars.dimtmove, vars.dimjust})
    out.Short(value);
  out.Bit(vars.dimsd1 != 0);
  out.Bit(vars.dimsd2 != 0);
  for (short value : {vars.dimtolj, vars.dimtzin, vars.dimaltz, vars.dimalttz}) out.Short(value);
  out.Bit(vars.dimupt != 0);
  out.Short(3);  // DIMFIT
  for (FcHandle handle : {handles.dimTextStyle, handles.dimLeaderBlock, handles.dimBlock, handles.dimBlock1,
                          handles.dimBlock2})
    out.Handle(kSoftPointer, handle);
  out.Short(-2);  // DIMLWD
  out.Short(-2);  // DIMLWE

  for (FcHandle handle : {handles.blockControl, handles.layerControl, handles.textStyleControl,
                          handles.linetypeControl, handles.viewControl, handles.ucsControl,
                          handles.viewportControl, handles.appIdControl, handles.dimStyleControl,
                          handles.viewportEntityHeaderControl})
    out.Handle(kHardOwner, handle);
  out.Handle(kSoftPointer, handles.groupDictionary);
  out.Handle(kSoftPointer, handles.mlineStyleDictionary);
  out.Handle(kHardOwner, handles.namedObjectDictionary);
  out.Short(0);  // TSTACKALIGN
  out.Short(0);  // TSTACKSIZE
  out.Text("");  // HYPERLINKBASE
  out.Text("");  // STYLESHEET
  for (FcHandle handle : {handles.layoutDictionary, handles.plotSettingsDictionary, handles.plotStyleDictionary})
    out.Handle(kSoftPointer, handle);
  out.Long(10781);  // flags word
  out.Short(4);     // INSUNITS
  out.Short(0);     // CEPSNTYPE
  out.Text("{FDEAD578-A652-11D2-9A35-0060089B3A3F}");
  out.Text("{B60E892E-AFAE-48A4-BD27-3B105CCEDC31}");
  for (FcHandle handle : {handles.paperSpaceBlock, handles.modelSpaceBlock, handles.byLayerLinetype,
                          handles.byBlockLinetype, handles.continuousLinetype})
    out.Handle(kSoftPointer, handle);
  for (int i = 0; i < 4; ++i) out.Short(0);
}

// The dimension variables of a release 13 or 14 header, which keeps them
// in one block of its own.
void ReadOldDimensionBlock(FcSystemVar& vars, HeaderIn& in) {
  for (std::uint8_t* flag : {&vars.dimtol, &vars.dimlim, &vars.dimtih, &vars.dimtoh, &vars.dimse1, &vars.dimse2,
                             &vars.dimalt, &vars.dimtofl, &vars.dimsah, &vars.dimtix, &vars.dimsoxd})
    in.Bit(*flag);
  in.RawChar(vars.dimaltd);
  in.RawChar(vars.dimzin);
  in.Bit(vars.dimsd1);
  in.Bit(vars.dimsd2);
  in.RawChar(vars.dimtolj);
  in.RawChar(vars.dimjust);
  short dimfit = 0;
  in.RawChar(dimfit);
  in.Bit(vars.dimupt);
  for (short* value : {&vars.dimtzin, &vars.dimaltz, &vars.dimalttz, &vars.dimtad}) in.RawChar(*value);
  for (short* value : {&vars.dimunit, &vars.dimaunit, &vars.dimdec, &vars.dimtdec, &vars.dimaltu, &vars.dimalttd})
    in.Short(*value);
  in.SkipHandles(1);  // DIMTXSTY
}

void ReadVariables(FcSystemVar& vars, HeaderIn& in, bool release2000) {
  const bool release13or14 = !release2000;
  FcHeaderHandles& handles = vars.HeaderHandles;
  in.SkipReals(4);
  in.SkipTexts(4);
  in.SkipLongs(2);
  if (release13or14) in.SkipShorts(1);
  in.SkipHandles(1);
  in.SkipBits(1);  // DIMASO
  in.Bit(vars.dimsho);
  if (release13or14) in.SkipBits(1);  // DIMSAV
  in.Bit(vars.plinegen);
  in.Bit(vars.orthomode);
  in.SkipBits(1);  // REGENMODE
  in.SkipBits(1);  // FILLMODE
  in.Bit(vars.qtextmode);
  in.SkipBits(2);  // PSLTSCALE, LIMCHECK
  if (release13or14) in.SkipBits(1);  // BLIPMODE
  in.SkipBits(1);  // USRTIMER
  in.Bit(vars.skpoly);
  in.Bit(vars.angdir);
  in.Bit(vars.splframe);
  if (release13or14) in.SkipBits(2);  // ATTREQ, ATTDIA
  in.Bit(vars.mirrtext);
  in.SkipBits(1);  // WORLDVIEW
  if (release13or14) in.SkipBits(1);  // WIREFRAME
  in.SkipBits(3);  // TILEMODE, PLIMCHECK, VISRETAIN
  if (release13or14) in.SkipBits(1);  // DELOBJ
  in.SkipBits(2);  // DISPSILH, PELLIPSE
  in.SkipShorts(1);  // PROXYGRAPHICS
  if (release13or14) in.SkipShorts(1);  // DRAGMODE
  in.SkipShorts(1);  // TREEDEPTH
  in.Short(vars.lunits);
  in.Short(vars.luprec);
  in.Short(vars.aunits);
  in.Short(vars.auprec);
  vars.luprec = std::clamp<short>(vars.luprec, 0, kLargestPrecision);
  vars.auprec = std::clamp<short>(vars.auprec, 0, kLargestPrecision);
  if (release13or14) {
    short osmode = 0;
    in.Short(osmode);
    if (in.Ok()) vars.osmode = static_cast<std::uint16_t>(osmode);
  }
  in.Short(vars.attmode);
  if (release13or14) in.Short(vars.coords);
  in.Short(vars.pdmode);
  if (release13or14) in.SkipShorts(1);  // PICKSTYLE
  for (short* value : {&vars.useri1, &vars.useri2, &vars.useri3, &vars.useri4, &vars.useri5}) in.Short(*value);
  in.Short(vars.splinesegs);
  in.SkipShorts(5);  // SURFU .. SURFTAB2
  in.Short(vars.splinetype);
  in.SkipShorts(5);  // SHADEDGE .. ISOLINES
  in.Short(vars.cmljust);
  in.SkipShorts(1);  // TEXTQLTY
  for (double* value : {&vars.ltscale, &vars.textsize, &vars.tracewid, &vars.sketchinc, &vars.filletrad})
    in.Real(*value);
  in.SkipReals(1);  // THICKNESS
  for (double* value : {&vars.angbase, &vars.pdsize, &vars.plinewid}) in.Real(*value);
  for (double* value : {&vars.userr1, &vars.userr2, &vars.userr3, &vars.userr4, &vars.userr5}) in.Real(*value);
  for (double* value : {&vars.chamfera, &vars.chamferb, &vars.chamferc, &vars.chamferd}) in.Real(*value);
  in.SkipReals(1);  // FACETRES
  in.Real(vars.cmlscale);
  in.Real(vars.celtscale);
  in.SkipTexts(1);  // MENUNAME
  in.SkipLongs(8);
  in.Short(vars.cecolor);
  in.Handle(vars.handseed);
  for (FcHandle* handle : {&handles.currentLayer, &handles.currentTextStyle, &handles.currentLinetype,
                           &handles.currentDimStyle, &handles.currentMlineStyle})
    in.Handle(*handle);

  // Paper space.
  if (release2000) in.SkipReals(1);  // PSVPSCALE
  in.SkipPoints3(3);
  in.SkipRaw2(2);
  in.SkipReals(1);
  in.SkipPoints3(3);
  in.SkipHandles(1);
  if (release2000) in.SkipOrthographicUcs();

  // Model space.
  in.Point3(vars.insbase);
  in.SkipPoints3(2);
  in.Raw2(vars.limmin);
  in.Raw2(vars.limmax);
  in.SkipReals(1);  // ELEVATION
  FcPoint2d origin;
  FcPoint2d xDir{1.0, 0.0};
  FcPoint2d yDir{0.0, 1.0};
  in.Point3(origin);
  in.Point3(xDir);
  in.Point3(yDir);
  if (in.Ok()) {
    vars.SetUcs(origin, {origin.x + xDir.x, origin.y + xDir.y}, {origin.x + yDir.x, origin.y + yDir.y});
  }
  in.SkipHandles(1);  // UCSNAME
  if (release2000) {
    in.SkipOrthographicUcs();
    in.Text(vars.dimpost);
    in.Text(vars.dimapost);
  } else {
    ReadOldDimensionBlock(vars, in);
  }

  for (double* value : {&vars.dimscale, &vars.dimasz, &vars.dimexo, &vars.dimdli, &vars.dimexe, &vars.dimrnd,
                        &vars.dimdle, &vars.dimtp, &vars.dimtm})
    in.Real(*value);
  if (release2000) {
    for (std::uint8_t* flag : {&vars.dimtol, &vars.dimlim, &vars.dimtih, &vars.dimtoh, &vars.dimse1, &vars.dimse2})
      in.Bit(*flag);
    for (short* value : {&vars.dimtad, &vars.dimzin, &vars.dimazin}) in.Short(*value);
  }
  for (double* value : {&vars.dimtxt, &vars.dimcen, &vars.dimtsz, &vars.dimaltf, &vars.dimlfac, &vars.dimtvp,
                        &vars.dimtfac, &vars.dimgap})
    in.Real(*value);
  if (release13or14) {
    for (FcFixedText* text : {&vars.dimpost, &vars.dimapost, &vars.dimblk, &vars.dimblk1, &vars.dimblk2})
      in.Text(*text);
  } else {
    in.Real(vars.dimaltrnd);
    in.Bit(vars.dimalt);
    in.Short(vars.dimaltd);
    for (std::uint8_t* flag : {&vars.dimtofl, &vars.dimsah, &vars.dimtix, &vars.dimsoxd}) in.Bit(*flag);
  }
  for (short* value : {&vars.dimclrd, &vars.dimclre, &vars.dimclrt}) in.Short(*value);
  if (release2000) {
    for (short* value : {&vars.dimadec, &vars.dimdec, &vars.dimtdec, &vars.dimaltu, &vars.dimalttd,
                         &vars.dimaunit, &vars.dimfrac, &vars.dimlunit, &vars.dimdsep, &vars.dimtmove,
                         &vars.dimjust})
      in.Short(*value);
    in.Bit(vars.dimsd1);
    in.Bit(vars.dimsd2);
    for (short* value : {&vars.dimtolj, &vars.dimtzin, &vars.dimaltz, &vars.dimalttz}) in.Short(*value);
    in.Bit(vars.dimupt);
    in.SkipShorts(1);   // DIMFIT
    in.SkipHandles(5);  // the dimension records
    in.SkipShorts(2);   // DIMLWD, DIMLWE
  }

  for (FcHandle* handle : {&handles.blockControl, &handles.layerControl, &handles.textStyleControl,
                           &handles.linetypeControl, &handles.viewControl, &handles.ucsControl,
                           &handles.viewportControl, &handles.appIdControl, &handles.dimStyleControl,
                           &handles.viewportEntityHeaderControl, &handles.groupDictionary,
                           &handles.mlineStyleDictionary, &handles.namedObjectDictionary})
    in.Handle(*handle);
  if (release2000) {
    in.SkipShorts(2);  // TSTACKALIGN, TSTACKSIZE
    in.SkipTexts(2);   // HYPERLINKBASE, STYLESHEET
    for (FcHandle* handle : {&handles.layoutDictionary, &handles.plotSettingsDictionary, &handles.plotStyleDictionary})
      in.Handle(*handle);
    in.SkipLongs(1);   // flags word
    in.SkipShorts(1);  // INSUNITS
    short plotStyleType = 0;
    in.Short(plotStyleType);
    if (plotStyleType == kPlotStyleByHandle) in.SkipHandles(1);
    in.SkipTexts(2);  // the GUIDs
  }
  for (FcHandle* handle : {&handles.paperSpaceBlock, &handles.modelSpaceBlock, &handles.byLayerLinetype,
                           &handles.byBlockLinetype, &handles.continuousLinetype})
    in.Handle(*handle);
}

}  // namespace

int WriteDwgHeader(const FcSystemVar& vars, FcFilerDwg& filer, DwgSectionLocator& locator) {
  WriteDwgSectionFrame(filer, kStartSentinel, kEndSentinel, locator, [&vars, &filer] {
    HeaderOut out(filer);
    WriteVariables(vars, out);
  });
  return 0;
}

int ReadDwgHeader(FcSystemVar& vars, FcFilerDwg& filer, const DwgSectionLocator& locator) {
  return ReadDwgSectionFrame(filer, locator, kStartSentinel, kEndSentinel, [&vars, &filer](std::int64_t end) {
    HeaderIn in(filer);
    ReadVariables(vars, in, filer.GetVersion() >= FcFilerDwg::kVersion2000);
    if (in.Ok() && filer.GetFile()->GetPosition() < end) in.SkipShorts(4);
    return in.Ok();
  });
}
