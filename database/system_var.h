#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/fixed_text.h"

struct FcResBuf;

// What a system variable's look-up by name found: the variable, or no
// variable of that name that can be read (or, for a set, set).
enum class FcSysVarResult { kDone, kUnknownName };

// The code page of a new drawing's text.
std::int32_t SystemCodePage();

// The records the DWG header names by handle. The file writer fills them
// from the drawing before it writes the header; the reader binds them after.
struct FcHeaderHandles {
  FcHandle currentLayer = 0;
  FcHandle currentTextStyle = 0;
  FcHandle currentLinetype = 0;
  FcHandle currentDimStyle = 0;
  FcHandle currentMlineStyle = 0;
  FcHandle dimTextStyle = 0;
  FcHandle dimLeaderBlock = 0;
  FcHandle dimBlock = 0;
  FcHandle dimBlock1 = 0;
  FcHandle dimBlock2 = 0;
  FcHandle blockControl = 0;
  FcHandle layerControl = 0;
  FcHandle textStyleControl = 0;
  FcHandle linetypeControl = 0;
  FcHandle viewControl = 0;
  FcHandle ucsControl = 0;
  FcHandle viewportControl = 0;
  FcHandle appIdControl = 0;
  FcHandle dimStyleControl = 0;
  FcHandle viewportEntityHeaderControl = 0;
  FcHandle groupDictionary = 0;
  FcHandle mlineStyleDictionary = 0;
  FcHandle namedObjectDictionary = 0;
  FcHandle layoutDictionary = 0;
  FcHandle plotSettingsDictionary = 0;
  FcHandle plotStyleDictionary = 0;
  FcHandle paperSpaceBlock = 0;
  FcHandle modelSpaceBlock = 0;
  FcHandle byLayerLinetype = 0;
  FcHandle byBlockLinetype = 0;
  FcHandle continuousLinetype = 0;
};

// The settings of one drawing, embedded in it. Program code reads and writes
// the fields directly (a field written that way skips the range rules);
// typed names, the file header and undo go through SetVar and GetVar.
//
// Fields named in lower case are the variables of the same name; the
// capitalised ones are kept with them but have no name of their own. The
// member initialisers are the settings of a new drawing.
// Flags are 8-bit 0/1 values; "short" variables are 16-bit, OSMODE and
// DWGCODEPAGE 32-bit.
class FcSystemVar {
 public:
  FcSystemVar();

  // The settings of a new drawing. Leaves AREA, INSBASE, LASTPOINT,
  // DIMSTYLE, DIMLWD, DIMLWE, DIMUNIT and the header handles alone; the UCS
  // becomes the world system.
  void SetDefaults();

  // Copies another drawing's settings, except AREA, INSBASE, LASTPOINT,
  // DIMSTYLE, DIMLWD, DIMLWE, the autosave state and the header handles;
  // the UCS is rebuilt from the other's origin and axes.
  void CopyFrom(const FcSystemVar& other);

  // Sets one variable by name (any case). kDone for a known name, also when
  // the variable's rule refused the value and kept the old one.
  FcSysVarResult SetVar(std::string_view name, const FcResBuf& value);
  // Fills value's type and value for a readable name and answers kDone;
  // kUnknownName, with value untouched, otherwise.
  FcSysVarResult GetVar(std::string_view name, FcResBuf& value) const;

  // Makes the UCS from an origin, a point on its x axis and a point that
  // only decides the handedness, all in world coordinates. False, with the
  // UCS unchanged, when the x axis has no direction.
  bool SetUcs(const FcPoint2d& origin, const FcPoint2d& xPoint, const FcPoint2d& yPoint);
  FcPoint2d GetUcsXDir() const { return ucsxdir; }
  FcPoint2d GetUcsYDir() const { return ucsydir; }

  // LASTPOINT is kept in world coordinates; these take and give it in the
  // current UCS.
  FcPoint2d GetLastPoint() const;
  void SetLastPoint(const FcPoint2d& ucsPoint);

  // False, with DWGCODEPAGE unchanged, for a code page the drawing formats
  // do not support.
  bool SetCodePage(std::int32_t codePage);

  void SetDwgName(std::string_view name) { dwgname = name; }
  void SetDwgPrefix(std::string_view prefix) { dwgprefix = prefix; }
  // Plain copies of the name: making a style current is the drawing's work.
  void SetDimStyleName(std::string_view name) { dimstyle = name; }
  void SetTextStyleName(std::string_view name) { textstyle = name; }

