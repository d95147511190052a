#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/handle.h"
#include "database/fixed_text.h"
#include "database/symbol_list.h"

// A linetype: a named pattern of dashes (positive lengths), gaps (negative)
// and dots (0), in drawing units.
class FcLineType : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 57;
  static constexpr int kMaxElements = 15;
  // Kinds of the two linetypes that stand for the layer's and the block's.
  static constexpr std::uint8_t kKindOther = 0;
  static constexpr std::uint8_t kKindByLayer = 1;
  static constexpr std::uint8_t kKindByBlock = 2;
  static constexpr std::int16_t kXrefDependentFlag = 16;
  // Patterns in files and typed text are in inches.
  static constexpr double kPatternUnit = 25.4;

  FcLineType();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;

  // Takes everything of another linetype but its unreferenced mark.
  void CopyFrom(const FcLineType& other);

  // Also sets the kind: ByLayer, ByBlock or other (ASCII case ignored).
  void SetName(std::string_view name);
  const std::string& GetName() const { return name_.str(); }
  std::uint8_t GetKind() const { return kind_; }
  void SetDescription(std::string_view text) { description_ = text; }
  const std::string& GetDescription() const { return description_.str(); }
  std::int16_t GetFlags() const { return flags_; }
  void SetFlags(std::int16_t flags) { flags_ = flags; }
  bool IsXrefDependent() const { return (flags_ & kXrefDependentFlag) != 0; }
  void SetXrefDependent(bool xrefDependent) {
    flags_ = static_cast<std::int16_t>(xrefDependent ? flags_ | kXrefDependentFlag : flags_ & ~kXrefDependentFlag);
  }

  // Parses pattern text such as "A,.5,-.25" (fields cut at the program's
  // list separator, lengths in inches). False for a refused pattern; the
  // elements read so far stay.
  bool SetPattern(std::string_view text);

  int GetElementCount() const { return elementCount_; }
  double GetElement(int index) const { return elements_[static_cast<std::size_t>(index)]; }
  double GetPatternLength() const { return patternLength_; }
  double GetDrawnLength() const { return drawnLength_; }

  // Set by the reference scan on linetypes that nothing has been seen to
  // use yet.
  bool IsUnreferenced() const { return unreferenced_; }
  void SetUnreferenced(bool unreferenced) { unreferenced_ = unreferenced; }

 private:
  // Clears the pattern, then appends elements one by one.
  void ClearPattern();
  void AppendElement(double length);

  std::uint8_t kind_ = kKindOther;
  std::int16_t flags_ = 0;
  FcFixedText name_;
  FcFixedText description_;
  std::int16_t elementCount_ = 0;
  double patternLength_ = 0.0;
  double drawnLength_ = 0.0;
  std::array<double, kMaxElements> elements_{};
  bool unreferenced_ = false;
};

// The linetype table of a drawing. Records 0 and 1 are "ByLayer" and
// "ByBlock" in a new drawing and after reading DWG; after reading DXF they
// stand where the file put them.
class FcLinetypeList : public FcSymbolList {
 public:
  static constexpr DwgObjectType kDwgType = 56;

  FcLinetypeList();

  FcLineType* GetAt(int index) const { return static_cast<FcLineType*>(GetRecordAt(index)); }
  FcLineType* FindByHandle(FcHandle handle) const {
    return static_cast<FcLineType*>(FcSymbolList::FindByHandle(handle));
  }
  // The first record of the kind (FcLineType::kKindByLayer, ...); null for
  // none.
  FcLineType* FirstOfKind(std::uint8_t kind) const;
  // The first linetype of that name, ASCII case ignored.
  FcLineType* FindByName(std::string_view name) const { return static_cast<FcLineType*>(FindByNameNoCase(name)); }

  // Appends the record, which the table owns from now on; nothing for null.
  void Add(std::unique_ptr<FcLineType> record);
  // A default record appended without a handle.
  FcLineType* AddNew();
  // Deletes the first record of that name; no reference check.
  void RemoveByName(std::string_view name);
  // Deletes the first record with the handle; the new count.
  int RemoveByHandle(FcHandle handle);
  // Empties the table and loads every good linetype of a linetype file; a
  // file that cannot be read leaves the table empty.
  void LoadFromFile(const std::string& path);
  // Marks every linetype unreferenced except "ByLayer", "ByBlock" and
  // "Continuous".
  void ClearReferenceMarks();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "TABLE" and its name.
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;

 protected:
  std::string_view RecordName(const FcObject& record) const override;

 private:
  // Reads a record of the DWG file by handle; null (the record deleted)
  // when it fails.
  std::unique_ptr<FcLineType> ReadDwgRecord(FcFilerDwg& filer, FcHandle handle);
};
