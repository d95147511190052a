#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/handle.h"
#include "database/fixed_text.h"
#include "database/symbol_list.h"

class FcGraph;
class FcSystemVar;
struct FcResBuf;

// One value of every dimension variable, in the order the style record
// keeps them; the member initialisers are the values of a new style.
// Names of blocks and of the text style travel with the handle of the
// record they name (0 when none is bound).
struct FcDimVars {
  std::int16_t dimclrd = 0;
  std::int16_t dimlwd = -2;
  double dimdle = 0.0;
  double dimdli = 0.38;
  std::uint8_t dimsd1 = 0;
  std::uint8_t dimsd2 = 0;
  std::int16_t dimclre = 0;
  std::int16_t dimlwe = -2;
  double dimexe = 0.18;
  double dimexo = 0.625;
  std::uint8_t dimse1 = 0;
  std::uint8_t dimse2 = 0;
  std::uint8_t dimsah = 0;
  FcFixedText dimblk;
  FcHandle dimblkHandle = 0;
  FcFixedText dimblk1;
  FcHandle dimblk1Handle = 0;
  FcFixedText dimblk2;
  FcHandle dimblk2Handle = 0;
  FcFixedText dimldrblk;
  FcHandle dimldrblkHandle = 0;
  double dimasz = 0.18;
  double dimcen = 0.09;
  double dimtsz = 0.0;
  FcFixedText dimtxsty = "standard";
  FcHandle dimtxstyHandle = 0;
  std::int16_t dimclrt = 0;
  double dimtxt = 0.18;
  double dimtfac = 1.0;
  double dimgap = 0.09;
  double dimtvp = 0.0;
  std::uint8_t dimtad = 0;
  std::uint8_t dimjust = 0;
  std::uint8_t dimtoh = 1;
  std::uint8_t dimtih = 1;
  std::int16_t dimatfit = 3;
  std::uint8_t dimtix = 0;
  std::uint8_t dimsoxd = 0;
  std::int16_t dimtmove = 0;
  double dimscale = 1.0;
  std::uint8_t dimupt = 0;
  std::uint8_t dimtofl = 0;
  std::int16_t dimlunit = 2;
  std::int16_t dimdec = 4;
  std::int16_t dimfrac = 0;
  std::int16_t dimdsep = '.';
  double dimrnd = 0.0;
  FcFixedText dimpost;
  double dimlfac = 1.0;
  std::int16_t dimzin = 0;
  std::int16_t dimaunit = 0;
  std::int16_t dimadec = 0;
  std::int16_t dimazin = 0;
  std::uint8_t dimalt = 0;
  std::int16_t dimaltu = 2;
  std::uint8_t dimaltd = 2;
  double dimaltf = 25.4;
  double dimaltrnd = 0.0;
  FcFixedText dimapost;
  std::int16_t dimaltz = 0;
  std::uint8_t dimtol = 0;
  std::uint8_t dimlim = 0;
  std::int16_t dimtdec = 4;
  double dimtp = 0.0;
  double dimtm = 0.0;
  std::uint8_t dimtolj = 1;
  std::uint8_t dimtzin = 0;
  std::int16_t dimalttd = 2;
  std::uint8_t dimalttz = 0;

  friend bool operator==(const FcDimVars&, const FcDimVars&) = default;
};

// A record of the DIMSTYLE table. Dimensions, leaders and tolerances read
// its variables through the effective-value getters: while a dimension is
// rebuilt, its "DSTYLE" overrides are attached to the style and win over
// the style's own values.
class FcDimStyle : public FcObject, public FcDimVars {
 public:
  static constexpr DwgObjectType kDwgType = 69;
  static constexpr std::int16_t kXrefDependentFlag = 16;

  // An empty record with the values of a new style, without binding names
  // to a drawing.
  FcDimStyle();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // 0; 2 for a failed read, a handle of the wrong code or a CRC that does
  // not match.
  int ReadDwg(FcFilerDwg& filer) override;
  // After the group 0: 0; 1 for a malformed record or one without a name;
  // 2 for extended data that cannot be read.
  int ReadDxf(FcFiler& filer) override;

  const std::string& GetName() const { return name_.str(); }
  // Keeps at most 511 characters.
  void SetName(std::string_view name);
  FcGraph* GetGraph() const { return graph_; }
  void SetGraph(FcGraph* graph) { graph_ = graph; }
  bool IsUnreferenced() const { return unreferenced_ != 0; }
  void SetUnreferenced(bool unreferenced) { unreferenced_ = unreferenced ? 1 : 0; }
  bool IsXrefDependent() const { return xrefDependent_ != 0; }
  void SetXrefDependent(bool dependent) { xrefDependent_ = dependent ? 1 : 0; }