  // Setters that apply a variable's rule; a refused value changes nothing.
  void SetAUnits(short value);
  void SetAuPrec(short value);
  void SetAttMode(short value);
  void SetCeColor(short value);
  void SetCeLtScale(double value);
  void SetCLayer(std::string_view name);
  void SetCeLType(std::string_view name);
  void SetChamferA(double value);
  void SetChamferB(double value);
  void SetChamferC(double value);
  void SetChamferD(double value);
  void SetCircleRad(double value);
  void SetCmlJust(short value);
  void SetCoords(short value);
  void SetDragMode(short value);
  void SetGridUnit(const FcPoint2d& value);
  void SetInsName(std::string_view name);
  void SetLtScale(double value);
  void SetLUnits(short value);
  void SetLuPrec(short value);
  void SetOsnapCoord(short value);
  void SetPLineWid(double value);
  void SetPolySides(short value);
  void SetSketchInc(double value);
  void SetSnapUnit(const FcPoint2d& value);
  void SetSplineSegs(short value);
  void SetTextSize(double value);
  void SetTraceWid(double value);
  void SetUcsIcon(short value);

  // Dimension variable setters. Callers pass the full value; SetVar narrows
  // to the low byte first where a variable's rule says so.
  void SetDimadec(short value);
  void SetDimaltd(short value);
  void SetDimaltf(double value);
  void SetDimaltrnd(double value);
  void SetDimalttd(short value);
  void SetDimalttz(short value);
  void SetDimaltu(short value);
  void SetDimaltz(short value);
  void SetDimapost(std::string_view text);
  void SetDimasz(double value);
  void SetDimatfit(short value);
  void SetDimaunit(short value);
  void SetDimazin(short value);
  void SetDimblk(std::string_view name);
  void SetDimblk1(std::string_view name);
  void SetDimblk2(std::string_view name);
  void SetDimdec(short value);
  void SetDimdle(double value);
  void SetDimdli(double value);
  void SetDimexe(double value);
  void SetDimexo(double value);
  void SetDimfrac(short value);
  void SetDimjust(short value);
  void SetDimldrblk(std::string_view name);
  void SetDimlfac(double value);
  // DIMLIM and DIMTOL exclude each other: switching one on switches the
  // other off.
  void SetDimlim(std::uint8_t flag);
  void SetDimlunit(short value);
  void SetDimlwd(short value);
  void SetDimlwe(short value);
  void SetDimpost(std::string_view text);
  void SetDimrnd(double value);
  void SetDimscale(double value);
  void SetDimtad(short value);
  void SetDimtdec(short value);
  void SetDimtfac(double value);
  void SetDimtmove(short value);
  void SetDimtol(std::uint8_t flag);
  void SetDimtolj(short value);
  void SetDimtsz(double value);
  void SetDimtxt(double value);
  void SetDimtxsty(std::string_view name);
  void SetDimtzin(short value);
  void SetDimzin(short value);

  // The next handle to hand out.
  FcHandle handseed = 1;
  FcMatrix2d WorldToUcs;
  FcMatrix2d UcsToWorld;
  std::string FileVersion = "AC1015";
  double angbase = 0.0;  // radians
  std::uint8_t angdir = 0;
  // The result of the last Area command.
  double area = 0.0;
  short aunits = 0;
  short auprec = 4;
  short attmode = 1;
  short cecolor = 256;
  double celtscale = 1.0;
  FcFixedText clayer = "0";
  FcFixedText celtype = "ByLayer";
  double chamfera = 0.5;
  double chamferb = 0.5;
  double chamferc = 1.0;
  double chamferd = 0.0;  // radians
  short chammode = 0;
  double circlerad = 0.0;
  short cmljust = 0;
  double cmlscale = 1.0;
  short coords = 1;

  short dimadec = 2;
  std::uint8_t dimalt = 0;
  short dimaltd = 2;
  double dimaltf = 25.4;
  double dimaltrnd = 0.0;
  short dimalttd = 2;
  short dimalttz = 0;
  short dimaltu = 2;
  short dimaltz = 0;
  FcFixedText dimapost;
  double dimasz = 0.18;
  short dimatfit = 0;
  short dimaunit = 0;
  short dimazin = 0;
  // The dimension that Baseline and Continue start from.
  FcHandle LastDimensionHandle = 0;
  FcFixedText dimblk;
  FcFixedText dimblk1;
  FcFixedText dimblk2;
  double dimcen = 0.09;
  short dimclrd = 0;
  short dimclre = 0;
  short dimclrt = 0;
  short dimdec = 4;
  double dimdle = 0.0;
  double dimdli = 0.38;
  // The decimal separator character.
  short dimdsep = '.';
  double dimexe = 0.18;
  double dimexo = 0.0625;
  short dimfrac = 0;
  double dimgap = 0.09;
  short dimjust = 0;
  FcFixedText dimldrblk;
  double dimlfac = 1.0;
  std::uint8_t dimlim = 0;
  short dimlunit = 0;
  short dimlwd = 0;
  short dimlwe = 0;
  FcFixedText dimpost;
  double dimrnd = 0.0;
  std::uint8_t dimsah = 0;
  double dimscale = 1.0;
  std::uint8_t dimsd1 = 0;
  std::uint8_t dimsd2 = 0;
  std::uint8_t dimse1 = 0;
  std::uint8_t dimse2 = 0;
  std::uint8_t dimsho = 0;
  // The current dimension style's name.
  FcFixedText dimstyle;
  std::uint8_t dimsoxd = 0;
  short dimtad = 0;
  short dimtdec = 4;
  double dimtfac = 1.0;
  std::uint8_t dimtih = 1;
  std::uint8_t dimtix = 0;
  double dimtm = 0.0;
  short dimtmove = 0;
  std::uint8_t dimtofl = 0;
  std::uint8_t dimtoh = 1;
  std::uint8_t dimtol = 0;
  short dimtolj = 1;
  double dimtp = 0.0;
  double dimtsz = 0.0;
  double dimtvp = 0.0;
  double dimtxt = 0.18;
  FcFixedText dimtxsty = "standard";
  short dimtzin = 0;
  // Only a release 13 or 14 DWG file sets it.
  short dimunit = 0;
  std::uint8_t dimupt = 0;
  short dimzin = 0;

