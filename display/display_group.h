#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/handle.h"
#include "core/point2d.h"
#include "display/display_primitives.h"

class FcDisplaySurface;
class FcEntity;

// The primitives one entity's drawing produced, in the order they were
// added. The group owns them.
class FcDsGroupEnts {
 public:
  FcDsGroupEnts() = default;
  FcDsGroupEnts(const FcDsGroupEnts&) = delete;
  FcDsGroupEnts& operator=(const FcDsGroupEnts&) = delete;
  virtual ~FcDsGroupEnts() = default;

  // Takes ownership; the cached extents become invalid.
  void Add(std::unique_ptr<FcDsEntity> primitive);
  // Moves the other group's primitives after this one's, as if they had
  // been added here: a group hidden there stays hidden here.
  void TakePrimitivesOf(FcDsGroupEnts& other);
  // Deletes every primitive and resets the flags (visible again).
  void RemoveAll();
  // Draws every visible primitive; drawn tells whether one of them was.
  void Draw(FcDisplaySurface& surface);
  // Cached union of the primitives' extents; an empty group leaves the
  // outputs untouched.
  void GetExtents(FcPoint2d& min, FcPoint2d& max);
  bool InsideWindow(const FcPoint2d& min, const FcPoint2d& max);
  // The first primitive that crosses ends the search.
  bool CrossesWindow(const FcPoint2d& min, const FcPoint2d& max);
  // Deletes the grip markers of the entity, from the last primitive to the
  // first, moving the last primitive into each freed place.
  void RemoveGripsOf(const FcEntity* owner);
  void InvalidateDeviceCaches();

  int GetCount() const { return static_cast<int>(primitives_.size()); }
  bool IsEmpty() const { return primitives_.empty(); }
  FcDsEntity* GetPrimitive(int index) const { return primitives_[static_cast<std::size_t>(index)].get(); }

  FcHandle entityHandle = 0;
  // What the surface orders the groups by: the entity handle, or its sort
  // handle from the draw-order table.
  FcHandle sortKey = 0;
  bool highlighted = false;
  bool visible = true;
  // At least one primitive was drawn by the last Draw.
  bool drawn = false;

 private:
  std::vector<std::unique_ptr<FcDsEntity>> primitives_;
  bool extentsValid_ = false;
  FcPoint2d extentsMin_;
  FcPoint2d extentsMax_;
};

// What the display surface needs of the editor shell's grip markers, which
// live in the surface's grip group.
class FcGripMarker : public FcDsEntity {
 public:
  using FcDsEntity::FcDsEntity;

  virtual const FcEntity* GetOwnerEntity() const = 0;
  // Every grip back to the normal state.
  virtual void ResetGripStates() = 0;
  // The grip point the last CrossesWindow that answered true found.
  virtual FcPoint2d GetFoundGripPoint() const = 0;
};
