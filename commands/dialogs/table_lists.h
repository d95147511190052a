#pragma once

#include <string>
#include <string_view>
#include <vector>

class FcGraph;
class FcTextStyleList;

// The names the dialogs' lists offer from the drawing's tables: layers and
// dimension styles sorted by name, linetypes (ByLayer and ByBlock among
// them), dimension styles and text styles in table order, or sorted for a
// list that asks so.
std::vector<std::string> SortedLayerNames(const FcGraph& graph);
// The block names the block dialogs offer: every block that is neither
// anonymous nor named with a leading "*" (the spaces and the dimension
// pictures), sorted without regard to case.
std::vector<std::string> OfferedBlockNames(const FcGraph& graph);
std::vector<std::string> LinetypeNames(const FcGraph& graph);
std::vector<std::string> SortedDimStyleNames(const FcGraph& graph);
std::vector<std::string> DimStyleNames(const FcGraph& graph);
std::vector<std::string> SortedTextStyleNames(const FcGraph& graph);
std::vector<std::string> TextStyleNames(const FcTextStyleList& styles);
// The entry that equals the name without regard to case; -1 when none
// does (a longer name that begins with it is another entry).
int FindListEntry(const std::vector<std::string>& entries, std::string_view name);
