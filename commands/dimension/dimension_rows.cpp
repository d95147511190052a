#include "commands/dimension/dimension_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"DimStyle", CmdDimStyle, kDrawing},
    {"-DimStyle", CmdDimStyleOnCommandLine, kDrawing},
    {"dim", CmdDim, kDrawing},
    {"DimAligned", CmdDimAligned, kDrawing},
    {"DimLinear", CmdDimLinear, kDrawing},
    {"DimHorizon", CmdDimHorizon, kDrawing},
    {"DimVertical", CmdDimVertical, kDrawing},
    {"DimAngular", CmdDimAngular, kDrawing},
    {"DimDiameter", CmdDimDiameter, kDrawing},
    {"DimRadius", CmdDimRadius, kDrawing},
    {"DimOrdinate", CmdDimOrdinate, kDrawing},
    {"DimCenter", CmdDimCenter, kDrawing},
    {"DimBaseLine", CmdDimBaseLine, kDrawing},
    {"DimContinue", CmdDimContinue, kDrawing},
    {"Tolerance", CmdTolerance, kDrawing},
    {"DimUpdate", CmdDimUpdate, kDrawing},
    {"DimEdit", CmdDimEdit, kDrawing},
    {"DimTEdit", CmdDimTEdit, kDrawing},
    {"Leader", CmdLeader, kDrawing},
};

}  // namespace

std::span<const CommandRow> DimensionCommandRows() { return kRows; }
