#include "commands/view/view_commands.h"

namespace {

using enum CommandListKind;

// A typed "Redraw" is redrawn by the view itself before any lookup; this
// row is reached through an alias that expands to the name alone.
const CommandRow kRows[] = {
    {"Redraw", CmdRedraw, kDrawing},
    {"Regen", CmdRegen, kDrawing},
    {"Zoom", CmdZoom, kDrawing},
    {"Pan", CmdPan, kDrawing},
    {"DrawOrder", CmdDrawOrder, kDrawing},
    {"TextToFront", CmdTextToFront, kDrawing},
    {"UCS", CmdUCS, kDrawing},
};

}  // namespace

std::span<const CommandRow> ViewCommandRows() { return kRows; }
