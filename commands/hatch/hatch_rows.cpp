#include "commands/hatch/hatch_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Hatch", CmdHatch, kDrawing},
    {"bHatch", CmdHatch, kDrawing},
    {"HatchEdit", CmdHatchEdit, kDrawing},
};

}  // namespace

std::span<const CommandRow> HatchCommandRows() { return kRows; }
