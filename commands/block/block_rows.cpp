#include "commands/block/block_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"-Block", CmdBlockPrompt, kDrawing},
    {"Block", CmdBlock, kDrawing},
    {"-Insert", CmdInsertPrompt, kDrawing},
    {"Insert", CmdInsert, kDrawing},
    {"WBlock", CmdWBlock, kDrawing},
    {"AttDef", CmdAttDef, kDrawing},
    {"AttEdit", CmdAttEdit, kDrawing},
    {"AttExt", CmdAttExt, kDrawing},
    {"ImageAdjust", CmdImageAdjust, kDrawing},
    {"ImageAttach", CmdImageAttach, kDrawing},
    {"Image", CmdImage, kDrawing},
    {"ImageFrame", CmdImageFrame, kDrawing},
};

}  // namespace

std::span<const CommandRow> BlockCommandRows() { return kRows; }
