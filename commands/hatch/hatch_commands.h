#pragma once

#include <span>

#include "commands/command_row.h"

class FcGraph;
class FcHatch;

// Commands that fill areas with patterns and edit the fillings.
std::span<const CommandRow> HatchCommandRows();

// Fills closed boundaries, found around picked points or chosen, with a
// pattern or solidly.
int CmdHatch();
// Gives a hatch another pattern, scale or spacing and angle.
int CmdHatchEdit();
// The same for a hatch already chosen.
int EditHatchEntity(FcGraph& graph, FcHatch& hatch);
// Gives the selection the layer, colour and linetype of a source entity.
int CmdMatchProp();
// Turns an arc into its circle, an elliptic arc into its ellipse.
int CmdArc2Circle();
