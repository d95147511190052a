#include "commands/dialogs/table_lists.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "database/block.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/text_style.h"

namespace {

template <typename Table>
std::vector<std::string> RecordNames(const Table& table) {
  std::vector<std::string> names;
  for (int i = 0; i < table.GetCount(); ++i) names.push_back(table.GetAt(i)->GetName());
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return LessNoCase(a, b); });
  return names;
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
  return Sorted(std::move(names));
}

std::vector<std::string> SortedLayerNames(const FcGraph& graph) { return Sorted(RecordNames(graph.GetLayerList())); }

std::vector<std::string> LinetypeNames(const FcGraph& graph) { return RecordNames(graph.GetLinetypeList()); }

std::vector<std::string> SortedDimStyleNames(const FcGraph& graph) {
  return Sorted(RecordNames(graph.GetDimStyleList()));
}

std::vector<std::string> SortedTextStyleNames(const FcGraph& graph) {
  return Sorted(RecordNames(graph.GetTextStyleList()));
}

std::vector<std::string> DimStyleNames(const FcGraph& graph) { return RecordNames(graph.GetDimStyleList()); }

std::vector<std::string> TextStyleNames(const FcTextStyleList& styles) { return RecordNames(styles); }

int FindListEntry(const std::vector<std::string>& entries, std::string_view name) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (EqualsNoCase(entries[i], name)) return static_cast<int>(i);
  return -1;
}
