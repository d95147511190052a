#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/handle.h"
#include "core/point2d.h"
#include "database/symbol_list.h"
#include "fonts/point_chain.h"
#include "fonts/shape_info.h"

class FcGraph;

// The font every style starts with and falls back on.
inline constexpr std::string_view kDefaultShxFontName = "txt.shx";

// A record of the STYLE table: the font a text uses and its default look
// (fixed height, width factor, oblique angle, backward and upside-down
// generation). A style is a TrueType style exactly when its face name is
// set; otherwise its font file names an SHX shape font.
//
// A style hands the text engines the glyph of one character code as a
// point chain in glyph units (100 to the cap height) with its advance.
// SHX glyphs come from the style's two shape-font slots, TrueType glyphs
// from its face; a font the machine lacks is drawn with "txt.shx" (SHX)
// or a metric-compatible or default face (TrueType), never with nothing.
class FcTextStyle : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 53;
  // Generation flags (group 71).
  static constexpr std::int16_t kBackward = 2;
  static constexpr std::int16_t kUpsideDown = 4;
  // Standard flags (group 70): a record of an external reference.
  static constexpr std::int16_t kXrefDependent = 16;
  static constexpr std::size_t kMaxName = 511;
  static constexpr std::size_t kMaxFaceName = 63;

  FcTextStyle();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // 0, or 2 on any failure. A record of an external reference stops after
  // its name with the standard flags marked, for the table to drop it.
  int ReadDwg(FcFilerDwg& filer) override;
  // After the group 0: 0; 1 for a malformed record or one without a name;
  // 2 for extended data that cannot be read.
  int ReadDxf(FcFiler& filer) override;

  // The object part, then the fonts when their names differ, then every
  // setting including the name.
  void CopyFrom(const FcTextStyle& source);

  // Resolves and loads the primary font: ".shx" is added to a name without
  // extension, and the file is looked for in the drawing's folder and
  // along the search path. A shape font loads into the primary slot; a
  // TrueType file makes the style a TrueType style. A font that cannot be
  // found keeps its name (so the drawing keeps it) and draws with
  // "txt.shx", or with the default face for a TrueType file name; without
  // "txt.shx", with the program's default text font. Nothing
  // when the name is the current one without regard to case.
  void SetFontFile(std::string_view fileName);
  // The big font, kept without directory; ".shx" is added to a name
  // without extension. An empty name, or one not found on the search path,
  // clears it.
  void SetBigFontFile(std::string_view fileName);
  // Makes the style a TrueType style of the face, when the machine has it
  // (or a metric-compatible one).
  void SetTrueTypeFace(std::string_view faceName);
  // Switches a work copy of a style to a face named inside a text, without
  // looking up its file.
  void UseTrueTypeFace(std::string_view faceName);

  // The glyph of a code of the SHX text decoder: the chain (strokes), the
  // origin (0,0) and the advance along x. Code 0 is the caret, 32 a space
  // as wide as "A"; a code the font lacks draws a question mark 60 wide;
  // a damaged font draws nothing.
  void GetShxGlyph(PointChain& chain, FcPoint2d& origin, int code, FcPoint2d& advance) const;
  // The glyph of a code of the TrueType text decoder (filled rings) with
  // its black box, cell advance and glyph origin, all scaled so that "A"
  // is 100 tall.
  void GetTrueTypeGlyph(PointChain& chain, int code, FcPoint2d& blackBox, FcPoint2d& cellAdvance,
                        FcPoint2d& glyphOrigin) const;
  // The glyph of the code from whichever kind of font the style has,
  // decoded by DecodeText; returns the advance along x.
  double GetGlyph(PointChain& chain, int code) const;
  // Decodes drawing text with the decoder of the style's font kind: SHX
  // styles to 16-bit codes, TrueType styles to bytes.
  int DecodeText(std::string_view text, int codePage, bool decodeV, std::vector<std::uint16_t>& codes) const;
  // True when the style draws with shape fonts.
  bool IsShx() const { return font_.HasPrimary(); }
  const CShapeInfo& GetFontSlot() const { return font_; }
  const CShapeInfo& GetBigFontSlot() const { return bigFont_; }

  const std::string& GetName() const { return name_; }
  // Keeps at most 511 characters.
  void SetName(std::string_view name);
  const std::string& GetFontFile() const { return fontFile_; }
  const std::string& GetBigFontFile() const { return bigFontFile_; }
  const std::string& GetFaceName() const { return faceName_; }
  bool IsTrueType() const { return !faceName_.empty(); }

  std::int16_t GetGenerationFlags() const { return generationFlags_; }
  void SetGenerationFlags(std::int16_t flags) { generationFlags_ = flags; }
  std::int16_t GetStandardFlags() const { return standardFlags_; }
  void SetStandardFlags(std::int16_t flags) { standardFlags_ = flags; }
  bool IsXrefDependent() const { return (standardFlags_ & kXrefDependent) != 0; }
  void SetXrefDependent(bool xrefDependent) {
    standardFlags_ =
        static_cast<std::int16_t>(xrefDependent ? standardFlags_ | kXrefDependent : standardFlags_ & ~kXrefDependent);
  }
  // The last height the text commands used; never written to a file.
  double GetLastHeight() const { return lastHeight_; }
  void SetLastHeight(double height) { lastHeight_ = height; }
  // Radians.
  double GetObliqueAngle() const { return obliqueAngle_; }
  void SetObliqueAngle(double angle) { obliqueAngle_ = angle; }
  // 0 asks for the height of each text.
  double GetFixedHeight() const { return fixedHeight_; }
  void SetFixedHeight(double height) { fixedHeight_ = height; }
  double GetWidthFactor() const { return widthFactor_; }
  void SetWidthFactor(double factor) { widthFactor_ = factor; }
  int GetBold() const { return bold_; }
  void SetBold(int bold) { bold_ = bold; }
  int GetItalic() const { return italic_; }
  void SetItalic(int italic) { italic_ = italic; }
  // Brings TrueType outlines to the glyph scale of the shape fonts.
  double GetTrueTypeScale() const { return trueTypeScale_; }

  // Set for every style but "standard" before a save or purge; cleared by
  // the entities that use the style.
  bool IsUnreferenced() const { return unreferenced_ != 0; }
  void SetUnreferenced(bool unreferenced) { unreferenced_ = unreferenced ? 1 : 0; }

 private:
  std::string bigFontFile_;
  std::int16_t generationFlags_ = 0;
  std::int16_t standardFlags_ = 0;
  std::string name_;
  std::string fontFile_;
  double lastHeight_ = 0.0;
  double obliqueAngle_ = 0.0;
  double fixedHeight_ = 0.0;
  double widthFactor_ = 1.0;
  int bold_ = 0;
  int italic_ = 0;
  std::string faceName_;
  double trueTypeScale_ = 1.0;
  CShapeInfo font_;
  CShapeInfo bigFont_;
  std::uint8_t unreferenced_ = 0;

  // The character set of the drawing's code page.
  int Charset() const;
  void MeasureTrueTypeScale();
  void BecomeTrueType(std::string_view faceName);
  // The program's default text font (a shape font or a TrueType file) in
  // place of a missing font; a style with none draws the system's face.
  void UseDefaultTextFont();
};

