#include "entities/dim_style_binding.h"

#include "database/dim_style.h"
#include "database/entity.h"
#include "database/graph.h"

void FcDimStyleBinding::Set(FcDimStyle* record) {
  style = record;
  handle = record != nullptr ? record->GetHandle() : 0;
}

FcDimStyle* FcDimStyleBinding::Resolve(const FcEntity& entity) {
  if (style != nullptr) return style;
  FcGraph* graph = OwnerGraphOf(entity);
  if (graph == nullptr) return nullptr;
  FcDimStyle* found = handle != 0 ? graph->GetDimStyleList().FindByHandle(handle) : nullptr;
  Set(found != nullptr ? found : graph->GetCurrentDimStyle());
  return style;
}

bool FcDimStyleBinding::BindByHandle(FcGraph* graph, FcHandle styleHandle) {
  if (graph == nullptr) return false;
  FcDimStyle* found = graph->GetDimStyleList().FindByHandle(styleHandle);
  if (found == nullptr) found = graph->GetCurrentDimStyle();
  if (found == nullptr) return false;
  Set(found);
  return true;
}

void FcDimStyleBinding::BindByName(FcGraph* graph, std::string_view name) {
  if (graph == nullptr) return;
  FcDimStyle* found = graph->GetDimStyleList().Find(name);
  Set(found != nullptr ? found : graph->GetCurrentDimStyle());
}

void FcDimStyleBinding::BindLike(const FcDimStyle* theirs, FcGraph& target) {
  FcDimStyle* ours = theirs != nullptr ? target.GetDimStyleList().Find(theirs->GetName()) : nullptr;
  Set(ours != nullptr ? ours : target.GetCurrentDimStyle());
}
