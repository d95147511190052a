#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that set the drawing's tables, current properties and variables, and the program's settings.
std::span<const CommandRow> SettingsCommandRows();

// Application command: the main frame asks for a menu file and builds its
// menus, toolbars and accelerators from it anew.
int CmdMenuLoad();

// Application command: the options sheet. After OK the program settings
// take its pages and the main frame applies them to the command bar, the
// toolbars and every drawing window.
int CmdOptions();

// Deletes the blocks, layers, linetypes, text styles and dimension styles
// nothing uses that the user chooses in the purge sheet; one undo step
// brings the whole drawing back.
int CmdPurge();

// The drawing's variables on the command line. SetVar asks for a name,
// hands the variables below to their own commands, lists every variable
// for "?" and shows or changes any other.
int CmdSetVar();
int ListSystemVariables();
// Commands named after a variable, each with its own prompt and checks.
int CmdCeLType();
int CmdCeColor();
int CmdCLayer();
int CmdMirrText();
int CmdSplineType();
int CmdSplineSegs();
int CmdSplFrame();
int CmdQTextMode();
int CmdUcsIcon();
int CmdAngBase();
int CmdAngDir();
int CmdAttDisp();
int CmdDrawOrderCtl();
// Program settings shared by every drawing: no undo.
int CmdAttReq();
int CmdAttDia();
int CmdDelObj();
int CmdZoomFactor();
// The current colour chosen in the colour selection dialog; no undo.
int CmdColor();
// The current colour, layer, linetype and linetype scale in the properties
// dialog, as one undo step.
int CmdDDEModes();
// Makes the layer of a picked entity current, as one undo step.
int CmdAiMolc();
// The linetypes on the command line: list the program's file, create one,
// make one current.
int CmdLinetypePrompt();
// The table dialogs: each edits a copy, which the command writes into the
// drawing after OK as one undo step.
int CmdLayer();
int CmdLinetype();
int CmdUnits();
int CmdDDPType();
int CmdStyle();
// Application command: the snap, grid and object snap settings of the
// current drawing; "OSnap" after it opens the object snap page.
int CmdDSettings();
