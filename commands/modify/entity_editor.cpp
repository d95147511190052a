#include "commands/modify/entity_editor.h"

#include "commands/block/block_commands.h"
#include "commands/block/image_procedures.h"
#include "commands/hatch/hatch_commands.h"
#include "commands/modify/entity_property_edit.h"
#include "commands/text/text_commands.h"
#include "core/resbuf.h"
#include "database/block.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "entities/dimension.h"
#include "entities/hatch.h"
#include "entities/mtext.h"
#include "shell/entity_editing.h"

namespace {

// The point lies in the laid-out box of a multiline text of the
// dimension's block. The view's primitives of a dimension all carry the
// dimension's own handle, so the box tells a click on its text from one on
// its lines.
bool OnDimensionText(const FcDimension& dimension, const FcPoint2d& point) {
  const FcBlock* block = dimension.GetDimBlock();
  if (block == nullptr) return false;
  const FcPoint2d& offset = dimension.GetCloneInsertion();
  for (const FcEntity* entity : block->GetEntities()) {
    const auto* text = dynamic_cast<const FcMText*>(entity);
    const int attachment = text != nullptr ? text->GetAttachment() : 0;
    if (attachment < 1 || attachment > 9) continue;
    const FcPoint2d& insertion = text->GetInsertionPoint();
    const FcPoint2d& direction = text->GetXDirection();
    const double x = point.x - offset.x - insertion.x;
    const double y = point.y - offset.y - insertion.y;
    // In the text's own axes, from its insertion point.
    const double along = x * direction.x + y * direction.y;
    const double across = y * direction.x - x * direction.y;
    const double width = text->GetLaidOutWidth();
    const double height = text->GetLaidOutHeight();
    const double left = -0.5 * width * ((attachment - 1) % 3);
    const double top = 0.5 * height * ((attachment - 1) / 3);
    if (along >= left && along <= left + width && across <= top && across >= top - height) return true;
  }
  return false;
}

int EditDimension(FcGraph& graph, FcDimension& dimension, const FcPoint2d& point) {
  if (OnDimensionText(dimension, point)) return EditTextEntity(dimension);
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
      if (auto* dimension = dynamic_cast<FcDimension*>(&entity)) return EditDimension(graph, *dimension, edit.point);
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
