#pragma once

#include <string>

class FcFiler;
class FcHatch;
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

// Asks for the pattern name (or User for a user-defined one), then its
// scale, or its spacing and whether to hatch twice, then the angle; Enter
// keeps each value. False when cancelled.
bool AskHatchPattern(HatchSettings& settings);

// Makes the hatch's pattern and solid flag what the settings say, its
// lines generated again at the next draw. False, after a history line,
// when the pattern file has no such pattern.
bool ApplyHatchSettings(FcHatch& hatch, const HatchSettings& settings, FcFiler& patterns);
