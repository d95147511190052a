#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/code_pages.h"
#include "core/handle.h"
#include "database/object.h"
#include "database/record_name_index.h"

class FcFiler;
class FcFilerDwg;

// Names compared like the multibyte-aware comparison of the platform: ASCII
// letters fold, and the byte after a lead byte of the code page is taken as
// it is, so that a double-byte character never matches another one that
// differs only in its second byte.
bool EqualsNoCaseMultibyte(std::string_view a, std::string_view b, int codePage = kDefaultCodePage);

// Which entry handles of a control object count: only owned references
// (code 2), or also any other reference that names a record. An H that does
// not count is read again in its place.
enum class EntryRule { kOwnedOnly, kOwnedOrNonZero };

// True for the layer name "DefPoints" in any case; such a layer never plots.
bool IsDefPointsName(std::string_view name);

// The shape that the layer, linetype, UCS and text-style tables share: a
// control object that owns an array of records, kept in insertion order
// (a removal moves the last record into the gap), with a capacity that
// grows in fixed steps. The table is the owner of its records and deletes
// them.
//
// Lookups by handle and by name go through indexes; the answer is always
// the first matching record, as a scan from the start would find it. The
// handle index is built on first use and dropped whenever the table
// changes; a record may change its handle after it was added, so a hit is
// checked against the record and a miss falls back to the scan. The name
// index follows appended and renamed records (every record reports a new
// name through NoteRecordRenamed), so a miss is final: a reader that meets
// many undeclared names looks each up without passing over the table.
class FcSymbolList : public FcObject {
 public:
  // Builds the name and handle indexes now, so that look-ups made on
  // several threads at once only read them.
  void BuildIndexes() const;
  ~FcSymbolList() override;

  int GetCount() const override { return static_cast<int>(records_.size()); }
  // The control object, then every record, the progress advancing by one
  // after each.
  int WriteDwg(FcFilerDwg& filer) override;
  // The extension dictionary, then what every record owns.
  int WriteDxfOwned(FcFiler& filer) override;
  // The table's own extension dictionary first, then each record in turn.
  bool ResolveOwner(FcObject* candidate) override;

  // Makes room for n more records by the table's growth rule.
  void Grow(int n);
  int GetCapacity() const { return capacity_; }
  FcObject* GetRecordAt(int index) const { return records_[static_cast<std::size_t>(index)].get(); }
  // The first record with the handle; null for an empty table or no match.
  FcObject* FindByHandle(FcHandle handle) const;
  // Deletes every record; count and capacity become 0.
  void RemoveAll();

  // Drops both indexes; the next lookups build them again.
  void InvalidateIndexes() const;
  // Keeps the name index in step with a record that took a new name.
  void NoteRenamed(const FcObject& record) const;
  // Records visited to build the name index, for tests that guard against
  // lookups that grow with the table.
  std::size_t GetNameIndexWork() const { return nameIndex_.GetBuildWork(); }

 protected:
  // The layer, linetype and text-style tables grow by 16 as soon as
  // count + n reaches the capacity; the UCS table grows by 8 only when the
  // records would not fit.
  enum class GrowthRule { kBeforeFull, kWhenOverfull };
  FcSymbolList(DwgObjectType dwgType, int growStep, GrowthRule rule);

  // Grows by one, appends and becomes the record's owner; the record.
  FcObject* AppendRecord(std::unique_ptr<FcObject> record);
  // Deletes the record at index; the last record moves into its slot.
  void RemoveRecordAt(int index);
  // Hands the record at index out of the table without deleting it; the
  // last record moves into its slot.
  std::unique_ptr<FcObject> TakeRecordAt(int index);
  void SwapRecords(int a, int b);
  // Deletes the first record with the name (ASCII case ignored) or with the
  // handle; nothing when none has it.
  void RemoveFirstNamed(std::string_view name);
  void RemoveFirstWithHandle(FcHandle handle);

  // The name under which a record is found; the derived table knows its
  // record class. An empty view for a null record.
  virtual std::string_view RecordName(const FcObject& record) const = 0;
  // The first record whose name equals the name without regard to ASCII
  // case, or null.
  FcObject* FindByNameNoCase(std::string_view name) const;

  // TABLE, its name, handle, owner 0, subclass, count, every record with its
  // extended data, ENDTAB.
  void WriteDxfTable(FcFiler& filer, std::string_view tableName);
  // Room for a count read from a file, reserved only as far as the bytes
  // left in the file can hold records.
  void GrowForFileCount(FcFiler& filer, int count);

  // Makes an empty record for a reader (owner and drawing set); null when
  // it cannot be allocated.
  using RecordMaker = std::function<std::unique_ptr<FcObject>()>;
  // Whether a record that was read joins the table.
  using RecordFilter = std::function<bool(const FcObject&)>;
  // The DXF table after its group 0 "TABLE": the common groups, the
  // subclass, then every record named recordName up to ENDTAB. The table is
  // emptied first. 0; 1 for a missing group or the end of the input; 3 when
  // a record cannot be made; 4 when a record's reader fails.
  int ReadDxfTable(FcFiler& filer, std::string_view recordName, const RecordMaker& make,
                   const RecordFilter& keep);
  // Reads the DWG record of every non-zero handle in turn; 2 as soon as
  // one fails.
  int ReadDwgRecords(FcFilerDwg& filer, const std::vector<FcHandle>& handles, const RecordMaker& make,
                     const RecordFilter& keep);
  // Handles of the records, H code 2 each, from the first index on.
  void WriteRecordHandles(FcFilerDwg& filer, int first) const;
  // Every record's DWG record in table order, with progress.
  void WriteDwgRecords(FcFilerDwg& filer);

