#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that change what the view shows and in which order entities are drawn, and the user coordinate system.
std::span<const CommandRow> ViewCommandRows();

int CmdRedraw();
int CmdRegen();
int CmdZoom();
int CmdPan();
int CmdTextToFront();
int CmdDrawOrder();
int CmdUCS();
