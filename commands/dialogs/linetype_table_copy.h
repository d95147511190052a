#pragma once

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/handle.h"

class FcGraph;
class FcLineType;

// "ByLayer" and "ByBlock" in any case: the markers that lists of linetypes
// to choose from leave out.
bool IsLinetypeMarkerName(std::string_view name);

// The drawing's linetype table as a dialog edits it: copies of every
// record in table order, with linetypes loaded from a file added or
// reloaded over the copies. Nothing reaches the drawing before WriteBack.
// A linetype loaded anew has a stand-in handle until then, so that a layer
// may already refer to it.
class CLinetypeTableCopy {
 public:
  CLinetypeTableCopy();
  ~CLinetypeTableCopy();

  void Load(const FcGraph& graph);

  int GetCount() const { return static_cast<int>(records_.size()); }
  FcLineType& GetAt(int index) const { return *records_[static_cast<std::size_t>(index)]; }
  // The index of the first record of that name (ASCII case ignored), or -1.
  int FindByName(std::string_view name) const;
  const FcLineType* FindByHandle(FcHandle handle) const;

  // Copies the loaded linetype over the record of the same name, which
  // keeps its handle, or appends it with a stand-in handle.
  void Reload(int index, const FcLineType& loaded);
  void Append(const FcLineType& loaded);
  // True once a record took a reloaded pattern.
  bool Reloaded() const { return reloaded_; }

  // Writes every record into the drawing's table: copies over the records
  // of their handles, new ones appended with the drawing's next handles.
  // Stand-in handles are replaced by the real ones.
  void WriteBack(FcGraph& graph);
  // The drawing's handle for a handle of the copy: a stand-in one is
  // turned into the real one after WriteBack.
  FcHandle RealHandle(FcHandle handle) const;

 private:
  std::vector<std::unique_ptr<FcLineType>> records_;
  std::unordered_map<FcHandle, FcHandle> written_;
  FcHandle nextStandIn_;
  bool reloaded_ = false;
};
