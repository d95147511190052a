#include "commands/text/text_box.h"

#include <vector>

#include "core/matrix2d.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/mtext.h"
#include "entities/mtext_layout.h"
#include "entities/text.h"

bool IsBoxedText(const FcEntity& entity) {
  const EntityKind kind = entity.GetKind();
  return kind == kEntityText || kind == kEntityAttributeDef || kind == kEntityMText;
}

bool KeepBoxedTexts(FcEntitySets& selection) {
  std::vector<FcEntity*> dropped;
  for (FcEntity* entity : selection)
    if (!IsBoxedText(*entity)) dropped.push_back(entity);
  if (dropped.empty()) return false;
  FcEntitySets unlit(static_cast<int>(dropped.size()) + 1);
  for (FcEntity* entity : dropped) {
    selection.Remove(entity);
    unlit.Add(entity);
  }
  if (FcGraph* graph = OwnerGraphOf(*dropped.front())) graph->HighlightEntities(false, &unlit);
  return true;
}

bool TextBoxCorners(FcEntity& entity, std::array<FcPoint2d, 4>& corners) {
  if (!IsBoxedText(entity)) return false;
  if (auto* mtext = dynamic_cast<FcMText*>(&entity)) {
    if (mtext->GetContents().empty()) return false;
    MTextRenderRequest request;
    request.box = &corners;
    RenderMText(*mtext, request);
    return true;
  }
  auto& text = static_cast<FcText&>(entity);
  if (text.GetDrawText().empty()) return false;
  FcMatrix2d placement;
  text.Layout(placement, OwnerGraphOf(text));
  corners = text.GetBox();
  return true;
}
