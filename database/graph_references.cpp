#include "database/graph_references.h"

#include "database/block.h"
#include "database/graph.h"

namespace {

bool IsSpaceBlockName(const std::string& name) {
  constexpr std::string_view kPaperSpacePrefix = "*Paper_Space";
  if (EqualsNoCase(name, "*Model_Space")) return true;
  return name.size() >= kPaperSpacePrefix.size() &&
         EqualsNoCase(std::string_view(name).substr(0, kPaperSpacePrefix.size()), kPaperSpacePrefix);
}

}  // namespace

void MarkReferences(FcGraph& graph, FcBlock* block) {
  FcBlockList& blocks = graph.GetBlockList();
  blocks.ClearReferenceMarks();
  graph.GetLinetypeList().ClearReferenceMarks();
  graph.GetTextStyleList().ClearReferenceMarks();
  graph.GetDimStyleList().ClearReferenceMarks();
  if (block != nullptr) {
    block->MarkReferences();
    return;
  }
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    if (FcBlock* each = blocks.GetAt(i)) each->MarkReferences();
  }
}

void PurgeBlock(FcGraph& graph, FcBlock* block) {
  if (block == nullptr || !block->IsUnreferenced()) return;
  const std::string name = block->GetName();
  if (IsSpaceBlockName(name)) return;
  graph.GetBlockList().RemoveByName(name);
}

void PurgeAnonymousBlocks(FcGraph& graph) {
  // Block references and dimensions passed over on reading are not there
  // to mark the blocks they use.
  if (graph.HasSkippedRecords()) return;
  FcBlockList& blocks = graph.GetBlockList();
  for (int i = blocks.GetBlockCount() - 1; i >= 0; --i) {
    FcBlock* block = blocks.GetAt(i);
    if (block == nullptr || (block->GetFlags() & kBlockAnonymous) == 0) continue;
    PurgeBlock(graph, block);
  }
}
