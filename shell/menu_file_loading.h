#pragma once

#include <string>

#include "shell/menu_model.h"

struct ProgramSettings;

struct MenuLoadResult {
  bool found = false;
  bool from_compiled = false;
  std::string message;  // empty when the menus were read whole
};

// The compiled copy's path: the text path with the extension ".mnp".
std::string CompiledMenuPath(const std::string& text_path);

// Clears menus and fills them from the menu file: from its compiled copy
// when that is strictly newer and reads whole, else from the text; a text
// read without faults is compiled again (a folder that cannot be written
// only means no copy). A faulty compiled copy is named in the message even
// though the text then served.
MenuLoadResult LoadMenuFile(FcInterface& menus, const std::string& text_path);

inline constexpr const char* kMenuFileMissingMessage =
    "Warning!!!\nCan't load menu file!\nPlease use \"menuload\" command to load menu file!";

// The program's menu file: the settings' menu file when it exists, else a
// file of its name along the search path, in the program directory or its
// "Support" folder (names in any case). Empty when there is none.
std::string LocateMenuFile(const ProgramSettings& settings);

// Start-up and "MenuLoad": locates the menu file, makes it the settings'
// menu file and loads it; the next free command id starts again. A file
// that is nowhere gives kMenuFileMissingMessage.
MenuLoadResult LoadProgramMenuFile(FcInterface& menus, ProgramSettings& settings);
