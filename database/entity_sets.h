#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <unordered_set>

#include "core/data_array.h"
#include "core/handle.h"
#include "database/entity_pointer_index.h"

class FcBlock;
class FcDwgEntityPrefetch;
class FcEntity;
class FcFiler;
class FcFilerDwg;
class FcGraph;

// Results of the entity-sequence readers beyond the common status codes
// (database/object.h), numbered past them so that none reads as another.
inline constexpr int kFcSequenceBlockMet = 6;     // DXF: a BLOCK record, for the caller
inline constexpr int kFcSequenceEntityFailed = 7; // DXF: an entity record failed

// Growth steps of the sets the drawing keeps.
inline constexpr int kFcPreviousSelectionGrowth = 128;
// A block's set starts small: a drawing may hold many blocks of a few
// entities each, and a set grows by half its count once it is large.
inline constexpr int kFcBlockSetGrowth = 16;
inline constexpr int kFcModelSpaceGrowth = 8192;

// The ordered collection of entity pointers that blocks, selections, undo
// items and commands pass around. A set owns its pointer array, never its
// entities, unless its user deletes them explicitly (RemoveAll (true)); a
// block's own set is the one whose owner block is set.
//
// Membership tests of a large set use an index of the pointers, so they do
// not scan the whole set; what they answer is the same as a scan from the
// end. The index is built by the first test that needs it and kept in step
// with the array from then on: a set filled from a file (AddNew) has none,
// so a drawing of millions of entities opens without paying for one.
class FcEntitySets {
 public:
  explicit FcEntitySets(int growthStep);
  virtual ~FcEntitySets();
  FcEntitySets(const FcEntitySets&) = delete;
  FcEntitySets& operator=(const FcEntitySets&) = delete;

  // Empties the set; with the flag set every entity is deleted too.
  void RemoveAll(bool deleteEntities);
  // Room for n more: nothing while count + n stays below the capacity,
  // else the capacity grows by the step (step + n when n is larger). False
  // when the memory cannot be had.
  bool Reserve(int n);

  int GetCount() const { return entities_.count; }
  int GetCapacity() const { return entities_.capacity; }
  int GetGrowthStep() const { return entities_.growBy; }
  void SetGrowthStep(int step) { entities_.growBy = step; }
  FcBlock* GetOwnerBlock() const { return ownerBlock_; }
  void SetOwnerBlock(FcBlock* block) { ownerBlock_ = block; }

  // Null outside 0 .. count - 1.
  FcEntity* GetAt(int index) const;
  FcEntity* const* begin() const { return entities_.items; }
  FcEntity* const* end() const { return entities_.items + entities_.count; }

  // The last index of the entity, -1 when absent.
  int IndexOf(const FcEntity* entity) const;
  bool Contains(const FcEntity* entity) const;
  // The first entity with the handle; null for handle 0.
  FcEntity* FindByHandle(FcHandle handle) const;

  // False when the entity is already in the set. A set that is not a
  // block's own set takes an entity of a block together with its sequence:
  // head, sub-entities and SEQEND.
  bool Add(FcEntity* entity);
  // Add for an entity just made or read, which no set holds yet: the
  // membership test is skipped.
  bool AddNew(FcEntity* entity);
  // None of the removals deletes the entity.
  bool Remove(const FcEntity* entity);
  FcEntity* RemoveAt(int index);
  FcEntity* RemoveByHandle(FcHandle handle);
  // Removes the first occurrence of each entity of the other set; how many
  // were removed.
  int Subtract(const FcEntitySets& other);
  // The other set's pointers, shared.
  void CopyFrom(const FcEntitySets& other);
  // Takes over the other set's array; the other set is left empty.
  void TakeFrom(FcEntitySets& other);
  // Appends each entity of the other set that this one lacks; how many.
  int Merge(const FcEntitySets& other);
  // Adds every attribute definition of this set to the target; how many
  // were offered.
  int CollectAttributeDefs(FcEntitySets& target) const;
  // Appends clones of the source's entities made in the target drawing;
  // the source's count.
  int CopyFromOtherGraph(const FcEntitySets& source, FcGraph& target, bool keepHandles);

  // In a block's own set: deletes every block reference whose block the
  // drawing does not have, with its attributes and their SEQEND.
  void DropInsertsOfMissingBlocks();
  // The index of the last entity of the sequence that starts at head: its
  // sub-entities and their SEQEND, or head itself.
  int LastOfSequence(int head) const;

  // The entity records in order, each followed by its extended data; a
  // record that writes nothing takes its sequence along; 0.
  int WriteDxf(FcFiler& filer);
  // Reads entity records until ENDSEC or ENDBLK (0), a BLOCK record (4),
  // the end of input (1) or a failed record (5). Records of classes that
  // cannot be created are skipped and noted in the filer.
  int ReadDxf(FcFiler& filer);
  // The records of a block's own set with their links; 0.
  int WriteDwg(FcFilerDwg& filer);
  // Reads a chain of entity records from the first to the last handle into
  // a block's own set: 0, or 2 on a failed or looping chain.
  int ReadDwgChain(FcFilerDwg& filer, FcHandle first, FcHandle last);
  // Entities decoded ahead that the chain reader takes in place of reading
  // their records; null for none. The caller keeps it alive while set.
  void SetDwgAhead(FcDwgEntityPrefetch* ahead) { dwgAhead_ = ahead; }

 private:
  void Append(FcEntity* entity);
  void AddSequenceOf(FcEntity* entity);
  // Removes the slot and closes the gap.
  void EraseAt(int index);
  // Fills the index from the array once; safe on several threads at once.
  void BuildIndex() const;
  void DropIndex();
  // The drawing of the owner block, or null.
  FcGraph* GetOwnerGraph() const;
  // The chain reader; a handle is read at most once per call of
  // ReadDwgChain, and the attributes read for a head do not read
  // attributes of their own.
  int ReadDwgChainOnce(FcFilerDwg& filer, FcHandle first, FcHandle last, bool nested);
  // Writes the attributes that follow the entity at index head and their
  // SEQEND; the index of the last entity written.
  int WriteDwgAttributes(FcFilerDwg& filer, int head, int seqend);

  CDataArray<FcEntity*> entities_;
  FcBlock* ownerBlock_ = nullptr;
  FcDwgEntityPrefetch* dwgAhead_ = nullptr;
  // Once built: every entity of the array, as often as it occurs there.
  mutable EntityPointerIndex index_;
  mutable std::atomic<bool> indexed_{false};
  mutable std::mutex indexLock_;
};
