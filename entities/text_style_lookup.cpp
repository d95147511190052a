#include "entities/text_style_lookup.h"

#include "database/graph.h"
#include "database/text_style.h"

FcTextStyle* StyleByHandleOrCurrent(const FcGraph* graph, FcHandle handle) {
  if (graph == nullptr) return nullptr;
  FcTextStyle* style = graph->GetTextStyleList().FindByHandle(handle);
  return style != nullptr ? style : graph->GetCurrentTextStyle();
}

FcTextStyle* StyleInOtherGraph(const FcTextStyle* source, const FcGraph& target) {
  FcTextStyle* found = source != nullptr ? target.GetTextStyleList().Find(source->GetName()) : nullptr;
  return found != nullptr ? found : target.GetCurrentTextStyle();
}
