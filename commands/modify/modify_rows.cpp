#include "commands/hatch/hatch_commands.h"
#include "commands/modify/modify_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"Change", CmdChange, kDrawing},
    {"Erase", CmdErase, kDrawing},
    {"Move", CmdMove, kDrawing},
    {"Copy", CmdCopy, kDrawing},
    {"Rotate", CmdRotate, kDrawing},
    {"Scale", CmdScale, kDrawing},
    {"Stretch", CmdStretch, kDrawing},
    {"Break", CmdBreak, kDrawing},
    {"Extend", CmdExtend, kDrawing},
    {"Trim", CmdTrim, kDrawing},
    {"Mirror", CmdMirror, kDrawing},
    {"Explode", CmdExplode, kDrawing},
    {"Offset", CmdOffset, kDrawing},
    {"Array", CmdArray, kDrawing},
    {"PEdit", CmdPEdit, kDrawing},
    {"Chamfer", CmdChamfer, kDrawing},
    {"Fillet", CmdFillet, kDrawing},
    {"ChangeWidth", CmdChangeWidth, kDrawing},
    {"Arc2Circle", CmdArc2Circle, kDrawing},
    {"SPLinEdit", CmdSPLinEdit, kDrawing},
    {"MatchProp", CmdMatchProp, kDrawing},
    {"Lengthen", CmdLengthen, kDrawing},
    {"Undo", CmdUndo, kDrawing},
    {"Redo", CmdRedo, kDrawing},
    {"copyclip", CmdCopyClip, kDrawing},
    {"cutclip", CmdCutClip, kDrawing},
    {"pasteclip", CmdPasteClip, kDrawing},
};

}  // namespace

std::span<const CommandRow> ModifyCommandRows() { return kRows; }
