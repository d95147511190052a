#include "commands/dialogs/purge_dlg.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "database/block.h"
#include "database/graph.h"

namespace {

const char* const kTabs[CPurgeDlg::kPageCount] = {"Block", "Layer", "Line type", "Text Style", "Dimensin Style"};
const char* const kLabels[CPurgeDlg::kPageCount] = {
    "The list of the blocks that can be purged", "The list of the layers that can be purged",
    "The list of the line types that can be purged", "The list of the text styles that can be purged",
    "The list of the dimension style that can be purged"};

std::vector<std::string> Blocks(const FcBlockList& blocks) {
  std::vector<std::string> names;
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    const FcBlock* block = blocks.GetAt(i);
    if (block == nullptr || !block->IsUnreferenced() || (block->GetFlags() & kBlockAnonymous) != 0) continue;
    const std::string& name = block->GetName();
    if (EqualsNoCase(name, "*Model_Space") || StartsWithNoCase(name, "*Paper_Space")) continue;
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> Layers(const FcLayerList& layers) {
  std::vector<std::string> names;
  for (int i = 0; i < layers.GetCount(); ++i)
    if (const FcLayer* layer = layers.GetAt(i); layer != nullptr && layer->GetEntityHandles().count == 0)
      names.push_back(layer->GetName());
  return names;
}

std::vector<std::string> Linetypes(const FcLinetypeList& linetypes) {
  std::vector<std::string> names;
  for (int i = 0; i < linetypes.GetCount(); ++i) {
    const FcLineType* linetype = linetypes.GetAt(i);
    if (linetype == nullptr || !linetype->IsUnreferenced()) continue;
    const std::string& name = linetype->GetName();
    if (EqualsNoCase(name, "ByLayer") || EqualsNoCase(name, "ByBlock") || EqualsNoCase(name, "Continuous")) continue;
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> TextStyles(const FcTextStyleList& styles) {
  std::vector<std::string> names;
  for (int i = 0; i < styles.GetCount(); ++i)
    if (const FcTextStyle* style = styles.GetAt(i);
        style != nullptr && style->IsUnreferenced() && !EqualsNoCase(style->GetName(), "standard"))
      names.push_back(style->GetName());
  return names;
}

// The last dimension style always stays.
std::vector<std::string> DimStyles(const FcDimStyleList& styles) {
  std::vector<std::string> names;
  if (styles.GetCount() <= 1) return names;
  for (int i = 0; i < styles.GetCount(); ++i)
    if (const FcDimStyle* style = styles.GetAt(i); style != nullptr && style->IsUnreferenced())
      names.push_back(style->GetName());
  return names;
}

// The lists sort their entries, as the user reads them: without regard to
// case.
void SortNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return LessNoCase(a, b); });
}

}  // namespace

const char* CPurgeDlg::TabText(int page) { return page >= 0 && page < kPageCount ? kTabs[page] : ""; }

const char* CPurgeDlg::ListLabel(int page) { return page >= 0 && page < kPageCount ? kLabels[page] : ""; }

CPurgeDlg::CPurgeDlg(const FcGraph& graph, std::string caption, int firstPage)
    : m_caption(std::move(caption)), m_nFirstPage(firstPage) {
  m_pages[kBlocks].m_candidates = Blocks(graph.GetBlockList());
  m_pages[kLayers].m_candidates = Layers(graph.GetLayerList());
  m_pages[kLinetypes].m_candidates = Linetypes(graph.GetLinetypeList());
  m_pages[kTextStyles].m_candidates = TextStyles(graph.GetTextStyleList());
  m_pages[kDimStyles].m_candidates = DimStyles(graph.GetDimStyleList());
  for (CPurgePage& page : m_pages) SortNames(page.m_candidates);
}

bool CPurgeDlg::AnySelected() const {
  return std::any_of(std::begin(m_pages), std::end(m_pages), [](const CPurgePage& page) { return !page.m_names.empty(); });
}
