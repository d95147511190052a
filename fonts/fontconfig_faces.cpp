#include "fonts/fontconfig_faces.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::vector<std::string> Families(FcPattern* pattern) {
  std::vector<std::string> families;
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i)
    families.emplace_back(reinterpret_cast<const char*>(family));
  return families;
}

bool HasLatinLetters(FcPattern* pattern) {
  FcCharSet* characters = nullptr;
  if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &characters) != FcResultMatch) return false;
  for (FcChar32 letter : {FcChar32('A'), FcChar32('Z'), FcChar32('a'), FcChar32('z')})
    if (!FcCharSetHasChar(characters, letter)) return false;
  return true;
}

FcConfig* loadedConfig = nullptr;

// fontconfig keeps memory of its own until it is finished with.
void FinishFontconfig() {
  FcConfigDestroy(loadedConfig);
  FcFini();
}

FcConfig* Config() {
  static FcConfig* config = [] {
    loadedConfig = FcInitLoadConfigAndFonts();
    if (loadedConfig != nullptr) std::atexit(FinishFontconfig);
    return loadedConfig;
  }();
  return config;
}

// The family and the aliases fontconfig binds strongly to it (the metric-
// compatible replacements); the weakly bound defaults after them are not
// taken.
std::vector<std::string> FamilyAndAliases(const std::string& family) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(Config(), pattern, FcMatchPattern);
  std::vector<std::string> families;
  FcValue value;
  FcValueBinding binding = FcValueBindingWeak;
  for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
    if (binding == FcValueBindingWeak || value.type != FcTypeString) break;
    families.emplace_back(reinterpret_cast<const char*>(value.u.s));
  }
  FcPatternDestroy(pattern);
  return families;
}

}  // namespace

std::mutex& FontEngineLock() {
  static std::mutex lock;
  return lock;
}

bool FontNameStartsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

bool FontNameEquals(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

bool MatchFace(const std::string& family, bool bold, bool italic, FaceLocation* face) {
  FcConfig* config = Config();
  if (config == nullptr) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!family.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  FcChar8* file = nullptr;
  int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  if (found) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    face->path = reinterpret_cast<const char*>(file);
    face->index = index;
    face->families = Families(match);
    face->needsBold = bold && weight < FC_WEIGHT_DEMIBOLD;
    face->needsItalic = italic && slant == FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return found;
}

bool MatchesFamilyOrAlias(const std::string& family, const FaceLocation& face) {
  for (const std::string& name : face.families) {
    if (FontNameStartsWith(name, family)) return true;
  }
  for (const std::string& alias : FamilyAndAliases(family)) {
    for (const std::string& name : face.families) {
      if (FontNameEquals(name, alias)) return true;
    }
  }
  return false;
}

const std::vector<FaceLocation>& InstalledFaces() {
  static const std::vector<FaceLocation> faces = [] {
    std::vector<FaceLocation> list;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_CHARSET, nullptr);
    FcFontSet* set = Config() != nullptr ? FcFontList(Config(), pattern, objects) : nullptr;
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
      FcChar8* file = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
      FaceLocation face;
      face.path = reinterpret_cast<const char*>(file);
      FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &face.index);
      face.families = Families(set->fonts[i]);
      face.hasLatin = HasLatinLetters(set->fonts[i]);
      list.push_back(std::move(face));
    }
    if (set != nullptr) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    // A stable order, so that the first face of a file comes first.
    std::sort(list.begin(), list.end(), [](const FaceLocation& a, const FaceLocation& b) {
      return a.path != b.path ? a.path < b.path : a.index < b.index;
    });
    return list;
  }();
  return faces;
}
