#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "entities/text.h"

// Flags of attributes and their definitions (group 70).
inline constexpr std::int16_t kAttributeInvisible = 1;
inline constexpr std::int16_t kAttributeConstant = 2;
inline constexpr std::int16_t kAttributeVerify = 4;
inline constexpr std::int16_t kAttributePreset = 8;
// Tags and prompts keep this many characters; the rest of a longer one in
// a file is dropped.
inline constexpr std::size_t kMaxAttributeName = 512;

// What attributes and their definitions add to a line of text: a tag and
// flags, and a field length that only DWG carries.
class FcAttributeText : public FcText {
 public:
  const std::string& GetTag() const { return tag_; }
  void SetTag(std::string_view tag) { tag_ = tag.substr(0, kMaxAttributeName); }
  std::int16_t GetFlags() const { return flags_; }
  void SetFlags(std::int16_t flags) { flags_ = flags; }
  std::int16_t GetFieldLength() const { return fieldLength_; }

 protected:
  FcAttributeText(const char* recordName, EntityKind kind, DwgObjectType dwgType);
  void CopyAttributeFields(const FcAttributeText& other);
  // The text's groups, then the marker, the prompt (definitions), the tag,
  // the flags and a vertical justification that is not 0.
  int WriteAttributeDxf(FcFiler& filer, std::string_view marker, const std::string* prompt);
  // The text's groups, then the class's subclass: 0, 1 or 2.
  int ReadAttributeDxf(FcFiler& filer, std::string_view marker, std::string* prompt);
  void WriteAttributeDwg(FcFilerDwg& filer);
  int ReadAttributeDwg(FcFilerDwg& filer);
  // " Invisible", " constant" or " Verify" and " Preset", else " Normal".
  std::string FlagsText() const;
  void ListBeforeGeneration() override;

 private:
  std::string tag_;
  std::int16_t flags_ = 0;
  std::int16_t fieldLength_ = 0;
};

// The value of one attribute of the block reference it follows.
class FcAttribute : public FcAttributeText {
 public:
  static constexpr DwgObjectType kDwgType = 2;
  static constexpr const char* kRecordName = "ATTRIB";
  static constexpr const char* kSubclassMarker = "AcDbAttribute";

  // A sub-entity from the start.
  FcAttribute();
  FcAttribute(const FcAttribute& other);
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  // By ATTMODE: 0 never, 1 unless invisible, 2 always.
  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void ListContents() override;
  // Succeeds without producing anything: the value goes with its reference.
  bool Explode(FcEntitySets& target) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
};

// A tag, prompt and default value in a block, asked for when the block is
// inserted.
class FcAttributeDef : public FcAttributeText {
 public:
  static constexpr DwgObjectType kDwgType = 3;
  static constexpr const char* kRecordName = "ATTDEF";
  static constexpr const char* kSubclassMarker = "AcDbAttributeDefinition";

  FcAttributeDef();
  FcAttributeDef(const FcAttributeDef& other);
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  // Only in the drawing's current space, showing the tag: inside a block a
  // definition does not show through its references.
  bool Draw(FcDrawSink* sink) override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void ListContents() override;
  void WriteDwgData(FcFilerDwg& filer) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  const std::string& GetDrawText() const override { return GetTag(); }

  const std::string& GetPrompt() const { return prompt_; }
  void SetPrompt(std::string_view prompt) { prompt_ = prompt.substr(0, kMaxAttributeName); }

 private:
  std::string prompt_;
};
