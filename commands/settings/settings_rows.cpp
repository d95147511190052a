#include "commands/settings/settings_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"MenuLoad", CmdMenuLoad, kApplication},
    {"dsettings", CmdNotAvailable, kApplication},
    {"Options", CmdNotAvailable, kApplication},
    {"Purge", CmdNotAvailable, kApplication},
    {"ddemodes", CmdNotAvailable, kDrawing},
    {"-Linetype", CmdNotAvailable, kDrawing},
    {"linetype", CmdNotAvailable, kDrawing},
    {"Style", CmdNotAvailable, kDrawing},
    {"Layer", CmdNotAvailable, kDrawing},
    {"ai_molc", CmdNotAvailable, kDrawing},
    {"Color", CmdNotAvailable, kDrawing},
    {"Units", CmdNotAvailable, kDrawing},
    {"ddPType", CmdNotAvailable, kDrawing},
    {"SetVar", CmdNotAvailable, kDrawing},
    {"celtype", CmdNotAvailable, kDrawing},
    {"cecolor", CmdNotAvailable, kDrawing},
    {"clayer", CmdNotAvailable, kDrawing},
    {"mirrtext", CmdNotAvailable, kDrawing},
    {"splinetype", CmdNotAvailable, kDrawing},
    {"splinesegs", CmdNotAvailable, kDrawing},
    {"splframe", CmdNotAvailable, kDrawing},
    {"qTextMode", CmdNotAvailable, kDrawing},
    {"UCSIcon", CmdNotAvailable, kDrawing},
    {"angbase", CmdNotAvailable, kDrawing},
    {"angdir", CmdNotAvailable, kDrawing},
    {"attdisp", CmdNotAvailable, kDrawing},
    {"attreq", CmdNotAvailable, kDrawing},
    {"attdia", CmdNotAvailable, kDrawing},
    {"delobj", CmdNotAvailable, kDrawing},
    {"DrawOrderCtl", CmdNotAvailable, kDrawing},
    {"ZoomFactor", CmdNotAvailable, kDrawing},
};

}  // namespace

std::span<const CommandRow> SettingsCommandRows() { return kRows; }
