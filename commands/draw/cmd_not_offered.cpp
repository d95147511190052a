#include "commands/draw/draw_commands.h"
#include "core/resbuf.h"
#include "platform/frame_link.h"

int CmdTablet() {
  PrintMessage("KOVRA doesn't support \"Tablet\" command at present!");
  return kStatusDone;
}

int CmdSketch() {
  PrintMessage("KOVRA doesn't support \"Sketch\" command at present!");
  return kStatusDone;
}
