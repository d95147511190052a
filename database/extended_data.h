#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/handle.h"

class FcAppID;
class FcFiler;
class FcFilerDwg;
class FcGraph;
struct FcResBuf;

// What FcExtendData::ReadDwg found.
enum class FcXdataResult {
  kBlock,          // one block, read whole
  kEnd,            // the record has no more blocks
  kSizeError,      // size unreadable, or items overrun it
  kNoApplication,  // no APPID record with the block's handle
  kCodeError,      // handle, item code or control byte unreadable
  kValueError,     // an item's value unreadable
  kUnknownCode,    // an item code outside the 1000 series
};

// One registered application's extended data on one object: the
// application's record and the chain of values (group codes 1000 to 1071
// in the items' type fields).
class FcExtendData {
 public:
  FcExtendData() = default;
  virtual ~FcExtendData();
  FcExtendData(const FcExtendData&) = delete;
  FcExtendData& operator=(const FcExtendData&) = delete;

  // Frees the chain and takes the new one (owned from now on).
  void SetChain(FcResBuf* newHead);
  void FreeChain();

  // 1001 with the application's name, then the items; always 0.
  int WriteDxf(FcFiler& filer) const;
  // Replaces the chain by the groups that follow in the filer, starting
  // with the block's own 1001. True when a group of something else ended
  // the block (that group is handed back); false when a read failed or the
  // application could not be registered.
  bool ReadDxf(FcFiler& filer);
  // Appends the packed block to the object record being written; 0.
  int WriteDwg(FcFilerDwg& filer) const;
  // Reads one block of a record whose CRC stands at objectEnd; a block
  // reaching past the record gives kSizeError.
  FcXdataResult ReadDwg(FcFilerDwg& filer, std::int64_t objectEnd);

  bool HasBinaryChunk() const;

  // Referenced, not owned; a record of the same drawing's APPID table.
  FcAppID* application = nullptr;
  // Owned.
  FcResBuf* head = nullptr;
};

// The extended-data blocks of one object, in the order they were added.
class FcExtendDataList {
 public:
  FcExtendDataList() = default;
  virtual ~FcExtendDataList() = default;
  FcExtendDataList(const FcExtendDataList&) = delete;
  FcExtendDataList& operator=(const FcExtendDataList&) = delete;

  int GetCount() const { return static_cast<int>(items_.size()); }
  FcExtendData* GetAt(int index) const { return items_[static_cast<std::size_t>(index)].get(); }

  void Reserve(int n);
  // The list takes ownership; returns the block.
  FcExtendData* Add(std::unique_ptr<FcExtendData> block);
  FcExtendData* AddNew();
  void RemoveAll();

  FcExtendData* FindByAppName(std::string_view name) const;
  FcExtendData* FindByAppHandle(FcHandle handle) const;
  // The block of the application, made when there is none; null for a
  // null application.
  FcExtendData* GetForApp(FcAppID* application);
  void RemoveApp(FcHandle handle);
  void RemoveAt(int index);

  // Deep copy of a list of the same drawing; the number of blocks copied.
  int Copy(const FcExtendDataList& other);
  // Deep copy of a list of another drawing; each application is found by
  // name in the target drawing's APPID table or registered there. A block
  // whose application cannot be registered stays empty.
  int CopyFromOtherGraph(const FcExtendDataList& other, FcGraph& target);

  // Every block's DXF groups in list order.
  void WriteDxf(FcFiler& filer) const;
  // Every block, then the BS 0 that ends the section; 0.
  int WriteDwg(FcFilerDwg& filer) const;

 private:
  std::vector<std::unique_ptr<FcExtendData>> items_;
};
