#include "commands/hatch/hatch_settings.h"

#include <cmath>
#include <string>

#include "commands/dialogs/hatch_dlg.h"
#include "core/point2d.h"
#include "database/system_var.h"
#include "database/object.h"
#include "entities/hatch.h"
#include "filers/filer.h"
#include "platform/file_system.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

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

HatchSettings HatchSettingsOf(const FcHPPattern& pattern) {
  HatchSettings settings;
  settings.pattern = pattern.GetName();
  settings.userDefined = pattern.GetType() == kPatternUserDefined;
  settings.scale = pattern.GetScale();
  settings.spacing = pattern.GetScale();
  settings.twice = pattern.IsDouble();
  settings.angleDegrees = pattern.GetAngle() * kRadToDeg;
  return settings;
}

void ShowHatchSettings(const HatchSettings& settings, CHatchDlg& dialog) {
  dialog.m_strPattern = settings.pattern;
  dialog.m_bDouble = settings.twice ? 1 : 0;
  dialog.m_dScale = settings.scale;
  dialog.m_dSpacing = settings.spacing;
  dialog.m_dAngle = settings.angleDegrees;
  dialog.m_nPatternType = settings.userDefined ? CHatchDlg::kUserDefined : CHatchDlg::kPredefined;
}

HatchSettings HatchSettingsOf(const CHatchDlg& dialog) {
  HatchSettings settings;
  settings.pattern = dialog.m_strPattern;
  settings.userDefined = !dialog.IsPredefined();
  settings.scale = dialog.m_dScale;
  settings.spacing = dialog.m_dSpacing;
  settings.twice = dialog.m_bDouble != 0;
  settings.angleDegrees = dialog.m_dAngle;
  return settings;
}

bool ApplyHatchSettings(FcHatch& hatch, const HatchSettings& settings, FcFiler& patterns) {
  FcHPPattern pattern;
  pattern.SetStyle(hatch.GetPattern().GetStyle());
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