  // The handle of the table's control object named by the DWG file header;
  // 0 when the filer has no drawing.
  enum class ControlKind { kLayer, kLinetype, kUcs };
  static FcHandle HeaderControlHandle(const FcFilerDwg& filer, ControlKind kind);
  // The start of a table's DWG read: the table emptied and given the
  // header's control handle (when the drawing has one), then the control
  // object read up to and including its entry handles. False on any
  // failure.
  bool ReadDwgControl(FcFilerDwg& filer, ControlKind kind, EntryRule rule, FcDwgRecordPlace& place,
                      std::vector<FcHandle>& handles);

 private:
  void BuildHandleIndex() const;

  std::vector<std::unique_ptr<FcObject>> records_;
  int capacity_ = 0;
  int growStep_;
  GrowthRule growthRule_;

  mutable std::unordered_map<FcHandle, int> handleIndex_;
  mutable bool handleIndexValid_ = false;
  mutable RecordNameIndex nameIndex_;
};

// Records call this when their name changes: the table that holds the
// record looks the name up afresh.
void NoteRecordRenamed(const FcObject& record);

// Reads the next group and tells whether it is the subclass marker.
bool ReadSubclassMarker(FcFiler& filer, std::string_view marker);

// TABLE, the table's name, its handle, owner 0, the subclass and the
// record count; the records and ENDTAB follow.
void WriteDxfTableStart(const FcObject& table, FcFiler& filer, std::string_view tableName, int count);

// The common start of a table record's DXF form: the common groups,
// "AcDbSymbolTableRecord", the record's own subclass marker and its name.
void WriteDxfRecordStart(FcObject& record, FcFiler& filer, std::string_view subclass, std::string_view name);
// Reads what WriteDxfRecordStart writes up to the subclass markers, which
// must match in case; the record's groups follow. False when a group is
// missing or differs.
bool ReadDxfRecordStart(FcObject& record, FcFiler& filer, std::string_view subclass);

// The common start of a table control object's DWG form: the bracket
// opened, no reactors, the count, the data size, owner 0 and no extension
// dictionary; the entry handles follow.
void WriteDwgControlStart(FcObject& control, FcFilerDwg& filer, int count);

// Reads a DWG control object up to its record handles: prologue with the
// type, count, owner, reactors and extension dictionary. The count is
// checked against the record's size before anything is reserved. True
// with the count; false on any failure.
bool ReadDwgControlStart(FcObject& table, FcFilerDwg& filer, DwgObjectType type, FcDwgRecordPlace& place,
                         int& count);
// Reads count entry handles; false when the record's data ends first.
bool ReadDwgEntryHandles(FcFilerDwg& filer, const FcDwgRecordPlace& place, int count, EntryRule rule,
                         std::vector<FcHandle>& handles);
// Reads one H handle reference and checks its code; false on a short read
// or another code.
bool ReadHandleWithCode(FcFilerDwg& filer, std::uint8_t wantedCode, FcHandle& handle);
// The owner, the reactors and the extension dictionary of a record
// (whose code must be 3): false when a read fails or the code differs.
bool ReadDwgRecordOwnerHandles(FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int32_t reactors);
// The reactor count of a record, checked against the record's size.
bool ReadDwgReactorCount(FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int32_t& reactors);
// The common start of a table record: name, the referenced bit, xref index
// and the xref-dependent bit.
bool ReadDwgRecordName(FcFilerDwg& filer, std::string& name, bool& xrefDependent);
// The common start of a table record's DWG form: the bracket opened, no
// reactors, the name, the referenced bit, xref index 0, not xref-dependent.
void WriteDwgRecordStart(FcObject& record, FcFilerDwg& filer, std::string_view name, bool referenced);
// The data size, then the owner, no extension dictionary and no
// external-reference block; the record's own references follow.
void WriteDwgRecordOwner(const FcObject& record, FcFilerDwg& filer);
// The end of a table record's DWG form whose own references are all null:
// WriteDwgRecordOwner, that many null soft pointers, the bracket closed.
void WriteDwgRecordEnd(FcObject& record, FcFilerDwg& filer, int nullReferences);
// The common start of a table record's reader: prologue, reactor count
// (checked against the record's size), name, the referenced bit, xref
// index and the xref-dependent bit. False on any failure.
struct FcDwgRecordStart {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::string name;
  bool xrefDependent = false;
};
bool ReadDwgRecordStart(FcObject& record, FcFilerDwg& filer, DwgObjectType type, FcDwgRecordStart& start);

// ReadDwgRecordStart for a record class with kDwgType, SetName and
// SetXrefDependent: the record takes the name, and a record that depends on
// an external reference is marked so. The reader stops after the start of
// such a record, since its data belongs to the referenced drawing.
template <typename Record>
bool ReadDwgNamedRecordStart(Record& record, FcFilerDwg& filer, FcDwgRecordStart& start) {
  if (!ReadDwgRecordStart(record, filer, Record::kDwgType, start)) return false;
  record.SetName(start.name);
  if (start.xrefDependent) record.SetXrefDependent(true);
  return true;
}
