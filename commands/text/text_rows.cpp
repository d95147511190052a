#include "commands/text/text_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"DText", CmdDText, kDrawing},
    {"MText", CmdMText, kDrawing},
    {"FrameText", CmdFrameText, kDrawing},
    {"DDEdit", CmdDDEdit, kDrawing},
    {"ScaleText", CmdScaleText, kDrawing},
};

}  // namespace

std::span<const CommandRow> TextCommandRows() { return kRows; }
