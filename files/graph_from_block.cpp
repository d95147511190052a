#include <memory>
#include <new>
#include <string>

#include "database/block.h"
#include "database/graph.h"
#include "files/dwg_file.h"
#include "files/graph_insert.h"

std::unique_ptr<FcGraph> CreateFromBlock(const FcGraph& source, const FcBlock& block) {
  std::unique_ptr<FcGraph> drawing(new (std::nothrow) FcGraph);
  if (drawing == nullptr) return nullptr;
  drawing->InitDefaults();
  drawing->GetSysVars().CopyFrom(source.GetSysVars());
  MergeTextStyles(*drawing, source);
  MergeLinetypes(*drawing, source);
  MergeLayers(*drawing, source);
  MergeDimStyles(*drawing, source);
  MergeImageDefs(*drawing, source);
  MergeBlocks(*drawing, source);
  // The written block is the new drawing's model space, not a block of it.
  drawing->GetBlockList().RemoveByName(block.GetName());
  FcBlock* modelSpace = drawing->GetBlockList().FindByName("*Model_Space");
  if (modelSpace == nullptr) return nullptr;
  const std::string name = modelSpace->GetName();
  modelSpace->CopyFrom(block, false);
  modelSpace->SetName(name);
  modelSpace->SetFlags(0);
  modelSpace->SetBasePoint({});
  drawing->GetSysVars().insbase = block.GetBasePoint();
  CompleteDefaultObjects(*drawing);
  return drawing;
}
