#pragma once

#include <new>
#include <string>

#include "core/point2d.h"
#include "platform/frame_link.h"

class FcEntity;
class FcGraph;

// What the drawing commands share: the road from a prompt's point to the
// world, and the report of a failed allocation.

inline constexpr const char* kNoMemoryMessage = "No enough memory!";

// A new entity of the class; null, after the history line that says so,
// when it cannot be allocated.
template <typename Entity>
Entity* NewEntityOrReport() {
  Entity* entity = new (std::nothrow) Entity;
  if (entity == nullptr) PrintMessage(kNoMemoryMessage);
  return entity;
}

// A point answered in the current UCS, in world coordinates.
FcPoint2d UcsToWorldPoint(const FcGraph& graph, const FcPoint2d& ucsPoint);

// The same for a preview's cursor, whose drawing may be missing: the
// point is then taken as it is.
FcPoint2d CursorInWorld(const FcGraph* drawing, const FcPoint2d& ucsPoint);

// The name of an entity's linetype: "ByLayer", "ByBlock" or the record's.
std::string EntityLinetypeName(const FcEntity& entity);
