#include <optional>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "platform/program_settings.h"

namespace {

// A setting of the whole program, shared by every drawing and kept between
// sessions, so it is no drawing's change to undo.
struct ProgramSwitch {
  int ProgramSettings::*field;
  RangeQuestion question;
};

constexpr const char* kNeedZeroOrOne = "Requires 0 or 1 only!";

int EditProgramSwitch(const ProgramSwitch& setting) {
  int& field = GetProgramSettings().*setting.field;
  const std::optional<int> value = AskNumberInRange(setting.question, field, false);
  if (value) field = *value;
  return kStatusDone;
}

}  // namespace

int CmdAttReq() {
  return EditProgramSwitch({&ProgramSettings::attreq, {"New value for ATTREQ <", 0, 1, kNeedZeroOrOne}});
}
int CmdAttDia() {
  return EditProgramSwitch({&ProgramSettings::attdia, {"New value for ATTDIA<", 0, 1, kNeedZeroOrOne}});
}
int CmdDelObj() {
  return EditProgramSwitch({&ProgramSettings::del_obj, {"New value for DELOBJ<", 0, 1, kNeedZeroOrOne}});
}
int CmdZoomFactor() {
  return EditProgramSwitch({&ProgramSettings::zoom_factor,
                            {"Enter new value for ZOOMFACTOR <", 3, 100, "Requires an integer between 3 and 100."}});
}
