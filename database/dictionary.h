#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/handle.h"
#include "database/object.h"

// One named entry of a dictionary. The object is owned by the dictionary
// and is null while it has not been read or linked; the handle is the one
// recorded when the entry was made or read.
struct FcDictionaryEntry {
  std::string name;
  FcObject* object = nullptr;
  FcHandle handle = 0;
};

// A named list of owned non-graphical objects. The named-object dictionary
// of a drawing is the root of a tree of them; any object may also own one
// as its extension dictionary.
//
// The tree never reaches itself: a dictionary is refused as an entry of
// itself or of any dictionary below it, and nesting is bounded, so that no
// walk through the tree can go on forever or exhaust the stack.
class FcDictionary : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 42;
  // The entry record holds a name of at most 63 characters.
  static constexpr std::size_t kMaxEntryName = 63;
  // Deeper chains of dictionaries than any drawing uses are refused.
  static constexpr int kMaxNesting = 64;
  // The DWG handle code of an absolute owner handle.
  static constexpr std::uint8_t kAbsoluteOwnerCode = 4;
  // The DWG handle code that writes the owner relative to the own handle.
  static constexpr std::uint8_t kRelativeOwnerCode = 6;

  FcDictionary();
  // Deletes every entry's object.
  ~FcDictionary() override;
  static FcObject* Create();

  // The number of entries plus everything under their objects.
  int GetCount() const override;
  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // 0, or 2 for any failed read, mismatch or an entry whose record is
  // missing. An entry whose object fails its own read, or that names a
  // dictionary already in the tree, stays empty and is dropped at the end.
  int ReadDwg(FcFilerDwg& filer) override;
  // 0, 1 for a malformed record or a failed read, 2 for failed extended
  // data. Entries come without objects; the objects are linked later.
  int ReadDxf(FcFiler& filer) override;

  // Room for n more entries.
  void Grow(int n);
  // Stores the object under the name (without regard to case), deleting
  // the object the entry held; appends a new entry for a new name. The
  // dictionary becomes the object's owner. Nothing for a null object, an
  // empty name, a name too long for an entry, an object held by another
  // entry or by the object it would replace, or a dictionary that would
  // come to reach itself.
  void SetAt(std::string_view name, FcObject* object);
  FcObject* GetAt(std::string_view name) const;
  // Puts the object into the named entry without deleting the one it held
  // (the caller keeps that); the entry's handle stays. False for a null
  // object, an unknown name or a dictionary that would reach itself.
  bool ReplaceObject(std::string_view name, FcObject* object);
  // The first entry object with the handle, null when none.
  FcObject* FindByHandle(FcHandle handle) const;
  // The entry whose object has the handle, null when none.
  const FcDictionaryEntry* FindEntryByHandle(FcHandle handle) const;
  // Delete the entry's object and the entry; false when there is none.
  bool Remove(std::string_view name);
  bool RemoveAt(int index);
  // Deletes every entry's object and resets the flags and the owner code.
  void RemoveAll();

  // After a file has been read: puts the object into the empty entry whose
  // recorded handle is the object's, here or (depth first) in a dictionary
  // below; the dictionary that takes it becomes its owner. False when no
  // entry takes it or taking it would make a dictionary reach itself; the
  // caller then still owns the object.
  bool LinkObject(FcObject* object);
  // Removes every entry without an object, from the last to the first;
  // recursive also in every dictionary below.
  void RemoveUnresolved(bool recursive);
  // Removes every entry whose name is not one the named-object dictionary
  // keeps from a file. Runs before any entry has an object.
  void KeepKnownEntries();

  int GetEntryCount() const { return static_cast<int>(entries_.size()); }
  int GetCapacity() const { return capacity_; }
  // The entry at index, which must lie in 0 .. entry count - 1.
  const FcDictionaryEntry& GetEntry(int index) const {
    return entries_[static_cast<std::size_t>(index)];
  }

  bool GetKnownEntriesOnly() const { return knownEntriesOnly_ != 0; }
  void SetKnownEntriesOnly(bool on) { knownEntriesOnly_ = on ? 1 : 0; }
  std::int32_t GetHardOwner() const { return hardOwner_; }
  void SetHardOwner(bool on) { hardOwner_ = on ? 1 : 0; }
  std::int32_t GetCloning() const { return cloning_; }
  // A value outside 0 to 5 becomes 1.
  void SetCloning(std::int32_t cloning);
  std::uint8_t GetOwnerRefCode() const { return ownerRefCode_; }
  void SetOwnerRefCode(std::uint8_t code) { ownerRefCode_ = code; }

 protected:
  // Appends an entry without object, the name cut to the entry's length.
  void AppendEntry(std::string_view name, FcHandle handle);
  // Deletes the entry and its object, moving the later entries down.
  void EraseEntry(int index);
  // Drops every entry without object by moving the last entry into its
  // place.
  void CompactUnresolved();
  int CountHeldObjects() const;
  // 3 name and the handle group of every entry that has an object.
  void WriteEntryHandlesDxf(FcFiler& filer, std::int16_t code) const;
  // The entry objects' own records, the progress advancing per entry.
  int WriteEntryRecordsDxf(FcFiler& filer);
  void WriteEntryRecordsDwg(FcFilerDwg& filer);
  // The record of either kind of dictionary, then the entry objects'
  // records. The dictionary with a default writes fixed flags and lists
  // its objects a second time as its defaults.
  void WriteDwgRecord(FcFilerDwg& filer, bool withDefault);
  // Reads the record of either kind and the entry objects; 0 or 2.
  int ReadDwgRecord(FcFilerDwg& filer, bool withDefault);
  // Reads each entry's record by its handle, into an object made for its
  // DWG type; 0, or 2 when an entry's record is missing.
  int ReadEntryObjectsDwg(FcFilerDwg& filer);
  // False when holding the object would make a dictionary reach itself or
  // nest too deep.
  bool MayHold(const FcObject* object) const;
  // MayHold, and the object is held by no other entry than the one at
  // index.
  bool MayStoreAt(int index, const FcObject* object) const;
  // The index of the entry holding the object, -1 when none.
  int IndexOfObject(const FcObject* object) const;
  // Stores the object in the entry and becomes its owner.
  void PutObject(FcDictionaryEntry& entry, FcObject* object);

 private:
  int IndexOfName(std::string_view name) const;

  std::uint8_t knownEntriesOnly_ = 0;
  std::vector<FcDictionaryEntry> entries_;
  int capacity_ = 0;
  std::int32_t hardOwner_ = 0;
  std::int32_t cloning_ = 1;
  std::uint8_t ownerRefCode_ = kAbsoluteOwnerCode;
};

