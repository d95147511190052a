#include <string>
#include <string_view>

#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/object.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

// Variables that have a command of their own, which asks for them with its
// own prompt and checks; first match wins.
struct RoutedVariable {
  std::string_view name;
  int (*command)();
};

constexpr RoutedVariable kRouted[] = {
    {"mirrtext", CmdMirrText},
    {"SplineType", CmdSplineType},
    {"splinesegs", CmdSplineSegs},
    {"splframe", CmdSplFrame},
    {"QTEXTMODE", CmdQTextMode},
    {"UCSIcon", CmdUcsIcon},
    {"angbase", CmdAngBase},
    {"angdir", CmdAngDir},
    {"ATTDIA", CmdAttDia},
    {"ATTREQ", CmdAttReq},
    {"ATTMODE", CmdAttDisp},
    {"CLAYER", CmdCLayer},
    {"cecolor", CmdCeColor},
    {"celtype", CmdCeLType},
    {"delobj", CmdDelObj},
    {"ZoomFactor", CmdZoomFactor},
    {"DrawOrderCtl", CmdDrawOrderCtl},
};

}  // namespace

int CmdSetVar() {
  std::string name;
  if (GetString("Input variable name or ? for list of variables", name) != FC_INPUT_OK) return kStatusDone;
  for (const RoutedVariable& routed : kRouted)
    if (EqualsNoCase(name, routed.name)) return routed.command();
  if (name == "?") return ListSystemVariables();
  if (!EditSystemVariable(ToUpperAscii(name))) PrintMessage("Unknown variable name.");
  return kStatusDone;
}
