#include "database/block.h"
#include "database/dictionary.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "entities/raster_image.h"

namespace {

const FcDictionary* ImageDictionary(const FcGraph& graph) {
  return dynamic_cast<const FcDictionary*>(graph.GetNamedObjects().GetAt(kImageDictionaryName));
}

// Takes the image out of its set, its block and its layer's member list,
// then deletes it.
void DiscardImage(FcEntitySets& entities, int index) {
  FcEntity* image = entities.GetAt(index);
  if (entities.GetOwnerBlock() != nullptr) {
    entities.GetOwnerBlock()->RemoveEntity(image);
  } else {
    entities.RemoveAt(index);
  }
  if (image->GetLayer() != nullptr) image->GetLayer()->RemoveEntityHandle(image);
  delete image;
}

}  // namespace

FcRasterImageDef* FindImageDef(const FcGraph& graph, FcHandle handle) {
  const FcDictionary* dictionary = ImageDictionary(graph);
  if (dictionary == nullptr || handle == 0) return nullptr;
  return dynamic_cast<FcRasterImageDef*>(dictionary->FindByHandle(handle));
}

void RebuildImageReactors(FcGraph& graph) {
  const FcDictionary* dictionary = ImageDictionary(graph);
  if (dictionary == nullptr || dictionary->GetEntryCount() == 0) return;
  for (int i = 0; i < dictionary->GetEntryCount(); ++i) {
    if (auto* definition = dynamic_cast<FcRasterImageDef*>(dictionary->GetEntry(i).object)) {
      definition->GetReactors().Clear(true);
    }
  }
  AttachRasterImages(graph.GetBlockList(), graph);
}

void AttachRasterImages(FcBlockList& blocks, FcGraph& graph) {
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    if (FcBlock* block = blocks.GetAt(i)) AttachRasterImages(block->GetEntities(), graph);
  }
}

void AttachRasterImages(FcEntitySets& entities, FcGraph& graph) {
  for (int i = entities.GetCount() - 1; i >= 0; --i) {
    // The kind first: a cast of every entity of a large drawing costs more
    // than the rest of this walk.
    FcEntity* entity = entities.GetAt(i);
    if (entity == nullptr || entity->GetKind() != kEntityImage) continue;
    auto* image = dynamic_cast<FcRasterImage*>(entity);
    if (image == nullptr) continue;
    if (!image->AttachImageDef(graph)) DiscardImage(entities, i);
  }
}
