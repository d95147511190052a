#include "entities/undo_image_items.h"

#include <new>
#include <utility>

#include "database/block.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/undo_refresh.h"
#include "entities/raster_image.h"

namespace {

FcRasterVariables* RasterVariablesOf(const FcGraph& graph) {
  return dynamic_cast<FcRasterVariables*>(graph.GetNamedObjects().GetAt(kImageVariablesName));
}

FcDictionary* ImageDictionaryOf(const FcGraph& graph) {
  return dynamic_cast<FcDictionary*>(graph.GetNamedObjects().GetAt(kImageDictionaryName));
}

template <typename Visit>
void ForEachDefinition(const FcDictionary& dictionary, Visit visit) {
  for (int i = 0; i < dictionary.GetEntryCount(); ++i) {
    if (auto* definition = dynamic_cast<FcRasterImageDef*>(dictionary.GetEntry(i).object)) visit(*definition);
  }
}

// Every image of every block lets go of its old definition and reactor and
// binds the drawing's definition of its handle, if there is one. An image
// left without one stays in the drawing: a later undo may bring it back.
void RebindImages(FcGraph& graph) {
  FcBlockList& blocks = graph.GetBlockList();
  for (int b = 0; b < blocks.GetBlockCount(); ++b) {
    FcBlock* block = blocks.GetAt(b);
    if (block == nullptr) continue;
    FcEntitySets& entities = block->GetEntities();
    for (int i = 0; i < entities.GetCount(); ++i) {
      auto* image = dynamic_cast<FcRasterImage*>(entities.GetAt(i));
      if (image == nullptr) continue;
      image->UnbindImageDef();
      image->AttachImageDef(graph);
    }
  }
}

}  // namespace

void FcImageFrameUndo::Capture(const FcGraph& graph) {
  const FcRasterVariables* variables = RasterVariablesOf(graph);
  present_ = variables != nullptr;
  if (present_) frame_ = variables->GetImageFrame();
}

bool FcImageFrameUndo::Undo(FcGraph& graph) {
  FcRasterVariables* variables = RasterVariablesOf(graph);
  const std::int16_t currentFrame = variables != nullptr ? variables->GetImageFrame() : std::int16_t{3};
  const bool currentPresent = variables != nullptr;
  if (present_) {
    if (variables == nullptr) {
      variables = new (std::nothrow) FcRasterVariables;
      if (variables != nullptr && !graph.AddNamedObject(kImageVariablesName, variables)) {
        delete variables;
        variables = nullptr;
      }
    }
    if (variables != nullptr) variables->SetImageFrame(frame_);
  } else {
    graph.GetNamedObjects().Remove(kImageVariablesName);
  }
  frame_ = currentFrame;
  present_ = currentPresent;
  RefreshAfterUndo(graph, FcUndoRefresh::kRedraw);
  return true;
}

FcImgDefUndoItem::FcImgDefUndoItem() = default;
FcImgDefUndoItem::~FcImgDefUndoItem() = default;

void FcImgDefUndoItem::Capture(const FcGraph& graph) {
  auto saved = std::unique_ptr<FcDictionary>(new (std::nothrow) FcDictionary);
  if (saved == nullptr) return;
  const FcDictionary* current = ImageDictionaryOf(graph);
  if (current != nullptr) {
    saved->SetHandle(current->GetHandle());
    for (int i = 0; i < current->GetEntryCount(); ++i) {
      const FcDictionaryEntry& entry = current->GetEntry(i);
      const auto* definition = dynamic_cast<const FcRasterImageDef*>(entry.object);
      if (definition == nullptr) continue;
      auto* copy = new (std::nothrow) FcRasterImageDef;
      if (copy == nullptr) continue;
      copy->CopyFrom(*definition);
      copy->SetLive(false);
      saved->SetAt(entry.name, copy);
    }
  }
  saved_ = std::move(saved);
}

bool FcImgDefUndoItem::Undo(FcGraph& graph) {
  if (saved_ == nullptr) return false;
  FcDictionary& named = graph.GetNamedObjects();
  if (ImageDictionaryOf(graph) == nullptr) {
    auto* empty = new (std::nothrow) FcDictionary;
    if (empty == nullptr) return false;
    if (!graph.AddNamedObject(kImageDictionaryName, empty)) {
      delete empty;
      return false;
    }
  }
  FcDictionary* current = ImageDictionaryOf(graph);
  if (!named.ReplaceObject(kImageDictionaryName, saved_.get())) return false;
  // The dictionary now holds the kept one; the item takes the replaced one.
  std::unique_ptr<FcDictionary> replaced(current);
  FcDictionary* installed = saved_.release();
  ForEachDefinition(*installed, [&graph](FcRasterImageDef& definition) {
    definition.SetLive(true);
    definition.Load(&graph);
    if (definition.GetLoaded() == 0) definition.UnloadImage();
  });
  ForEachDefinition(*replaced, [](FcRasterImageDef& definition) { definition.SetLive(false); });
  RebindImages(graph);
  // The images hold none of the replaced definitions' reactors any more.
  ForEachDefinition(*replaced, [](FcRasterImageDef& definition) {
    definition.GetReactors().Clear(true);
    definition.UnloadImage();
  });
  saved_ = std::move(replaced);
  RefreshAfterUndo(graph, FcUndoRefresh::kRegen);
  return true;
}
