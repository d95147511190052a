#include "commands/dialogs/color_list.h"

#include "core/value_format.h"
#include "database/graph.h"
#include "database/layer.h"

namespace {

constexpr int kByBlock = 0;
constexpr int kByLayer = 256;

bool HasOwnEntry(int color) { return color >= 8 && color <= 255; }

}  // namespace

std::string ColorListText(int color) {
  if (HasOwnEntry(color)) return "Color " + IntToString(color);
  return ColorIndexToText(static_cast<short>(color));
}

std::vector<ColorListEntry> ColorListEntries(int color) {
  std::vector<ColorListEntry> entries;
  for (const int named : {kByLayer, kByBlock, 1, 2, 3, 4, 5, 6, 7}) entries.push_back({ColorListText(named), named});
  if (HasOwnEntry(color)) entries.push_back({ColorListText(color), color});
  entries.push_back({ColorIndexToText(kColorListOthers), kColorListOthers});
  return entries;
}

short OthersStartColor(const FcGraph& graph, const std::string& layerName) {
  const FcLayer* layer = graph.GetLayerList().FindByName(layerName);
  if (layer == nullptr) layer = graph.GetCurrentLayer();
  return layer != nullptr ? layer->GetColor() : FcLayer::kDefaultColor;
}
