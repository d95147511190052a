#pragma once

#include <string>

#include "shell/menu_model.h"

// The compiled copy of a menu file (.mnp): the model in binary, read at
// start-up instead of the text when it is newer.
inline constexpr const char* kCompiledMenuMagic = "KOVRA Compiled Menu";

// Writes to a temporary file beside the target and renames it over the
// target, so a failed write leaves any older copy whole. False when the
// file could not be written.
bool WriteCompiledMenu(const FcInterface& menus, const std::string& path);

// Reads into menus, which the caller has cleared. An empty message when the
// whole file was read (the model's path becomes this path and it counts as
// loaded from the compiled file); otherwise "<file>, byte N: ..." and the
// model keeps what was read before the fault.
std::string ReadCompiledMenu(FcInterface& menus, const std::string& path);
