#include "commands/hatch/hatch_settings.h"

#include <cmath>
#include <string>

#include "core/point2d.h"
#include "database/system_var.h"
#include "database/object.h"
#include "entities/hatch.h"
#include "filers/filer.h"
#include "platform/file_system.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "shell/input_request.h"

namespace {

std::string Shown(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// A real asked with its current value as the default; false on cancel.
bool AskReal(const std::string& prompt, double& value) {
  std::string text;
  double answer = 0.0;
  const int status = GetReal(prompt + " <" + Shown(value) + ">", answer, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  value = answer;
  return true;
}

}  // namespace

HatchSettings HatchSettingsOf(const FcSystemVar& variables) {
  HatchSettings settings;
  settings.pattern = variables.HatchPatternName.c_str();
  settings.userDefined = variables.HatchUserDefined != 0;
  settings.scale = variables.HatchScale;
  settings.spacing = variables.HatchSpacing;
  settings.twice = variables.HatchDouble != 0;
  settings.angleDegrees = variables.HatchAngle;
  return settings;
}

void StoreHatchSettings(FcSystemVar& variables, const HatchSettings& settings) {
  variables.HatchUserDefined = settings.userDefined ? 1 : 0;
  variables.HatchPatternName = settings.pattern;
  if (settings.scale > 0.0) variables.HatchScale = settings.scale;
  if (settings.spacing != 0.0) variables.HatchSpacing = settings.spacing;
  variables.HatchDouble = settings.twice ? 1 : 0;
  variables.HatchAngle = settings.angleDegrees;
}

bool FindPatternFile(std::string& path) {
  const ProgramSettings& program = GetProgramSettings();
  // An empty entry would end the list.
  std::string places = program.program_directory;
  if (!places.empty() && !program.search_path.empty()) places += ";";
  places += program.search_path;
  return FindFileInPathList(places, &path, kPatternFileName);
}

bool OpenPatternFile(FcFiler& filer) {
  std::string path;
  if (!FindPatternFile(path)) {
    PrintMessage("Can't find kovra.pat.");
    return false;
  }
  if (!filer.Open(path, kFcOpenRead, FcFileKind::kAsciiDxf)) {
    PrintMessage("Can't open kovra.pat file!");
    return false;
  }
  return true;
}

bool AskHatchPattern(HatchSettings& settings) {
  std::string text;
  const std::string current = settings.userDefined ? "User" : settings.pattern;
  const int status = GetString("Pattern name or [User defined] <" + current + ">", text);
  if (status == FC_INPUT_CANCEL) return false;
  if (status == FC_INPUT_OK && !text.empty()) {
    settings.userDefined = EqualsNoCase(text, "U") || EqualsNoCase(text, "User");
    if (!settings.userDefined) settings.pattern = text;
  }
  if (settings.userDefined) {
    if (!AskReal("Spacing", settings.spacing)) return false;
    std::string keyword;
    SetKeywords("Yes No", 0);
    const int twice = GetKeyword(std::string("Double hatch [Yes/No] <") + (settings.twice ? "Yes" : "No") + ">",
                                 keyword, text);
    if (twice == FC_INPUT_OK) settings.twice = keyword == "Yes";
    if (twice != FC_INPUT_OK && twice != FC_INPUT_NONE) return false;
  } else if (!AskReal("Scale", settings.scale)) {
    return false;
  }
  return AskReal("Angle", settings.angleDegrees);
}

bool ApplyHatchSettings(FcHatch& hatch, const HatchSettings& settings, FcFiler& patterns) {
  FcHPPattern pattern;
  pattern.SetAngle(settings.angleDegrees * kDegToRad);
  bool solid = false;
  if (settings.userDefined) {
    pattern.SetName("_USER");
    pattern.SetType(kPatternUserDefined);
    pattern.SetScale(settings.spacing);
    pattern.SetDouble(settings.twice);
    pattern.AddUserLine();
  } else {
    pattern.SetType(kPatternPredefined);
    pattern.SetScale(settings.scale);
    solid = EqualsNoCase(settings.pattern, "SOLID");
    if (!pattern.LoadFromFile(patterns, settings.pattern) && !solid) {
      PrintMessage("Can't find the pattern \"" + settings.pattern + "\" in kovra.pat.");
      return false;
    }
    pattern.SetName(settings.pattern);
  }
  hatch.GetPattern().CopyFrom(pattern);
  hatch.SetSolid(solid);
  hatch.FreeDisplayCache();
  return true;
}
