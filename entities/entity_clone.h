#pragma once

#include <new>

class FcEntity;
class FcGraph;

// CloneFromOtherGraph of an entity class: a default-constructed object
// given the source's data by the class's CopyFromOtherGraph. Null when it
// cannot be allocated.
template <typename Entity>
FcEntity* CloneEntityIntoGraph(const Entity& source, FcGraph& target) {
  Entity* clone = new (std::nothrow) Entity;
  if (clone != nullptr) clone->CopyFromOtherGraph(&source, target);
  return clone;
}
