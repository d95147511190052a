#pragma once

// The root of the program's settings for the current user; the settings code
// appends its section names ("Parameters", "PrintCfg", "ExportCfg", ...).
inline constexpr const char* kRegistryKey = "Software\\Stonebay\\KOVRA 2\\";
