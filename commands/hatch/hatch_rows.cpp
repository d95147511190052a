#include "commands/hatch/hatch_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Hatch", CmdNotAvailable, kDrawing},
    {"bHatch", CmdNotAvailable, kDrawing},
    {"HatchEdit", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> HatchCommandRows() { return kRows; }
