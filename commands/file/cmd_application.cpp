#include "commands/file/file_commands.h"
#include "core/resbuf.h"
#include "shell/application_link.h"

namespace {

int Hand(void (ApplicationLink::*work)()) {
  if (ApplicationLink* link = GetApplicationLink()) (link->*work)();
  return kStatusDone;
}

}  // namespace

int CmdNew() { return Hand(&ApplicationLink::PostNewDrawing); }

int CmdOpen() { return Hand(&ApplicationLink::PostOpenDrawing); }

int CmdQuit() { return Hand(&ApplicationLink::PostQuit); }