// A dictionary whose entry objects are also its defaults (in practice one
// entry: "Normal" of the plot-style names). Its DWG type is the custom
// class number the drawing gives it.
class FcDictionaryWidthDefault : public FcDictionary {
 public:
  FcDictionaryWidthDefault();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // As the dictionary's; every entry whose object cannot be read is
  // dropped, the last entry moving into its place.
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;
};

// A drawing variable kept in "AcDbVariableDictionary" rather than in the
// header ("DrawOrderCtl").
class FcDictionaryVar : public FcObject {
 public:
  FcDictionaryVar();
  static FcObject* Create();

  // Also takes schema and value when the other is a dictionary variable.
  int Copy(const FcObject& other) override;
  int CopyFromOtherGraph(const FcObject& other, FcGraph& target) override;
  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;

  std::int16_t GetSchema() const { return schema_; }
  void SetSchema(std::int16_t schema) { schema_ = schema; }
  const std::string& GetValue() const { return value_; }
  // A null text stores the empty text.
  void SetValue(const char* value) { value_ = value != nullptr ? value : ""; }
  void SetValue(std::string_view value) { value_ = value; }

 private:
  // Schema and value of another dictionary variable; nothing for another
  // kind of object.
  void TakeValue(const FcObject& other);

  std::int16_t schema_ = 0;
  std::string value_;
};

// The object of the entry "Normal" of the plot-style names: nothing but
// the common part.
class FcPlaceHolder : public FcObject {
 public:
  FcPlaceHolder();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  // 0; 2 for a failed read or failed extended data; 3 when the record
  // ends without a handle.
  int ReadDxf(FcFiler& filer) override;
};