  // The override chain of the dimension being rebuilt (its "ACAD"
  // extended data), or null. Not owned: the dimension keeps it and detaches
  // it when its rebuild ends.
  FcResBuf* GetOverrides() const { return overrides_; }
  void SetOverrides(FcResBuf* overrides) { overrides_ = overrides; }
  // The value item of the first (1070 code, value) pair for the group code,
  // walking pairs from the first 1070 item on; null when none.
  const FcResBuf* FindOverride(int groupCode) const;

  // Effective values: the override when there is one, else the style's.
  std::int16_t GetDimClrd() const;
  double GetDimAsz() const;
  double GetDimCen() const;
  double GetDimScale() const;
  FcHandle GetDimTxSty() const;
  std::int16_t GetDimClrt() const;
  double GetDimTxt() const;
  double GetDimgap() const;
  std::uint8_t GetDimtad() const;
  std::uint8_t GetDimsd1() const;
  std::uint8_t GetDimsd2() const;
  std::int16_t GetDimatfit() const;
  std::uint8_t GetDimjust() const;
  std::int16_t GetDimtmove() const;
  double GetDimexe() const;
  double GetDimexo() const;
  std::int16_t GetDimclre() const;
  std::uint8_t GetDimse1() const;
  std::uint8_t GetDimse2() const;
  std::string GetDimpost() const;
  std::uint8_t GetDimtol() const;
  std::uint8_t GetDimalt() const;
  std::int16_t GetDimfrac() const;
  double GetDimtfac() const;
  std::uint8_t GetDimtolj() const;

  // The text of measured values, as multiline-text source (stacks,
  // "%%p"). These read the style's own fields, not the overrides.
  // Precisions from files are taken within 0..8.
  struct Rounded {
    double value = 0.0;
    int precision = 0;
    int zeroBits = 0;
  };
  // The value scaled by DIMLFAC (and DIMALTF for the alternate units) and
  // rounded to DIMRND or DIMALTRND, with the precision and zero bits of
  // those units.
  Rounded ScaleAndRound(bool alternate, double value) const;
  std::string FormatDecimal(bool alternate, double value) const;
  std::string FormatEngineering(bool alternate, double value) const;
  std::string FormatArchitectural(bool alternate, double value) const;
  std::string FormatFractional(bool alternate, double value) const;
  std::string FormatScientific(bool alternate, double value) const;
  // The same without scaling or rounding, for tolerances and limits.
  std::string FormatDecimalExact(double value, int precision, int zeroBits) const;
  std::string FormatEngineeringExact(double value, int precision, int zeroBits) const;
  std::string FormatArchitecturalExact(double value, int precision, int zeroBits) const;
  std::string FormatFractionalExact(double value, int precision, int zeroBits) const;
  std::string FormatScientificExact(double value, int precision, int zeroBits) const;
  // The measured distance in primary or alternate units, or the stack of
  // its limits when DIMLIM is on.
  std::string FormatDistance(double value) const;
  std::string FormatAltDistance(double value) const;
  // "%%p" and one value when DIMTP equals DIMTM, else the stack of both.
  std::string FormatTolerance() const;
  std::string FormatAltTolerance() const;
  std::string FormatAngularTolerance() const;
  // DIMAZIN, DIMDSEP and the unit mark applied to a formatted angle.
  std::string FixAngularText(std::string text) const;
  // DIMPOST (or DIMAPOST) around the value text: what stands before its
  // first marker is the prefix, what follows is the suffix.
  std::string ApplyPrefixSuffix(bool alternate, const std::string& value) const;

  // Binds the text style of that name in the style's drawing; nothing
  // changes when there is none.
  void SetTextStyle(std::string_view name);
  // Bind the block of that name in the style's drawing; an unknown name
  // leaves an empty name and handle 0.
  void SetDimblk(std::string_view name);
  void SetDimblk1(std::string_view name);
  void SetDimblk2(std::string_view name);
  void SetDimldrblk(std::string_view name);
  // Takes only colours 0..256.
  void SetDimclrd(std::int16_t colour);

  void SetDefaults();
  // The defaults, then the metric values of "ISO-25".
  void SetIso25Defaults();
  // The object part and every variable of another style, of this or
  // another drawing; arrow blocks and the text style bound again by name in
  // this style's drawing.
  void CopyVariables(const FcDimStyle& other);
  // Every variable from the drawing's DIM system variables; names as text,
  // their handles cleared for ResolveBlocks to bind.
  void CopyFromSysVars(const FcSystemVar& vars);
  // Clears the unreferenced marks of the blocks and text style in use.
  void MarkBlocksReferenced();
  // After a drawing was read: names from handles, or handles from names.
  void ResolveBlocks();

