#include "database/sort_ents_table.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>
#include <utility>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/entity_sets.h"
#include "database/object_record_parts.h"
#include "database/symbol_list.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

namespace {

// Quicksort of the pairs between first and last (inclusive) by the key
// array, the middle element as pivot; the other array moves along. The
// smaller part is sorted by recursion, the larger by the loop, so the
// depth stays logarithmic.
void QuickSortPairs(std::vector<FcHandle>& keys, std::vector<FcHandle>& partners, int first, int last) {
  while (first < last) {
    const FcHandle pivot = keys[static_cast<std::size_t>(first + (last - first) / 2)];
    int i = first;
    int j = last;
    while (i <= j) {
      while (keys[static_cast<std::size_t>(i)] < pivot) ++i;
      while (keys[static_cast<std::size_t>(j)] > pivot) --j;
      if (i > j) break;
      std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
      std::swap(partners[static_cast<std::size_t>(i)], partners[static_cast<std::size_t>(j)]);
      ++i;
      --j;
    }
    if (j - first < last - i) {
      QuickSortPairs(keys, partners, first, j);
      first = i;
    } else {
      QuickSortPairs(keys, partners, i, last);
      last = j;
    }
  }
}

// Replays the removals of a run of handles from one of the table's arrays
// without shifting it each time. An entry is taken where the one-by-one
// removal would take it: the first one still present with that handle,
// provided it lies within the current count. Both arrays qualify for that
// rule: the sort handles ascend, so the binary search of a single removal
// lands on the first such entry as well.
class RemovalReplay {
 public:
  RemovalReplay(const std::vector<FcHandle>& entries, int count, const std::unordered_set<FcHandle>& wanted)
      : removed_(static_cast<std::size_t>(count), false), live_(count) {
    for (int i = 0; i < count; ++i) {
      const FcHandle handle = entries[static_cast<std::size_t>(i)];
      if (wanted.count(handle) != 0) occurrences_.emplace_back(handle, i);
    }
    // The sort handles, and mostly the draw order too, come sorted already.
    if (!std::is_sorted(occurrences_.begin(), occurrences_.end())) std::sort(occurrences_.begin(), occurrences_.end());
    taken_.resize(occurrences_.size(), 0);
  }

  // Takes out the first entry with the handle that is still present, when
  // it is among the first count of them.
  bool Take(FcHandle handle, int count) {
    const auto first = std::lower_bound(occurrences_.begin(), occurrences_.end(), std::make_pair(handle, 0));
    const auto group = static_cast<std::size_t>(first - occurrences_.begin());
    const std::size_t next = group + static_cast<std::size_t>(group < taken_.size() ? taken_[group] : 0);
    if (next >= occurrences_.size() || occurrences_[next].first != handle) return false;
    const int position = occurrences_[next].second;
    // Every entry still present lies within the count until a removal
    // finds its handle in the other array only.
    if (live_ > count && Rank(position) >= count) return false;
    MarkRemoved(position);
    ++taken_[group];
    return true;
  }

  // Moves the first count entries still present to the front.
  void Compact(std::vector<FcHandle>& entries, int count) const {
    int kept = 0;
    for (std::size_t i = 0; i < removed_.size() && kept < count; ++i) {
      if (!removed_[i]) entries[static_cast<std::size_t>(kept++)] = entries[i];
    }
  }

 private:
  // The entry's place among those still present, from a Fenwick tree of
  // the removed positions, built the first time it is needed.
  int Rank(int position) {
    if (tree_.empty()) {
      tree_.assign(removed_.size() + 1, 0);
      for (std::size_t i = 0; i < removed_.size(); ++i) {
        if (removed_[i]) AddToTree(i);
      }
    }
    int before = 0;
    for (int i = position; i > 0; i -= i & -i) before += tree_[static_cast<std::size_t>(i)];
    return position - before;
  }

  void MarkRemoved(int position) {
    removed_[static_cast<std::size_t>(position)] = true;
    --live_;
    if (!tree_.empty()) AddToTree(static_cast<std::size_t>(position));
  }

  void AddToTree(std::size_t position) {
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }

  // (handle, position) of every entry with a wanted handle, sorted; the
  // entries of one handle form a group, of which taken_ (at the group's
  // first index) counts those already removed.
  std::vector<std::pair<FcHandle, int>> occurrences_;
  std::vector<int> taken_;
  std::vector<int> tree_;
  std::vector<bool> removed_;
  int live_;
};

}  // namespace

FcSortEntsTable::FcSortEntsTable() { SetRecordName("SORTENTSTABLE"); }

FcObject* FcSortEntsTable::Create() { return new FcSortEntsTable(); }

void FcSortEntsTable::Clear() {
  entityHandles_.clear();
  entityHandles_.shrink_to_fit();
  sortHandles_.clear();
  sortHandles_.shrink_to_fit();
  count_ = 0;
  capacity_ = 0;
}

