#pragma once

#include <string>

class CHatchDlg;
class FcFiler;
class FcHatch;
class FcHPPattern;
class FcSystemVar;

inline constexpr const char* kPatternFileName = "kovra.pat";

// What the hatch commands ask about the pattern before they fill: a
// predefined pattern from the pattern file with its scale, or a
// user-defined family of lines with its spacing and an optional second
// family across it; the angle in degrees either way.
struct HatchSettings {
  std::string pattern = "SOLID";
  bool userDefined = false;
  double scale = 1.0;
  double spacing = 1.0;
  bool twice = false;
  double angleDegrees = 0.0;
};

HatchSettings HatchSettingsOf(const FcSystemVar& variables);
// Kept as the drawing's defaults for the next hatch; a scale of 0 or less
// and a spacing of 0 leave theirs unchanged.
void StoreHatchSettings(FcSystemVar& variables, const HatchSettings& settings);

// The pattern file found in the program directory or along the search
// path; false when there is none.
bool FindPatternFile(std::string& path);
// Opens the pattern file found in the program directory or along the
// search path; false, after the history line that says why, when it
// cannot.
bool OpenPatternFile(FcFiler& filer);

// What a hatch's pattern was made with: its one scale field stands for
// both the scale and the spacing; only a user-defined pattern counts as
// one, other kinds show as predefined.
HatchSettings HatchSettingsOf(const FcHPPattern& pattern);
// The settings shown in the hatch dialog, and read back from it.
void ShowHatchSettings(const HatchSettings& settings, CHatchDlg& dialog);
HatchSettings HatchSettingsOf(const CHatchDlg& dialog);

// Makes the hatch's pattern and solid flag what the settings say, its
// lines generated again at the next draw; the hatch keeps its style. False, after a history line,
// when the pattern file has no such pattern.
bool ApplyHatchSettings(FcHatch& hatch, const HatchSettings& settings, FcFiler& patterns);
