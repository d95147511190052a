#include "commands/settings/settings_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"MenuLoad", CmdMenuLoad, kApplication},
    {"dsettings", CmdNotAvailable, kApplication},
    {"Options", CmdOptions, kApplication},
    {"Purge", CmdPurge, kDrawing},
    {"ddemodes", CmdDDEModes, kDrawing},
    {"-Linetype", CmdLinetypePrompt, kDrawing},
    {"linetype", CmdNotAvailable, kDrawing},
    {"Style", CmdNotAvailable, kDrawing},
    {"Layer", CmdNotAvailable, kDrawing},
    {"ai_molc", CmdAiMolc, kDrawing},
    {"Color", CmdColor, kDrawing},
    {"Units", CmdNotAvailable, kDrawing},
    {"ddPType", CmdNotAvailable, kDrawing},
    {"SetVar", CmdSetVar, kDrawing},
    {"celtype", CmdCeLType, kDrawing},
    {"cecolor", CmdCeColor, kDrawing},
    {"clayer", CmdCLayer, kDrawing},
    {"mirrtext", CmdMirrText, kDrawing},
    {"splinetype", CmdSplineType, kDrawing},
    {"splinesegs", CmdSplineSegs, kDrawing},
    {"splframe", CmdSplFrame, kDrawing},
    {"qTextMode", CmdQTextMode, kDrawing},
    {"UCSIcon", CmdUcsIcon, kDrawing},
    {"angbase", CmdAngBase, kDrawing},
    {"angdir", CmdAngDir, kDrawing},
    {"attdisp", CmdAttDisp, kDrawing},
    {"attreq", CmdAttReq, kDrawing},
    {"attdia", CmdAttDia, kDrawing},
    {"delobj", CmdDelObj, kDrawing},
    {"DrawOrderCtl", CmdDrawOrderCtl, kDrawing},
    {"ZoomFactor", CmdZoomFactor, kDrawing},
};

}  // namespace

std::span<const CommandRow> SettingsCommandRows() { return kRows; }
