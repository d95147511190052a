#include "commands/dimension/dimension_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"DimStyle", CmdNotAvailable, kDrawing},
    {"dim", CmdNotAvailable, kDrawing},
    {"DimAligned", CmdDimAligned, kDrawing},
    {"DimLinear", CmdDimLinear, kDrawing},
    {"DimHorizon", CmdDimHorizon, kDrawing},
    {"DimVertical", CmdDimVertical, kDrawing},
    {"DimAngular", CmdNotAvailable, kDrawing},
    {"DimDiameter", CmdDimDiameter, kDrawing},
    {"DimRadius", CmdDimRadius, kDrawing},
    {"DimOrdinate", CmdDimOrdinate, kDrawing},
    {"DimCenter", CmdNotAvailable, kDrawing},
    {"DimBaseLine", CmdDimBaseLine, kDrawing},
    {"DimContinue", CmdDimContinue, kDrawing},
    {"Tolerance", CmdTolerance, kDrawing},
    {"DimUpdate", CmdNotAvailable, kDrawing},
    {"DimEdit", CmdNotAvailable, kDrawing},
    {"DimTEdit", CmdNotAvailable, kDrawing},
    {"Leader", CmdLeader, kDrawing},
};

}  // namespace

std::span<const CommandRow> DimensionCommandRows() { return kRows; }
