#pragma once

#include <span>

#include "commands/command_row.h"

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
