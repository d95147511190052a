#pragma once

#include <string_view>

#include "core/handle.h"

class FcDimStyle;
class FcEntity;
class FcGraph;

// The dimension style an annotation entity draws with: the record and its
// handle, kept together so that a copy, a file reader or a drawing that
// has not bound the record yet can find it again.
struct FcDimStyleBinding {
  FcDimStyle* style = nullptr;
  FcHandle handle = 0;

  void Set(FcDimStyle* record);
  // The bound style, else the one of the handle in the entity's drawing,
  // else that drawing's current style, bound from then on; null without a
  // drawing.
  FcDimStyle* Resolve(const FcEntity& entity);
  // The style of the handle in the drawing, else its current one; false
  // when it has none.
  bool BindByHandle(FcGraph* graph, FcHandle styleHandle);
  // The style of the name (any case), else the drawing's current one.
  void BindByName(FcGraph* graph, std::string_view name);
  // In another drawing: the style named as the source's, else the
  // target's current one.
  void BindLike(const FcDimStyle* theirs, FcGraph& target);
};
