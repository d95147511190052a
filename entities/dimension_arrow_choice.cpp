#include "entities/dimension_arrow_choice.h"

#include "database/block.h"
#include "database/graph.h"
#include "database/object.h"
#include "entities/arrowhead_blocks.h"

namespace {

FcBlock* NoArrowBlock(FcGraph& graph) {
  FcBlockList& blocks = graph.GetBlockList();
  if (FcBlock* existing = blocks.FindByName(kNoArrowName)) return existing;
  FcBlock* block = blocks.AddNew();
  if (block != nullptr) block->SetName(kNoArrowName);
  return block;
}

}  // namespace

std::optional<std::string> PrepareDimArrow(FcGraph& graph, std::string_view name) {
  if (name.empty() || name == ".") return std::string();
  if (name.front() == '*') return std::nullopt;
  FcBlock* block = EqualsNoCase(name, kNoArrowName) ? NoArrowBlock(graph) : CreateArrowheadBlock(graph, name);
  if (block == nullptr) block = graph.GetBlockList().FindByName(name);
  if (block == nullptr) return std::nullopt;
  return block->GetName();
}
