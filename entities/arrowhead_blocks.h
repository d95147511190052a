#pragma once

#include <span>
#include <string_view>

class FcBlock;
class FcGraph;

// The names of the arrowhead blocks this program can build. Each block is
// of unit size with the tip at its origin, pointing along +x, and every
// entity in it has colour ByBlock, so that it takes the colour of the
// dimension or leader that draws it.
std::span<const std::string_view> DimArrowheadNames();

// Builds the arrowhead block of that name (compared without regard to
// case) unless the drawing has a block of that name already, which is kept
// as it is, also when the user changed it. Any other name, the empty name
// and "_None" included, builds nothing. Answers the drawing's block of that
// name, or null.
FcBlock* CreateArrowheadBlock(FcGraph& graph, std::string_view name);

// One builder per block, with the same rule as CreateArrowheadBlock.
FcBlock* BuildClosedBlankArrow(FcGraph& graph);
FcBlock* BuildClosedArrow(FcGraph& graph);
FcBlock* BuildDotArrow(FcGraph& graph);
FcBlock* BuildArchTickArrow(FcGraph& graph);
FcBlock* BuildObliqueArrow(FcGraph& graph);
FcBlock* BuildOpenArrow(FcGraph& graph);
FcBlock* BuildOriginArrow(FcGraph& graph);
FcBlock* BuildOrigin2Arrow(FcGraph& graph);
FcBlock* BuildOpen90Arrow(FcGraph& graph);
FcBlock* BuildOpen30Arrow(FcGraph& graph);
FcBlock* BuildDotSmallArrow(FcGraph& graph);
FcBlock* BuildDotBlankArrow(FcGraph& graph);
FcBlock* BuildSmallArrow(FcGraph& graph);
FcBlock* BuildBoxBlankArrow(FcGraph& graph);
FcBlock* BuildBoxFilledArrow(FcGraph& graph);
FcBlock* BuildDatumBlankArrow(FcGraph& graph);
FcBlock* BuildDatumFilledArrow(FcGraph& graph);
FcBlock* BuildIntegralArrow(FcGraph& graph);
