#include "commands/inquiry/inquiry_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Help", CmdHelp, kApplication},
    {"About", CmdAbout, kApplication},
    {"Homepage", CmdHomepage, kApplication},
    {"Distance", CmdDistance, kDrawing},
    {"List", CmdList, kDrawing},
    {"id", CmdId, kDrawing},
    {"Area", CmdArea, kDrawing},
};

}  // namespace

std::span<const CommandRow> InquiryCommandRows() { return kRows; }
