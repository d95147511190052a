#include "commands/dialogs/block_names.h"

#include <algorithm>
#include <cctype>

#include "database/block.h"
#include "database/graph.h"

namespace {

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) < std::tolower(y);
  });
}

}  // namespace

std::vector<std::string> OfferedBlockNames(const FcGraph& graph) {
  std::vector<std::string> names;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    const FcBlock* block = blocks.GetAt(i);
    if (block == nullptr || (block->GetFlags() & kBlockAnonymous) != 0) continue;
    const std::string& name = block->GetName();
    if (name.empty() || name.front() == '*') continue;
    names.push_back(name);
  }
  std::stable_sort(names.begin(), names.end(), LessNoCase);
  return names;
}
