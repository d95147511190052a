#pragma once

#include <new>
#include <string>
#include <string_view>

#include "database/dictionary.h"
#include "database/graph.h"

class FcEntitySets;

// The raster image procedures the image commands share.

// The drawing's named object of the class under the name, made and added
// when the drawing has none; null when it cannot be made.
template <typename Object>
Object* NamedObjectOrNew(FcGraph& graph, std::string_view name) {
  if (auto* found = dynamic_cast<Object*>(graph.GetNamedObjects().GetAt(name))) return found;
  auto* made = new (std::nothrow) Object;
  if (made == nullptr) return nullptr;
  if (!graph.AddNamedObject(name, made)) {
    delete made;
    return nullptr;
  }
  return made;
}

// Runs the attach box for a new file (newFile not empty) or the drawing's
// definitions, asks on the command line what the box leaves to the screen
// and places the image as one undo step.
void AttachImage(const std::string& foundPath, const std::string& savedPath, const std::string& newFile);

// Runs the adjust box with the values of the set's first image and gives
// the changes to every raster image of the set; 5100.
int AdjustImageEntity(FcEntitySets& entities);
