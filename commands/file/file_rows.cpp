#include "commands/file/file_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"New", CmdNotAvailable, kApplication},
    {"Quit", CmdNotAvailable, kApplication},
    {"Open", CmdNotAvailable, kApplication},
    {"Save", CmdNotAvailable, kDrawing},
    {"SaveAs", CmdNotAvailable, kDrawing},
    {"QSave", CmdNotAvailable, kDrawing},
    {"Close", CmdNotAvailable, kDrawing},
    {"Export", CmdNotAvailable, kDrawing},
    {"plot", CmdNotAvailable, kDrawing},
    {"print", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> FileCommandRows() { return kRows; }
