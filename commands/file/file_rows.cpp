#include "commands/file/file_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"New", CmdNew, kApplication},
    {"Quit", CmdQuit, kApplication},
    {"Open", CmdOpen, kApplication},
    {"Save", CmdSave, kDrawing},
    {"SaveAs", CmdSave, kDrawing},
    {"QSave", CmdQSave, kDrawing},
    {"Close", CmdClose, kDrawing},
    {"Export", CmdExport, kDrawing},
    {"plot", CmdPlot, kDrawing},
    {"print", CmdPlot, kDrawing},
};

}  // namespace

std::span<const CommandRow> FileCommandRows() { return kRows; }