  short dragmode = 2;
  double DonutInnerDiameter = 0.5;
  double DonutOuterDiameter = 1.0;
  // The code page of the drawing's text; the system's for a new drawing.
  std::int32_t dwgcodepage = 1252;
  FcFixedText dwgname = "Untitled.dwg";
  // The drawing's directory, with its trailing separator.
  FcFixedText dwgprefix;
  short dwgtitled = 0;
  double filletrad = 5.0;
  short gridmode = 0;
  FcPoint2d gridunit{5.0, 5.0};
  // What the Hatch command remembers.
  short HatchUserDefined = 0;
  FcFixedText HatchPatternName = "SOLID";
  double HatchScale = 1.0;
  double HatchAngle = 0.0;
  double HatchSpacing = 1.0;
  short HatchDouble = 0;
  // "." means no default block.
  FcFixedText insname = ".";
  FcPoint2d insbase;
  // Direction at the end of the last polyline segment, radians.
  double PolylineEndDirection = 0.0;
  // World coordinates.
  FcPoint2d lastpoint;
  FcPoint2d limmin;
  FcPoint2d limmax{420.0, 297.0};
  double ltscale = 1.0;
  short lunits = 2;
  short luprec = 4;
  std::uint8_t mirrtext = 1;
  short Modified = 0;
  double offsetdist = 1.0;
  short orthomode = 0;
  std::int32_t osmode = 37;
  short osnapcoord = 2;
  short pdmode = 0;
  double pdsize = 0.0;
  short plinegen = 0;
  double plinewid = 0.0;
  // The tangent at the end of the last polyline segment drawn; neither
  // named nor saved.
  double lastPlineDirection = 0.0;
  short polysides = 4;
  std::uint8_t qtextmode = 0;
  double sketchinc = 0.1;
  std::uint8_t skpoly = 0;
  double snapang = 0.0;  // radians
  FcPoint2d snapbase;
  FcPoint2d snapunit{10.0, 10.0};
  short snapmode = 0;
  std::uint8_t splframe = 0;
  short splinesegs = 8;
  short splinetype = 6;
  double textsize = 0.2;
  FcFixedText textstyle = "standard";
  double tracewid = 1.0;
  // Fillet and Chamfer: 1 trims the selected edges.
  short TrimMode = 1;
  short ucsicon = 3;
  // The current UCS in world coordinates; SetUcs keeps the fields below
  // and the two matrices in step.
  FcPoint2d ucsorg;
  FcPoint2d ucsxdir{1.0, 0.0};
  FcPoint2d ucsydir{0.0, 1.0};
  double UcsAngle = 0.0;  // of the x axis, radians
  short UcsIsWorld = 1;
  short UcsLeftHanded = 0;
  short useri1 = 0;
  short useri2 = 0;
  short useri3 = 0;
  short useri4 = 0;
  short useri5 = 0;
  double userr1 = 0.0;
  double userr2 = 0.0;
  double userr3 = 0.0;
  double userr4 = 0.0;
  double userr5 = 0.0;
  // 0 idle, 1 armed by a change; the window side advances it.
  short AutosaveState = 0;
  FcHeaderHandles HeaderHandles;
  // What the Lengthen command remembers.
  double LengthenDelta = 0.0;
  double LengthenDeltaAngle = 0.0;
  double LengthenPercent = 100.0;
  double LengthenTotal = 1.0;
  double LengthenTotalAngle = 1.0;

 private:
  struct Bare {};
  // The member initialisers alone; SetDefaults adds the system's code page.
  explicit FcSystemVar(Bare) {}
};
