#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/handle.h"
#include "database/extended_data.h"
#include "database/shared_name.h"

class FcDictionary;
class FcFiler;
class FcFilerDwg;
class FcGraph;

// The DWG type number of an object: a fixed number for the format's own
// classes, 500 + the class-list index for custom classes, 0 while unknown.
using DwgObjectType = std::int16_t;

// Results of the read and write operations of object records. Callers treat
// every non-zero value as failure and delete the object.
inline constexpr int kFcStatusOk = 0;
inline constexpr int kFcStatusEnd = 1;             // end of input, missing group
inline constexpr int kFcStatusReadError = 2;       // inconsistent or short data
inline constexpr int kFcStatusStructure = 3;       // structure error, count out of range
inline constexpr int kFcStatusRecordFailed = 4;    // a record's own reader failed
inline constexpr int kFcStatusNoSubclass = 5;      // a DXF record without subclass markers
inline constexpr int kFcStatusNoDwgForm = -3;      // an entity class without a DWG form

// The longest DXF record name an object keeps (the field holds 64 bytes).
inline constexpr std::size_t kFcMaxRecordName = 63;

// True when the two names are equal without regard to case. Only ASCII
// letters fold, so the second byte of a double-byte character is never
// mistaken for a letter of another case.
bool EqualsNoCase(std::string_view a, std::string_view b);
// Whether the text begins with the prefix, letters folded as above.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// The order of names as lists show them, ASCII letters taken as lower case.
bool LessNoCase(std::string_view a, std::string_view b);

// Where the record of an object being read lies in a DWG file: its offset
// (the start of its MS size) and its length up to its CRC.
struct FcDwgRecordPlace {
  std::int64_t offset = -1;
  std::int64_t size = 0;
};

// The base of every piece of a drawing: its handle, owner, extended data,
// DWG type, DXF record name and extension dictionary, and the operations
// every object answers. Objects are not copyable as C++ values; Copy and
// CopyFromOtherGraph carry the drawing's notion of a copy.
class FcObject {
 public:
  FcObject(const FcObject&) = delete;
  FcObject& operator=(const FcObject&) = delete;

  // Deletes the extension dictionary and every extended-data block.
  virtual ~FcObject();

  // Takes handle, DWG type, record name and a deep copy of the extended
  // data of another object of the same drawing; owner and extension
  // dictionary stay. The number of extended-data blocks copied.
  virtual int Copy(const FcObject& other);
  // Takes the record name and the extended data of an object of another
  // drawing, each application registered again in the target drawing; the
  // handle stays. The number of extended-data blocks copied.
  virtual int CopyFromOtherGraph(const FcObject& other, FcGraph& target);
  // Records, entities or entries under the object; sizes the progress of
  // saving.
  virtual int GetCount() const;
  virtual int WriteDwg(FcFilerDwg& filer);
  // The common groups of a non-graphical object: 0 name, 5 handle, the
  // extension-dictionary bracket, 330 owner.
  virtual int WriteDxf(FcFiler& filer);
  // The records of the objects this one owns: its extension dictionary.
  virtual int WriteDxfOwned(FcFiler& filer);
  virtual int ReadDwg(FcFilerDwg& filer);
  // Reads the common groups, after the caller consumed group 0, up to the
  // first subclass marker, which is left for the derived reader.
  virtual int ReadDxf(FcFiler& filer);
  // Offered every object that was read without a known owner; true when
  // this object (or its extension dictionary) claimed it.
  virtual bool ResolveOwner(FcObject* candidate);

  // Reads one extended-data block whose 1001 group is next in the filer and
  // appends it; 2 when it cannot be read.
  int ReadXdata(FcFiler& filer);
  // Reads the extended-data section of a DWG object record whose CRC stands
  // at objectEnd; 0 or 2. A block that holds a binary chunk is dropped, a
  // block reaching past the record is refused.
  int ReadDwgXdata(FcFilerDwg& filer, std::int64_t objectEnd);

  // The bracket of this object's DWG record (FcFilerDwg::BeginObject and
  // EndObject); EndDwgObject also writes the extension dictionary's record.
  void BeginDwgObject(FcFilerDwg& filer);
  void EndDwgObject(FcFilerDwg& filer);
  // The common start of every DWG object reader: the record found by this
  // object's handle, its type and own handle checked, its extended data
  // read. False on any mismatch or failed read.
  bool ReadDwgObjectStart(FcFilerDwg& filer, DwgObjectType type, FcDwgRecordPlace& place);
  // The common end: the record's CRC must match. False when it does not.
  bool ReadDwgObjectEnd(FcFilerDwg& filer, const FcDwgRecordPlace& place);

  FcHandle GetHandle() const { return handle_; }
  void SetHandle(FcHandle handle) { handle_ = handle; }
  FcObject* GetOwner() const { return owner_; }
  void SetOwner(FcObject* owner) { owner_ = owner; }
  // The list is made when first asked for here; readers that only look
  // use the const form, which answers an empty list for an object without.
  FcExtendDataList& GetXdata();
  const FcExtendDataList& GetXdata() const;
  DwgObjectType GetDwgType() const { return dwgType_; }
  void SetDwgType(DwgObjectType type) { dwgType_ = type; }
  const std::string& GetRecordName() const { return recordName_.str(); }
  // Keeps at most the first 63 characters.
  void SetRecordName(std::string_view name);

  FcDictionary* GetExtDictionary() const { return rare_ != nullptr ? rare_->dictionary : nullptr; }
  // Attaches the dictionary (owned from now on) and makes this object its
  // owner; nothing for a null dictionary.
  void SetExtDictionary(FcDictionary* dictionary);
  FcHandle GetExtDictionaryHandle() const { return rare_ != nullptr ? rare_->dictionaryHandle : 0; }
  void SetExtDictionaryHandle(FcHandle handle);

 protected:
  FcObject() = default;

 private:
  // What few objects have; the others pay one pointer for all of it.
  struct RareParts {
    FcExtendDataList xdata;
    // Owned; deleted with the object.
    FcDictionary* dictionary = nullptr;
    // The handle read from a file before the dictionary itself was read.
    FcHandle dictionaryHandle = 0;
  };
  RareParts& Rare();

  // Drawings hold millions of objects: the members are laid out so that the
  // small last one leaves room for the small members of derived classes.
  FcHandle handle_ = 0;
  FcObject* owner_ = nullptr;
  std::unique_ptr<RareParts> rare_;
  FcSharedName recordName_;
  DwgObjectType dwgType_ = 0;
};

// The largest handle seed a file may bring. The handles above it are kept
// in reserve for the objects made after the file was read: more than a
// session can make, so that the seed never runs out and never comes round
// to 0 ("no handle") and the handles already in use. Readers refuse a file
// whose handles or seed reach past it.
inline constexpr FcHandle kFcLargestFileHandleSeed = 0xFFFFFFFF00000000ULL;

// Takes the drawing's next handle: the seed's value, the seed then grows by
// one. At the largest handle the seed stays where it is rather than wrap.
FcHandle TakeHandle(FcHandle& handleSeed);
// Raises the seed past a handle read from a file, so that objects created
// later never reuse it.
void RaiseHandleSeed(FcHandle& handleSeed, FcHandle handleRead);
