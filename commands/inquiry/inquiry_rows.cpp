#include "commands/inquiry/inquiry_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Help", CmdNotAvailable, kApplication},
    {"About", CmdNotAvailable, kApplication},
    {"Homepage", CmdNotAvailable, kApplication},
    {"Distance", CmdNotAvailable, kDrawing},
    {"List", CmdNotAvailable, kDrawing},
    {"id", CmdNotAvailable, kDrawing},
    {"Area", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> InquiryCommandRows() { return kRows; }
