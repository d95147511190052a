#include "commands/text/text_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"DText", CmdDText, kDrawing},
    {"MText", CmdMText, kDrawing},
    {"FrameText", CmdNotAvailable, kDrawing},
    {"DDEdit", CmdNotAvailable, kDrawing},
    {"ScaleText", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> TextCommandRows() { return kRows; }
