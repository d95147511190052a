#include "commands/modify/entity_editor.h"

#include "commands/block/block_commands.h"
#include "commands/block/image_procedures.h"
#include "commands/hatch/hatch_commands.h"
#include "commands/modify/entity_property_edit.h"
#include "commands/text/text_commands.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/dimension.h"
#include "entities/hatch.h"
#include "shell/entity_editing.h"

namespace {

int EditDimension(FcGraph& graph, FcDimension& dimension, FcHandle primitive) {
  const FcEntity* hit = primitive != 0 ? dimension.FindObjectByHandle(primitive) : nullptr;
  if (hit != nullptr && hit->GetKind() == kEntityMText) return EditTextEntity(dimension);
  EditDimensionProperties(graph, dimension);
  return kStatusDone;
}

}  // namespace

int EditDoubleClickedEntity(FcGraph& graph, FcEntityEdit& edit) {
  FcEntity& entity = *edit.entity;
  switch (entity.GetKind()) {
    case kEntityText:
    case kEntityAttributeDef:
    case kEntityMText:
    case kEntityTolerance:
      return EditTextEntity(entity);
    case kEntityDimension:
      if (auto* dimension = dynamic_cast<FcDimension*>(&entity)) return EditDimension(graph, *dimension, edit.primitive);
      break;
    case kEntityAttribute:
    case kEntityInsert:
      if (EditBlockAttributes(graph, entity) == kStatusDone) return kStatusDone;
      break;
    case kEntityImage: {
      FcEntitySets image(1);
      image.Add(&entity);
      return AdjustImageEntity(image);
    }
    case kEntityHatch:
      if (auto* hatch = dynamic_cast<FcHatch*>(&entity)) return EditHatchEntity(graph, *hatch);
      break;
    default:
      break;
  }
  EditEntityProperties(graph, edit.selection);
  return kStatusDone;
}

void InstallEntityEditor() { SetEntityEditor(EditDoubleClickedEntity); }
