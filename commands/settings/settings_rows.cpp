#include "commands/settings/settings_commands.h"

namespace {

using enum CommandListKind;

const CommandRow kRows[] = {
    {"MenuLoad", CmdMenuLoad, kApplication},
    {"dsettings", CmdDSettings, kApplication},
    {"Options", CmdOptions, kApplication},
    {"Purge", CmdPurge, kDrawing},
    {"ddemodes", CmdDDEModes, kDrawing},
    {"-Linetype", CmdLinetypePrompt, kDrawing},
    {"linetype", CmdLinetype, kDrawing},
    {"Style", CmdStyle, kDrawing},
    {"Layer", CmdLayer, kDrawing},
    {"ai_molc", CmdAiMolc, kDrawing},
    {"Color", CmdColor, kDrawing},
    {"Units", CmdUnits, kDrawing},
    {"ddPType", CmdDDPType, kDrawing},
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
