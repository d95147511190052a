#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FcFiler;
class FcFilerDwg;
struct DwgSectionLocator;

// The first DWG type number of custom classes: class number + 500.
inline constexpr int kFirstCustomDwgType = 500;

// One custom class of a drawing, as the CLASSES section lists it.
class FcClassRec {
 public:
  FcClassRec() = default;
  FcClassRec(const FcClassRec&) = default;
  FcClassRec& operator=(const FcClassRec&) = default;
  virtual ~FcClassRec() = default;

  // The values of a record; the class number is left for the list to set.
  void Init(std::string_view record, std::string_view cls, std::string_view application,
            std::int32_t proxy, std::int16_t wasProxy, std::int16_t isEntity);

  void WriteDxf(FcFiler& filer) const;
  // Reads the groups after 0 "CLASS": 0, 1 when a group cannot be read, 2
  // when one of the six groups is missing or repeated.
  int ReadDxf(FcFiler& filer);
  void WriteDwg(FcFilerDwg& filer) const;
  // False when a field cannot be read.
  bool ReadDwg(FcFilerDwg& filer);

  std::int16_t classNumber = -1;
  std::string recordName;       // group 1, matched without regard to case
  std::string className;        // group 2
  std::string applicationName;  // group 3
  std::int32_t proxyFlags = 0;  // group 90
  std::int16_t wasAProxy = 0;   // group 280
  std::int16_t isAnEntity = 0;  // group 281
};

// The custom classes of a drawing; the record in slot i has class number i
// and gives its objects the DWG type 500 + i. A slot may be empty after a
// DWG read that skipped numbers.
class FcClassList {
 public:
  FcClassList() = default;
  virtual ~FcClassList() = default;
  FcClassList(const FcClassList&) = delete;
  FcClassList& operator=(const FcClassList&) = delete;

  // One past the highest slot in use.
  int GetCount() const { return static_cast<int>(records_.size()); }
  // The record in the slot, null for an empty slot or an index out of range.
  const FcClassRec* GetAt(int index) const;

  void Reserve(int n);
  void Add(std::string_view record, std::string_view cls, std::string_view application,
           std::int32_t proxy, std::int16_t wasProxy, std::int16_t isEntity);
  // The first slot whose record name matches without regard to case, or -1.
  int IndexOf(std::string_view recordName) const;
  // A copy of the other list with its empty slots closed up.
  void CopyFrom(const FcClassList& other);
  void Clear();
  // Appends each of the nine classes of a new drawing that the list does
  // not hold, in their order: all nine, from index 0, in an empty list.
  void AddMissingDefaults();

  // The CLASSES section; nothing for an empty list.
  void WriteDxf(FcFiler& filer) const;
  // After 0 "SECTION" and 2 "CLASSES": 0, 1 when a group cannot be read, 2
  // when the section is malformed.
  int ReadDxf(FcFiler& filer);
  // The DWG classes section at the filer's current position, which must lie
  // on a whole byte (the header before it ends with its CRC). The section's
  // address and size go into the locator.
  void WriteDwg(FcFilerDwg& filer, DwgSectionLocator& locator) const;
  // Reads the section at the locator's address: 0, or 2 when it cannot be
  // found or read.
  int ReadDwg(FcFilerDwg& filer, const DwgSectionLocator& locator);

 private:
  bool HoldsRecordOrClass(const FcClassRec& record) const;

  std::vector<std::unique_ptr<FcClassRec>> records_;
};
