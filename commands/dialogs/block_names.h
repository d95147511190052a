#pragma once

#include <string>
#include <vector>

class FcGraph;

// The block names the block dialogs offer: every block that is neither
// anonymous nor named with a leading "*" (the spaces and the dimension
// pictures), sorted as a list box sorts, without regard to case.
std::vector<std::string> OfferedBlockNames(const FcGraph& graph);
