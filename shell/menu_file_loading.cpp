#include "shell/menu_file_loading.h"

#include <filesystem>

#include "platform/file_system.h"
#include "platform/program_settings.h"
#include "shell/menu_compiled_file.h"
#include "shell/menu_text_reader.h"

namespace {

bool CompiledIsNewer(const std::string& text_path, const std::string& compiled_path) {
  std::error_code error;
  auto text_time = std::filesystem::last_write_time(text_path, error);
  if (error) return false;
  auto compiled_time = std::filesystem::last_write_time(compiled_path, error);
  return !error && text_time < compiled_time;
}

}  // namespace

std::string CompiledMenuPath(const std::string& text_path) {
  return std::filesystem::path(text_path).replace_extension(".mnp").string();
}

MenuLoadResult LoadMenuFile(FcInterface& menus, const std::string& text_path) {
  MenuLoadResult result;
  menus.Clear();
  std::string compiled_path = CompiledMenuPath(text_path);
  std::string compiled_message;
  if (CompiledIsNewer(text_path, compiled_path)) {
    compiled_message = ReadCompiledMenu(menus, compiled_path);
    if (compiled_message.empty()) {
      result.found = true;
      result.from_compiled = true;
      return result;
    }
    menus.Clear();
  }
  MenuReadResult read = ReadMenuFile(menus, text_path);
  result.found = read.opened;
  if (!compiled_message.empty()) compiled_message += "; the menus were read from the text file instead";
  result.message = compiled_message.empty() ? read.message
                   : read.message.empty()   ? compiled_message
                                            : compiled_message + "\n" + read.message;
  // A file with faults is parsed, and reported, at every start until mended.
  if (read.opened && read.message.empty()) WriteCompiledMenu(menus, compiled_path);
  return result;
}

std::string LocateMenuFile(const ProgramSettings& settings) {
  if (FileExists(settings.menu_file_name)) return settings.menu_file_name;
  const std::string name = std::filesystem::path(settings.menu_file_name).filename().string();
  if (name.empty()) return {};
  std::string found;
  // The path list ends at its first empty entry, so each place is asked on its own.
  for (const std::string& places : {settings.search_path, settings.program_directory,
                                     settings.program_directory + "Support"})
    if (!places.empty() && FindFileInPathList(places, &found, name)) return found;
  return {};
}

MenuLoadResult LoadProgramMenuFile(FcInterface& menus, ProgramSettings& settings) {
  settings.next_menu_command_id = kFirstMenuCommandId;
  const std::string path = LocateMenuFile(settings);
  if (path.empty()) {
    menus.Clear();
    MenuLoadResult result;
    result.message = kMenuFileMissingMessage;
    return result;
  }
  settings.menu_file_name = path;
  return LoadMenuFile(menus, path);
}
