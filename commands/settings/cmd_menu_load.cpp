#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "shell/application_link.h"

int CmdMenuLoad() {
  if (ApplicationLink* link = GetApplicationLink()) link->PostMenuLoad();
  return kStatusDone;
}
