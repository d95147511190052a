#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FcEntity;

// The entities of a set, for membership tests that do not scan the set. A
// multiset: an entity added twice is held twice until it is erased twice.
// Entities are held in one open-addressed table of pointers, 8 to 16
// bytes an entity, where a node-based hash map takes about 40: a drawing
// of millions of entities keeps one in its model space's set.
class EntityPointerIndex {
 public:
  bool Contains(const FcEntity* entity) const;
  // Adds one occurrence of a non-null entity. Raises std::bad_alloc when
  // the table cannot grow.
  void Insert(const FcEntity* entity);
  // Removes one occurrence; nothing when there is none.
  void Erase(const FcEntity* entity);
  // Empties the index and gives its memory back.
  void Clear();
  std::size_t Size() const { return size_; }

 private:
  std::size_t HomeSlot(const FcEntity* entity) const;
  std::size_t NextSlot(std::size_t slot) const;
  // The slot that holds the entity, or the empty slot where its probe ends.
  std::size_t FindSlot(const FcEntity* entity) const;
  void Grow();

  // Null marks an empty slot.
  std::vector<const FcEntity*> slots_;
  std::size_t size_ = 0;
};
