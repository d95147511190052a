#pragma once

#include <functional>

class FcDisplaySurface;
class FcEntity;
class FcEntitySets;

// Which entities of the current space a full pass draws.
using FcEntityTest = bool (*)(const FcEntity& entity);

// Draws one entity into the open pass. A layer that is off keeps the
// group, hidden, so that switching the layer on needs no regen; the test
// has already left out what a frozen layer hides.
void DrawIntoPass(FcDisplaySurface& surface, FcEntity& entity);

// Draws the entities of the set that the test accepts into the surface's
// open pass. Large sets are drawn on several threads (the surface's
// regenThreads, or as many as pay off), each into a surface of its own,
// and the groups then join the list in the order of the set: the list is
// the one a single thread makes. The list makes room for a group per
// entity first. progress, when set, is told how many entities are done,
// always on the calling thread.
void DrawEntitiesIntoPass(FcDisplaySurface& surface, const FcEntitySets& entities, FcEntityTest drawn,
                          const std::function<void(int done)>& progress);
// The same for the entities of the set from first up to (not including)
// last; progress counts from the first.
void DrawEntitiesIntoPass(FcDisplaySurface& surface, const FcEntitySets& entities, int first, int last,
                          FcEntityTest drawn, const std::function<void(int done)>& progress);