void FcSortEntsTable::Reserve(int n) {
  if (count_ + n < capacity_) return;
  capacity_ += n <= kGrowStep ? kGrowStep : n + kGrowStep;
  entityHandles_.resize(static_cast<std::size_t>(capacity_), 0);
  sortHandles_.resize(static_cast<std::size_t>(capacity_), 0);
}

void FcSortEntsTable::AddHandle(FcHandle handle) {
  const auto begin = sortHandles_.begin();
  const auto end = begin + count_;
  const auto place = std::lower_bound(begin, end, handle);
  if (place != end && *place == handle) return;
  const auto index = place - begin;
  Reserve(1);
  // Reserve may have moved the array.
  const auto sorted = sortHandles_.begin();
  std::copy_backward(sorted + index, sorted + count_, sorted + count_ + 1);
  sorted[index] = handle;
  entityHandles_[static_cast<std::size_t>(count_)] = handle;
  ++count_;
}

int FcSortEntsTable::RemoveHandle(FcHandle handle) {
  if (count_ == 0) return 0;
  bool found = false;
  const auto sortEnd = sortHandles_.begin() + count_;
  const auto sortPlace = std::lower_bound(sortHandles_.begin(), sortEnd, handle);
  if (sortPlace != sortEnd && *sortPlace == handle) {
    std::copy(sortPlace + 1, sortEnd, sortPlace);
    found = true;
  }
  const auto entityEnd = entityHandles_.begin() + count_;
  const auto entityPlace = std::find(entityHandles_.begin(), entityEnd, handle);
  if (entityPlace != entityEnd) {
    std::copy(entityPlace + 1, entityEnd, entityPlace);
    found = true;
  }
  if (found) --count_;
  return count_;
}

int FcSortEntsTable::RemoveHandles(const std::vector<FcHandle>& handles) {
  if (count_ == 0 || handles.empty()) return count_;
  const std::unordered_set<FcHandle> wanted(handles.begin(), handles.end());
  RemovalReplay sorts(sortHandles_, count_, wanted);
  RemovalReplay entities(entityHandles_, count_, wanted);
  int count = count_;
  for (const FcHandle handle : handles) {
    if (count == 0) break;
    const bool fromSorts = sorts.Take(handle, count);
    const bool fromEntities = entities.Take(handle, count);
    if (fromSorts || fromEntities) --count;
  }
  sorts.Compact(sortHandles_, count);
  entities.Compact(entityHandles_, count);
  count_ = count;
  return count_;
}

bool FcSortEntsTable::FindMovePositions(FcHandle handle, FcHandle target, int targetIfZero, int& from,
                                        int& to) const {
  from = -1;
  to = target == 0 ? targetIfZero : -1;
  for (int i = 0; i < count_ && (from < 0 || to < 0); ++i) {
    const FcHandle entity = entityHandles_[static_cast<std::size_t>(i)];
    if (from < 0 && entity == handle) from = i;
    if (to < 0 && entity == target) to = i;
  }
  return from >= 0 && to >= 0;
}

void FcSortEntsTable::MoveEntity(FcHandle handle, FcHandle target) {
  int from = 0;
  int to = 0;
  if (!FindMovePositions(handle, target, count_ - 1, from, to) || from >= to) return;
  const auto begin = entityHandles_.begin();
  std::rotate(begin + from, begin + from + 1, begin + to + 1);
}

void FcSortEntsTable::MoveEntityBefore(FcHandle handle, FcHandle target) {
  int from = 0;
  int to = 0;
  if (!FindMovePositions(handle, target, 0, from, to) || to >= from) return;
  const auto begin = entityHandles_.begin();
  std::rotate(begin + to, begin + from, begin + from + 1);
}

void FcSortEntsTable::RemoveMissing(const FcEntitySets& entities) {
  for (int i = count_ - 1; i >= 0; --i) {
    const FcHandle handle = entityHandles_[static_cast<std::size_t>(i)];
    if (entities.FindByHandle(handle) == nullptr) RemoveHandle(handle);
  }
  for (int i = count_ - 1; i >= 0; --i) {
    const FcHandle handle = sortHandles_[static_cast<std::size_t>(i)];
    if (handle == 0 || entities.FindByHandle(handle) == nullptr) RemoveHandle(handle);
  }
  for (int i = count_ - 1; i >= 1; --i) {
    const FcHandle handle = sortHandles_[static_cast<std::size_t>(i)];
    if (handle == sortHandles_[static_cast<std::size_t>(i - 1)]) RemoveHandle(handle);
  }
}

void FcSortEntsTable::Sort(int first, int last) {
  if (first < 0 || last >= count_) return;
  QuickSortPairs(entityHandles_, sortHandles_, first, last);
}

void FcSortEntsTable::SortLookup(int first, int last) {
  if (first < 0 || last >= count_) return;
  QuickSortPairs(sortHandles_, entityHandles_, first, last);
}

