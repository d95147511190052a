#include <string>

#include "commands/inquiry/inquiry_commands.h"
#include "core/resbuf.h"
#include "platform/document_opener.h"
#include "platform/file_system.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

int CmdHelp() {
  std::string path;
  if (!FindFileInPathList(GetProgramSettings().search_path, &path, kHelpFileName)) {
    ShowMessageBox("KOVRA", "Can't find help file: " + std::string(kHelpFileName) + " !");
    return kStatusDone;
  }
  if (!OpenDocument(DocumentKind::kLocalFile, path)) PrintMessage("Can't open help file: " + path + " !");
  return kStatusDone;
}

int CmdHomepage() {
  if (!OpenDocument(DocumentKind::kWebAddress, kHomepageAddress)) {
    PrintMessage("Can't open the home page: " + std::string(kHomepageAddress) + " !");
  }
  return kStatusDone;
}