 private:
  // The override's value or the style's field.
  double EffectiveReal(int groupCode, double own) const;
  std::int16_t EffectiveShort(int groupCode, std::int16_t own) const;
  std::uint8_t EffectiveByte(int groupCode, std::uint8_t own) const;
  void BindBlock(std::string_view name, FcFixedText& field, FcHandle& handle);
  void ResolveBlock(FcFixedText& field, FcHandle& handle);
  // The R13/R14 fit value in DIMATFIT and DIMTMOVE.
  void SetOldFit(int fit);
  // By unit code: the rounded formatter of the primary or alternate units.
  std::string FormatByUnit(int unit, bool alternate, double value) const;
  std::string FormatExactByUnit(int unit, double value, int precision, int zeroBits) const;
  std::string FormatTolerance(int unit, double scale, int precision, int zeroBits) const;
  std::string FormatLimits(int unit, double value, int precision, int zeroBits) const;
  // The feet and inches forms; `exact` keeps what the rounded forms drop.
  std::string FeetAndInches(const Rounded& r, bool architectural, bool exact) const;
  std::string Fraction(const Rounded& r, bool exact) const;
  std::string Decimal(const Rounded& r, bool exact) const;
  std::string Scientific(const Rounded& r) const;
  std::string Stack(const std::string& upper, const std::string& lower, bool spaced) const;
  char Separator() const { return static_cast<char>(dimdsep & 0xff); }
  int ReadDwgVariables2000(FcFilerDwg& filer);
  int ReadDwgVariablesR14(FcFilerDwg& filer);
  void SetDxfValue(const FcResBuf& group);

  FcFixedText name_;
  std::uint8_t unreferenced_ = 0;
  std::uint8_t xrefDependent_ = 0;
  FcResBuf* overrides_ = nullptr;
  FcGraph* graph_ = nullptr;
};

// The text without trailing "0" characters, then without a trailing
// separator.
std::string StripTrailingZeros(std::string text, char separator);
// A backslash before each "#", "/", "\\" and "^" that has none, so that
// the text stands as one side of a stack.
std::string EscapeStackChars(const std::string& text);

// Copies a style into the drawing's DIM system variables through their
// setters, so that a value out of a variable's range leaves it unchanged;
// DIMTOL before DIMLIM, so that DIMLIM wins when both are on.
void SetDimVarsFromStyle(FcSystemVar& vars, const FcDimStyle& style);

// The DIMSTYLE table of a drawing: it owns its styles, keeps the current
// one and knows its drawing, which every style it takes gets as well.
class FcDimStyleList : public FcSymbolList {
 public:
  static constexpr DwgObjectType kDwgType = 68;

  FcDimStyleList();

  FcDimStyle* GetAt(int index) const { return static_cast<FcDimStyle*>(GetRecordAt(index)); }
  FcDimStyle* FindByHandle(FcHandle handle) const {
    return static_cast<FcDimStyle*>(FcSymbolList::FindByHandle(handle));
  }
  // The first style of that name, compared without regard to case.
  FcDimStyle* Find(std::string_view name) const { return static_cast<FcDimStyle*>(FindByNameNoCase(name)); }

  FcGraph* GetGraph() const { return graph_; }
  void SetGraph(FcGraph* graph) { graph_ = graph; }
  FcDimStyle* GetCurrent() const { return current_; }
  void SetCurrent(FcDimStyle* style) { current_ = style; }

  // Appends the style with the table as owner and the table's drawing;
  // nothing for null.
  void Add(std::unique_ptr<FcDimStyle> style);
  // A style with the default values, appended without a handle.
  FcDimStyle* AddNew();
  // Hands the style out of the table (the last one moves into its place);
  // null when no style has the handle. The current style pointer is cleared
  // when it was that style.
  std::unique_ptr<FcDimStyle> RemoveByHandle(FcHandle handle);
  // Deletes every style; no style is current afterwards.
  void RemoveAll();
  void Reserve(int n) { Grow(n); }
  // The number of styles.
  int ResolveBlockNames();
  // A single style stays referenced; otherwise every style is marked.
  void ClearReferenceMarks();

  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "TABLE" and its name: 0; 1 for a malformed
  // table; 3 when a style cannot be made; 4 when a style record fails.
  int ReadDxf(FcFiler& filer) override;
  // The control object, then every style in table order.
  int WriteDwg(FcFilerDwg& filer) override;
  // The control object named by the file header, then its styles: 0, or 2
  // on any failure.
  int ReadDwg(FcFilerDwg& filer) override;

 protected:
  std::string_view RecordName(const FcObject& record) const override;

 private:
  // A new style of this table that starts from the drawing's DIM system
  // variables, for a reader.
  std::unique_ptr<FcDimStyle> NewStyleForReading(FcFiler& filer);

  FcGraph* graph_ = nullptr;
  FcDimStyle* current_ = nullptr;
};
