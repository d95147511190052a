#include "commands/hatch/hatch_commands.h"
#include "commands/modify/modify_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Change", CmdNotAvailable, kDrawing},
    {"Erase", CmdNotAvailable, kDrawing},
    {"Move", CmdNotAvailable, kDrawing},
    {"Copy", CmdNotAvailable, kDrawing},
    {"Rotate", CmdNotAvailable, kDrawing},
    {"Scale", CmdNotAvailable, kDrawing},
    {"Stretch", CmdNotAvailable, kDrawing},
    {"Break", CmdBreak, kDrawing},
    {"Extend", CmdExtend, kDrawing},
    {"Trim", CmdTrim, kDrawing},
    {"Mirror", CmdNotAvailable, kDrawing},
    {"Explode", CmdNotAvailable, kDrawing},
    {"Offset", CmdOffset, kDrawing},
    {"Array", CmdNotAvailable, kDrawing},
    {"PEdit", CmdNotAvailable, kDrawing},
    {"Chamfer", CmdNotAvailable, kDrawing},
    {"Fillet", CmdNotAvailable, kDrawing},
    {"ChangeWidth", CmdNotAvailable, kDrawing},
    {"Arc2Circle", CmdArc2Circle, kDrawing},
    {"SPLinEdit", CmdNotAvailable, kDrawing},
    {"MatchProp", CmdMatchProp, kDrawing},
    {"Lengthen", CmdNotAvailable, kDrawing},
    {"Undo", CmdUndo, kDrawing},
    {"Redo", CmdRedo, kDrawing},
    {"copyclip", CmdNotAvailable, kDrawing},
    {"cutclip", CmdNotAvailable, kDrawing},
    {"pasteclip", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> ModifyCommandRows() { return kRows; }
