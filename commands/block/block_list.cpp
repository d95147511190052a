#include "commands/block/block_commands.h"
#include "database/block.h"
#include "database/graph.h"
#include "platform/frame_link.h"

void PrintBlockList() {
  const FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return;
  PrintMessage("  Blocks defined in this drawing:");
  const FcBlockList& blocks = graph->GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    const FcBlock* block = blocks.GetAt(i);
    if ((block->GetFlags() & kBlockAnonymous) == 0) PrintMessage("  " + block->GetName());
  }
}

std::string TrimBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
