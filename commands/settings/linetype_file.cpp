#include "commands/settings/linetype_file.h"

#include "platform/file_system.h"
#include "platform/program_settings.h"

bool FindProgramLinetypeFile(std::string& path) {
  const std::string& directory = GetProgramSettings().program_directory;
  return FindFileInPathList(directory + ";" + directory + "Support", &path, kLinetypeFile);
}
