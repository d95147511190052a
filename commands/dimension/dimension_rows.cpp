#include "commands/dimension/dimension_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"DimStyle", CmdNotAvailable, kDrawing},
    {"dim", CmdNotAvailable, kDrawing},
    {"DimAligned", CmdNotAvailable, kDrawing},
    {"DimLinear", CmdNotAvailable, kDrawing},
    {"DimHorizon", CmdNotAvailable, kDrawing},
    {"DimVertical", CmdNotAvailable, kDrawing},
    {"DimAngular", CmdNotAvailable, kDrawing},
    {"DimDiameter", CmdNotAvailable, kDrawing},
    {"DimRadius", CmdNotAvailable, kDrawing},
    {"DimOrdinate", CmdNotAvailable, kDrawing},
    {"DimCenter", CmdNotAvailable, kDrawing},
    {"DimBaseLine", CmdNotAvailable, kDrawing},
    {"DimContinue", CmdNotAvailable, kDrawing},
    {"Tolerance", CmdNotAvailable, kDrawing},
    {"DimUpdate", CmdNotAvailable, kDrawing},
    {"DimEdit", CmdNotAvailable, kDrawing},
    {"DimTEdit", CmdNotAvailable, kDrawing},
    {"Leader", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> DimensionCommandRows() { return kRows; }