FcHandle FcSortEntsTable::LookupSortHandle(FcHandle handle) const {
  const auto end = entityHandles_.begin() + count_;
  const auto place = std::lower_bound(entityHandles_.begin(), end, handle);
  if (place == end || *place != handle) return handle;
  return sortHandles_[static_cast<std::size_t>(place - entityHandles_.begin())];
}

int FcSortEntsTable::Copy(const FcObject& other) {
  Clear();
  const int result = FcObject::Copy(other);
  const auto* table = dynamic_cast<const FcSortEntsTable*>(&other);
  if (table == nullptr || table == this) return result;
  Reserve(table->count_);
  std::copy_n(table->entityHandles_.begin(), table->count_, entityHandles_.begin());
  std::copy_n(table->sortHandles_.begin(), table->count_, sortHandles_.begin());
  count_ = table->count_;
  return result;
}

int FcSortEntsTable::CopyFromOtherGraph(const FcObject& other, FcGraph& target) {
  const int result = FcObject::CopyFromOtherGraph(other, target);
  Clear();
  return result;
}

FcHandle FcSortEntsTable::OwningBlockHandle() const {
  const FcObject* dictionary = GetOwner();
  return dictionary != nullptr ? OwnerHandleOf(*dictionary) : 0;
}

int FcSortEntsTable::WriteDxf(FcFiler& filer) {
  FcObject::WriteDxf(filer);
  WriteReactorGroups(filer, OwnerHandleOf(*this));
  filer.WriteString(100, "AcDbSortentsTable");
  filer.WriteHandle(330, OwningBlockHandle());
  for (int i = 0; i < count_; ++i) {
    filer.WriteHandle(331, entityHandles_[static_cast<std::size_t>(i)]);
    filer.WriteHandle(5, sortHandles_[static_cast<std::size_t>(i)]);
  }
  return kFcStatusOk;
}

int FcSortEntsTable::ReadDxf(FcFiler& filer) {
  if (FcObject::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  FcResBuf group;
  if (!ReadMarkerNoCase(filer, "AcDbSortentsTable") || !filer.ReadGroup(group) || group.type != 330)
    return kFcStatusEnd;
  // A table without entries is complete: blocks whose draw order was never
  // changed are written so.
  bool complete = true;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 331:
        Reserve(1);
        entityHandles_[static_cast<std::size_t>(count_)] = group.handle;
        complete = false;
        break;
      case 5:
        // A 5 with no 331 before it pairs with whatever the slot holds.
        Reserve(1);
        sortHandles_[static_cast<std::size_t>(count_)] = group.handle;
        ++count_;
        complete = true;
        break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      case 0:
      case 100:
        filer.UnreadGroup();
        if (!complete) return kFcStatusEnd;
        SortLookup(0, count_ - 1);
        return kFcStatusOk;
      default:
        break;
    }
  }
  return kFcStatusEnd;
}

int FcSortEntsTable::WriteDwg(FcFilerDwg& filer) {
  const FcHandle owner = OwnerHandleOf(*this);
  BeginDwgObject(filer);
  filer.WriteBitLong(1);
  filer.WriteBitLong(count_);
  for (int i = 0; i < count_; ++i) filer.WriteHandleRef(0, 0, sortHandles_[static_cast<std::size_t>(i)]);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(FcDictionary::kRelativeOwnerCode, GetHandle(), owner);
  filer.WriteHandleRef(4, 0, owner);
  filer.WriteHandleRef(3, 0, GetExtDictionary() != nullptr ? GetExtDictionary()->GetHandle() : 0);
  filer.WriteHandleRef(4, 0, OwningBlockHandle());
  for (int i = 0; i < count_; ++i) filer.WriteHandleRef(4, 0, entityHandles_[static_cast<std::size_t>(i)]);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcSortEntsTable::ReadDwg(FcFilerDwg& filer) {
  Clear();
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::int32_t count = 0;
  // Each pair takes at least one byte for each of its two handles.
  if (!ReadDwgObjectStart(filer, GetDwgType(), place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadBitLong(count) || !CountFitsRecord(filer, place, count, 2))
    return kFcStatusReadError;
  Reserve(count);
  for (std::int32_t i = 0; i < count; ++i) {
    if (!filer.ReadHandleRef(sortHandles_[static_cast<std::size_t>(i)], 0)) return kFcStatusReadError;
  }
  FcHandle ignored = 0;
  // Owner, reactors, extension dictionary and block.
  for (std::int32_t i = 0; i < reactors + 3; ++i) {
    if (!filer.ReadHandleRef(ignored, GetHandle())) return kFcStatusReadError;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    if (!filer.ReadHandleRef(entityHandles_[static_cast<std::size_t>(i)], 0)) return kFcStatusReadError;
  }
  if (!ReadDwgObjectEnd(filer, place)) {
    Clear();
    return kFcStatusReadError;
  }
  count_ = count;
  SortLookup(0, count_ - 1);
  return kFcStatusOk;
}