// The STYLE table of a drawing. The drawing makes itself the table's
// owner; the table owns its styles.
class FcTextStyleList : public FcSymbolList {
 public:
  static constexpr DwgObjectType kDwgType = 52;

  FcTextStyleList();

  FcTextStyle* GetAt(int index) const { return static_cast<FcTextStyle*>(GetRecordAt(index)); }
  FcTextStyle* FindByHandle(FcHandle handle) const {
    return static_cast<FcTextStyle*>(FcSymbolList::FindByHandle(handle));
  }
  // The first style of that name, compared without regard to case.
  FcTextStyle* Find(std::string_view name) const { return static_cast<FcTextStyle*>(FindByNameNoCase(name)); }
  // The drawing that owns the table, or null.
  FcGraph* GetGraph() const;

  // Appends the style, which the table owns from now on; nothing for null.
  void Add(std::unique_ptr<FcTextStyle> style);
  // A default style appended without a handle; the caller gives one.
  FcTextStyle* CreateStyle();
  // Delete the matching style; the last style moves into its place.
  void RemoveByName(std::string_view name);
  void RemoveByHandle(FcHandle handle);
  void Reserve(int n) { Grow(n); }
  // Marks every style unreferenced except "standard".
  void ClearReferenceMarks();

  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "TABLE" and its name: 0; 1 for a malformed
  // table; 3 when a style cannot be made; 4 when a style record fails.
  int ReadDxf(FcFiler& filer) override;
  // The control object named by the file header, then its styles: 0, or 2
  // on any failure.
  int ReadDwg(FcFilerDwg& filer) override;

 protected:
  std::string_view RecordName(const FcObject& record) const override;
};
