#pragma once

#include <span>

#include "commands/command_row.h"

class FcGraph;
class FcTolerance;

// Commands that measure the drawing with dimensions, tolerances and leaders, and edit them.
std::span<const CommandRow> DimensionCommandRows();

int CmdDimLinear();
int CmdDimHorizon();
int CmdDimVertical();
int CmdDimAligned();
int CmdDimAngular();
int CmdDimRadius();
int CmdDimDiameter();
int CmdDimOrdinate();
int CmdDimBaseLine();
int CmdDimContinue();
int CmdDimCenter();
int CmdDim();
// The dimension style manager; "-DimStyle" offers the same on the
// command line.
int CmdDimStyle();
int CmdDimStyleOnCommandLine();
int CmdDimEdit();
int CmdDimTEdit();
int CmdDimUpdate();
int CmdLeader();
int CmdTolerance();

// Edits the frame text of a tolerance already in the drawing in the
// frame editor; OK with a frame not empty replaces the text as one undo
// step "EditText", anything else changes nothing.
int EditToleranceText(FcGraph& graph, FcTolerance& tolerance);
