#pragma once

#include <string>
#include <vector>

class FcGraph;

// The drop-down colour list of the property dialogs: "ByLayer", "ByBlock",
// the seven named colours, an entry of the dialog's own colour when it is
// one of 8 to 255, and "Others...", which opens the colour selection
// dialog.
inline constexpr int kColorListOthers = 1000;

struct ColorListEntry {
  std::string text;
  int color;
};

std::vector<ColorListEntry> ColorListEntries(int color);
// The text of a colour's entry: the name for 0 to 7 and 256, "Color " and
// the number for 8 to 255.
std::string ColorListText(int color);
// What "Others..." starts from: the colour of the named layer, else that
// of the current layer.
short OthersStartColor(const FcGraph& graph, const std::string& layerName);
