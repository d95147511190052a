#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/handle.h"
#include "database/symbol_list.h"

class FcGraph;

// A record of the STYLE table: the font a text uses and its default look
// (fixed height, width factor, oblique angle, backward and upside-down
// generation). A style is a TrueType style exactly when its face name is
// set; otherwise its font file names an SHX shape font.
//
// The fonts themselves are not loaded here: SetFontFile and SetBigFontFile
// keep the file names as the font search would store them, and the glyph
// work binds the files.
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

  // The primary font: ".shx" is added to a name without extension; an
  // empty name falls back to the default font. Nothing when the name is
  // the current one without regard to case.
  void SetFontFile(std::string_view fileName);
  // The big font, kept without directory; ".shx" is added to a name
  // without extension. An empty name clears it.
  void SetBigFontFile(std::string_view fileName);

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
  std::uint8_t unreferenced_ = 0;
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
