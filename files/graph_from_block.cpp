#include <memory>
#include <new>
#include <string>

#include "database/block.h"
#include "database/graph.h"
#include "database/graph_references.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/image_def_marks.h"
#include "files/dwg_file.h"
#include "files/graph_insert.h"

namespace {

// A copied layer needs its linetype in the new drawing, whether or not an
// entity of the block names that linetype itself.
void KeepLinetypesOfLayersInUse(FcGraph& source) {
  const FcLayerList& layers = source.GetLayerList();
  for (int i = 0; i < layers.GetCount(); ++i) {
    const FcLayer& layer = *layers.GetAt(i);
    if (layer.GetEntityHandles().count == 0 || layer.GetLinetypeHandle() == 0) continue;
    if (FcLineType* linetype = source.GetLinetypeList().FindByHandle(layer.GetLinetypeHandle())) {
      linetype->SetUnreferenced(false);
    }
  }
}

}  // namespace

std::unique_ptr<FcGraph> CreateFromBlock(FcGraph& source, FcBlock& block) {
  std::unique_ptr<FcGraph> drawing(new (std::nothrow) FcGraph);
  if (drawing == nullptr) return nullptr;
  // The images of the block clear the marks of the definitions they use.
  MarkImageDefs(source.GetNamedObjects());
  MarkReferences(source, &block);
  KeepLinetypesOfLayersInUse(source);
  // The written block is the new drawing's model space, not a block of it.
  block.SetUnreferenced(true);

  drawing->InitDefaults();
  drawing->GetSysVars().CopyFrom(source.GetSysVars());
  MergeTextStyles(*drawing, source, FcMergeScope::kInUse);
  MergeLinetypes(*drawing, source, FcMergeScope::kInUse);
  MergeLayers(*drawing, source, FcMergeScope::kInUse);
  MergeDimStyles(*drawing, source, FcMergeScope::kInUse);
  MergeImageDefs(*drawing, source, FcMergeScope::kInUse);
  MergeBlocks(*drawing, source, FcMergeScope::kInUse);
  FcBlock* modelSpace = drawing->GetBlockList().FindByName("*Model_Space");
  if (modelSpace == nullptr) return nullptr;
  const std::string name = modelSpace->GetName();
  modelSpace->CopyFrom(block, false);
  modelSpace->SetName(name);
  modelSpace->SetFlags(0);
  modelSpace->SetBasePoint({});
  // The copies of dimensions come without their blocks: each builds its own
  // in the new drawing, as a drawing inserted into another does.
  modelSpace->RebuildDimensions();
  drawing->GetSysVars().insbase = block.GetBasePoint();
  CompleteDefaultObjects(*drawing);
  return drawing;
}
