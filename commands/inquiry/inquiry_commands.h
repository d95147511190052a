#pragma once

#include <span>

#include "commands/command_row.h"

// Commands that report on the drawing or the program without changing the drawing.
std::span<const CommandRow> InquiryCommandRows();

int CmdAbout();
// The help file, found along the search path, and the program's home page,
// each opened by the desktop's viewer for it.
inline constexpr const char* kHelpFileName = "kovra.chm";
inline constexpr const char* kHomepageAddress = "https://www.kovra.example/";
int CmdHelp();
int CmdHomepage();
int CmdDistance();
int CmdList();
int CmdId();
int CmdArea();
