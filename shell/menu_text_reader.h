#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/menu_model.h"

// The text menu file (.mnu). Lines that do not parse are passed over and
// the rest is kept; the first of them is named in the message.
struct MenuReadResult {
  bool opened = false;
  std::string message;  // empty when every line was read; else "<file>, line N: ..."
};

// Files larger than this are refused as a whole rather than read into memory.
inline constexpr std::uintmax_t kMaxMenuFileSize = 16u << 20;

// Reads into menus, which the caller has cleared; stores the path.
MenuReadResult ReadMenuFile(FcInterface& menus, const std::string& path);
// The same from text already in memory; path only names it in the message.
MenuReadResult ReadMenuText(FcInterface& menus, std::string_view text, const std::string& path);

// The line parsers; each is true when the line is usable.
// An item line answers its change of nesting: +1 a submenu follows, -n
// closes n levels after it.
int ParseMenuItemLine(FcMenuItem& item, std::string_view line);
bool ParseToolBarLine(FcToolItem& toolbar, std::string_view line);
bool ParseToolButtonLine(FcToolBtn& button, std::string_view line);
bool ParseHelpLine(FcHelpStr& help, std::string_view line);
bool ParseAcceleratorLine(FcAccelerator& accelerator, std::string_view line);
