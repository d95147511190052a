#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/object.h"

// A registered application: a name under which extended data may be
// attached to objects.
class FcAppID : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 67;

  FcAppID();
  static FcObject* Create();

  const std::string& GetName() const { return name_; }
  void SetName(std::string_view name) { name_ = name; }
  // Names are matched without regard to case.
  bool HasName(std::string_view name) const { return EqualsNoCase(name_, name); }
  std::int32_t GetFlags() const { return flags_; }
  void SetFlags(std::int32_t flags) { flags_ = flags; }

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;

 private:
  std::string name_;
  std::int32_t flags_ = 0;
};

// The APPID table of a drawing. It owns its records and is their owner.
class FcAppIDList : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 66;

  FcAppIDList();
  ~FcAppIDList() override;

  int GetCount() const override { return static_cast<int>(records_.size()); }
  FcAppID* GetAt(int index) const { return records_[static_cast<std::size_t>(index)].get(); }

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int WriteDxfOwned(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  // Entered after the group 0 "TABLE": 0, 1 for a malformed table or a
  // failed read, 3 when a record cannot be made, 4 when a record fails.
  int ReadDxf(FcFiler& filer) override;
  bool ResolveOwner(FcObject* candidate) override;

  void Grow(int n);
  // A new empty record appended with the table as its owner, no handle.
  FcAppID* AddNew();
  FcAppID* FindByName(std::string_view name) const;
  FcAppID* FindRecordByHandle(FcHandle handle) const;
  void RemoveAll();
  // Becomes a copy of another drawing's table, handles included.
  void CopyFrom(const FcAppIDList& other);

 private:
  FcAppID* Append(std::unique_ptr<FcAppID> record);
  // Merges a record read from DXF into the table (see ReadDxf).
  void TakeReadRecord(std::unique_ptr<FcAppID> record);
  // Points each block at this table's record of the same handle; a block
  // whose application the table lacks is dropped.
  void RebindApplications(FcExtendDataList& xdata) const;

  std::vector<std::unique_ptr<FcAppID>> records_;
};
